// The recovery copy at 100,000 and 1,000,000 words. Goal: a change costs the window's thread at
// most 5 ms whatever the dictionary's size; the copy itself is written by a child process. Reports
// "gui_ms" (the thread's part: starting the write) and "safe_ms" (from the start until the copy
// is flushed and in place), the mean over the iterations.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "BenchDictionary.h"
#include "store/CopyWriter.h"
#include "store/DictionaryFolder.h"
#include "store/RecoveryCopy.h"

namespace lq {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_RecoveryCopyPerChange(benchmark::State& state) {
    const auto words = static_cast<int>(state.range(0));
    Dictionary dictionary = largeDictionary(words);
    char folderName[] = "/tmp/lq-recovery-bench.XXXXXX";
    const std::string folder = ::mkdtemp(folderName);
    const DictionaryFolder held(folder + "/Lexiquill.lqd");
    RecoveryCopy copy(held);
    CopyWriter writer;
    double gui = 0;
    double safe = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        writer.start(copy, dictionary);
        gui += millisecondsSince(start);
        // The window goes on meanwhile; here, a change to the words, as the next edit would be.
        dictionary.words[0].rightCount ^= 1;
        const int error = writer.finish();
        safe += millisecondsSince(start);
        if (error != 0) {
            state.SkipWithError("the copy could not be written");
            break;
        }
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["gui_ms"] = gui / iterations;
    state.counters["safe_ms"] = safe / iterations;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RecoveryCopyPerChange)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
