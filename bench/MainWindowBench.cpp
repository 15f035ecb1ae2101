// The main window over large dictionaries: its refreshes against a plain case-insensitive sort
// of the same word texts, and the memory that each word of a dictionary adds to the program.
#include "MainWindowBench.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
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

constexpr const char* kMemoryProbeFlag = "--memory-probe=";

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
    return d;
}

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

// Resident memory in bytes.
int64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0;
    int64_t resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

void writeDictionaryFile(const std::string& path, int wordCount) {
    const std::vector<uint8_t> bytes = dictionaryBytes(largeDictionary(wordCount));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
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

// What the words of a 100,000-word dictionary add to the program once its main window shows
// them. Each figure comes from a fresh process, so that no other benchmark's heap is in it, and
// the same program over the same themes and languages without words is taken away, so that
// Qt's own first window is not in it either. Stated per word, beside the 160 bytes that a word
// takes in the file.
void BM_MemoryPerWordOfA100000WordDictionary(benchmark::State& state) {
    constexpr int kWords = 100000;
    const std::string folder = QDir::tempPath().toStdString();
    const std::string withWords = folder + "/lexiquill-bench-memory.lqd";
    const std::string withoutWords = folder + "/lexiquill-bench-memory-empty.lqd";
    writeDictionaryFile(withWords, kWords);
    writeDictionaryFile(withoutWords, 0);
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
    std::printf("%lld\n", static_cast<long long>(residentBytes()));
    return 0;
}

void closeBenchWindows() {
    fixtures().clear();
}

}  // namespace lq
