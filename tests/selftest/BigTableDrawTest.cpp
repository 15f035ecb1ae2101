// Tables with more words than one 15-bit draw can reach.
#include <gtest/gtest.h>

#include <set>

#include "selftest/core/TestGeneration.h"
#include "selftest/core/TestOptions.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr int32_t kBigTable = 40000;

// All words in theme 0, except `lateWords` words at the very end in theme 1.
Dictionary bigTable(int32_t lateWords) {
    Dictionary d = makeDictionary({"English"}, {"Common", "Rare"}, {});
    WordRecord word = makeWord({"word", 0, 0, 0, 0, "translation"});
    d.words.assign(kBigTable, word);
    for (int32_t i = kBigTable - lateWords; i < kBigTable; ++i) {
        d.words[i].themeIndex = 1;
    }
    return d;
}

class BigTableDrawTest : public ::testing::Test {
  protected:
    bool prepare() { return prepareTest(dictionary, random, clock, reporter, testWords); }

    Dictionary dictionary;
    TestRandom random;
    FixedClock clock;
    RecordingReporter reporter;
    TestWords testWords;
};

// Every candidate and every companion lies beyond index 32767.
TEST_F(BigTableDrawTest, WordsOutOfSingleDrawReachAreDrawnAndTheTestEnds) {
    dictionary = bigTable(100);
    dictionary.header.testThemeFilter = 1;
    dictionary.header.testCountIndex = 15;     // 80 questions
    dictionary.header.variantCountIndex = 15;  // 16 variant-words

    ASSERT_TRUE(prepare());
    EXPECT_TRUE(reporter.shown.empty());
    ASSERT_EQ(testWords.size(), 80u);
    EXPECT_EQ(std::set<int32_t>(testWords.begin(), testWords.end()).size(), 80u);
    const CompanionLists companions(dictionary.words, testWords);
    for (const int32_t question : testWords) {
        ASSERT_GE(question, kBigTable - 100);
        ASSERT_LT(question, kBigTable);
        const auto variants =
            drawVariants(kBigTable, companions.companionsOf(question), 16, random, clock);
        ASSERT_EQ(variants.size(), 16u);
        EXPECT_EQ(std::set<int32_t>(variants.begin(), variants.end()).size(), 16u);
        for (const int32_t v : variants) {
            EXPECT_GE(v, kBigTable - 100);
            EXPECT_LT(v, kBigTable);
            EXPECT_NE(v, question);
        }
    }
}

TEST_F(BigTableDrawTest, TheLastWordOfTheTableCanBeAsked) {
    dictionary = bigTable(1);
    dictionary.header.testThemeFilter = 1;
    dictionary.header.testCountIndex = 0;
    dictionary.header.variantCountIndex = 0;
    dictionary.words[0].themeIndex = 1;  // its one companion, at the other end

    ASSERT_TRUE(prepare());
    const int32_t asked = testWords.at(0);
    EXPECT_TRUE(asked == 0 || asked == kBigTable - 1) << asked;
    EXPECT_EQ(
        drawVariants(kBigTable, companionsOf(dictionary.words, kBigTable - 1), 1, random, clock),
        (std::vector<int32_t>{0}));
    EXPECT_EQ(drawVariants(kBigTable, companionsOf(dictionary.words, 0), 1, random, clock),
              (std::vector<int32_t>{kBigTable - 1}));
}

TEST_F(BigTableDrawTest, RefusalsStillApply) {
    dictionary = bigTable(3);
    dictionary.header.testThemeFilter = 1;
    dictionary.header.testCountIndex = 3;  // 4 questions, 3 candidates
    EXPECT_FALSE(prepare());

    dictionary.header.testCountIndex = 2;  // 3 questions, but each word has only 2 companions
    dictionary.header.variantCountIndex = 2;
    EXPECT_FALSE(prepare());
    EXPECT_EQ(reporter.errorMessages(),
              (std::vector<std::string>{"Not enought test-words.",
                                        "Can't perform test. Error while generating variants: "
                                        "not enought variants for \"word\" (translation)."}));
}

TEST_F(BigTableDrawTest, DrawsSpreadOverTheWholeTable) {
    dictionary = bigTable(0);
    dictionary.header.testCountIndex = 15;
    std::set<int32_t> seen;
    for (int second = 0; second < 10; ++second) {
        clock.seconds += 1;
        ASSERT_TRUE(prepare());
        seen.insert(testWords.begin(), testWords.end());
    }
    // 800 draws over 40000 words: both ends of the table come up, and little repeats.
    EXPECT_GT(*seen.rbegin(), 36000);
    EXPECT_LT(*seen.begin(), 4000);
    EXPECT_GT(seen.size(), 750u);
}

}  // namespace
}  // namespace lq::test
