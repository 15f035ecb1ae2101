#include "selftest/core/TypedAnswers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "selftest/core/TestRun.h"
#include "support/FixedClock.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr uint8_t kCase = kIgnoreLetterCaseBit;
constexpr uint8_t kAccents = kIgnoreAccentsBit;
constexpr uint8_t kPunctuation = kIgnorePunctuationBit;

TEST(AnswerMatchOptionsTest, EachSettingTurnsOnItsOwnLeniency) {
    struct Case {
        uint8_t flags;
        TextMatchOptions expected;
    };
    const Case cases[] = {
        {0, {false, false, false}},
        {kCase, {true, false, false}},
        {kAccents, {false, true, false}},
        {kPunctuation, {false, false, true}},
        {kCase | kAccents | kPunctuation, {true, true, true}},
        // The other bits of the field play no part.
        {kLimitTestTimeBit | kAskUpdateOnExitBit | kTypedAnswersBit | 0xC0, {false, false, false}},
    };
    DictionaryHeader header{};
    for (const Case& c : cases) {
        header.optionFlags = c.flags;
        const TextMatchOptions options = answerMatchOptions(header);
        EXPECT_EQ(options.ignoreCase, c.expected.ignoreCase) << int(c.flags);
        EXPECT_EQ(options.ignoreAccents, c.expected.ignoreAccents) << int(c.flags);
        EXPECT_EQ(options.ignorePunctuation, c.expected.ignorePunctuation) << int(c.flags);
    }
}

TEST(TypedAnswerTest, IsJudgedAgainstTheAnswerOfTheModeAsTheSettingsSay) {
    struct Case {
        const char* name;
        uint8_t mode;
        uint8_t flags;
        const char* typed;
        bool right;
    };
    // The word "Haus" means "Café, well-known".
    const Case cases[] = {
        {"the same text", 0, 0, "Café, well-known", true},
        {"surrounding spaces never count", 0, 0, "  Café, well-known\t", true},
        {"letter case counts by default", 0, 0, "café, well-known", false},
        {"letter case ignored", 0, kCase, "CAFÉ, WELL-KNOWN", true},
        {"accents count by default", 0, kCase, "cafe, well-known", false},
        {"accents ignored, letter case still counts", 0, kAccents, "cafe, well-known", false},
        {"accents and letter case ignored", 0, kCase | kAccents, "cafe, well-known", true},
        {"punctuation counts by default", 0, 0, "Café wellknown", false},
        {"punctuation and spacing ignored", 0, kPunctuation, "Café   wellknown!", true},
        {"a word left out is still wrong", 0, kCase | kAccents | kPunctuation, "cafe", false},
        {"the question is not the answer", 0, kCase, "haus", false},
        {"translations mode asks for the word", 1, kCase, "haus", true},
        {"... and not for its translation", 1, kCase, "Café, well-known", false},
    };
    WordRecord word = makeWord({"Haus", 0, 0, 0, 0, "Café, well-known"});
    for (const Case& c : cases) {
        DictionaryHeader header{};
        header.testMode = c.mode;
        header.optionFlags = c.flags;
        EXPECT_EQ(isRightTypedAnswer(header, word, c.typed), c.right) << c.name;
    }
}

TEST(TypedAnswerTest, AWindows1252AnswerIsReadAsTheProgramShowsIt) {
    struct Case {
        const char* name;
        uint8_t flags;
        const char* typed;
        bool right;
    };
    // "Caf\xe9" is "Café" as written on Windows.
    const Case cases[] = {
        {"typed as shown", 0, "Café", true},
        {"the stored bytes themselves are not what is shown", 0, "Caf\xe9", false},
        {"letter case ignored", kCase, "CAFÉ", true},
        {"accents ignored", kCase | kAccents, "cafe", true},
        {"accents count", kCase, "cafe", false},
    };
    const WordRecord word = makeWord({"coffee house", 0, 0, 0, 0, "Caf\xe9"});
    for (const Case& c : cases) {
        DictionaryHeader header{};
        header.optionFlags = c.flags;
        EXPECT_EQ(isRightTypedAnswer(header, word, c.typed), c.right) << c.name;
    }
}

TEST(TypedAnswerTest, CountsLikeAPickedAnswerAndKeepsWhatWasTyped) {
    Dictionary dictionary = makeDictionary({"German"}, {"Food"},
                                           {{"Brot", 0, 0, 2, 4, "bread"},
                                            {"Käse", 0, 0, 0, 0, "cheese"},
                                            {"Äpfel", 0, 0, 0, 0, "apples"}});
    dictionary.header.testMode = 1;  // the word is typed
    dictionary.header.setIgnoreLetterCase(true);
    dictionary.header.setIgnoreAccents(true);
    TestRandom random;
    FixedClock clock;
    TestRun run(dictionary, {2, 0, 1}, random, clock);

    const std::pair<const char*, const char*> questions[] = {
        {"apples", "Äpfel"}, {"bread", "Brot"}, {"cheese", "Käse"}};
    const char* typed[] = {"apfel", "Brötchen", " KASE "};
    const bool right[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(run.questionText(), questions[i].first);
        EXPECT_EQ(run.rightAnswerText(), questions[i].second);
        EXPECT_EQ(run.answerTyped(typed[i]), right[i]) << typed[i];
    }
    EXPECT_TRUE(run.finished());
    EXPECT_FALSE(run.answerTyped("Käse"));
    EXPECT_EQ(run.rightAnswers(), 2);
    ASSERT_EQ(run.givenAnswers().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(run.givenAnswers()[i].text, typed[i]);
        EXPECT_EQ(run.givenAnswers()[i].right, right[i]);
    }
    const std::vector<std::pair<int32_t, int32_t>> rightAndTested = {{2, 5}, {1, 1}, {1, 1}};
    for (std::size_t i = 0; i < dictionary.words.size(); ++i) {
        EXPECT_EQ(dictionary.words[i].rightCount, rightAndTested[i].first) << i;
        EXPECT_EQ(dictionary.words[i].testedCount, rightAndTested[i].second) << i;
    }
}

}  // namespace
}  // namespace lq::test
