#include "selftest/core/TestReview.h"

#include <gtest/gtest.h>

#include "support/FixedClock.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

TEST(TestReviewTest, ListsWrongThenUnansweredQuestionsInQuestionOrder) {
    struct Case {
        const char* name;
        std::vector<const char*> answers;  // given to the questions in order; the rest are left
        std::vector<Mistake> expected;
    };
    const Case cases[] = {
        {"all right", {"t2", "t0", "t3", "t1"}, {}},
        {"wrong ones", {"t2", "t1", "t3", "nonsense"}, {{0, "t1"}, {1, "nonsense"}}},
        {"time ran out", {"t0", "t0"}, {{2, "t0"}, {3, std::nullopt}, {1, std::nullopt}}},
        {"nothing answered",
         {},
         {{2, std::nullopt}, {0, std::nullopt}, {3, std::nullopt}, {1, std::nullopt}}},
    };
    for (const Case& c : cases) {
        Dictionary dictionary = makeDictionary({"English"}, {"Numbers"},
                                               {{"w0", 0, 0, 0, 0, "t0"},
                                                {"w1", 0, 0, 0, 0, "t1"},
                                                {"w2", 0, 0, 0, 0, "t2"},
                                                {"w3", 0, 0, 0, 0, "t3"}});
        TestRandom random;
        FixedClock clock;
        TestRun run(dictionary, {2, 0, 3, 1}, random, clock);
        for (const char* answer : c.answers) {
            run.answer(answer);
        }
        const std::vector<Mistake> mistakes = mistakesOf(run);
        ASSERT_EQ(mistakes.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < mistakes.size(); ++i) {
            EXPECT_EQ(mistakes[i].word, c.expected[i].word) << c.name << " " << i;
            EXPECT_EQ(mistakes[i].given, c.expected[i].given) << c.name << " " << i;
        }
        TestWords expectedWords;
        for (const Mistake& mistake : c.expected) {
            expectedWords.push_back(mistake.word);
        }
        EXPECT_EQ(wordsOf(mistakes), expectedWords) << c.name;
    }
}

}  // namespace
}  // namespace lq::test
