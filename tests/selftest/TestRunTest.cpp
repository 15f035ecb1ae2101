#include "selftest/core/TestRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "selftest/core/TestCountdown.h"
#include "selftest/core/TestOptions.h"
#include "support/FixedClock.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(RecordAnswerTest, CountsAskingAndRightAnswers) {
    struct Case {
        const char* name;
        uint8_t mode;
        const char* chosen;
        int32_t right;
        int32_t tested;
        bool expectedRight;
        int32_t expectedRightCount;
        int32_t expectedTested;
    };
    const Case cases[] = {
        {"right translation", 0, "Katze", 2, 5, true, 3, 6},
        {"wrong translation", 0, "Hund", 2, 5, false, 2, 6},
        {"word offered in names mode", 0, "cat", 0, 0, false, 0, 1},
        {"right word", 1, "cat", 0, 0, true, 1, 1},
        {"case counts", 0, "katze", 0, 0, false, 0, 1},
        {"prefix is not enough", 0, "Katz", 0, 0, false, 0, 1},
        {"counters at their limit stay", 0, "Katze", kMax, kMax, true, kMax, kMax},
        {"tested at its limit, right below", 0, "Katze", 7, kMax, true, 8, kMax},
    };
    for (const Case& c : cases) {
        WordRecord word = makeWord({"cat", 0, 0, c.right, c.tested, "Katze"});
        EXPECT_EQ(recordAnswer(word, c.mode, c.chosen), c.expectedRight) << c.name;
        EXPECT_EQ(word.rightCount, c.expectedRightCount) << c.name;
        EXPECT_EQ(word.testedCount, c.expectedTested) << c.name;
    }
}

class TestRunTest : public ::testing::Test {
  protected:
    // Two languages of three words each; "dog" and "hound" share a translation.
    Dictionary dictionary = makeDictionary({"English", "German"}, {"Animals"},
                                           {{"cat", 0, 0, 0, 0, "Katze"},
                                            {"dog", 0, 0, 0, 0, "Hund"},
                                            {"hound", 0, 0, 0, 0, "Hund"},
                                            {"Katze", 0, 1, 0, 0, "cat"},
                                            {"Hund", 0, 1, 0, 0, "dog"},
                                            {"Kuh", 0, 1, 0, 0, "cow"}});
    TestRandom random;
    FixedClock clock;
};

TEST_F(TestRunTest, AnswersUpdateTheWordsAndTheTally) {
    dictionary.header.variantCountIndex = 1;  // 2 variant-words
    TestRun run(dictionary, {1, 3, 2}, random, clock);
    ASSERT_EQ(run.questionCount(), 3);

    EXPECT_EQ(run.questionText(), "dog");
    EXPECT_TRUE(run.answer("Hund"));
    EXPECT_EQ(run.questionText(), "Katze");
    EXPECT_FALSE(run.answer("dog"));
    EXPECT_EQ(run.questionText(), "hound");
    EXPECT_TRUE(run.answer("Hund"));  // the text of "dog" is right for "hound" too

    EXPECT_TRUE(run.finished());
    EXPECT_EQ(run.rightAnswers(), 2);
    EXPECT_FALSE(run.answer("Hund"));
    EXPECT_EQ(run.questionIndex(), 3);

    const std::vector<std::pair<int32_t, int32_t>> rightAndTested = {{0, 0}, {1, 1}, {1, 1},
                                                                     {0, 1}, {0, 0}, {0, 0}};
    for (std::size_t i = 0; i < dictionary.words.size(); ++i) {
        EXPECT_EQ(dictionary.words[i].rightCount, rightAndTested[i].first) << i;
        EXPECT_EQ(dictionary.words[i].testedCount, rightAndTested[i].second) << i;
    }
}

TEST_F(TestRunTest, OfferedAnswersAreTheVariantsThenTheRightOne) {
    struct Case {
        uint8_t mode;
        int8_t variantCountIndex;
        int32_t question;
        std::vector<std::string> possibleVariants;
        std::string right;
    };
    const Case cases[] = {
        {0, 1, 0, {"Hund"}, "Katze"},  // both companions translate to "Hund"
        {1, 1, 4, {"Katze", "Kuh"}, "Hund"},
        {1, 0, 5, {"Katze", "Hund"}, "Kuh"},
    };
    for (const Case& c : cases) {
        dictionary.header.testMode = c.mode;
        dictionary.header.variantCountIndex = c.variantCountIndex;
        TestRun run(dictionary, {c.question}, random, clock);
        const auto answers = run.offeredAnswers();
        ASSERT_EQ(static_cast<int32_t>(answers.size()), variantCount(dictionary.header) + 1);
        EXPECT_EQ(answers.back(), c.right);
        for (std::size_t i = 0; i + 1 < answers.size(); ++i) {
            EXPECT_NE(std::find(c.possibleVariants.begin(), c.possibleVariants.end(), answers[i]),
                      c.possibleVariants.end())
                << answers[i];
        }
    }
}

TEST(TestCountdownTest, RunsFromTheLimitToZeroThenTimesUpOnce) {
    TestCountdown countdown;
    countdown.start(true, 10);
    std::vector<int32_t> shown;
    while (countdown.tick() == TestCountdown::Tick::Shown) {
        shown.push_back(countdown.secondsLeft());
    }
    EXPECT_EQ(shown, (std::vector<int32_t>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(countdown.secondsLeft(), -1);  // the tick that ended the loop was the time-up
    EXPECT_EQ(countdown.tick(), TestCountdown::Tick::Nothing);
}

TEST(TestCountdownTest, TimeUpIsTheTwelfthTickOfATenSecondLimit) {
    TestCountdown countdown;
    countdown.start(true, 10);
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(countdown.tick(), TestCountdown::Tick::Shown) << i;
    }
    EXPECT_EQ(countdown.tick(), TestCountdown::Tick::TimeUp);
}

TEST(TestCountdownTest, WithoutALimitNothingTicks) {
    TestCountdown countdown;
    countdown.start(false, 60);
    EXPECT_EQ(countdown.tick(), TestCountdown::Tick::Nothing);
    EXPECT_EQ(countdown.secondsLeft(), -1);
}

}  // namespace
}  // namespace lq::test
