// Where imported words go, what travels with them, and what they replace.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "import/ImportFixture.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"

namespace lq::test {
namespace {

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
    EXPECT_EQ(wordsTaken, 4);
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

INSTANTIATE_TEST_SUITE_P(EachPair, PlacementTest, ::testing::ValuesIn(kPlacementCases), CaseName());

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
    EXPECT_EQ(wordsTaken, 4);
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

INSTANTIATE_TEST_SUITE_P(Filters, FilterTest, ::testing::ValuesIn(kFilterCases), CaseName());

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
                         CaseName());

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
    CaseName());

}  // namespace
}  // namespace lq::test
