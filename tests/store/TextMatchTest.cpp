#include "store/TextMatch.h"

#include <gtest/gtest.h>

#include <ostream>

namespace lq {
namespace {

constexpr TextMatchOptions kExact{};
constexpr TextMatchOptions kCase{true, false, false};
constexpr TextMatchOptions kAccents{false, true, false};
constexpr TextMatchOptions kCaseAndAccents{true, true, false};
constexpr TextMatchOptions kPunctuation{false, false, true};
constexpr TextMatchOptions kAll{true, true, true};

struct MatchCase {
    const char* what;
    const char* typed;
    const char* answer;
    TextMatchOptions options;
    bool match;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.what;
}

const MatchCase kMatchCases[] = {
    {"same text", "cat", "cat", kExact, true},
    {"surrounding spaces", "  cat\t", "cat", kExact, true},
    {"inner spaces count without the option", "ice  cream", "ice cream", kExact, false},
    {"letter case counts without the option", "Cat", "cat", kExact, false},
    {"letter case ignored", "CaT", "cat", kCase, true},
    {"case folding, not only lower case", "STRASSE", "Straße", kCase, true},
    {"accents count without the option", "cafe", "café", kCase, false},
    {"accents ignored", "Cafe", "Café", kCaseAndAccents, true},
    {"accents ignored, case still counts", "cafe", "Café", kAccents, false},
    {"other letters stay other letters", "cafa", "café", kCaseAndAccents, false},
    {"Greek accents and final sigma", "ΕΛΛΑΔΑ ΟΔΟΣ", "Ελλάδα οδός", kCaseAndAccents, true},
    {"Greek tonos counts without the option", "οδος", "οδός", kCase, false},
    {"Cyrillic letter case", "ПРИВЕТ", "привет", kCase, true},
    {"Cyrillic diaeresis", "елка", "Ёлка", kCaseAndAccents, true},
    {"composed and decomposed forms are the same", "e\u0301te\u0301", "\u00e9t\u00e9", kExact,
     true},
    {"a combining mark alone is removed with accents", "a\u0323\u0302", "a", kAccents, true},
    {"punctuation counts without the option", "well-known", "wellknown", kExact, false},
    {"punctuation removed", "well-known", "wellknown", kPunctuation, true},
    {"runs of spaces made one", "ice \t  cream", "ice cream", kPunctuation, true},
    {"everything at once", "  hello,   WORLD!! ", "Hello world", kAll, true},
    {"Spanish marks", "¿Qué tal?", "que tal", kAll, true},
    {"non-breaking space is a space", "ice\u00a0cream", "ice cream", kPunctuation, true},
    {"empty texts", "", "   ", kExact, true},
    {"empty against a word", "", "cat", kAll, false},
    {"punctuation only is empty", "?!", "", kPunctuation, true},
    {"bytes that are not UTF-8 are compared as bytes", "M\xFCller", "M\xFCller", kExact, true},
    {"... and are trimmed", " M\xFCller ", "M\xFCller", kExact, true},
    {"... but not case folded", "m\xFCller", "M\xFCller", kAll, false},
    {"... nor read as UTF-8", "M\xFCller", "Müller", kAll, false},
    {"a cut-off UTF-8 sequence is not UTF-8", "caf\xC3", "caf", kAll, false},
};

class TextMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(TextMatchTest, TypedTextMatchesTheAnswerAsTheOptionsSay) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(textsMatch(c.typed, c.answer, c.options), c.match);
    EXPECT_EQ(textsMatch(c.answer, c.typed, c.options), c.match) << "the match is symmetric";
}

INSTANTIATE_TEST_SUITE_P(Cases, TextMatchTest, ::testing::ValuesIn(kMatchCases));

TEST(ComparableTextTest, KeepsInnerSpacesAsTheyStandWithoutThePunctuationOption) {
    EXPECT_EQ(comparableText(" a \u00a0b ", kExact), "a \u00a0b");
    EXPECT_EQ(comparableText(" a \u00a0b ", kPunctuation), "a b");
    EXPECT_EQ(comparableText("Éa", kCaseAndAccents), "ea");
}

}  // namespace
}  // namespace lq
