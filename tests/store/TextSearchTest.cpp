#include "store/TextSearch.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TableCases.h"

namespace lq::test {
namespace {

struct SearchCase {
    const char* name;
    std::string typed;
    std::string stored;
    bool found;
};

const SearchCase kSearchCases[] = {
    {"StartOfAWord", "app", "apple", true},
    {"MiddleOfAWord", "ppl", "apple", true},
    {"EndOfAWord", "ple", "apple", true},
    {"WholeText", "apple", "apple", true},
    {"LongerThanTheText", "apples", "apple", false},
    {"OtherLetters", "apx", "apple", false},
    {"UpperCaseTyped", "APP", "apple", true},
    {"UpperCaseStored", "app", "APPLE", true},
    {"RepeatedStartLetterBacktracks", "aab", "aaab", true},
    {"SpacesAroundTheTypedTextDoNotCount", "  ice ", "nice cream", true},
    {"InnerSpacesCount", "ice cream", "icecream", false},
    {"AccentTypedPlainStored", "café", "cafe", true},
    {"PlainTypedAccentStored", "cafe", "Café au lait", true},
    {"DecomposedAccentStored", "cafe", "cafe\u0301", true},
    {"CaseFoldingBeyondLowerCase", "STRASSE", "Straße", true},
    {"SharpSTypedFindsDoubleS", "ß", "STRASSE", true},
    {"SharpSMakesATextLongEnough", "ass", "aß", true},
    {"MatchBeforeAnAccent", "ca", "café", true},
    {"MatchReachingIntoAnAccent", "cafe", "CAFÉ", true},
    {"NoMatchBeforeAnAccent", "cx", "café", false},
    {"GreekWithoutTonos", "οδος", "Ελληνική οδός", true},
    {"CyrillicCaseAndDiaeresis", "ЕЛК", "ёлка", true},
    {"NonAsciiTermNotInAsciiText", "ж", "zh", false},
    {"AccentOfTheTermIgnoredInAsciiText", "ö", "ooo", true},
    {"IpaTranscription", "ˈæp", "[ˈæpəl]", true},
    {"Windows1252TextAsShown", "muller", "M\xFCller", true},
    {"Windows1252TextTypedWithItsAccent", "MÜL", "M\xFCller", true},
    {"Windows1252EuroSign", "€", "5 \x80", true},
    {"CutUtf8ReadAsWindows1252", "caf", "caf\xC3", true},
    {"CutUtf8SequenceIsNotTheLetter", "café", "caf\xC3", false},
    {"EmptySearchFindsEverything", "", "apple", true},
    {"SpacesOnlyFindEverything", "   ", "apple", true},
    {"EmptySearchFindsAnEmptyText", "", "", true},
    {"NothingIsFoundInAnEmptyText", "a", "", false},
    {"LongTextFoundAtItsEnd", "zz", std::string(63, 'a') + "ZZ", true},
    {"LongAccentedTextFoundAtItsEnd", "zz",
     std::string(30, 'a') + "é" + std::string(30, 'a') + "Zz", true},
    {"LongTypedText", std::string(200, 'a'), std::string(63, 'a'), false},
};

class TextSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(TextSearchTest, FindsTheTypedTextIgnoringCaseAndAccents) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(TextSearch(c.typed).foundIn(c.stored), c.found);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextSearchTest, ::testing::ValuesIn(kSearchCases), CaseName{});

TEST(TextSearchEmptinessTest, OnlyATermWithoutCharactersIsEmpty) {
    EXPECT_TRUE(TextSearch().empty());
    EXPECT_TRUE(TextSearch(" \t ").empty());
    EXPECT_FALSE(TextSearch("a").empty());
    EXPECT_FALSE(TextSearch("\xFF").empty()) << "bytes that are not UTF-8 are still a term";
}

}  // namespace
}  // namespace lq::test
