// A CSV import of n rows against a plain libcsv parse of the same text, for n = 10,000 and
// 100,000, measured side by side. The goals: the import costs at most twice the parse, and grows
// from 10,000 to 100,000 rows no more than the parse does.
// And what the import dialog does before it shows a file that is one line of 50 MB (the file
// read, its encoding and layout found, the whole text read for the preview and its note), for
// three kinds of line. The goal: under 1 s for each.
#include <benchmark/benchmark.h>
#include <csv.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <limits>
#include <numeric>
#include <string>

#include "SilentReporter.h"
#include "import/core/CsvExport.h"
#include "import/core/CsvFile.h"
#include "import/core/CsvImport.h"
#include "import/core/TextFileEncoding.h"
#include "store/Edits.h"
#include "store/TextField.h"

namespace lq {
namespace {

constexpr int32_t kThemes = 20;
constexpr int32_t kLanguages = 4;

// An export of n words over a few themes and languages, as the program writes it.
std::string exportedRows(int32_t count) {
    Dictionary d;
    SilentReporter reporter;
    char text[32];
    for (int32_t i = 0; i < kLanguages; ++i) {
        std::snprintf(text, sizeof text, "language %d", i);
        addLanguage(d, makeLanguageRecord(text), reporter);
    }
    for (int32_t i = 0; i < kThemes; ++i) {
        std::snprintf(text, sizeof text, "theme %d", i);
        addTheme(d, makeThemeRecord(text), reporter);
    }
    std::vector<int32_t> order;
    for (int32_t i = 0; i < count; ++i) {
        WordRecord word{};
        word.themeIndex = i % kThemes;
        word.languageIndex = i % kLanguages;
        word.rightCount = i % 3;
        word.testedCount = 2 + i % 7;
        word.created = SYSTEMTIME{2024, 1, 2, 2, 10, 11, 12, 0};
        std::snprintf(text, sizeof text, "vocabulary %07d", i);
        setFieldText(word.word, text);
        setFieldText(word.translation, "a translation, with a comma");
        setFieldText(word.transcription, "transcription");
        d.words.push_back(word);
        order.push_back(i);
    }
    return csvWordsText(d, order, ',');
}

struct ParseCount {
    std::size_t fields = 0;
    std::size_t rows = 0;
};

// The least a reader of the file does: libcsv over the whole text, counting what it hands out.
ParseCount plainParse(const std::string& text) {
    csv_parser parser;
    csv_init(&parser, 0);
    ParseCount count;
    const auto field = [](void*, std::size_t, void* data) {
        ++static_cast<ParseCount*>(data)->fields;
    };
    const auto row = [](int, void* data) { ++static_cast<ParseCount*>(data)->rows; };
    csv_parse(&parser, text.data(), text.size(), field, row, &count);
    csv_fini(&parser, field, row, &count);
    csv_free(&parser);
    return count;
}

// The import as the program does it: the bytes converted, the layout detected, every row taken.
int32_t importText(const std::string& bytes, Dictionary& current) {
    SilentReporter reporter;
    SystemClock clock;
    std::string encoding;
    std::string converted;
    std::string_view text;
    detectAndDecode(bytes, encoding, converted, text);
    CsvImportOptions options;
    CsvImportRun run(text, detectLayout(text), current, options, reporter, clock);
    run.step(std::numeric_limits<int32_t>::max());
    return run.summary().wordsAdded;
}

double milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

struct SizeTimes {
    double importMs = 0;
    double parseMs = 0;
    int runs = 0;

    double importMean() const { return importMs / runs; }
    double parseMean() const { return parseMs / runs; }
};

// A parse and an import of the same text, each timed; false after the error when rows were lost.
bool timeOnce(const std::string& bytes, int32_t count, SizeTimes& times, benchmark::State& state) {
    Dictionary current;
    const auto parseStart = std::chrono::steady_clock::now();
    const ParseCount parsed = plainParse(bytes);
    const auto importStart = std::chrono::steady_clock::now();
    const int32_t added = importText(bytes, current);
    const auto end = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(parsed);
    if (added != count || parsed.rows != static_cast<std::size_t>(count) + 1) {
        const std::string why = "imported " + std::to_string(added) + " words of " +
                                std::to_string(parsed.rows) + " rows";
        state.SkipWithError(why.c_str());
        return false;
    }
    times.parseMs += milliseconds(importStart - parseStart);
    times.importMs += milliseconds(end - importStart);
    ++times.runs;
    return true;  // the release of the words is not the import's
}

// Both sizes in every iteration, ten small runs to one large, so that the growth compares times
// taken under the same load of a shared machine.
void BM_CsvImportAgainstPlainParse(benchmark::State& state) {
    constexpr int32_t kSmall = 10'000;
    constexpr int32_t kLarge = 100'000;
    const std::string small = exportedRows(kSmall);
    const std::string large = exportedRows(kLarge);
    SizeTimes smallTimes;
    SizeTimes largeTimes;
    for (auto _ : state) {
        for (int i = 0; i < kLarge / kSmall; ++i) {
            if (!timeOnce(small, kSmall, smallTimes, state)) {
                return;
            }
        }
        if (!timeOnce(large, kLarge, largeTimes, state)) {
            return;
        }
    }
    state.counters["import_ms_10k"] = smallTimes.importMean();
    state.counters["parse_ms_10k"] = smallTimes.parseMean();
    state.counters["import_ms_100k"] = largeTimes.importMean();
    state.counters["parse_ms_100k"] = largeTimes.parseMean();
    state.counters["import_per_parse_100k"] = largeTimes.importMean() / largeTimes.parseMean();
    state.counters["import_growth"] = largeTimes.importMean() / smallTimes.importMean();
    state.counters["parse_growth"] = largeTimes.parseMean() / smallTimes.parseMean();
    state.SetItemsProcessed(state.iterations() * 2 * kLarge);
}

BENCHMARK(BM_CsvImportAgainstPlainParse)->Unit(benchmark::kMillisecond)->MinTime(2.0);

struct OneLineShape {
    const char* name;
    const char* start;
    const char* filler;
};

constexpr OneLineShape kOneLineShapes[] = {
    {"one endless field", "", "x"},
    {"a quote never closed", "Haus,\"", "x"},
    {"short fields without end", "", "Haus,"},
};

// A temporary file, removed at the end.
class OneLineFile {
  public:
    explicit OneLineFile(const OneLineShape& shape) {
        std::string text = shape.start;
        const std::string_view filler = shape.filler;
        text.reserve(kBytes + filler.size());
        while (text.size() < kBytes) {
            text += filler;
        }
        const int fd = ::mkstemp(path_.data());
        written_ =
            fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (fd >= 0) {
            ::close(fd);
        }
    }
    ~OneLineFile() { ::unlink(path_.c_str()); }
    OneLineFile(const OneLineFile&) = delete;
    OneLineFile& operator=(const OneLineFile&) = delete;

    const std::string& path() const { return path_; }
    bool written() const { return written_; }

    static constexpr std::size_t kBytes = 50'000'000;

  private:
    std::string path_ = "/tmp/lexiquill-csv-bench-XXXXXX";
    bool written_ = false;
};

void BM_CsvOneLineFilePreview(benchmark::State& state) {
    const OneLineShape& shape = kOneLineShapes[state.range(0)];
    const OneLineFile file(shape);
    if (!file.written()) {
        state.SkipWithError("the file could not be written");
        return;
    }
    SilentReporter reporter;
    for (auto _ : state) {
        CsvFile csv;
        if (!csv.open(file.path(), reporter)) {
            state.SkipWithError("the file was refused");
            return;
        }
        const CsvPreview preview = csvPreview(csv.text(), csv.layout().delimiter, 9);
        benchmark::DoNotOptimize(preview.rows.data());
    }
    state.SetLabel(shape.name);
}

BENCHMARK(BM_CsvOneLineFilePreview)
    ->DenseRange(0, std::size(kOneLineShapes) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace lq
