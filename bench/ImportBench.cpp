// An import of n words into a dictionary of n words, for n = 10,000 and 100,000. Every source
// word is looked up among the current words, so the time must grow about linearly with n.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "SilentReporter.h"
#include "import/core/ImportWords.h"
#include "store/TextField.h"

namespace lq {
namespace {

constexpr int32_t kThemes = 20;
constexpr int32_t kLanguages = 4;

// Words longer than a short string, spread over a few themes and languages.
Dictionary numberedDictionary(int32_t count, const char* prefix) {
    Dictionary d;
    char text[32];
    for (int32_t i = 0; i < kLanguages; ++i) {
        std::snprintf(text, sizeof text, "language %d", i);
        LanguageRecord language{};
        setFieldText(language.name, text);
        d.languages.push_back(language);
    }
    for (int32_t i = 0; i < kThemes; ++i) {
        std::snprintf(text, sizeof text, "theme %d", i);
        ThemeRecord theme{};
        setFieldText(theme.name, text);
        d.themes.push_back(theme);
    }
    for (int32_t i = 0; i < count; ++i) {
        WordRecord word{};
        word.themeIndex = i % kThemes;
        word.languageIndex = i % kLanguages;
        std::snprintf(text, sizeof text, "%s vocabulary %07d", prefix, i);
        setFieldText(word.word, text);
        setFieldText(word.translation, "translation");
        setFieldText(word.transcription, "transcription");
        d.words.push_back(word);
    }
    return d;
}

void runImport(benchmark::State& state, const char* sourcePrefix, bool overwrite) {
    const auto count = static_cast<int32_t>(state.range(0));
    const Dictionary source = numberedDictionary(count, sourcePrefix);
    const Dictionary start = numberedDictionary(count, "current");
    ImportOptions options;
    options.themePlacement = Placement::AddNew;
    options.languagePlacement = Placement::AddNew;
    options.overwriteExisting = overwrite;
    SilentReporter reporter;
    SystemClock clock;
    for (auto _ : state) {
        state.PauseTiming();
        Dictionary current = start;
        state.ResumeTiming();
        ImportRun run(source, current, options, reporter, clock);
        run.step(count);
        const ImportSummary& summary = run.summary();
        benchmark::DoNotOptimize(summary);
        if (summary.wordsAdded != count) {
            state.SkipWithError("not every word was imported");
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// Every source word is new.
void BM_ImportNewWords(benchmark::State& state) {
    runImport(state, "source", false);
}

// Every source word is already there and replaces the current one.
void BM_ImportOverwritingWords(benchmark::State& state) {
    runImport(state, "current", true);
}

BENCHMARK(BM_ImportNewWords)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportOverwritingWords)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
