// A CSV import run: every reason a row is refused, shortening, placement, overwriting, slices
// and stopping, and the closing notice.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "import/ImportFakes.h"
#include "import/core/CsvImport.h"
#include "store/DictionaryImage.h"
#include "store/TextEncoding.h"
#include "store/TextField.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TableCases.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr std::string_view kHeader =
    "word,translation,transcription,theme,language,right,tested,created\r\n";

// cat is there already; Colours and French are the targets for rows that name nothing.
Dictionary smallCurrent() {
    return makeDictionary({"French", "English"}, {"Colours", "Animals"}, {{"cat", 1, 1}});
}

CsvImportOptions targetedOptions(Placement theme = Placement::AddNew,
                                 Placement language = Placement::AddNew) {
    CsvImportOptions options;
    options.themePlacement = theme;
    options.targetTheme = 0;
    options.languagePlacement = language;
    options.targetLanguage = 0;
    return options;
}

class CsvImportTest : public ::testing::Test {
  protected:
    // The whole text at once, read as its layout is detected.
    CsvImportSummary run(std::string_view text, const CsvImportOptions& options,
                         DictionaryEdits& edits = DictionaryEdits::store()) {
        CsvImportRun whole(text, detectLayout(text), current, options, reporter, clock, edits);
        whole.step(std::numeric_limits<int32_t>::max());
        EXPECT_TRUE(whole.finished());
        return whole.summary();
    }

    Dictionary current = smallCurrent();
    RecordingReporter reporter;
    FixedClock clock;
};

struct RefusalCase {
    const char* name;
    std::string row;
    std::string reason;
};

class CsvRefusalTest : public CsvImportTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CsvRefusalTest, RefusesTheRowWithItsLineAndReasonAndChangesNothing) {
    const RefusalCase& c = GetParam();
    const std::vector<uint8_t> before = dictionaryBytes(current);
    const std::string text = std::string(kHeader) + "\r\n" + c.row + "\r\n";
    const CsvImportSummary summary = run(text, targetedOptions());
    EXPECT_EQ(summary.refused, (std::vector<RefusedRow>{{3, c.reason}}));
    EXPECT_EQ(summary.rowsRead, 1);
    EXPECT_EQ(summary.wordsAdded, 0);
    EXPECT_EQ(dictionaryBytes(current), before) << "a refused row changed the dictionary";
    EXPECT_TRUE(reporter.errorMessages().empty());
}

const std::string k32 = std::string(32, 'w');
const std::string k64 = std::string(64, 't');

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvRefusalTest,
    ::testing::Values(
        RefusalCase{"EmptyWord", ",bread,,Food,German", "The word is empty."},
        RefusalCase{"EmptyTranslation", "Brot,,,Food,German", "The translation is empty."},
        RefusalCase{"MissingTranslationCell", "Brot", "The translation is empty."},
        RefusalCase{"QuestionMarkTranslation", "Brot,?bread,,Food,German",
                    "The translation begins with \"?\"."},
        RefusalCase{"WordTooLong", k32 + ",bread,,Food,German",
                    "The word is longer than 31 bytes."},
        RefusalCase{"TranslationTooLong", "Brot," + k64 + ",,Food,German",
                    "The translation is longer than 63 bytes."},
        RefusalCase{"TranscriptionTooLong", "Brot,bread," + k32 + ",Food,German",
                    "The transcription is longer than 31 bytes."},
        RefusalCase{"ThemeTooLong", "Brot,bread,," + k32 + ",German",
                    "The theme is longer than 31 bytes."},
        RefusalCase{"LanguageTooLong", "Brot,bread,,Food," + k32,
                    "The language is longer than 31 bytes."},
        RefusalCase{"TooLongInCharactersCountedInBytes",
                    "Brot,bread,,Food," + std::string(16, 'a') + "ääääääää",
                    "The language is longer than 31 bytes."},
        RefusalCase{"NegativeRight", "Brot,bread,,Food,German,-1,3",
                    "The right answers are negative."},
        RefusalCase{"NegativeTested", "Brot,bread,,Food,German,0,-3",
                    "The times tested are negative."},
        RefusalCase{"RightNotACount", "Brot,bread,,Food,German,two,3",
                    "The right answers are not a count."},
        RefusalCase{"TestedWithFraction", "Brot,bread,,Food,German,1,2.5",
                    "The times tested are not a count."},
        RefusalCase{"CountTooLarge", "Brot,bread,,Food,German,0,99999999999",
                    "The times tested are not a count."},
        RefusalCase{"RightExceedsTested", "Brot,bread,,Food,German,3,2",
                    "The right answers exceed the times tested."},
        RefusalCase{"RightWithoutTested", "Brot,bread,,Food,German,1,",
                    "The right answers exceed the times tested."},
        RefusalCase{"DateDoesNotExist", "Brot,bread,,Food,German,0,0,2007-02-30 10:00:00",
                    "The creation date \"2007-02-30 10:00:00\" is not a date of the form "
                    "YYYY-MM-DD HH:MM:SS."},
        RefusalCase{"DateInOtherForm", "Brot,bread,,Food,German,0,0,5.3.2007",
                    "The creation date \"5.3.2007\" is not a date of the form "
                    "YYYY-MM-DD HH:MM:SS."},
        RefusalCase{"WordAlreadyThere", "cat,Katze,,Food,German",
                    "The word is already in the dictionary."}),
    CaseName());

// Stored, they would reach a terminal through a report, or split one of its lines. The tab is a
// text's own; the others are C0, DEL and C1, line ends inside quotes included.
INSTANTIATE_TEST_SUITE_P(
    ControlCharacters, CsvRefusalTest,
    ::testing::Values(
        RefusalCase{"EscapeInWord", "Brot\x1B[2J,bread,,Food,German",
                    "The word holds a control character."},
        RefusalCase{"NulInWord", std::string("Br\0ot,bread,,Food,German", 24),
                    "The word holds a control character."},
        RefusalCase{"BellInTranslation", "Brot,bread\x07,,Food,German",
                    "The translation holds a control character."},
        RefusalCase{"UnitSeparatorInTranscription", "Brot,bread,a\x1F,Food,German",
                    "The transcription holds a control character."},
        RefusalCase{"DeleteInTheme", "Brot,bread,,Fo\x7Fod,German",
                    "The theme holds a control character."},
        RefusalCase{"FirstC1InLanguage", "Brot,bread,,Food,\xC2\x80German",
                    "The language holds a control character."},
        RefusalCase{"NextLineInWord", "Br\xC2\x85ot,bread,,Food,German",
                    "The word holds a control character."},
        RefusalCase{"LastC1InTranslation", "Brot,bread\xC2\x9F,,Food,German",
                    "The translation holds a control character."},
        RefusalCase{"CrLfInQuotedTranslation", "Brot,\"bread\r\nloaf\",,Food,German",
                    "The translation holds a control character."},
        RefusalCase{"LfInQuotedWord", "\"Br\not\",bread,,Food,German",
                    "The word holds a control character."},
        RefusalCase{"CrInQuotedTheme", "Brot,bread,,\"Fo\rod\",German",
                    "The theme holds a control character."},
        // Long texts are looked at eight bytes at a time; these sit inside such a group.
        RefusalCase{"UnitSeparatorEarlyInALongTranslation", "Brot,bread\x1Fof rye and wheat",
                    "The translation holds a control character."},
        RefusalCase{"DeleteInTheMiddleOfALongTranslation", "Brot,bread of rye\x7F and wheat",
                    "The translation holds a control character."},
        RefusalCase{"NextLineInTheMiddleOfALongTranslation", "Brot,bread of \xC2\x85rye and wheat",
                    "The translation holds a control character."},
        RefusalCase{"ControlCharacterBeforeALengthFault", "Brot," + k64 + "\x1B,,Food,German",
                    "The translation holds a control character."}),
    CaseName());

// Characters just outside the control ranges, and the tab, are texts like any other.
struct PlainTextCase {
    const char* name;
    std::string word;
};

class CsvPlainTextTest : public CsvImportTest,
                         public ::testing::WithParamInterface<PlainTextCase> {};

TEST_P(CsvPlainTextTest, TakesTheTextAsItIs) {
    const PlainTextCase& c = GetParam();
    const CsvImportSummary summary =
        run("word,translation,transcription\n\"" + c.word + "\",bread,\"" + c.word + "\"\n",
            targetedOptions());
    EXPECT_TRUE(summary.refused.empty());
    ASSERT_EQ(current.words.size(), 2u);
    EXPECT_EQ(fieldText(current.words[1].word), c.word);
    EXPECT_EQ(fieldText(current.words[1].transcription), c.word);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvPlainTextTest,
    ::testing::Values(PlainTextCase{"Tab", "Brot\tLaib"},
                      PlainTextCase{"SpaceAfterTheC0Range", "Brot Laib"},
                      // Long texts are looked at eight bytes at a time.
                      PlainTextCase{"LongPrintableText", "A loaf of bread, a jug of wine~"},
                      PlainTextCase{"LongTextBeyondAscii", "Brötchen mit Käse und Speck"},
                      PlainTextCase{"TildeBeforeDelete", "Brot~"},
                      PlainTextCase{"NoBreakSpaceAfterTheC1Range", "Brot\xC2\xA0Laib"},
                      PlainTextCase{"LatinAfterTheC1Range", "Br\xC3\xB6tchen"},
                      PlainTextCase{"ContinuationByteOfAnotherLetter", "\xC4\x80\xC4\x9F"}),
    CaseName());

TEST_F(CsvImportTest, AControlCharacterPastWhereATextIsShortenedIsRefusedAllTheSame) {
    CsvImportOptions options = targetedOptions();
    options.shortenLongTexts = true;
    const CsvImportSummary summary = run("Brot," + k64 + "\x1B\n", options);
    EXPECT_EQ(summary.refused,
              (std::vector<RefusedRow>{{1, "The translation holds a control character."}}));
    EXPECT_EQ(summary.textsShortened, 0);
}

TEST_F(CsvImportTest, AnUnusedThemeIsNotLookedAt) {
    const CsvImportSummary summary =
        run("word,translation,theme\nBrot,bread,Fo\x1Bod\n",
            targetedOptions(Placement::IntoExisting, Placement::AddNew));
    EXPECT_TRUE(summary.refused.empty());
    EXPECT_EQ(wordPlaces(current),
              (std::vector<std::string>{"cat Animals/English", "Brot Colours/French"}));
}

// A lost quote used to take the rest of the file into one field: one odd row refused, every row
// after it dropped without a word. Whether the rest is shorter than a field may be or longer,
// the rows before it go in and the summary names the line.
struct UnclosedQuoteCase {
    const char* name;
    int rowsAfter;
};

class CsvUnclosedQuoteTest : public CsvImportTest,
                             public ::testing::WithParamInterface<UnclosedQuoteCase> {};

TEST_P(CsvUnclosedQuoteTest, RefusesTheRestFromItsRowAndSaysSo) {
    std::string text = "word,translation\n";
    for (int line = 2; line < 50002; ++line) {
        text += "word" + std::to_string(line) + ",t\n";
    }
    text += "lost,\"quote\n";
    for (int line = 50003; line < 50003 + GetParam().rowsAfter; ++line) {
        text += "word" + std::to_string(line) + ",t\n";
    }
    const CsvImportSummary summary = run(text, targetedOptions());
    const std::string reason =
        "a quote opened here is never closed, so the rest of the file was not read.";
    EXPECT_EQ(summary.refused, (std::vector<RefusedRow>{{50002, reason}}));
    EXPECT_TRUE(summary.restUnread);
    EXPECT_EQ(summary.rowsRead, 50001);
    EXPECT_EQ(summary.wordsAdded, 50000);
    EXPECT_EQ(fieldText(current.words.back().word), "word50001");
    ASSERT_EQ(reporter.shown.size(), 1u);
    const std::string& shown = reporter.shown[0].message;
    EXPECT_NE(shown.find("Rows refused: 1\n\nLine 50002: " + reason), std::string::npos) << shown;
}

INSTANTIATE_TEST_SUITE_P(Files, CsvUnclosedQuoteTest,
                         ::testing::Values(UnclosedQuoteCase{"RestLongerThanAField", 49998},
                                           UnclosedQuoteCase{"RestShort", 10},
                                           UnclosedQuoteCase{"LastRow", 0}),
                         CaseName());

TEST_F(CsvImportTest, AFieldLongerThan64KiBEndsTheReadingAtItsLine) {
    const std::string text = "Brot,bread\nMilch,milk\nKäse,\"" +
                             std::string(kMaxCsvFieldBytes + 1, 'x') + "\"\nEi,egg\n";
    CsvImportRun whole(text, detectLayout(text), current, targetedOptions(), reporter, clock);
    whole.step(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(wordTexts(current), (std::vector<std::string>{"cat", "Brot", "Milch"}));
    EXPECT_EQ(whole.summary().refused,
              (std::vector<RefusedRow>{{3,
                                        "a field that begins here is longer than 64 KiB, so the "
                                        "rest of the file was not read."}}));
    EXPECT_TRUE(whole.summary().restUnread);
    EXPECT_LT(whole.bytesRead(), whole.totalBytes());
}

TEST_F(CsvImportTest, TakesTextsThatJustFitAndAnEmptyTranscription) {
    const std::string word(31, 'w');
    const std::string translation(63, 't');
    const CsvImportSummary summary = run(std::string(kHeader) + word + "," + translation +
                                             ",,Food,German,2,5,2001-02-03 04:05:06\r\n",
                                         targetedOptions());
    EXPECT_TRUE(summary.refused.empty());
    ASSERT_EQ(current.words.size(), 2u);
    const WordRecord& added = current.words[1];
    EXPECT_EQ(fieldText(added.word), word);
    EXPECT_EQ(fieldText(added.translation), translation);
    EXPECT_EQ(fieldText(added.transcription), "");
    EXPECT_EQ(added.rightCount, 2);
    EXPECT_EQ(added.testedCount, 5);
    EXPECT_EQ(csvTimeText(added.created), "2001-02-03 04:05:06");
    EXPECT_EQ(added.created.dayOfWeek, 6);  // a Saturday
}

TEST_F(CsvImportTest, WithoutCountsAndDateAWordIsNewAndMadeNow) {
    run("Brot,bread\n", targetedOptions());
    ASSERT_EQ(current.words.size(), 2u);
    const WordRecord& added = current.words[1];
    EXPECT_EQ(added.rightCount, 0);
    EXPECT_EQ(added.testedCount, 0);
    EXPECT_EQ(std::memcmp(&added.created, &clock.now, sizeof(SYSTEMTIME)), 0);
}

TEST_F(CsvImportTest, LaterRowsGoOnAfterARefusedOne) {
    const CsvImportSummary summary =
        run(std::string(kHeader) + "Brot,,\nMilch,milk\n,x\nKäse,cheese\n", targetedOptions());
    EXPECT_EQ(summary.rowsRead, 4);
    EXPECT_EQ(summary.wordsAdded, 2);
    EXPECT_EQ(summary.refused, (std::vector<RefusedRow>{{2, "The translation is empty."},
                                                        {4, "The word is empty."}}));
    EXPECT_EQ(wordTexts(current), (std::vector<std::string>{"cat", "Milch", "Käse"}));
}

struct ShortenCase {
    const char* name;
    std::string cell;  // the word
    std::string stored;
};

class CsvShortenTest : public CsvImportTest, public ::testing::WithParamInterface<ShortenCase> {};

TEST_P(CsvShortenTest, CutsBetweenCharactersAndCountsIt) {
    const ShortenCase& c = GetParam();
    CsvImportOptions options = targetedOptions();
    options.shortenLongTexts = true;
    const CsvImportSummary summary = run(c.cell + "," + std::string(70, 't') + "\n", options);
    EXPECT_TRUE(summary.refused.empty());
    ASSERT_EQ(current.words.size(), 2u);
    const std::string_view stored = fieldText(current.words[1].word);
    EXPECT_EQ(stored, c.stored);
    EXPECT_TRUE(isValidUtf8(stored));
    EXPECT_EQ(fieldText(current.words[1].translation), std::string(63, 't'));
    EXPECT_EQ(summary.textsShortened, c.stored == c.cell ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvShortenTest,
    ::testing::Values(ShortenCase{"FitsAlready", "Brot", "Brot"},
                      ShortenCase{"Ascii", std::string(40, 'a'), std::string(31, 'a')},
                      ShortenCase{"TwoByteCharacterAcrossTheEnd", std::string(30, 'a') + "ü",
                                  std::string(30, 'a')},
                      ShortenCase{"ThreeByteCharacters", "€€€€€€€€€€€€", "€€€€€€€€€€"},
                      ShortenCase{"FourByteCharacterAcrossTheEnd", std::string(29, 'a') + "😀",
                                  std::string(29, 'a')},
                      ShortenCase{"CharacterEndsAtTheLimit", std::string(29, 'a') + "üx",
                                  std::string(29, 'a') + "ü"}),
    CaseName());

TEST_F(CsvImportTest, AShortenedWordIsFoundByItsShortenedText) {
    CsvImportOptions options = targetedOptions();
    options.shortenLongTexts = true;
    const std::string longWord(40, 'a');
    const CsvImportSummary summary = run(
        longWord + ",one\n" + longWord + "b,two\n" + std::string(31, 'a') + ",three\n", options);
    EXPECT_EQ(summary.wordsAdded, 1);
    EXPECT_EQ(summary.refused,
              (std::vector<RefusedRow>{{2, "The word is already in the dictionary."},
                                       {3, "The word is already in the dictionary."}}));
}

struct PlacementCase {
    const char* name;
    Placement theme;
    Placement language;
    std::string row;
    std::vector<std::string> places;  // of the words after the run
    int32_t themesAdded;
    int32_t languagesAdded;
    std::string refusal;  // empty when the row goes in
};

class CsvPlacementTest : public CsvImportTest,
                         public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(CsvPlacementTest, PutsTheWordWhereTheChoicesSay) {
    const PlacementCase& c = GetParam();
    const CsvImportSummary summary = run("word,translation,theme,language\n" + c.row + "\n",
                                         targetedOptions(c.theme, c.language));
    EXPECT_EQ(wordPlaces(current), c.places);
    EXPECT_EQ(summary.themesAdded, c.themesAdded);
    EXPECT_EQ(summary.languagesAdded, c.languagesAdded);
    EXPECT_EQ(static_cast<int32_t>(current.themes.size()), 2 + c.themesAdded);
    EXPECT_EQ(static_cast<int32_t>(current.languages.size()), 2 + c.languagesAdded);
    if (c.refusal.empty()) {
        EXPECT_TRUE(summary.refused.empty());
    } else {
        EXPECT_EQ(summary.refused, (std::vector<RefusedRow>{{2, c.refusal}}));
    }
}

using P = Placement;
const std::string kCatThere = "cat Animals/English";

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvPlacementTest,
    ::testing::Values(PlacementCase{"KnownNames",
                                    P::AddNew,
                                    P::AddNew,
                                    "dog,Hund,Animals,English",
                                    {kCatThere, "dog Animals/English"},
                                    0,
                                    0,
                                    ""},
                      PlacementCase{"MissingNamesAdded",
                                    P::AddNew,
                                    P::AddNew,
                                    "Brot,bread,Food,German",
                                    {kCatThere, "Brot Food/German"},
                                    1,
                                    1,
                                    ""},
                      PlacementCase{"NamesMatchExactly",
                                    P::AddNew,
                                    P::AddNew,
                                    "dog,Hund,animals,English",
                                    {kCatThere, "dog animals/English"},
                                    1,
                                    0,
                                    ""},
                      PlacementCase{"NoNamesGoToTheTargets",
                                    P::AddNew,
                                    P::Skip,
                                    "Brot,bread,,",
                                    {kCatThere, "Brot Colours/French"},
                                    0,
                                    0,
                                    ""},
                      PlacementCase{"IntoExistingIgnoresTheNames",
                                    P::IntoExisting,
                                    P::IntoExisting,
                                    "Brot,bread,Food,German",
                                    {kCatThere, "Brot Colours/French"},
                                    0,
                                    0,
                                    ""},
                      PlacementCase{"SkippedThemeAddsNoLanguage",
                                    P::Skip,
                                    P::AddNew,
                                    "Brot,bread,Food,German",
                                    {kCatThere},
                                    0,
                                    0,
                                    "The theme \"Food\" is not in the dictionary."},
                      PlacementCase{"SkippedLanguageAddsNoTheme",
                                    P::AddNew,
                                    P::Skip,
                                    "Brot,bread,Food,German",
                                    {kCatThere},
                                    0,
                                    0,
                                    "The language \"German\" is not in the dictionary."},
                      PlacementCase{"SkipWithAKnownName",
                                    P::Skip,
                                    P::Skip,
                                    "dog,Hund,Colours,English",
                                    {kCatThere, "dog Colours/English"},
                                    0,
                                    0,
                                    ""},
                      PlacementCase{"ExistingWordAddsNothing",
                                    P::AddNew,
                                    P::AddNew,
                                    "cat,Katze,Food,German",
                                    {kCatThere},
                                    0,
                                    0,
                                    "The word is already in the dictionary."}),
    CaseName());

TEST_F(CsvImportTest, ARowWithoutANameAndNoTargetIsRefused) {
    current = makeDictionary({}, {}, {});
    CsvImportOptions options;  // an empty dictionary has no targets
    const CsvImportSummary summary =
        run("word,translation,theme,language\nBrot,bread,,German\nMilch,milk,Food,\n", options);
    EXPECT_EQ(summary.refused,
              (std::vector<RefusedRow>{
                  {2, "The row names no theme, and no existing theme was chosen for such rows."},
                  {3,
                   "The row names no language, and no existing language was chosen for such "
                   "rows."}}));
    EXPECT_TRUE(current.themes.empty());
    EXPECT_TRUE(current.languages.empty());
}

TEST_F(CsvImportTest, ANameMetTwiceIsAddedOnce) {
    const CsvImportSummary summary =
        run("word,translation,theme,language\nBrot,bread,Food,German\nMilch,milk,Food,German\n",
            targetedOptions());
    EXPECT_EQ(summary.themesAdded, 1);
    EXPECT_EQ(summary.languagesAdded, 1);
    EXPECT_EQ(wordPlaces(current),
              (std::vector<std::string>{kCatThere, "Brot Food/German", "Milch Food/German"}));
}

TEST_F(CsvImportTest, OverwritingReplacesTheWordWhereverItWas) {
    CsvImportOptions options = targetedOptions();
    options.overwriteExisting = true;
    const CsvImportSummary summary =
        run("word,translation,theme,language,right,tested\ncat,Katze,Food,German,1,4\n", options);
    EXPECT_EQ(summary.wordsAdded, 1);
    EXPECT_EQ(summary.wordsOverwritten, 1);
    EXPECT_TRUE(summary.refused.empty());
    EXPECT_EQ(wordPlaces(current), (std::vector<std::string>{"cat Food/German"}));
    EXPECT_EQ(wordTranslations(current), (std::vector<std::string>{"cat:Katze"}));
    EXPECT_EQ(current.words[0].testedCount, 4);
}

TEST_F(CsvImportTest, AWordTwiceInTheFileIsAddedOnceOrReplacedByTheSecond) {
    const std::string text = "Brot,bread\nBrot,loaf\n";
    CsvImportSummary summary = run(text, targetedOptions());
    EXPECT_EQ(summary.refused,
              (std::vector<RefusedRow>{{2, "The word is already in the dictionary."}}));
    EXPECT_EQ(wordTranslations(current),
              (std::vector<std::string>{"cat:translation", "Brot:bread"}));

    current = smallCurrent();
    CsvImportOptions options = targetedOptions();
    options.overwriteExisting = true;
    summary = run(text, options);
    EXPECT_EQ(summary.wordsAdded, 2);
    EXPECT_EQ(summary.wordsOverwritten, 1);
    EXPECT_EQ(wordTranslations(current),
              (std::vector<std::string>{"cat:translation", "Brot:loaf"}));
}

TEST_F(CsvImportTest, TheSameFileTwiceAddsNothingTheSecondTime) {
    const std::string text = "Brot,bread\nMilch,milk\n";
    run(text, targetedOptions());
    const std::vector<uint8_t> afterFirst = dictionaryBytes(current);
    const CsvImportSummary second = run(text, targetedOptions());
    EXPECT_EQ(second.wordsAdded, 0);
    EXPECT_EQ(second.refused.size(), 2u);
    EXPECT_EQ(dictionaryBytes(current), afterFirst);
}

// The run makes room for the rows it expects from the first lines; files whose lines mislead
// that guess, or that end their lines otherwise, still give every word.
struct LineShapeCase {
    const char* name;
    std::string text;
    int32_t words;
};

std::string numberedRows(int from, int to, std::string_view translation, std::string_view end) {
    std::string text;
    for (int i = from; i < to; ++i) {
        text += "word" + std::to_string(i) + "," + std::string(translation) + std::string(end);
    }
    return text;
}

class CsvLineShapeTest : public CsvImportTest,
                         public ::testing::WithParamInterface<LineShapeCase> {};

TEST_P(CsvLineShapeTest, EveryRowGivesItsWord) {
    const LineShapeCase& c = GetParam();
    const CsvImportSummary summary = run(c.text, targetedOptions());
    EXPECT_EQ(summary.wordsAdded, c.words);
    EXPECT_TRUE(summary.refused.empty());
    ASSERT_EQ(current.words.size(), static_cast<std::size_t>(c.words) + 1);
    EXPECT_EQ(fieldText(current.words.back().word), "word" + std::to_string(c.words - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvLineShapeTest,
    ::testing::Values(LineShapeCase{"LineFeeds", numberedRows(0, 300, "t", "\n"), 300},
                      LineShapeCase{"WindowsLineEnds", numberedRows(0, 300, "t", "\r\n"), 300},
                      LineShapeCase{"LoneCarriageReturns", numberedRows(0, 300, "t", "\r"), 300},
                      LineShapeCase{"NoEndAfterTheOnlyRow", "word0,t", 1},
                      LineShapeCase{"LongFirstLinesThenShortOnes",
                                    numberedRows(0, 100, std::string(60, 't'), "\n") +
                                        numberedRows(100, 3000, "t", "\n"),
                                    3000},
                      // In a column that is not imported: line breaks in a text are refused.
                      LineShapeCase{"LineBreaksInsideQuotes",
                                    numberedRows(0, 300, "t,,,,,,,\"one\ntwo\nthree\"", "\n"),
                                    300}),
    CaseName());

TEST_F(CsvImportTest, AFailedAddWhileOverwritingPutsTheOldWordBack) {
    FailingEdits edits;
    edits.failingWordAdds = {1};
    CsvImportOptions options = targetedOptions();
    options.overwriteExisting = true;
    const std::vector<uint8_t> before = dictionaryBytes(current);
    const CsvImportSummary summary = run("cat,Katze\n", options, edits);
    EXPECT_TRUE(summary.allocationFailed);
    EXPECT_EQ(summary.wordsAdded, 0);
    EXPECT_EQ(summary.refused, (std::vector<RefusedRow>{{1, "Memory ran out."}}));
    EXPECT_EQ(dictionaryBytes(current), before);
    EXPECT_EQ(reporter.errorMessages(), (std::vector<std::string>{"Can't add word."}));
}

TEST_F(CsvImportTest, AFailedThemeAddRefusesTheRowAndTheRunGoesOn) {
    FailingEdits edits;
    edits.failingThemeAdds = {1};
    const CsvImportSummary summary =
        run("word,translation,theme\nBrot,bread,Food\nMilch,milk,Food\n", targetedOptions(), edits);
    EXPECT_TRUE(summary.allocationFailed);
    EXPECT_EQ(summary.refused, (std::vector<RefusedRow>{{2, "Memory ran out."}}));
    EXPECT_EQ(wordPlaces(current), (std::vector<std::string>{kCatThere, "Milch Food/French"}));
}

std::string numberedRows(int count) {
    std::string text(kHeader);
    for (int i = 0; i < count; ++i) {
        text += "word" + std::to_string(i) + ",translation\r\n";
    }
    return text;
}

TEST_F(CsvImportTest, AStopInTheMiddleKeepsWhatWasDoneAndShowsItOnce) {
    const std::string text = numberedRows(10);
    CsvImportRun run(text, detectLayout(text), current, targetedOptions(), reporter, clock);
    EXPECT_FALSE(run.step(4));  // the header and three words
    EXPECT_GT(run.bytesRead(), 0u);
    EXPECT_LT(run.bytesRead(), run.totalBytes());
    run.stop();
    EXPECT_TRUE(run.finished());
    EXPECT_TRUE(run.step(10));
    run.stop();
    EXPECT_EQ(run.summary().rowsRead, 3);
    EXPECT_EQ(wordTexts(current), (std::vector<std::string>{"cat", "word0", "word1", "word2"}));
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].message, csvImportSummaryText(run.summary(), current));
}

TEST_F(CsvImportTest, SlicesOfOneRowGiveWhatTheWholeRunGives) {
    const std::string text = numberedRows(25) + "word3,again\r\n,x\r\n";
    Dictionary whole = smallCurrent();
    CsvImportRun wholeRun(text, detectLayout(text), whole, targetedOptions(), reporter, clock);
    wholeRun.step(1000);
    CsvImportRun sliced(text, detectLayout(text), current, targetedOptions(), reporter, clock);
    int slices = 0;
    while (!sliced.step(1)) {
        ++slices;
    }
    EXPECT_GE(slices, 27);
    EXPECT_EQ(sliced.summary(), wholeRun.summary());
    EXPECT_EQ(sliced.bytesRead(), sliced.totalBytes());
    EXPECT_EQ(dictionaryBytes(current), dictionaryBytes(whole));
}

TEST(CsvSummaryTextTest, CountsThenListsTheFirstRefusedRows) {
    Dictionary current;
    current.words.resize(12);
    current.themes.resize(3);
    current.languages.resize(2);
    CsvImportSummary summary;
    summary.rowsRead = 30;
    summary.wordsAdded = 10;
    summary.wordsOverwritten = 1;
    summary.themesAdded = 2;
    summary.languagesAdded = 1;
    EXPECT_EQ(csvImportSummaryText(summary, current),
              "Rows read: 30\nWords added: 10 (now 12), overwritten: 1\nThemes added: 2 (now 3)\n"
              "Languages added: 1 (now 2)\nRows refused: 0");

    summary.textsShortened = 4;
    summary.allocationFailed = true;
    for (int line = 2; line < 22; ++line) {
        summary.refused.push_back({line, "The word is empty."});
    }
    const std::string text = csvImportSummaryText(summary, current);
    EXPECT_NE(text.find("Rows refused: 20\nTexts shortened: 4\nMemory ran out: some rows were "
                        "not imported.\n\nLine 2: The word is empty.\nLine 3: "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nLine 16: The word is empty.\n... and 5 more."), std::string::npos)
        << text;
    EXPECT_EQ(text.find("Line 17"), std::string::npos);

    // Long reasons: fewer rows are listed, so that a message dialog can still show the notice.
    for (RefusedRow& row : summary.refused) {
        row.reason = "The theme \"" + std::string(31, 'x') + "\" is not in the dictionary.";
    }
    const std::string longer = csvImportSummaryText(summary, current);
    EXPECT_LT(longer.size(), 1000u);
    EXPECT_NE(longer.find("Line 2: The theme"), std::string::npos);
    EXPECT_NE(longer.find(" more."), std::string::npos);
}

TEST(CsvSummaryTextTest, TheRowThatEndedTheReadingIsNamedAfterAnyOtherRefusals) {
    Dictionary current;
    CsvImportSummary summary;
    summary.rowsRead = 41;
    for (int line = 2; line < 42; ++line) {
        summary.refused.push_back(
            {line, "The theme \"" + std::string(31, 'x') + "\" is not in the dictionary."});
    }
    const std::string ending = csvLineNote(42, csvStopReason(CsvStop::LongField));
    summary.refused.push_back({42, std::string(csvStopReason(CsvStop::LongField))});
    summary.restUnread = true;
    const std::string text = csvImportSummaryText(summary, current);
    EXPECT_LT(text.size(), 1000u);
    EXPECT_NE(text.find("Rows refused: 41\n"), std::string::npos) << text;
    const std::string last = " more.\n" + ending;
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), last.size())), last) << text;
    EXPECT_EQ(text.find("Line 42", 0), text.size() - ending.size()) << "named once, last";
}

}  // namespace
}  // namespace lq::test
