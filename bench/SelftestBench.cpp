// Starting a test on a large dictionary: choosing the test words and every question's variants.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "selftest/TestGeneration.h"
#include "selftest/TestOptions.h"
#include "selftest/TestRun.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"
#include "store/TextField.h"

namespace lq {
namespace {

class SilentReporter : public Reporter {
  public:
    void showError(std::string_view, std::string_view) override { ++errors; }
    void showInformation(std::string_view) override {}
    bool askWarning(std::string_view, bool) override { return false; }
    void showNewDictionary(std::string_view) override {}
    int errors = 0;
};

class SteppingClock : public Clock {
  public:
    SYSTEMTIME localTime() const override { return {2024, 5, 3, 17, 10, 42, 7, 512}; }
    int64_t secondsSinceEpoch() const override { return ++seconds_; }

  private:
    mutable int64_t seconds_ = 1715940127;
};

constexpr int32_t kWordsPerTheme = 100;

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
    d.header.languageCount = 1;
    d.header.themeCount = themeCount;
    d.header.wordCount = wordCount;
    d.header.testThemeFilter = themeCount / 2;
    d.header.testCountIndex = 15;     // 80 questions
    d.header.variantCountIndex = 15;  // 16 variant-words
    return d;
}

void BM_PrepareTestOf80Questions(benchmark::State& state) {
    const Dictionary dictionary = dictionaryOf(static_cast<int32_t>(state.range(0)));
    TestRandom random;
    SteppingClock clock;
    SilentReporter reporter;
    TestWords testWords;
    for (auto _ : state) {
        if (!prepareTest(dictionary, random, clock, reporter, testWords)) {
            state.SkipWithError("test refused");
            break;
        }
    }
}
BENCHMARK(BM_PrepareTestOf80Questions)->Arg(100000)->Arg(32000)->Unit(benchmark::kMillisecond);

// What happens between "&Test!" and the last question: the test words, then every question's
// variants as the test window draws them, each question in its own second.
void BM_StartTestOf80QuestionsWith16Variants(benchmark::State& state) {
    Dictionary dictionary = dictionaryOf(static_cast<int32_t>(state.range(0)));
    TestRandom random;
    SteppingClock clock;
    SilentReporter reporter;
    TestWords testWords;
    for (auto _ : state) {
        if (!prepareTest(dictionary, random, clock, reporter, testWords)) {
            state.SkipWithError("test refused");
            break;
        }
        TestRun run(dictionary, testWords, random, clock);
        while (!run.finished()) {
            const std::vector<std::string> answers = run.offeredAnswers();
            run.answer(answers.back());
        }
    }
    state.counters["candidates"] = static_cast<double>(countCandidates(dictionary));
}
// 100,000 words is beyond one draw's reach; 32,000 is the largest size drawn by rejection
// alone, where few candidates make the draws slowest.
BENCHMARK(BM_StartTestOf80QuestionsWith16Variants)
    ->Arg(100000)
    ->Arg(32000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lq
