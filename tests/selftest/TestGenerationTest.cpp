#include "selftest/core/TestGeneration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "selftest/core/TestOptions.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr std::string_view kTooFewWordsFix =
    "Add more words to the dictionary. Also, you may decrease values in File->Options window.";
constexpr std::string_view kTooFewVariantsFix =
    "Add enought words to the dictionary. Also, you may try to decrease values in File->Options "
    "window (for example: reduce number of variant-words).";

// Word i is "w<i>" / "t<i>" in theme i % 2 and language (i / 2) % 2: four theme and language
// pairs of five words each, so every word has four companions.
Dictionary twentyWords() {
    std::vector<WordSpec> wordShapes;
    for (int i = 0; i < 20; ++i) {
        wordShapes.push_back(
            {"w" + std::to_string(i), i % 2, (i / 2) % 2, 0, 0, "t" + std::to_string(i)});
    }
    return makeDictionary({"English", "German"}, {"Animals", "Food"}, wordShapes);
}

class TestGenerationTest : public ::testing::Test {
  protected:
    bool prepare() { return prepareTest(dictionary, random, clock, reporter, testWords); }

    void expectSoundTestWords() const {
        ASSERT_EQ(static_cast<int32_t>(testWords.size()), testCount(dictionary.header));
        EXPECT_EQ(std::set<int32_t>(testWords.begin(), testWords.end()).size(), testWords.size());
        for (const int32_t w : testWords) {
            ASSERT_GE(w, 0);
            ASSERT_LT(w, static_cast<int32_t>(dictionary.words.size()));
            EXPECT_TRUE(isCandidate(dictionary.header, dictionary.words[w])) << w;
        }
    }

    // The variants of `question` drawn from its companions, as a test question draws them.
    std::vector<int32_t> variantsOf(int32_t question, int32_t count) {
        return drawVariants(static_cast<int32_t>(dictionary.words.size()),
                            companionsOf(dictionary.words, question), count, random, clock);
    }

    void expectSoundVariants(int32_t question, const std::vector<int32_t>& variants) const {
        EXPECT_EQ(std::set<int32_t>(variants.begin(), variants.end()).size(), variants.size());
        const WordRecord& q = dictionary.words[question];
        for (const int32_t v : variants) {
            ASSERT_GE(v, 0);
            ASSERT_LT(v, static_cast<int32_t>(dictionary.words.size()));
            EXPECT_NE(v, question);
            EXPECT_EQ(dictionary.words[v].themeIndex, q.themeIndex) << v;
            EXPECT_EQ(dictionary.words[v].languageIndex, q.languageIndex) << v;
        }
    }

    Dictionary dictionary = twentyWords();
    TestRandom random;
    FixedClock clock;  // test words seed 1173085623 + 7 + 3 + 250, variants seed 1173085623
    RecordingReporter reporter;
    TestWords testWords;
};

TEST_F(TestGenerationTest, SeedsComeFromTheClock) {
    EXPECT_EQ(testWordsSeed(clock), 1173085883u);
    EXPECT_EQ(variantsSeed(clock), 1173085623u);
    clock.seconds = 0x1FFFFFFFFll;  // only the low 32 bits count, and the sum wraps
    clock.now.minute = 59;
    EXPECT_EQ(variantsSeed(clock), 0xFFFFFFFFu);
    EXPECT_EQ(testWordsSeed(clock), 59u + 3 + 250 - 1);
}

// Expected words worked out by hand-running the draws from the seeds above.
TEST_F(TestGenerationTest, FixedSeedDrawsTheseTestWords) {
    struct Case {
        int32_t themeFilter;
        int32_t languageFilter;
        int8_t testCountIndex;
        TestWords expected;
    };
    const Case cases[] = {
        {-1, -1, 2, {15, 2, 17}},
        // exactly as many candidates as questions: each asked once, in draw order
        {1, 0, 4, {17, 13, 5, 9, 1}},
    };
    for (const Case& c : cases) {
        dictionary.header.testThemeFilter = c.themeFilter;
        dictionary.header.testLanguageFilter = c.languageFilter;
        dictionary.header.testCountIndex = c.testCountIndex;
        ASSERT_TRUE(prepare());
        EXPECT_EQ(testWords, c.expected);
        expectSoundTestWords();
    }
    EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(TestGenerationTest, FixedSeedDrawsTheseVariants) {
    struct Case {
        int32_t question;
        int32_t count;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {15, 4, {3, 11, 7, 19}}, {2, 4, {10, 14, 6, 18}}, {17, 4, {5, 1, 13, 9}}, {15, 2, {3, 11}}};
    for (const Case& c : cases) {
        const auto variants = variantsOf(c.question, c.count);
        EXPECT_EQ(variants, c.expected) << c.question;
        expectSoundVariants(c.question, variants);
    }
}

TEST_F(TestGenerationTest, EveryTestWordGetsDistinctCompanionsOverManySeconds) {
    dictionary.header.testCountIndex = 7;  // 20 questions: the whole table
    dictionary.header.variantCountIndex = 3;
    for (int second = 0; second < 8; ++second) {
        clock.seconds += 1;
        clock.now.milliseconds = static_cast<uint16_t>(second * 17);
        ASSERT_TRUE(prepare());
        expectSoundTestWords();
        for (const int32_t question : testWords) {
            const auto variants = variantsOf(question, 4);
            EXPECT_EQ(variants.size(), 4u);
            expectSoundVariants(question, variants);
        }
    }
}

TEST_F(TestGenerationTest, TestModeChangesNoDraw) {
    dictionary.header.testMode = 0;
    ASSERT_TRUE(prepare());
    const TestWords asNames = testWords;
    dictionary.header.testMode = 1;
    ASSERT_TRUE(prepare());
    EXPECT_EQ(testWords, asNames);
}

TEST_F(TestGenerationTest, TooFewCandidatesRefuseWithoutSeeding) {
    struct Case {
        const char* name;
        Dictionary dictionary;
        int32_t themeFilter;
        int32_t languageFilter;
        int8_t testCountIndex;
    };
    Dictionary themeWithoutWords = twentyWords();
    themeWithoutWords.themes.push_back(themeWithoutWords.themes[0]);
    const Case cases[] = {
        {"empty dictionary", makeDictionary({}, {}, {}), -1, -1, 0},
        {"theme without words", themeWithoutWords, 2, -1, 0},
        {"one candidate short", twentyWords(), 1, 1, 5},      // 5 candidates, 10 questions
        {"whole table one short", twentyWords(), -1, -1, 8},  // 20 words, 25 questions
    };
    for (const Case& c : cases) {
        dictionary = c.dictionary;
        dictionary.header.testThemeFilter = c.themeFilter;
        dictionary.header.testLanguageFilter = c.languageFilter;
        dictionary.header.testCountIndex = c.testCountIndex;
        reporter.shown.clear();
        testWords = {7, 8};
        random.seed(99);

        EXPECT_FALSE(prepare()) << c.name;
        ASSERT_EQ(reporter.shown.size(), 1u) << c.name;
        EXPECT_EQ(reporter.shown[0],
                  (ShownMessage{ShownMessage::Kind::Error, "Not enought test-words.",
                                std::string(kTooFewWordsFix)}))
            << c.name;
        EXPECT_EQ(testWords, (TestWords{7, 8})) << c.name;
        TestRandom untouched;
        untouched.seed(99);
        EXPECT_EQ(random.draw(), untouched.draw()) << c.name;
    }
}

// A word of the same theme in another language is no companion: "Hund" stands alone.
Dictionary hundAlone() {
    return makeDictionary({"English", "German"}, {"Animals"},
                          {{"cat", 0, 0, 0, 0, "Katze"},
                           {"Hund", 0, 1, 0, 0, "dog"},
                           {"cow", 0, 0, 0, 0, "Kuh"},
                           {"hen", 0, 0, 0, 0, "Huhn"}});
}

TEST_F(TestGenerationTest, WordWithTooFewCompanionsRefusesAndNamesIt) {
    dictionary = hundAlone();
    dictionary.header.testCountIndex = 3;  // 4 questions: every word is drawn
    dictionary.header.variantCountIndex = 0;

    EXPECT_FALSE(prepare());
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0],
              (ShownMessage{ShownMessage::Kind::Error,
                            "Can't perform test. Error while generating variants: not enought "
                            "variants for \"Hund\" (dog).",
                            std::string(kTooFewVariantsFix)}));
    expectSoundTestWords();  // the drawn words stay, though nothing reads them
}

TEST_F(TestGenerationTest, TypedAnswersNeedNoVariantsButEnoughWords) {
    struct Case {
        const char* name;
        Dictionary dictionary;
        int8_t testCountIndex;
        int8_t variantCountIndex;
        bool starts;
    };
    const Case cases[] = {
        {"a word alone in its language", hundAlone(), 3, 0, true},
        {"more variant-words than any word has", twentyWords(), 5, 15, true},
        {"too few words", twentyWords(), 8, 0, false},  // 20 words, 25 questions
    };
    for (const Case& c : cases) {
        dictionary = c.dictionary;
        dictionary.header.setTypedAnswers(true);
        dictionary.header.testCountIndex = c.testCountIndex;
        dictionary.header.variantCountIndex = c.variantCountIndex;
        reporter.shown.clear();
        EXPECT_EQ(prepare(), c.starts) << c.name;
        if (c.starts) {
            EXPECT_TRUE(reporter.shown.empty()) << c.name;
            expectSoundTestWords();
        } else {
            EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{"Not enought test-words."})
                << c.name;
        }
    }
}

TEST_F(TestGenerationTest, CompanionsJustEnoughPass) {
    dictionary.header.variantCountIndex = 3;  // 4 variant-words, each word has 4 companions
    EXPECT_TRUE(prepare());
    dictionary.header.variantCountIndex = 4;
    EXPECT_FALSE(prepare());
    EXPECT_EQ(reporter.errorMessages().size(), 1u);
}

TEST_F(TestGenerationTest, VariantsNeverWaitForCompanionsThatDoNotExist) {
    struct Case {
        int32_t question;
        int32_t count;
        std::size_t expected;
    };
    const Case cases[] = {{0, 16, 4}, {0, 0, 0}, {-1, 4, 0}, {20, 4, 0}};
    for (const Case& c : cases) {
        const auto variants = variantsOf(c.question, c.count);
        EXPECT_EQ(variants.size(), c.expected) << c.question << " " << c.count;
        if (c.question >= 0 && c.question < 20) {
            expectSoundVariants(c.question, variants);
        }
    }
}

TEST_F(TestGenerationTest, CompanionListsAgreeWithASearchOfTheTable) {
    dictionary.words[19].languageIndex = 0;  // moves w19 from pair (1, 1) to pair (1, 0)
    const CompanionLists lists(dictionary.words, {3, 19});
    struct Case {
        int32_t word;
        std::vector<int32_t> companions;
    };
    const Case cases[] = {{3, {7, 11, 15}}, {19, {1, 5, 9, 13, 17}},
                          {7, {3, 11, 15}}, {0, {4, 8, 12, 16}},
                          {-1, {}},         {20, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(companionsOf(dictionary.words, c.word), c.companions) << c.word;
        EXPECT_EQ(lists.companionsOf(c.word), c.companions) << c.word;
        EXPECT_EQ(lists.companionCount(c.word), static_cast<int32_t>(c.companions.size()))
            << c.word;
    }
}

TEST(TestTextsTest, ModeDecidesWhichFieldIsAskedAndWhichAnswered) {
    const WordRecord word = makeWord({"cat", 0, 0, 0, 0, "Katze"});
    EXPECT_EQ(questionText(word, 0), "cat");
    EXPECT_EQ(answerText(word, 0), "Katze");
    EXPECT_EQ(questionText(word, 1), "Katze");
    EXPECT_EQ(answerText(word, 1), "cat");
}

}  // namespace
}  // namespace lq::test
