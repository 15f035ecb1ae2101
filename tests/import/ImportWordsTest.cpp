#include "import/ImportWords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "import/ImportFakes.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

using P = Placement;

// Table rows print as their names in failure messages.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

// cat: both names known to the current dictionary; Hund: only its theme; Brot: neither;
// apple: only its language. Brot comes before apple so that it meets Food still unknown.
Dictionary fourWordSource() {
    return makeDictionary({"English", "German"}, {"Animals", "Food"},
                          {{"cat", 0, 0}, {"Hund", 0, 1}, {"Brot", 1, 1}, {"apple", 1, 0}});
}

// Known names sit at other indexes than in the source, so indexes can't be mixed up unseen.
Dictionary twoColumnCurrent() {
    return makeDictionary({"French", "English"}, {"Colours", "Animals"}, {{"rouge", 0, 0}});
}

ImportOptions placedOptions(P theme, P language) {
    ImportOptions options;
    options.themePlacement = theme;
    options.targetTheme = 0;  // Colours
    options.languagePlacement = language;
    options.targetLanguage = 0;  // French
    return options;
}

class ImportWordsTest : public ::testing::Test {
  protected:
    ImportSummary run(const Dictionary& source, Dictionary& current, const ImportOptions& options,
                      DictionaryEdits& edits = DictionaryEdits::store()) {
        return importWords(source, current, options, reporter, clock, progress, edits);
    }

    // The run ends with exactly one notice: the summary of what it did.
    void expectSummaryNotice(const ImportSummary& summary, const Dictionary& current) {
        ASSERT_FALSE(reporter.shown.empty());
        EXPECT_EQ(reporter.shown.back(),
                  (ShownMessage{
                      ShownMessage::Kind::Information, importSummaryText(summary, current), {}}));
        int notices = 0;
        for (const ShownMessage& m : reporter.shown) {
            notices += m.kind == ShownMessage::Kind::Information ? 1 : 0;
        }
        EXPECT_EQ(notices, 1);
    }

    RecordingReporter reporter;
    FixedClock clock;
    RecordingProgress progress;
};

struct PlacementCase {
    const char* name;
    ImportOptions options;
    std::vector<std::string> words;
    std::vector<std::string> themes;
    std::vector<std::string> languages;
    ImportSummary summary;
};

const std::vector<std::string> kThemesBefore{"Colours", "Animals"};
const std::vector<std::string> kThemesWithFood{"Colours", "Animals", "Food"};
const std::vector<std::string> kLanguagesBefore{"French", "English"};
const std::vector<std::string> kLanguagesWithGerman{"French", "English", "German"};

class PlacementTest : public ImportWordsTest,
                      public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementTest, PlacesWordsAndAddsOnlyWhatIsMissing) {
    const PlacementCase& c = GetParam();
    Dictionary current = twoColumnCurrent();
    const ImportSummary summary = run(fourWordSource(), current, c.options);

    std::vector<std::string> expectedWords{"rouge Colours/French"};
    expectedWords.insert(expectedWords.end(), c.words.begin(), c.words.end());
    EXPECT_EQ(wordPlaces(current), expectedWords);
    EXPECT_EQ(themeNames(current), c.themes);
    EXPECT_EQ(languageNames(current), c.languages);
    EXPECT_EQ(summary, c.summary);
    EXPECT_TRUE(isConsistent(current));
    // Every source word moves the progress on, whether it was imported or not.
    EXPECT_EQ(progress.steps, 4);
    expectSummaryNotice(c.summary, current);
}

const PlacementCase kPlacementCases[] = {
    {"IntoExistingBoth",
     placedOptions(P::IntoExisting, P::IntoExisting),
     {"cat Colours/French", "Hund Colours/French", "Brot Colours/French", "apple Colours/French"},
     kThemesBefore,
     kLanguagesBefore,
     {4, 0, 0, 0, false}},
    {"IntoExistingThemeSkipLanguage",
     placedOptions(P::IntoExisting, P::Skip),
     {"cat Colours/English", "apple Colours/English"},
     kThemesBefore,
     kLanguagesBefore,
     {2, 0, 0, 0, false}},
    {"IntoExistingThemeAddNewLanguage",
     placedOptions(P::IntoExisting, P::AddNew),
     {"cat Colours/English", "Hund Colours/German", "Brot Colours/German", "apple Colours/English"},
     kThemesBefore,
     kLanguagesWithGerman,
     {4, 0, 0, 1, false}},
    {"SkipThemeIntoExistingLanguage",
     placedOptions(P::Skip, P::IntoExisting),
     {"cat Animals/French", "Hund Animals/French"},
     kThemesBefore,
     kLanguagesBefore,
     {2, 0, 0, 0, false}},
    {"SkipBoth",
     placedOptions(P::Skip, P::Skip),
     {"cat Animals/English"},
     kThemesBefore,
     kLanguagesBefore,
     {1, 0, 0, 0, false}},
    {"SkipThemeAddNewLanguage",
     placedOptions(P::Skip, P::AddNew),
     {"cat Animals/English", "Hund Animals/German"},
     kThemesBefore,
     kLanguagesWithGerman,
     {2, 0, 0, 1, false}},
    {"AddNewThemeIntoExistingLanguage",
     placedOptions(P::AddNew, P::IntoExisting),
     {"cat Animals/French", "Hund Animals/French", "Brot Food/French", "apple Food/French"},
     kThemesWithFood,
     kLanguagesBefore,
     {4, 0, 1, 0, false}},
    // Brot meets neither name and is dropped before Food is added; apple adds Food.
    {"AddNewThemeSkipLanguage",
     placedOptions(P::AddNew, P::Skip),
     {"cat Animals/English", "apple Food/English"},
     kThemesWithFood,
     kLanguagesBefore,
     {2, 0, 1, 0, false}},
    // German, added for Hund, is known when Brot comes, so Brot adds Food.
    {"AddNewBoth",
     placedOptions(P::AddNew, P::AddNew),
     {"cat Animals/English", "Hund Animals/German", "Brot Food/German", "apple Food/English"},
     kThemesWithFood,
     kLanguagesWithGerman,
     {4, 0, 1, 1, false}},
};

INSTANTIATE_TEST_SUITE_P(EachPair, PlacementTest, ::testing::ValuesIn(kPlacementCases),
                         [](const auto& info) { return std::string(info.param.name); });

ImportOptions filtered(int32_t theme, int32_t language, P themePlacement, P languagePlacement) {
    ImportOptions options = placedOptions(themePlacement, languagePlacement);
    options.themeFilter = theme;
    options.languageFilter = language;
    return options;
}

class FilterTest : public PlacementTest {};

TEST_P(FilterTest, FilteredOutWordsAddNothingButMoveTheProgressOn) {
    const PlacementCase& c = GetParam();
    Dictionary current = twoColumnCurrent();
    const ImportSummary summary = run(fourWordSource(), current, c.options);

    std::vector<std::string> expectedWords{"rouge Colours/French"};
    expectedWords.insert(expectedWords.end(), c.words.begin(), c.words.end());
    EXPECT_EQ(wordPlaces(current), expectedWords);
    EXPECT_EQ(themeNames(current), c.themes);
    EXPECT_EQ(languageNames(current), c.languages);
    EXPECT_EQ(summary, c.summary);
    EXPECT_EQ(progress.steps, 4);
    expectSummaryNotice(c.summary, current);
}

const PlacementCase kFilterCases[] = {
    // Brot and apple are filtered out, so Food is not added.
    {"ThemeFilter",
     filtered(0, -1, P::AddNew, P::AddNew),
     {"cat Animals/English", "Hund Animals/German"},
     kThemesBefore,
     kLanguagesWithGerman,
     {2, 0, 0, 1, false}},
    {"LanguageFilter",
     filtered(-1, 1, P::AddNew, P::AddNew),
     {"Hund Animals/German", "Brot Food/German"},
     kThemesWithFood,
     kLanguagesWithGerman,
     {2, 0, 1, 1, false}},
    // Hund's language is skipped; Brot knows neither name and adds no theme.
    {"AddNewThemeSkipLanguageAddsNoTheme",
     filtered(-1, 1, P::AddNew, P::Skip),
     {},
     kThemesBefore,
     kLanguagesBefore,
     {0, 0, 0, 0, false}},
    {"BothFilters",
     filtered(1, 0, P::AddNew, P::AddNew),
     {"apple Food/English"},
     kThemesWithFood,
     kLanguagesBefore,
     {1, 0, 1, 0, false}},
    // Names already present are reused, not added again.
    {"ExistingThemeAndLanguageReused",
     filtered(0, 0, P::AddNew, P::AddNew),
     {"cat Animals/English"},
     kThemesBefore,
     kLanguagesBefore,
     {1, 0, 0, 0, false}},
    {"FilterMatchingNothing",
     filtered(5, -1, P::AddNew, P::AddNew),
     {},
     kThemesBefore,
     kLanguagesBefore,
     {0, 0, 0, 0, false}},
};

INSTANTIATE_TEST_SUITE_P(Filters, FilterTest, ::testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeepCase {
    const char* name;
    bool keepTestData;
    bool keepCreationDate;
};

class KeepTest : public ImportWordsTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepTest, TestDataAndCreationDateTravelOnlyWhenKept) {
    const KeepCase& c = GetParam();
    Dictionary source = makeDictionary({"English"}, {"Animals"}, {{"cat", 0, 0, 2, 3}});
    const SYSTEMTIME longAgo{1999, 12, 5, 31, 23, 59, 58, 999};
    source.words[0].created = longAgo;
    Dictionary current = twoColumnCurrent();
    ImportOptions options = placedOptions(P::AddNew, P::AddNew);
    options.keepTestData = c.keepTestData;
    options.keepCreationDate = c.keepCreationDate;
    run(source, current, options);

    ASSERT_EQ(current.words.size(), 2u);
    const WordRecord& imported = current.words[1];
    EXPECT_EQ(imported.rightCount, c.keepTestData ? 2 : 0);
    EXPECT_EQ(imported.testedCount, c.keepTestData ? 3 : 0);
    const SYSTEMTIME expected = c.keepCreationDate ? longAgo : clock.now;
    EXPECT_EQ(std::memcmp(&imported.created, &expected, sizeof expected), 0)
        << "year " << imported.created.year << " ms " << imported.created.milliseconds;
}

INSTANTIATE_TEST_SUITE_P(Flags, KeepTest,
                         ::testing::Values(KeepCase{"NothingKept", false, false},
                                           KeepCase{"TestDataKept", true, false},
                                           KeepCase{"CreationDateKept", false, true},
                                           KeepCase{"BothKept", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportWordsTest, ImportedRecordsKeepTheirBytes) {
    Dictionary source = makeDictionary({"German"}, {"Food"}, {{"Brot", 0, 0, 1, 4, "bread"}});
    source.themes[0].name[20] = 'x';  // bytes after the terminator
    source.languages[0].name[31] = 'y';
    source.words[0].word[30] = 'z';
    source.words[0].translation[60] = 'w';
    Dictionary current = twoColumnCurrent();
    ImportOptions options = placedOptions(P::AddNew, P::AddNew);
    options.keepTestData = true;
    options.keepCreationDate = true;
    run(source, current, options);

    ASSERT_EQ(current.themes.size(), 3u);
    ASSERT_EQ(current.languages.size(), 3u);
    ASSERT_EQ(current.words.size(), 2u);
    EXPECT_EQ(std::memcmp(&current.themes[2], &source.themes[0], sizeof(ThemeRecord)), 0);
    EXPECT_EQ(std::memcmp(&current.languages[2], &source.languages[0], sizeof(LanguageRecord)), 0);
    WordRecord expected = source.words[0];
    expected.themeIndex = 2;
    expected.languageIndex = 2;
    EXPECT_EQ(std::memcmp(&current.words[1], &expected, sizeof(WordRecord)), 0);
}

TEST_F(ImportWordsTest, NamesMatchByTheirBytesUpToTheTerminator) {
    // "animals" differs in case and is a different theme; "English" with stray bytes after its
    // terminator is the same language.
    Dictionary source = makeDictionary({"English"}, {"Animals"}, {{"cat"}});
    Dictionary current = makeDictionary({"English"}, {"animals"}, {{"Cat"}});
    current.languages[0].name[25] = 'q';
    const ImportSummary summary = run(source, current, placedOptions(P::AddNew, P::AddNew));

    EXPECT_EQ(themeNames(current), (std::vector<std::string>{"animals", "Animals"}));
    EXPECT_EQ(languageNames(current), (std::vector<std::string>{"English"}));
    EXPECT_EQ(wordPlaces(current),
              (std::vector<std::string>{"Cat animals/English", "cat Animals/English"}));
    EXPECT_EQ(summary, (ImportSummary{1, 0, 1, 0, false}));
}

struct OverwriteCase {
    const char* name;
    bool overwrite;
    std::vector<std::string> words;
    ImportSummary summary;
};

class OverwriteTest : public ImportWordsTest,
                      public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteTest, OnlyTheWordTextDecidesWhatIsAlreadyThere) {
    const OverwriteCase& c = GetParam();
    // bank is in another theme and language at home; Sky differs from sky only in case; cat
    // comes twice in the source.
    Dictionary current = makeDictionary(
        {"French", "English"}, {"Colours", "Animals"},
        {{"bank", 0, 0, 0, 0, "Ufer"}, {"sky", 0, 0, 0, 0, "ciel"}, {"tree", 0, 0, 0, 0, "arbre"}});
    const Dictionary source = makeDictionary({"English"}, {"Animals"},
                                             {{"bank", 0, 0, 0, 0, "Bank"},
                                              {"Sky", 0, 0, 0, 0, "Himmel"},
                                              {"cat", 0, 0, 0, 0, "kitten"},
                                              {"cat", 0, 0, 0, 0, "Katze"}});
    ImportOptions options = placedOptions(P::AddNew, P::AddNew);
    options.overwriteExisting = c.overwrite;
    const ImportSummary summary = run(source, current, options);

    EXPECT_EQ(wordTranslations(current), c.words);
    EXPECT_EQ(summary, c.summary);
    expectSummaryNotice(c.summary, current);
    if (c.overwrite) {
        EXPECT_EQ(wordPlaces(current)[2], "bank Animals/English");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Overwrite, OverwriteTest,
    ::testing::Values(
        OverwriteCase{"Off",
                      false,
                      {"bank:Ufer", "sky:ciel", "tree:arbre", "Sky:Himmel", "cat:kitten"},
                      {2, 0, 0, 0, false}},
        // Each deletion moves the last word into the freed place before the new one is appended.
        OverwriteCase{"On",
                      true,
                      {"tree:arbre", "sky:ciel", "bank:Bank", "Sky:Himmel", "cat:Katze"},
                      {4, 2, 0, 0, false}}),
    [](const auto& info) { return std::string(info.param.name); });

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
    [](const auto& info) { return std::string(info.param.name); });

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
    progress.stopAtStep = 3;
    Dictionary current = twoColumnCurrent();
    const ImportSummary summary =
        run(fourWordSource(), current, placedOptions(P::AddNew, P::AddNew));

    EXPECT_EQ(wordPlaces(current),
              (std::vector<std::string>{"rouge Colours/French", "cat Animals/English",
                                        "Hund Animals/German"}));
    EXPECT_EQ(summary, (ImportSummary{2, 0, 0, 1, false}));
    EXPECT_EQ(progress.steps, 3);
    expectSummaryNotice(summary, current);
}

TEST_F(ImportWordsTest, RunAdvancesSliceBySliceAndStopsBetweenSlices) {
    const Dictionary source = fourWordSource();
    Dictionary current = twoColumnCurrent();
    ImportRun run(source, current, placedOptions(P::AddNew, P::AddNew), reporter, clock, progress);
    EXPECT_EQ(run.totalWords(), 4);

    EXPECT_FALSE(run.step(1));
    EXPECT_EQ(run.wordsTaken(), 1);
    EXPECT_FALSE(run.step(2));
    EXPECT_EQ(run.wordsTaken(), 3);
    EXPECT_TRUE(reporter.shown.empty());

    progress.stop = true;
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
    ImportRun run(source, current, placedOptions(P::AddNew, P::AddNew), reporter, clock, progress);
    EXPECT_FALSE(run.step(3));
    EXPECT_TRUE(run.step(1));
    EXPECT_EQ(progress.steps, 4);
    expectSummaryNotice(run.summary(), current);
}

TEST_F(ImportWordsTest, EmptySourceEndsAtOnceWithAnEmptySummary) {
    const Dictionary source = makeDictionary({}, {}, {});
    Dictionary current = twoColumnCurrent();
    ImportRun run(source, current, ImportOptions{}, reporter, clock, progress);
    EXPECT_TRUE(run.step(1));
    EXPECT_EQ(progress.steps, 0);
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
    [](const auto& info) { return std::string(info.param.name); });

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
    [](const auto& info) { return std::string(info.param.name); });

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
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lq::test
