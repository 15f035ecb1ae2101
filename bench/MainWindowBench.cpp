// The main window over large dictionaries: its refreshes against a plain case-insensitive sort
// of the same word texts, and the memory a 100,000-word dictionary adds to the program.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QString>
#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "SilentReporter.h"
#include "app/CMainDialog.h"
#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/TestRandom.h"
#include "store/TextField.h"

namespace lq {
namespace {

// The benchmark library owns main(), so the application is made on first use.
void ensureApplication() {
    static std::unique_ptr<QApplication> application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "lexiquill_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QApplication>(argc, argv);
    }();
}

class NoonClock : public Clock {
  public:
    SYSTEMTIME localTime() const override { return {2024, 5, 3, 15, 12, 0, 0, 0}; }
    int64_t secondsSinceEpoch() const override { return 1715774400; }
};

// Unique words of mixed case and length, spread over 20 themes and 6 languages, some tested.
Dictionary largeDictionary(int wordCount) {
    Dictionary d;
    d.header = newDictionaryHeader(NoonClock().localTime());
    for (int i = 0; i < 6; ++i) {
        d.languages.push_back(makeLanguageRecord("language " + std::to_string(i)));
    }
    for (int i = 0; i < 20; ++i) {
        d.themes.push_back(makeThemeRecord("Theme " + std::to_string(i)));
    }
    TestRandom random;
    d.words.resize(static_cast<std::size_t>(wordCount));
    for (int i = 0; i < wordCount; ++i) {
        WordRecord& word = d.words[static_cast<std::size_t>(i)];
        word = WordRecord{};
        std::string text;
        const int letters = 4 + random.draw() % 9;
        for (int k = 0; k < letters; ++k) {
            const char base = random.draw() % 4 == 0 ? 'A' : 'a';
            text += static_cast<char>(base + random.draw() % 26);
        }
        text += std::to_string(i);  // unique
        setFieldText(word.word, text);
        setFieldText(word.translation, "translation of " + text);
        setFieldText(word.transcription, "[" + text + "]");
        word.themeIndex = i % 20;
        word.languageIndex = i % 6;
        word.testedCount = i % 3;
        word.rightCount = i % 2;
    }
    d.header.languageCount = 6;
    d.header.themeCount = 20;
    d.header.wordCount = wordCount;
    return d;
}

// A window over a dictionary of the given size, kept for all runs of that size.
struct Fixture {
    explicit Fixture(int wordCount)
        : store(QDir::tempPath().toStdString() + "/lexiquill-bench.lqd", reporter, clock) {
        ensureApplication();
        store.currentDictionary = largeDictionary(wordCount);
        store.dictionaryLoaded = true;
        window = std::make_unique<CMainDialog>(store, random);
    }
    SilentReporter reporter;
    NoonClock clock;
    TestRandom random;
    DictionaryStore store;
    std::unique_ptr<CMainDialog> window;
};

Fixture& fixture(int wordCount) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& slot = fixtures[wordCount];
    if (!slot) {
        slot = std::make_unique<Fixture>(wordCount);
    }
    return *slot;
}

// Resident memory in bytes.
int64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0;
    int64_t resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Runs first, before other benchmarks have grown the heap: loads a 100,000-word file and
// opens the main window on it, as the program does at start.
void BM_MemoryOfA100000WordDictionary(benchmark::State& state) {
    ensureApplication();
    const std::string path = QDir::tempPath().toStdString() + "/lexiquill-bench-memory.lqd";
    {
        const std::vector<uint8_t> bytes = dictionaryBytes(largeDictionary(100000));
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    for (auto _ : state) {
        const int64_t before = residentBytes();
        SilentReporter reporter;
        NoonClock clock;
        TestRandom random;
        DictionaryStore store(path, reporter, clock);
        CMainDialog window(store, random);
        window.loadDictionary();
        window.show();
        QApplication::processEvents();
        const int64_t added = residentBytes() - before;
        state.counters["file_MB"] = static_cast<double>(fileSize(store.currentDictionary)) / 1e6;
        state.counters["added_MB"] = static_cast<double>(added) / 1e6;
        state.counters["added_per_file_byte"] =
            static_cast<double>(added) / static_cast<double>(fileSize(store.currentDictionary));
        window.hide();
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_MemoryOfA100000WordDictionary)->Iterations(1)->Unit(benchmark::kMillisecond);

// The yardstick: sorting the same word texts, already decoded, ignoring case.
void BM_PlainCaseInsensitiveSort(benchmark::State& state) {
    const Dictionary& d = fixture(static_cast<int>(state.range(0))).store.currentDictionary;
    std::vector<QString> texts;
    for (const WordRecord& word : d.words) {
        texts.push_back(QString::fromUtf8(fieldText(word.word)));
    }
    for (auto _ : state) {
        std::vector<QString> sorted = texts;
        std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BM_PlainCaseInsensitiveSort)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ResetView(benchmark::State& state) {
    CMainDialog& window = *fixture(static_cast<int>(state.range(0))).window;
    for (auto _ : state) {
        window.ResetView();
    }
}
BENCHMARK(BM_ResetView)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RefilterWords(benchmark::State& state) {
    CMainDialog& window = *fixture(static_cast<int>(state.range(0))).window;
    window.ResetView();
    for (auto _ : state) {
        window.RefilterWords();
    }
}
BENCHMARK(BM_RefilterWords)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
