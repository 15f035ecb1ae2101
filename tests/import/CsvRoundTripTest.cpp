// The export's text and file, files the import refuses, and words that go out and come back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "import/ImportFakes.h"
#include "import/core/CsvExport.h"
#include "import/core/CsvFile.h"
#include "import/core/CsvImport.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"
#include "support/FailingFileOps.h"
#include "support/FixedClock.h"
#include "support/OwnFiles.h"
#include "support/RecordingReporter.h"
#include "support/TableCases.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

std::string asText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, std::string_view text) {
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// Texts that need quoting, characters outside ASCII, a Windows-1252 word from an old file,
// counters and times that must all come back.
Dictionary varietyDictionary() {
    Dictionary d = makeDictionary({"German", "English"}, {"Food", "Sayings, short", "\"Quoted\""},
                                  {{"Brot", 0, 0, 3, 5, "bread", "bʁoːt"},
                                   {"Guten Morgen", 1, 0, 0, 0, "good morning, sir", ""},
                                   {" leading", 2, 1, 7, 7, "say \"hi\"", "trailing "},
                                   {"two lines", 1, 1, 0, 2, "one\r\ntwo", "a;b\tc"},
                                   {"Gr\xFC\xDF"
                                    "e",
                                    0, 0, 1, 1, "greetings", "x"}});
    d.words[0].created = SYSTEMTIME{2001, 2, 6, 3, 4, 5, 6, 0};
    d.words[2].created = SYSTEMTIME{2024, 2, 4, 29, 23, 59, 59, 0};
    return d;
}

TEST(CsvExportTextTest, WritesTheHeaderAndOneQuotedRowPerWordInTheGivenOrder) {
    const Dictionary d = varietyDictionary();
    EXPECT_EQ(csvWordsText(d, {4, 2, 0}, ','),
              "word,translation,transcription,theme,language,right,tested,created\r\n"
              "Grüße,greetings,x,Food,German,1,1,2007-03-05 09:07:03\r\n"
              "\" leading\",\"say \"\"hi\"\"\",\"trailing \",\"\"\"Quoted\"\"\",English,7,7,"
              "2024-02-29 23:59:59\r\n"
              "Brot,bread,bʁoːt,Food,German,3,5,2001-02-03 04:05:06\r\n");
}

TEST(CsvExportTextTest, TabSeparatedQuotesTabsInsteadOfCommas) {
    const Dictionary d = varietyDictionary();
    EXPECT_EQ(csvWordsText(d, {1, 3}, '\t'),
              "word\ttranslation\ttranscription\ttheme\tlanguage\tright\ttested\tcreated\r\n"
              "Guten Morgen\tgood morning, sir\t\tSayings, short\tGerman\t0\t0\t"
              "2007-03-05 09:07:03\r\n"
              "two lines\t\"one\r\ntwo\"\t\"a;b\tc\"\tSayings, short\tEnglish\t0\t2\t"
              "2007-03-05 09:07:03\r\n");
}

struct PathCase {
    const char* name;
    std::string path;
    char delimiter;
};

class DelimiterForPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DelimiterForPathTest, TabOnlyForTabSeparatedNames) {
    EXPECT_EQ(int{delimiterForPath(GetParam().path)}, int{GetParam().delimiter});
}

INSTANTIATE_TEST_SUITE_P(Names, DelimiterForPathTest,
                         ::testing::Values(PathCase{"Csv", "/a/Lexiquill words.csv", ','},
                                           PathCase{"Tsv", "words.tsv", '\t'},
                                           PathCase{"Txt", "words.txt", '\t'},
                                           PathCase{"NoExtension", "words", ','},
                                           PathCase{"TsvFolder", "a.tsv/words", ','}),
                         CaseName());

TEST(CsvExportFileTest, WritesTheFileAndSaysHowManyWords) {
    TempFolder folder;
    RecordingReporter reporter;
    const std::string path = folder.file("Lexiquill words.csv");
    const Dictionary d = varietyDictionary();
    ASSERT_TRUE(exportWordsCsv(path, d, {0, 1}, ',', nullptr, reporter));
    EXPECT_EQ(asText(readBytes(path)), csvWordsText(d, {0, 1}, ','));
    EXPECT_EQ(reporter.shown,
              (std::vector<ShownMessage>{
                  {ShownMessage::Kind::Information, "2 words written to \"" + path + "\".", {}}}));
}

TEST(CsvExportFileTest, AFailedWriteLeavesTheOldFileAsItWas) {
    TempFolder folder;
    const std::string path = folder.file("words.csv");
    writeText(path, "old contents");
    for (const FileCall call :
         {FileCall::OpenForWriting, FileCall::Write, FileCall::Fsync, FileCall::Rename}) {
        RecordingReporter reporter;
        FailingFileOps ops(Fault{call, ENOSPC});
        EXPECT_FALSE(exportWordsCsv(path, varietyDictionary(), {0}, ',', nullptr, reporter, ops));
        EXPECT_EQ(asText(readBytes(path)), "old contents");
        ASSERT_EQ(reporter.shown.size(), 1u);
        EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::Error);
    }
}

class CsvExportOwnFileTest : public ::testing::TestWithParam<OwnFileCase> {};

// A write there would replace the dictionary, or a file it depends on, with a word list. Nothing
// is asked or written before the refusal; other files, even beside the dictionary, are written.
TEST_P(CsvExportOwnFileTest, TheOpenDictionaryAndItsOwnFilesAreNeverWritten) {
    const OwnFileCase& c = GetParam();
    DictionaryOnDisk disk;
    const std::string path = disk.destination(c, "words.csv");
    const auto before = disk.contents();
    const std::vector<uint8_t> dictionaryBefore = disk.dictionaryFileBytes();
    const Dictionary d = varietyDictionary();
    RecordingReporter reporter;

    const bool written = exportWordsCsv(path, d, {0, 1}, ',', &disk.folder, reporter);

    if (c.refused) {
        EXPECT_FALSE(written);
        EXPECT_EQ(reporter.shown,
                  (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Can't export words.",
                                              ownFileHowToFix(c.file, path)}}));
        EXPECT_EQ(disk.contents(), before);
    } else {
        EXPECT_TRUE(written);
        EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{});
        EXPECT_EQ(asText(readBytes(path)), csvWordsText(d, {0, 1}, ','));
        EXPECT_EQ(disk.dictionaryFileBytes(), dictionaryBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, CsvExportOwnFileTest,
    ::testing::Values(
        OwnFileCase{"TheDictionary", "Lexiquill.lqd", true, Reach::Named, true},
        OwnFileCase{"TheDictionaryNotYetSaved", "Lexiquill.lqd", false, Reach::Named, true},
        OwnFileCase{"TheRecoveryCopy", ".Lexiquill.lqd.recovery", true, Reach::Named, true},
        OwnFileCase{"TheRecoveryCopyNotYetThere", ".Lexiquill.lqd.recovery", false, Reach::Named,
                    true},
        OwnFileCase{"TheLock", ".Lexiquill.lqd.lock", true, Reach::Named, true},
        OwnFileCase{"TheLockNotYetThere", ".Lexiquill.lqd.lock", false, Reach::Named, true},
        OwnFileCase{"TheHistory", "Lexiquill-history.sqlite", true, Reach::Named, true},
        OwnFileCase{"TheHistoryNotYetThere", "Lexiquill-history.sqlite", false, Reach::Named, true},
        OwnFileCase{"TheDictionaryThroughALinkToItsFolder", "Lexiquill.lqd", true,
                    Reach::ThroughFolderLink, true},
        OwnFileCase{"TheRecoveryCopyNotYetThereThroughALinkToItsFolder", ".Lexiquill.lqd.recovery",
                    false, Reach::ThroughFolderLink, true},
        OwnFileCase{"ASymbolicLinkToTheDictionary", "Lexiquill.lqd", true, Reach::SymbolicLink,
                    true},
        OwnFileCase{"ARelativeLinkToTheDictionary", "Lexiquill.lqd", true, Reach::RelativeLink,
                    true},
        OwnFileCase{"ALinkToTheHistoryNotYetThere", "Lexiquill-history.sqlite", false,
                    Reach::RelativeLink, true},
        OwnFileCase{"AHardLinkToTheDictionary", "Lexiquill.lqd", true, Reach::HardLink, true},
        OwnFileCase{"ANewFileBesideTheDictionary", "Lexiquill words.csv", false, Reach::Named,
                    false},
        OwnFileCase{"AnOldFileBesideTheDictionaryThroughALink", "words.csv", true,
                    Reach::SymbolicLink, false},
        OwnFileCase{"TheDictionarysNameInAnotherFolder", "Lexiquill.lqd", true, Reach::Elsewhere,
                    false}),
    CaseName());

class CsvFileTest : public ::testing::Test {
  protected:
    bool importFile(const std::string& path) {
        return importCsvFile(path, options, current, DictionaryEdits::store(), reporter, clock);
    }
    // The one message shown: the refusal of the file, with nothing changed.
    void expectRefused(std::string_view howToFixPart) {
        ASSERT_EQ(reporter.shown.size(), 1u);
        EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::Error);
        EXPECT_EQ(reporter.shown[0].message, "Can't import words.");
        EXPECT_NE(reporter.shown[0].howToFix.find(howToFixPart), std::string::npos)
            << reporter.shown[0].howToFix;
        EXPECT_EQ(dictionaryBytes(current), before);
    }

    TempFolder folder;
    Dictionary current = makeDictionary({"English"}, {"Animals"}, {{"cat"}});
    const std::vector<uint8_t> before = dictionaryBytes(current);
    CsvImportOptions options;
    RecordingReporter reporter;
    FixedClock clock;
};

TEST_F(CsvFileTest, AMissingFileIsRefused) {
    EXPECT_FALSE(importFile(folder.file("none.csv")));
    expectRefused("Unable to read the file");
}

TEST_F(CsvFileTest, AFolderIsRefused) {
    EXPECT_FALSE(importFile(folder.path()));
    expectRefused("not a file");
}

TEST_F(CsvFileTest, APipeIsRefusedWithoutWaitingForAWriter) {
    const std::string pipe = folder.file("words.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(importFile(pipe));
    expectRefused("not a file");
}

TEST_F(CsvFileTest, ABinaryFileIsRefused) {
    const std::string path = folder.file("picture.csv");
    writeBytes(path, {0x89, 'P', 'N', 'G', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 1, 0});
    EXPECT_FALSE(importFile(path));
    expectRefused("not a text file");
}

TEST_F(CsvFileTest, AReadErrorIsRefused) {
    const std::string path = folder.file("words.csv");
    writeText(path, "Brot,bread\n");
    std::string bytes;
    FailingFileOps ops(Fault{FileCall::Read, EIO});
    EXPECT_FALSE(readCsvBytes(path, bytes, reporter, ops));
    expectRefused("Unable to read the file");
}

TEST_F(CsvFileTest, AFileWithoutATranslationColumnIsRefused) {
    const std::string path = folder.file("words.csv");
    writeText(path, "Brot\nMilch\n");
    EXPECT_FALSE(importFile(path));
    expectRefused("no column for the words");
}

// The mark says UTF-8, the bytes are Latin-1.
TEST_F(CsvFileTest, BytesThatAreNotTextInTheirMarkedEncodingAreRefused) {
    const std::string path = folder.file("words.csv");
    writeText(path,
              "\xEF\xBB\xBFStra\xDF"
              "e,street\n");
    EXPECT_FALSE(importFile(path));
    expectRefused("not text in the encoding UTF-8");
}

// The dialog's encoding list: each choice reads the same bytes again, and a choice that does not
// fit them leaves no text.
TEST_F(CsvFileTest, AnotherEncodingReadsTheSameBytesAgain) {
    const std::string path = folder.file("words.csv");
    // Nineteen bytes: no UTF-16 text.
    writeText(path, "\xEF\xBB\xBFStraße,streets\n");
    CsvFile file;
    ASSERT_TRUE(file.open(path, reporter));
    EXPECT_EQ(file.encoding(), "UTF-8");
    EXPECT_EQ(file.text(), "Straße,streets\n");
    EXPECT_EQ(file.decodeAs("WINDOWS-1252"), DecodeStatus::Decoded);
    EXPECT_EQ(file.encoding(), "WINDOWS-1252");
    EXPECT_EQ(file.text(),
              "\xC3\xAF\xC2\xBB\xC2\xBFStra\xC3\x83\xC5\xB8"
              "e,streets\n");
    EXPECT_TRUE(file.decoded());
    EXPECT_EQ(file.decodeAs("UTF-16LE"), DecodeStatus::NotInEncoding);
    EXPECT_FALSE(file.decoded());
    EXPECT_EQ(file.text(), "");
    EXPECT_EQ(file.decodeAs("UTF-8"), DecodeStatus::Decoded);
    EXPECT_EQ(file.text(), "Straße,streets\n");
    const CsvFile moved = std::move(file);
    EXPECT_EQ(moved.text(), "Straße,streets\n");
    EXPECT_TRUE(reporter.shown.empty());
}

// A spreadsheet's "save as CSV": semicolons, a byte-order mark, Windows line ends and column
// names of its own in another order.
TEST_F(CsvFileTest, ASpreadsheetFileImportsWithoutMapping) {
    const std::string path = folder.file("list.csv");
    writeText(path,
              "\xEF\xBB\xBFTranslation;Word;Theme\r\nhouse;Haus;Home\r\n"
              "\"one; two\";eins, zwei;Numbers\r\n");
    options.targetLanguage = 0;
    ASSERT_TRUE(importFile(path));
    EXPECT_EQ(wordTranslations(current),
              (std::vector<std::string>{"cat:translation", "Haus:house", "eins, zwei:one; two"}));
    EXPECT_EQ(themeNames(current), (std::vector<std::string>{"Animals", "Home", "Numbers"}));
}

TEST_F(CsvFileTest, ATwoColumnTabListImportsIntoTheTarget) {
    const std::string path = folder.file("list.txt");
    writeText(path, "Haus\thouse\nBaum\ttree\n");
    options.targetTheme = 0;
    options.targetLanguage = 0;
    ASSERT_TRUE(importFile(path));
    EXPECT_EQ(wordPlaces(current),
              (std::vector<std::string>{"cat Animals/English", "Haus Animals/English",
                                        "Baum Animals/English"}));
    ASSERT_FALSE(reporter.shown.empty());
    EXPECT_EQ(reporter.shown.back().kind, ShownMessage::Kind::Information);
}

TEST_F(CsvFileTest, AUtf16FileImports) {
    const std::string path = folder.file("list.csv");
    const std::u16string text = u"word,translation\r\nStraße,street\r\n";
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (const char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    writeBytes(path, bytes);
    options.targetTheme = 0;
    options.targetLanguage = 0;
    ASSERT_TRUE(importFile(path));
    EXPECT_EQ(wordTexts(current), (std::vector<std::string>{"cat", "Straße"}));
}

struct RoundTripCase {
    const char* name;
    char delimiter;
};

class CsvRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

// What a word is, as the file carries it.
std::vector<std::string> wordContents(const Dictionary& d) {
    std::vector<std::string> out;
    for (const WordRecord& w : d.words) {
        out.push_back(std::string(fieldText(w.word)) + "|" + std::string(fieldText(w.translation)) +
                      "|" + std::string(fieldText(w.transcription)) + "|" +
                      std::string(fieldText(d.themes.at(w.themeIndex).name)) + "|" +
                      std::string(fieldText(d.languages.at(w.languageIndex).name)) + "|" +
                      std::to_string(w.rightCount) + "/" + std::to_string(w.testedCount) + "|" +
                      csvTimeText(w.created) + " day " + std::to_string(w.created.dayOfWeek));
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST_P(CsvRoundTripTest, AnExportImportedIntoAnEmptyDictionaryGivesTheSameWords) {
    Dictionary original = varietyDictionary();
    original.words.pop_back();  // the Windows-1252 word comes back as UTF-8; see below
    for (WordRecord& word : original.words) {
        word.created.dayOfWeek = parseCsvTime(csvTimeText(word.created))->dayOfWeek;
    }
    TempFolder folder;
    RecordingReporter reporter;
    const std::string path = folder.file("words.csv");
    ASSERT_TRUE(
        exportWordsCsv(path, original, {3, 2, 1, 0}, GetParam().delimiter, nullptr, reporter));

    Dictionary imported = makeDictionary({}, {}, {});
    FixedClock clock;
    ASSERT_TRUE(importCsvFile(path, CsvImportOptions(), imported, DictionaryEdits::store(),
                              reporter, clock));
    // A text with a line break in it can't come back: the import refuses control characters,
    // and its summary says so.
    Dictionary expected = original;
    std::erase_if(expected.words, [](const WordRecord& word) {
        return fieldText(word.translation).find('\r') != std::string_view::npos;
    });
    ASSERT_EQ(expected.words.size() + 1, original.words.size());
    EXPECT_EQ(wordContents(imported), wordContents(expected));
    ASSERT_FALSE(reporter.informations().empty());
    EXPECT_NE(reporter.informations().back().message.find("holds a control character"),
              std::string::npos);
    std::vector<std::string> themes = themeNames(imported), originalThemes = themeNames(original);
    std::sort(themes.begin(), themes.end());
    std::sort(originalThemes.begin(), originalThemes.end());
    EXPECT_EQ(themes, originalThemes);
    std::vector<std::string> languages = languageNames(imported);
    std::sort(languages.begin(), languages.end());
    EXPECT_EQ(languages, (std::vector<std::string>{"English", "German"}));
}

INSTANTIATE_TEST_SUITE_P(Delimiters, CsvRoundTripTest,
                         ::testing::Values(RoundTripCase{"Comma", ','}, RoundTripCase{"Tab", '\t'}),
                         CaseName());

TEST(CsvRoundTripWindows1252Test, AnOldTextComesBackAsTheProgramShowedIt) {
    const Dictionary original = varietyDictionary();
    const std::string text = csvWordsText(original, {4}, ',');
    Dictionary imported = makeDictionary({}, {}, {});
    RecordingReporter reporter;
    FixedClock clock;
    CsvImportRun run(text, detectLayout(text), imported, CsvImportOptions(), reporter, clock);
    run.step(10);
    EXPECT_EQ(wordTexts(imported), (std::vector<std::string>{"Grüße"}));
}

}  // namespace
}  // namespace lq::test
