// The main window over large dictionaries: its refreshes against a plain case-insensitive sort
// of the same word texts, a search against a plain case-insensitive scan of the same texts, and
// the memory that each word of a dictionary adds to the program.
#include "MainWindowBench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchDictionary.h"
#include "SilentReporter.h"
#include "app/CMainDialog.h"
#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/TestRandom.h"
#include "store/TextField.h"

namespace lq {
namespace {

constexpr const char* kMemoryProbeFlag = "--memory-probe=";

class NoonClock : public Clock {
  public:
    SYSTEMTIME localTime() const override { return {2024, 5, 3, 15, 12, 0, 0, 0}; }
    int64_t secondsSinceEpoch() const override { return 1715774400; }
};

// A window over a dictionary of the given size, kept for all runs of that size.
struct Fixture {
    explicit Fixture(int wordCount)
        : store(QDir::tempPath().toStdString() + "/lexiquill-bench.lqd", reporter, clock) {
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

std::map<int, std::unique_ptr<Fixture>>& fixtures() {
    static std::map<int, std::unique_ptr<Fixture>> kept;
    return kept;
}

Fixture& fixture(int wordCount) {
    auto& slot = fixtures()[wordCount];
    if (!slot) {
        slot = std::make_unique<Fixture>(wordCount);
    }
    return *slot;
}

// The most memory the process has held resident so far, in bytes: what the program needs, with
// every passing buffer of the load and the first fill in it.
int64_t peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtoll(line.c_str() + 6, nullptr, 10) * 1024;
        }
    }
    return -1;
}

// Runs this program again as a memory probe on the dictionary at `path`; -1 when it fails.
int64_t residentInFreshProcess(const std::string& path) {
    QProcess probe;
    probe.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(kMemoryProbeFlag) + QString::fromStdString(path)});
    if (!probe.waitForFinished(120000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0) {
        return -1;
    }
    bool read = false;
    const int64_t bytes = probe.readAllStandardOutput().trimmed().toLongLong(&read);
    return read ? bytes : -1;
}

// What the words of a 100,000-word dictionary add to the program's peak resident memory once its
// main window shows them. Each figure comes from a fresh process, so that no other benchmark's heap
// is in it, and the same program over the same themes and languages without words is taken away, so
// that Qt's own first window is not in it either. Stated per word, beside the 160 bytes that a word
// takes in the file.
void BM_MemoryPerWordOfA100000WordDictionary(benchmark::State& state) {
    constexpr int kWords = 100000;
    const std::string folder = QDir::tempPath().toStdString();
    const std::string withWords = folder + "/lexiquill-bench-memory.lqd";
    const std::string withoutWords = folder + "/lexiquill-bench-memory-empty.lqd";
    writeLargeDictionary(withWords, kWords);
    writeLargeDictionary(withoutWords, 0);
    for (auto _ : state) {
        const int64_t full = residentInFreshProcess(withWords);
        const int64_t empty = residentInFreshProcess(withoutWords);
        if (full < 0 || empty < 0) {
            state.SkipWithError("the memory probe failed");
            break;
        }
        const auto added = static_cast<double>(full - empty);
        state.counters["added_MB"] = added / 1e6;
        state.counters["bytes_per_word"] = added / kWords;
        state.counters["file_bytes_per_word"] = static_cast<double>(kWordRecordSize);
    }
    std::remove(withWords.c_str());
    std::remove(withoutWords.c_str());
}
BENCHMARK(BM_MemoryPerWordOfA100000WordDictionary)->Iterations(1)->Unit(benchmark::kMillisecond);

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

// The same three texts of every word, decoded once, for the yardstick scan.
struct DecodedTexts {
    std::vector<QString> words;
    std::vector<QString> translations;
    std::vector<QString> transcriptions;
};

DecodedTexts decodedTexts(const Dictionary& d) {
    DecodedTexts texts;
    for (const WordRecord& word : d.words) {
        texts.words.push_back(QString::fromUtf8(fieldText(word.word)));
        texts.translations.push_back(QString::fromUtf8(fieldText(word.translation)));
        texts.transcriptions.push_back(QString::fromUtf8(fieldText(word.transcription)));
    }
    return texts;
}

// The yardstick: which words hold the term in one of their texts, ignoring case.
std::vector<int32_t> plainScan(const DecodedTexts& texts, const QString& term) {
    std::vector<int32_t> found;
    for (std::size_t i = 0; i < texts.words.size(); ++i) {
        if (texts.words[i].contains(term, Qt::CaseInsensitive) ||
            texts.translations[i].contains(term, Qt::CaseInsensitive) ||
            texts.transcriptions[i].contains(term, Qt::CaseInsensitive)) {
            found.push_back(static_cast<int32_t>(i));
        }
    }
    return found;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Typing into the search field refills the list under the term, which has to fit in a frame
// (16 ms). Each iteration times the refill and, in the same run, the plain scan; "ratio" is
// refill / scan. "ab" lists about one word in a hundred, "a" every word.
void BM_SearchRefillVsPlainScan(benchmark::State& state, const char* term) {
    Fixture& bench = fixture(100000);
    const DecodedTexts texts = decodedTexts(bench.store.currentDictionary);
    CMainDialog& window = *bench.window;
    window.ResetView();
    auto* search = window.findChild<QLineEdit*>("searchEdit");
    if (search == nullptr) {
        state.SkipWithError("no search field");
        return;
    }
    double refillMs = 0;
    double scanMs = 0;
    std::size_t listed = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const std::vector<int32_t> found = plainScan(texts, QString::fromUtf8(term));
        scanMs += millisecondsSince(start);
        benchmark::DoNotOptimize(found.data());

        search->clear();  // untimed: the field is empty again before the term is typed
        start = std::chrono::steady_clock::now();
        search->setText(QString::fromUtf8(term));
        const double elapsed = millisecondsSince(start);
        refillMs += elapsed;
        state.SetIterationTime(elapsed / 1e3);
        listed = window.listedWords().size();
        if (listed != found.size()) {
            state.SkipWithError("the search and the scan found different words");
            break;
        }
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["refill_ms"] = refillMs / iterations;
    state.counters["scan_ms"] = scanMs / iterations;
    state.counters["ratio"] = refillMs / scanMs;
    state.counters["listed"] = static_cast<double>(listed);
    search->clear();
}
BENCHMARK_CAPTURE(BM_SearchRefillVsPlainScan, few_words, "ab")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchRefillVsPlainScan, every_word, "a")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

const char* memoryProbePath(int argc, char** argv) {
    const std::size_t flagLength = std::strlen(kMemoryProbeFlag);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kMemoryProbeFlag, flagLength) == 0) {
            return argv[i] + flagLength;
        }
    }
    return nullptr;
}

int runMemoryProbe(const char* path) {
    SilentReporter reporter;
    NoonClock clock;
    TestRandom random;
    DictionaryStore store(path, reporter, clock);
    CMainDialog window(store, random);
    if (!window.loadDictionary()) {
        return 1;
    }
    window.show();
    QApplication::processEvents();
    std::printf("%lld\n", static_cast<long long>(peakResidentBytes()));
    return 0;
}

void closeBenchWindows() {
    fixtures().clear();
}

}  // namespace lq
