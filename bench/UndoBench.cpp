// The undo history over 100,000 words. Goal: a step holds what it changed, never a copy of the
// dictionary, so 1,000 in-place edits cost a few hundred bytes each, against the 16 MB that one
// copy of the words would take. Reports the heap that 1,000 steps of translation changes add
// ("bytes_per_step", measured by the allocator, and "dictionary_MB" beside it), and the time of
// taking them all back and forth ("per step" is the time of one undo or redo).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "BenchDictionary.h"
#include "SilentReporter.h"
#include "app/UndoHistory.h"
#include "store/Edits.h"
#include "store/TextField.h"

namespace lq {
namespace {

constexpr int kWords = 100000;
constexpr int kSteps = 1000;

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// Changes the translation of `kSteps` words spread over the table, each one step.
void editInPlace(Dictionary& dictionary, UndoHistory& history) {
    for (int i = 0; i < kSteps; ++i) {
        const auto index = static_cast<int32_t>((i * 97) % kWords);
        WordRecord word = dictionary.words[static_cast<std::size_t>(index)];
        setFieldText(word.translation, "changed " + std::to_string(i));
        ChangeRecorder recorder;
        replaceWord(dictionary, index, word, &recorder);
        history.addStep("Change translation of " + quotedName(fieldText(word.word)), recorder.take());
    }
}

void BM_MemoryOf1000InPlaceEditSteps(benchmark::State& state) {
    for (auto _ : state) {
        Dictionary dictionary = largeDictionary(kWords);
        auto history = std::make_unique<UndoHistory>(dictionary);
        const std::size_t before = heapInUse();
        editInPlace(dictionary, *history);
        const std::size_t added = heapInUse() - before;
        state.counters["bytes_per_step"] = static_cast<double>(added) / kSteps;
        state.counters["dictionary_MB"] =
            static_cast<double>(dictionary.words.size() * sizeof(WordRecord)) / 1e6;
        state.counters["steps"] = history->count();
    }
}
BENCHMARK(BM_MemoryOf1000InPlaceEditSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_UndoAndRedo1000InPlaceEdits(benchmark::State& state) {
    Dictionary dictionary = largeDictionary(kWords);
    UndoHistory history(dictionary);
    editInPlace(dictionary, history);
    for (auto _ : state) {
        for (int i = 0; i < kSteps; ++i) {
            history.undo();
        }
        for (int i = 0; i < kSteps; ++i) {
            history.redo();
        }
    }
    state.SetItemsProcessed(state.iterations() * 2 * kSteps);
    state.counters["seconds_per_step"] = benchmark::Counter(
        static_cast<double>(state.iterations() * 2 * kSteps),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_UndoAndRedo1000InPlaceEdits)->Unit(benchmark::kMillisecond);

// A theme's deletion takes its words and renumbers the rest; taking it back puts all back.
void BM_UndoAndRedoOfAThemeDeletion(benchmark::State& state) {
    Dictionary dictionary = largeDictionary(kWords);
    UndoHistory history(dictionary);
    SilentReporter reporter;
    const std::string name(fieldText(dictionary.themes[3].name));
    const std::size_t before = heapInUse();
    ChangeRecorder recorder;
    deleteTheme(dictionary, name, reporter, &recorder);
    const std::size_t deletedWords = kWords - dictionary.words.size();
    history.addStep("Delete theme " + quotedName(name), recorder.take());
    state.counters["deleted_words"] = static_cast<double>(deletedWords);
    state.counters["held_bytes_per_deleted_word"] =
        static_cast<double>(heapInUse() - before) / static_cast<double>(deletedWords);
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}
BENCHMARK(BM_UndoAndRedoOfAThemeDeletion)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
