// Starting a test on a large dictionary: choosing the test words and every question's variants.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

#include "SilentReporter.h"
#include "selftest/core/TestGeneration.h"
#include "selftest/core/TestOptions.h"
#include "selftest/core/TestRun.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"
#include "store/TextField.h"

namespace lq {
namespace {

class SteppingClock : public Clock {
  public:
    SYSTEMTIME localTime() const override { return {2024, 5, 3, 17, 10, 42, 7, 512}; }
    int64_t secondsSinceEpoch() const override { return ++seconds_; }

  private:
    mutable int64_t seconds_ = 1715940127;
};

constexpr int32_t kWordsPerTheme = 100;

// The words the test filters let through.
int32_t candidateCount(const Dictionary& dictionary) {
    return static_cast<int32_t>(std::count_if(
        dictionary.words.begin(), dictionary.words.end(),
        [&](const WordRecord& word) { return isCandidate(dictionary.header, word); }));
}

// Words spread evenly over themes of kWordsPerTheme words in one language, so the theme filter
// leaves 100 candidates, each with the other 99 of its theme as companions.
Dictionary dictionaryOf(int32_t wordCount) {
    const int32_t themeCount = wordCount / kWordsPerTheme;
    Dictionary d;
    d.header = newDictionaryHeader({2024, 5, 3, 17, 10, 0, 0, 0});
    d.languages.resize(1);
    setFieldText(d.languages[0].name, "English");
    d.themes.resize(themeCount);
    char text[kTranslationSize];
    for (int32_t i = 0; i < themeCount; ++i) {
        std::snprintf(text, sizeof text, "theme %d", i);
        setFieldText(d.themes[static_cast<std::size_t>(i)].name, text);
    }
    d.words.resize(static_cast<std::size_t>(wordCount));
    for (int32_t i = 0; i < wordCount; ++i) {
        WordRecord& w = d.words[static_cast<std::size_t>(i)];
        w.themeIndex = i % themeCount;
        std::snprintf(text, sizeof text, "word %d", i);
        setFieldText(w.word, text);
        std::snprintf(text, sizeof text, "translation %d", i);
        setFieldText(w.translation, text);
    }
    d.header.testThemeFilter = themeCount / 2;
    d.header.testCountIndex = 15;     // 80 questions
    d.header.variantCountIndex = 15;  // 16 variant-words
    return d;
}

// What "&Test!" works with: the dictionary of the benchmark's size and the test's helpers.
struct TestStart {
    explicit TestStart(const benchmark::State& state)
        : dictionary(dictionaryOf(static_cast<int32_t>(state.range(0)))) {}

    // Draws the test words; a refused test ends the benchmark with an error.
    bool prepare(benchmark::State& state) {
        if (prepareTest(dictionary, random, clock, reporter, testWords)) {
            return true;
        }
        state.SkipWithError("test refused");
        return false;
    }

    Dictionary dictionary;
    TestRandom random;
    SteppingClock clock;
    SilentReporter reporter;
    TestWords testWords;
};

void BM_PrepareTestOf80Questions(benchmark::State& state) {
    TestStart start(state);
    for (auto _ : state) {
        if (!start.prepare(state)) {
            break;
        }
    }
}
BENCHMARK(BM_PrepareTestOf80Questions)->Arg(100000)->Arg(32000)->Unit(benchmark::kMillisecond);

// What happens between "&Test!" and the last question: the test words, then every question's
// variants as the test window draws them, each question in its own second.
void BM_StartTestOf80QuestionsWith16Variants(benchmark::State& state) {
    TestStart start(state);
    for (auto _ : state) {
        if (!start.prepare(state)) {
            break;
        }
        TestRun run(start.dictionary, start.testWords, start.random, start.clock);
        while (!run.finished()) {
            const std::vector<std::string> answers = run.offeredAnswers();
            run.answer(answers.back());
        }
    }
    state.counters["candidates"] = static_cast<double>(candidateCount(start.dictionary));
}
// 100,000 words is beyond one draw's reach; 32,000 is the largest size drawn by rejection
// alone, where few candidates make the draws slowest.
BENCHMARK(BM_StartTestOf80QuestionsWith16Variants)
    ->Arg(100000)
    ->Arg(32000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
