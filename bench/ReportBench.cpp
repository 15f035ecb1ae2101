// Reports of large dictionaries: the order, both writers, and the whole save to disk.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>

#include "SilentReporter.h"
#include "report/SwapPassOrder.h"  // from tests/
#include "report/core/HtmlReport.h"
#include "report/core/ReportOrder.h"
#include "report/core/ReportSave.h"
#include "report/core/TextReport.h"
#include "store/TextField.h"

namespace lq {
namespace {

// Words made of a few short pieces, many of them prefixes of others, in mixed case.
Dictionary dictionaryOfWords(int count) {
    static const std::string pieces[] = {"a", "A", "b", "B", "ab", "ba", "\xE9", "z", "st", "er"};
    std::mt19937 random(static_cast<uint32_t>(count));
    std::uniform_int_distribution<int> piece(0, 9);
    std::uniform_int_distribution<int> length(1, 8);
    Dictionary dictionary;
    dictionary.languages.resize(2);
    dictionary.themes.resize(3);
    setFieldText(dictionary.languages[0].name, "English");
    setFieldText(dictionary.languages[1].name, "German");
    setFieldText(dictionary.themes[0].name, "Animals");
    setFieldText(dictionary.themes[1].name, "Food");
    setFieldText(dictionary.themes[2].name, "Travel");
    std::string previous;
    for (int i = 0; i < count; ++i) {
        std::string text = i % 3 == 0 ? previous.substr(0, previous.size() / 2) : std::string();
        for (int n = length(random); n > 0; --n) {
            text += pieces[piece(random)];
        }
        WordRecord word{};
        word.themeIndex = i % 3;
        word.languageIndex = i % 2;
        word.rightCount = i % 7;
        word.testedCount = i % 11;
        setFieldText(word.word, text);
        setFieldText(word.translation, "translation of " + text);
        setFieldText(word.transcription, "[" + text + "]");
        dictionary.words.push_back(word);
        previous = text;
    }
    return dictionary;
}

void BM_SortWordsByText(benchmark::State& state) {
    const Dictionary dictionary = dictionaryOfWords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(sortWordsByText(dictionary));
    }
}

// The passes of adjacent swaps, literally: what the fast order replaces, and its check.
void BM_SortBySwapPasses(benchmark::State& state) {
    const Dictionary dictionary = dictionaryOfWords(static_cast<int>(state.range(0)));
    std::vector<int32_t> order;
    for (auto _ : state) {
        order = test::orderBySwapPasses(dictionary);
    }
    if (order != sortWordsByText(dictionary)) {
        state.SkipWithError("the fast order differs from the swap passes");
    }
}

void BM_TextReportInMemory(benchmark::State& state) {
    const Dictionary dictionary = dictionaryOfWords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        StringSink sink;
        writeTextReport(sink, dictionary, sortWordsByText(dictionary), {-1, -1});
        benchmark::DoNotOptimize(sink.bytes().data());
    }
}

void BM_HtmlReportInMemory(benchmark::State& state) {
    const Dictionary dictionary = dictionaryOfWords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        StringSink sink;
        writeHtmlReport(sink, dictionary, sortWordsByText(dictionary), {-1, -1}, ReportOptions{});
        benchmark::DoNotOptimize(sink.bytes().data());
    }
}

// Everything the Save button does: ask, sort, write, flush to disk and put the file in place.
void saveToDisk(benchmark::State& state, ReportFormat format) {
    Dictionary dictionary = dictionaryOfWords(static_cast<int>(state.range(0)));
    char folder[] = "/tmp/lq-report-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    ReportRequest request{folder, "report", {-1, -1}, ReportOptions{}};
    request.options.format = format;
    SilentReporter reporter(true);  // replaces the report of the previous iteration
    for (auto _ : state) {
        saveReport(dictionary, request, nullptr, reporter);
    }
    if (reporter.errors != 0) {
        state.SkipWithError("the report could not be written");
    }
    std::filesystem::remove_all(folder);
}

void BM_TextReportSaved(benchmark::State& state) {
    saveToDisk(state, ReportFormat::Text);
}

void BM_HtmlReportSaved(benchmark::State& state) {
    saveToDisk(state, ReportFormat::Html);
}

BENCHMARK(BM_SortWordsByText)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
// 20,000 words take the passes about half a minute; 2,000 keep the run short.
BENCHMARK(BM_SortBySwapPasses)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextReportInMemory)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlReportInMemory)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextReportSaved)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlReportSaved)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
