// The dictionary store against the plain file calls it wraps, at 10,000 and 100,000 words.
// Goals: a load costs at most 1.5 times a plain read of the same bytes, a save at most 1.5
// times a plain write and fsync, and no operation grows more than 15 times from 10,000 to
// 100,000 words. Each benchmark reports "ratio" (store / plain counterpart) and, at 100,000
// words, "growth" (time per operation / time at 10,000 words) and "plain_growth", the same for
// the counterpart. The 1.6 MB of 10,000 words stay in the cache and the 16 MB of 100,000 do not,
// so even plain linear work grows more than tenfold; plain_growth shows by how much in this run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "SilentReporter.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/TextField.h"

namespace lq {
namespace {

using Clock = std::chrono::steady_clock;

// Two languages and two themes; the words alternate between the themes, so each holds half.
Dictionary benchDictionary(int wordCount) {
    Dictionary d;
    d.header = newDictionaryHeader({2024, 1, 1, 1, 12, 0, 0, 0});
    d.languages = {makeLanguageRecord("English"), makeLanguageRecord("German")};
    d.themes = {makeThemeRecord("Even"), makeThemeRecord("Odd")};
    d.words.resize(static_cast<std::size_t>(wordCount));
    for (int i = 0; i < wordCount; ++i) {
        WordRecord& w = d.words[static_cast<std::size_t>(i)];
        w.themeIndex = i % 2;
        w.languageIndex = (i / 2) % 2;
        w.testedCount = i % 9;
        w.rightCount = i % 4;
        setFieldText(w.word, "word" + std::to_string(i));
        setFieldText(w.translation, "the translation of word number " + std::to_string(i));
        setFieldText(w.transcription, "[w" + std::to_string(i) + "]");
    }
    return d;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lexiquill-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const char* name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Per-operation seconds at 10,000 words, by benchmark, for the growth figures at 100,000.
struct SmallerRun {
    double store = 0;
    double plain = 0;
};

std::map<std::string, SmallerRun>& smallerRuns() {
    static std::map<std::string, SmallerRun> runs;
    return runs;
}

void reportFigures(benchmark::State& state, const std::string& name, double storeSeconds,
                   double plainSeconds) {
    const double iterations = static_cast<double>(state.iterations());
    const SmallerRun run{storeSeconds / iterations, plainSeconds / iterations};
    state.counters["store_ms"] = run.store * 1e3;
    state.counters["plain_ms"] = run.plain * 1e3;
    state.counters["ratio"] = storeSeconds / plainSeconds;
    const int words = static_cast<int>(state.range(0));
    if (words == 10000) {
        smallerRuns()[name] = run;
    } else if (words == 100000 && smallerRuns().count(name) != 0) {
        const SmallerRun& smaller = smallerRuns()[name];
        state.counters["growth"] = run.store / smaller.store;
        state.counters["plain_growth"] = run.plain / smaller.plain;
    }
}

bool plainRead(const std::string& path, std::size_t size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer.get() + done, size - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    benchmark::DoNotOptimize(buffer.get());
    ::close(fd);
    return done == size;
}

bool plainWrite(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) {
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    const bool flushed = ::fsync(fd) == 0;
    return ::close(fd) == 0 && flushed && done == bytes.size();
}

void BM_LoadVsPlainRead(benchmark::State& state) {
    ScratchFolder folder;
    SilentReporter reporter;
    SystemClock clock;
    DictionaryStore store(folder.file("Lexiquill.lqd"), reporter, clock);
    store.currentDictionary = benchDictionary(static_cast<int>(state.range(0)));
    const std::size_t size = static_cast<std::size_t>(fileSize(store.currentDictionary));
    if (!store.saveDictionary()) {
        state.SkipWithError("cannot write the dictionary");
        return;
    }
    double storeSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        if (!plainRead(store.ownFilePath(), size)) {
            state.SkipWithError("plain read failed");
            return;
        }
        plainSeconds += secondsSince(start);

        Dictionary loaded;
        start = Clock::now();
        if (store.loadDictionary(store.ownFilePath(), loaded) != LoadStatus::Loaded) {
            state.SkipWithError("load failed");
            return;
        }
        const double elapsed = secondsSince(start);
        storeSeconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    reportFigures(state, "load", storeSeconds, plainSeconds);
}

void BM_SaveVsPlainWrite(benchmark::State& state) {
    ScratchFolder folder;
    SilentReporter reporter;
    SystemClock clock;
    DictionaryStore store(folder.file("Lexiquill.lqd"), reporter, clock);
    store.currentDictionary = benchDictionary(static_cast<int>(state.range(0)));
    const std::vector<uint8_t> bytes = dictionaryBytes(store.currentDictionary);
    const std::string plainFile = folder.file("plain.bin");
    double storeSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        if (!plainWrite(plainFile, bytes)) {
            state.SkipWithError("plain write failed");
            return;
        }
        plainSeconds += secondsSince(start);

        start = Clock::now();
        if (!store.saveDictionary()) {
            state.SkipWithError("save failed");
            return;
        }
        const double elapsed = secondsSince(start);
        storeSeconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    reportFigures(state, "save", storeSeconds, plainSeconds);
}

// The least any deletion of a theme must do: one pass over the words that keeps the others.
void plainDeleteTheme(WordTable& words, int32_t theme) {
    const auto kept = std::remove_if(
        words.begin(), words.end(), [theme](const WordRecord& w) { return w.themeIndex == theme; });
    words.erase(kept, words.end());
}

void BM_DeleteThemeWithHalfTheWords(benchmark::State& state) {
    const Dictionary original = benchDictionary(static_cast<int>(state.range(0)));
    SilentReporter reporter;
    double storeSeconds = 0, plainSeconds = 0;
    // Assigned afresh each time, so their memory is reused rather than allocated again.
    WordTable plain;
    Dictionary d;
    for (auto _ : state) {
        plain = original.words;
        auto start = Clock::now();
        plainDeleteTheme(plain, 0);
        plainSeconds += secondsSince(start);
        benchmark::DoNotOptimize(plain.data());

        d = original;
        start = Clock::now();
        const bool deleted = deleteTheme(d, "Even", reporter);
        const double elapsed = secondsSince(start);
        if (!deleted || d.words.size() != original.words.size() / 2 ||
            plain.size() != d.words.size()) {
            state.SkipWithError("delete failed");
            return;
        }
        storeSeconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    reportFigures(state, "deleteTheme", storeSeconds, plainSeconds);
}

BENCHMARK(BM_LoadVsPlainRead)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveVsPlainWrite)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteThemeWithHalfTheWords)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
