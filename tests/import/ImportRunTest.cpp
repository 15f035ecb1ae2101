// A run as a whole: its closing notice, stopping, slices, and adds that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "import/ImportFixture.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"

namespace lq::test {
namespace {

struct SummaryTextCase {
    const char* name;
    ImportSummary summary;
    std::size_t words, themes, languages;
    std::string text;
};

class SummaryTextTest : public ::testing::TestWithParam<SummaryTextCase> {};

TEST_P(SummaryTextTest, ReportsTheRunAndTheNewTotals) {
    const SummaryTextCase& c = GetParam();
    Dictionary current;
    current.words.resize(c.words);
    current.themes.resize(c.themes);
    current.languages.resize(c.languages);
    EXPECT_EQ(importSummaryText(c.summary, current), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SummaryTextTest,
    ::testing::Values(SummaryTextCase{"Plain",
                                      {3, 1, 2, 0, false},
                                      10,
                                      4,
                                      2,
                                      "Total words added:\t   3 (now 10), overwritten: 1\n"
                                      "Total themes added:\t   2 (now 4)\n"
                                      "Total languages added:\t   0 (now 2)"},
                      SummaryTextCase{"WithAllocationRemark",
                                      {0, 0, 0, 1, true},
                                      0,
                                      0,
                                      1,
                                      "Total words added:\t   0 (now 0), overwritten: 0\n"
                                      "Total themes added:\t   0 (now 0)\n"
                                      "Total languages added:\t   1 (now 1)\n"
                                      "( Attention: memory allocation errors encounered )"},
                      SummaryTextCase{
                          "WideNumbers",
                          {123456, 99999, 12345, 1000, false},
                          200000,
                          12345,
                          1000,
                          "Total words added:\t123456 (now 200000), overwritten: 99999\n"
                          "Total themes added:\t12345 (now 12345)\n"
                          "Total languages added:\t1000 (now 1000)"}),
    CaseName());

TEST_F(ImportWordsTest, SecondRunOfTheSameImportAddsNothing) {
    const Dictionary source = fourWordSource();
    Dictionary current = twoColumnCurrent();
    const ImportOptions options = placedOptions(P::AddNew, P::AddNew);
    run(source, current, options);
    const std::vector<uint8_t> afterFirst = dictionaryBytes(current);
    reporter.shown.clear();

    EXPECT_EQ(run(source, current, options), ImportSummary{});
    EXPECT_EQ(dictionaryBytes(current), afterFirst);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].message,
              "Total words added:\t   0 (now 5), overwritten: 0\n"
              "Total themes added:\t   0 (now 3)\n"
              "Total languages added:\t   0 (now 3)");
}

TEST_F(ImportWordsTest, StopRequestEndsTheRunBeforeTheNextWord) {
    const Dictionary source = fourWordSource();
    Dictionary current = twoColumnCurrent();
    ImportRun run(source, current, placedOptions(P::AddNew, P::AddNew), reporter, clock);
    EXPECT_FALSE(run.step(2));
    run.stop();

    EXPECT_EQ(wordPlaces(current),
              (std::vector<std::string>{"rouge Colours/French", "cat Animals/English",
                                        "Hund Animals/German"}));
    EXPECT_EQ(run.summary(), (ImportSummary{2, 0, 0, 1, false}));
    EXPECT_EQ(run.wordsTaken(), 2);
    expectSummaryNotice(run.summary(), current);
}

TEST_F(ImportWordsTest, RunAdvancesSliceBySliceAndStopsBetweenSlices) {
    const Dictionary source = fourWordSource();
    Dictionary current = twoColumnCurrent();
    ImportRun run(source, current, placedOptions(P::AddNew, P::AddNew), reporter, clock);
    EXPECT_EQ(run.totalWords(), 4);

    EXPECT_FALSE(run.step(1));
    EXPECT_EQ(run.wordsTaken(), 1);
    EXPECT_FALSE(run.step(2));
    EXPECT_EQ(run.wordsTaken(), 3);
    EXPECT_TRUE(reporter.shown.empty());

    run.stop();
    EXPECT_TRUE(run.step(5));
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(run.wordsTaken(), 3);
    EXPECT_EQ(run.summary(), (ImportSummary{3, 0, 1, 1, false}));
    expectSummaryNotice(run.summary(), current);

    EXPECT_TRUE(run.step(5));  // an ended run does nothing more
    EXPECT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(current.words.size(), 4u);
}

TEST_F(ImportWordsTest, RunEndsWithItsLastWord) {
    const Dictionary source = fourWordSource();
    Dictionary current = twoColumnCurrent();
    ImportRun run(source, current, placedOptions(P::AddNew, P::AddNew), reporter, clock);
    EXPECT_FALSE(run.step(3));
    EXPECT_TRUE(run.step(1));
    EXPECT_EQ(run.wordsTaken(), 4);
    expectSummaryNotice(run.summary(), current);
}

TEST_F(ImportWordsTest, EmptySourceEndsAtOnceWithAnEmptySummary) {
    const Dictionary source = makeDictionary({}, {}, {});
    Dictionary current = twoColumnCurrent();
    ImportRun run(source, current, ImportOptions{}, reporter, clock);
    EXPECT_TRUE(run.step(1));
    EXPECT_EQ(run.wordsTaken(), 0);
    expectSummaryNotice(ImportSummary{}, current);
}

struct FailedCatalogAddCase {
    const char* name;
    std::set<int32_t> failingThemeAdds;
    std::set<int32_t> failingLanguageAdds;
    std::string error;
};

class FailedCatalogAddTest : public ImportWordsTest,
                             public ::testing::WithParamInterface<FailedCatalogAddCase> {};

TEST_P(FailedCatalogAddTest, SkipsOnlyThatWord) {
    const FailedCatalogAddCase& c = GetParam();
    FailingEdits edits;
    edits.failingThemeAdds = c.failingThemeAdds;
    edits.failingLanguageAdds = c.failingLanguageAdds;
    const Dictionary source =
        makeDictionary({"German", "English"}, {"Food"}, {{"Brot", 0, 0}, {"apple", 0, 1}});
    Dictionary current = makeDictionary({"English"}, {"Colours"}, {});
    const ImportSummary summary = run(source, current, placedOptions(P::AddNew, P::AddNew), edits);

    EXPECT_EQ(wordPlaces(current), (std::vector<std::string>{"apple Food/English"}));
    EXPECT_EQ(themeNames(current), (std::vector<std::string>{"Colours", "Food"}));
    EXPECT_EQ(languageNames(current), (std::vector<std::string>{"English"}));
    EXPECT_EQ(summary, (ImportSummary{1, 0, 1, 0, false}));
    EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{c.error});
}

INSTANTIATE_TEST_SUITE_P(
    Fails, FailedCatalogAddTest,
    ::testing::Values(FailedCatalogAddCase{"Theme", {1}, {}, "Can't add theme."},
                      FailedCatalogAddCase{"Language", {}, {1}, "Can't add language."}),
    CaseName());

struct FailedWordAddCase {
    const char* name;
    std::vector<WordSpec> current;
    std::vector<WordSpec> source;
    std::vector<std::string> words;
    ImportSummary summary;
};

class FailedWordAddTest : public ImportWordsTest,
                          public ::testing::WithParamInterface<FailedWordAddCase> {};

// An overwritten word is deleted before the new one is added; when that add fails the old
// word is put back where it was, so nothing is lost.
TEST_P(FailedWordAddTest, OverwrittenWordIsPutBack) {
    const FailedWordAddCase& c = GetParam();
    FailingEdits edits;
    edits.failingWordAdds = {1};
    Dictionary current = makeDictionary({"L"}, {"T"}, c.current);
    const Dictionary source = makeDictionary({"L"}, {"T"}, c.source);
    ImportOptions options = placedOptions(P::AddNew, P::AddNew);
    options.overwriteExisting = true;
    const ImportSummary summary = run(source, current, options, edits);

    EXPECT_EQ(wordTranslations(current), c.words);
    EXPECT_EQ(summary, c.summary);
    EXPECT_TRUE(isConsistent(current));
    EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{"Can't add word."});
    expectSummaryNotice(c.summary, current);
}

WordSpec oldWord(const char* text) {
    return {text, 0, 0, 0, 0, "old"};
}
WordSpec newWord(const char* text, const char* translation = "new") {
    return {text, 0, 0, 0, 0, translation};
}

INSTANTIATE_TEST_SUITE_P(
    Fails, FailedWordAddTest,
    ::testing::Values(
        FailedWordAddCase{"MiddleWord",
                          {oldWord("bank"), oldWord("sky"), oldWord("tree")},
                          {newWord("sky")},
                          {"bank:old", "sky:old", "tree:old"},
                          {0, 0, 0, 0, true}},
        FailedWordAddCase{"LastWord",
                          {oldWord("bank"), oldWord("sky"), oldWord("tree")},
                          {newWord("tree")},
                          {"bank:old", "sky:old", "tree:old"},
                          {0, 0, 0, 0, true}},
        FailedWordAddCase{
            "OnlyWord", {oldWord("tree")}, {newWord("tree")}, {"tree:old"}, {0, 0, 0, 0, true}},
        // After the put-back, later words still find the right places.
        FailedWordAddCase{"LaterOverwriteFindsTheMovedWord",
                          {oldWord("bank"), oldWord("sky"), oldWord("tree")},
                          {newWord("sky"), newWord("tree")},
                          {"bank:old", "sky:old", "tree:new"},
                          {1, 1, 0, 0, true}},
        FailedWordAddCase{"SameWordAgain",
                          {oldWord("bank"), oldWord("sky"), oldWord("tree")},
                          {newWord("sky"), newWord("sky", "newer")},
                          {"bank:old", "tree:old", "sky:newer"},
                          {1, 1, 0, 0, true}},
        // A failed add of a word that was not there has nothing to put back.
        FailedWordAddCase{"NewWord",
                          {oldWord("bank"), oldWord("sky"), oldWord("tree")},
                          {newWord("cow"), newWord("sky")},
                          {"bank:old", "tree:old", "sky:new"},
                          {1, 1, 0, 0, true}}),
    CaseName());

struct NoPlaceCase {
    const char* name;
    Dictionary source;
    Dictionary current;
    ImportOptions options;
};

class NoPlaceTest : public ImportWordsTest, public ::testing::WithParamInterface<NoPlaceCase> {};

TEST_P(NoPlaceTest, WordWithoutAValidPlaceIsLeftOut) {
    const NoPlaceCase& c = GetParam();
    Dictionary current = c.current;
    const std::vector<uint8_t> before = dictionaryBytes(current);
    EXPECT_EQ(run(c.source, current, c.options), ImportSummary{});
    EXPECT_EQ(dictionaryBytes(current), before);
}

Dictionary sourceWithIndexes(int32_t theme, int32_t language) {
    Dictionary source = makeDictionary({"English"}, {"Animals"}, {{"cat"}});
    source.words[0].themeIndex = theme;
    source.words[0].languageIndex = language;
    return source;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoPlaceTest,
    ::testing::Values(NoPlaceCase{"ThemeOutsideTheSource", sourceWithIndexes(1, 0),
                                  twoColumnCurrent(), placedOptions(P::AddNew, P::AddNew)},
                      NoPlaceCase{"LanguageOutsideTheSource", sourceWithIndexes(0, -1),
                                  twoColumnCurrent(), placedOptions(P::AddNew, P::AddNew)},
                      NoPlaceCase{"NoTargetTheme", sourceWithIndexes(0, 0),
                                  makeDictionary({"English"}, {}, {}),
                                  placedOptions(P::IntoExisting, P::AddNew)},
                      NoPlaceCase{"TargetLanguageOutsideTheTable", sourceWithIndexes(0, 0),
                                  twoColumnCurrent(),
                                  [] {
                                      ImportOptions o = placedOptions(P::AddNew, P::IntoExisting);
                                      o.targetLanguage = 2;
                                      return o;
                                  }()}),
    CaseName());

}  // namespace
}  // namespace lq::test
