#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "ReportFixtures.h"
#include "report/core/HtmlReport.h"
#include "report/core/ReportOrder.h"
#include "report/core/ReportSave.h"
#include "report/core/TextReport.h"
#include "support/FailingFileOps.h"
#include "support/FixedClock.h"
#include "support/OwnFiles.h"
#include "support/RecordingReporter.h"
#include "support/TableCases.h"

namespace lq::test {
namespace {

const ShownMessage kWritten{ShownMessage::Kind::Information, "Report successfuly written.", {}};
const ShownMessage kWriteError{ShownMessage::Kind::Error, "Input/output error.",
                               "Error while writing to disk. Make disk ready and try again."};
const ShownMessage kCreateError{ShownMessage::Kind::Error, "Can't save report.",
                                "Unable to write file. Maybe, disk is write-protected."};

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string expectedReport(const Dictionary& dictionary, const ReportRequest& request) {
    StringSink sink;
    const std::vector<int32_t> order = sortWordsByText(dictionary);
    if (request.options.format == ReportFormat::Text) {
        writeTextReport(sink, dictionary, order, request.filter);
    } else {
        writeHtmlReport(sink, dictionary, order, request.filter, request.options);
    }
    return sink.bytes();
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A dictionary whose HTML report takes several writes to the disk.
Dictionary largeDictionary() {
    std::vector<WordSpec> words;
    for (int i = 0; i < 400; ++i) {
        words.push_back({"word" + std::to_string(i), 0, 0, i, 2 * i, std::string(60, 't'), "[w]"});
    }
    return makeDictionary({"English"}, {"General"}, words);
}

class ReportSaveTest : public ::testing::Test {
  protected:
    ReportRequest request(ReportFormat format, ReportFilter filter = {-1, -1}) const {
        ReportOptions options;
        options.format = format;
        return {folder.path(), "report", filter, options};
    }

    TempFolder folder;
    RecordingReporter reporter;
    Dictionary dictionary = reportDictionary();
};

TEST_F(ReportSaveTest, WritesEitherFormatAndThenStoresTheOptions) {
    for (const ReportFormat format : {ReportFormat::Text, ReportFormat::Html}) {
        reporter.shown.clear();
        ReportRequest r = request(format, {0, -1});
        r.options.fontIndex = 3;
        r.options.border = 5;
        r.options.cellSpacing = 1;
        r.options.cellPadding = 9;
        const std::string path =
            folder.file(format == ReportFormat::Text ? "report.txt" : "report.html");

        ASSERT_TRUE(saveReport(dictionary, r, nullptr, reporter));
        EXPECT_EQ(readBytes(path), bytesOf(expectedReport(dictionary, r)));
        EXPECT_EQ(reporter.shown, std::vector<ShownMessage>{kWritten});
        EXPECT_EQ(unpackReportOptions(dictionary.header), r.options);
        std::filesystem::remove(path);
        EXPECT_TRUE(filesIn(folder.path()).empty()) << "no temporary file is left behind";
    }
}

TEST_F(ReportSaveTest, AsksBeforeReplacingAnExistingFile) {
    const std::string path = folder.file("report.txt");
    const ReportRequest r = request(ReportFormat::Text);
    const ShownMessage question{
        ShownMessage::Kind::Warning, "File \"" + path + "\" already exists. Overwrite?", {}, true};
    writeBytes(path, {'o', 'l', 'd'});
    const DictionaryHeader before = dictionary.header;

    EXPECT_FALSE(saveReport(dictionary, r, nullptr, reporter));
    EXPECT_EQ(reporter.shown, std::vector<ShownMessage>{question});
    EXPECT_EQ(readBytes(path), bytesOf("old"));
    EXPECT_EQ(std::memcmp(&before, &dictionary.header, sizeof before), 0);

    reporter.shown.clear();
    reporter.answers = {true};
    EXPECT_TRUE(saveReport(dictionary, r, nullptr, reporter));
    EXPECT_EQ(reporter.shown, (std::vector<ShownMessage>{question, kWritten}));
    EXPECT_EQ(readBytes(path), bytesOf(expectedReport(dictionary, r)));
}

struct FailureCase {
    const char* what;
    Fault fault;
    ShownMessage shown;
};

TEST_F(ReportSaveTest, AFailureAnywhereKeepsTheOldFileAndTheHeader) {
    dictionary = largeDictionary();
    const ReportRequest r = request(ReportFormat::Html);
    FailingFileOps counting;
    {
        TempFolder scratch;
        ReportRequest elsewhere = r;
        elsewhere.folder = scratch.path();
        ASSERT_TRUE(saveReport(dictionary, elsewhere, nullptr, reporter, counting));
        ASSERT_GE(counting.calls(FileCall::Write), 3)
            << "the fixture must need writes before and after";
    }
    dictionary.header = reportDictionary().header;

    // Each save below replaces a file: its first open and close check that it can be written.
    const std::vector<FailureCase> cases = {
        {"the old file cannot be written", {FileCall::OpenForWriting, EACCES, 1}, kCreateError},
        {"the new file cannot be created", {FileCall::OpenForWriting, EACCES, 2}, kCreateError},
        {"the first write", {FileCall::Write, ENOSPC, 1}, kWriteError},
        {"a write in the middle", {FileCall::Write, ENOSPC, 2}, kWriteError},
        {"the last write", {FileCall::Write, ENOSPC, counting.calls(FileCall::Write)}, kWriteError},
        {"flushing to disk", {FileCall::Fsync, EIO, 1}, kWriteError},
        {"closing", {FileCall::Close, EIO, 2}, kWriteError},
        {"putting the file in place", {FileCall::Rename, EIO, 1}, kWriteError},
    };
    const std::string path = folder.file("report.html");
    for (const auto& c : cases) {
        writeBytes(path, {'o', 'l', 'd'});
        reporter.shown.clear();
        reporter.answers = {true};
        const DictionaryHeader before = dictionary.header;
        FailingFileOps ops(c.fault);

        EXPECT_FALSE(saveReport(dictionary, r, nullptr, reporter, ops)) << c.what;
        ASSERT_EQ(reporter.shown.size(), 2u) << c.what;
        EXPECT_EQ(reporter.shown[1], c.shown) << c.what;
        EXPECT_EQ(std::memcmp(&before, &dictionary.header, sizeof before), 0) << c.what;
        EXPECT_EQ(readBytes(path), bytesOf("old")) << c.what;
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"report.html"}) << c.what;
    }
}

TEST_F(ReportSaveTest, AFolderInThePlaceOfTheFileIsNotReplaced) {
    std::filesystem::create_directory(folder.file("report.txt"));
    reporter.answers = {true};
    EXPECT_FALSE(saveReport(dictionary, request(ReportFormat::Text), nullptr, reporter));
    ASSERT_EQ(reporter.shown.size(), 2u);
    EXPECT_EQ(reporter.shown[1], kCreateError);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("report.txt")));
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"report.txt"});
}

TEST_F(ReportSaveTest, AFailedSaveCanBeFollowedByOneThatSucceeds) {
    const ReportRequest r = request(ReportFormat::Text);
    FailingFileOps failing({FileCall::Write, ENOSPC, 1});
    EXPECT_FALSE(saveReport(dictionary, r, nullptr, reporter, failing));
    EXPECT_TRUE(filesIn(folder.path()).empty());
    EXPECT_TRUE(saveReport(dictionary, r, nullptr, reporter));
    EXPECT_EQ(reporter.shown, (std::vector<ShownMessage>{kWriteError, kWritten}));
    EXPECT_EQ(unpackReportOptions(dictionary.header).format, ReportFormat::Text);
}

class ReportOwnFileTest : public ::testing::TestWithParam<OwnFileCase> {};

// A report can only name a file ending in .txt or .html, so it reaches the dictionary's own files
// through links. The refusal comes before the question about replacing, and the answer Yes that
// would follow it is never used; other files are written.
TEST_P(ReportOwnFileTest, TheOpenDictionaryAndItsOwnFilesAreNeverWritten) {
    const OwnFileCase& c = GetParam();
    DictionaryOnDisk disk;
    const std::string path = disk.destination(c, "x.txt");
    const auto before = disk.contents();
    const std::vector<uint8_t> dictionaryBefore = disk.dictionaryFileBytes();
    Dictionary dictionary = reportDictionary();
    const DictionaryHeader header = dictionary.header;
    ReportRequest request{folderOfPath(path), "x", {-1, -1}, {}};
    request.options.format = ReportFormat::Text;
    RecordingReporter reporter;
    reporter.answers = {true};

    const bool written = saveReport(dictionary, request, &disk.folder, reporter);

    if (c.refused) {
        EXPECT_FALSE(written);
        EXPECT_EQ(reporter.shown,
                  (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Can't save report.",
                                              ownFileHowToFix(c.file, path)}}));
        EXPECT_EQ(disk.contents(), before);
        EXPECT_EQ(std::memcmp(&header, &dictionary.header, sizeof header), 0);
    } else {
        EXPECT_TRUE(written);
        EXPECT_EQ(reporter.shown.back(), kWritten);
        EXPECT_EQ(readBytes(path), bytesOf(expectedReport(dictionary, request)));
        EXPECT_EQ(disk.dictionaryFileBytes(), dictionaryBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, ReportOwnFileTest,
    ::testing::Values(
        OwnFileCase{"ALinkToTheDictionary", "Lexiquill.lqd", true, Reach::SymbolicLink, true},
        OwnFileCase{"ALinkToTheDictionaryNotYetSaved", "Lexiquill.lqd", false, Reach::SymbolicLink,
                    true},
        OwnFileCase{"ARelativeLinkToTheDictionary", "Lexiquill.lqd", true, Reach::RelativeLink,
                    true},
        OwnFileCase{"AHardLinkToTheDictionary", "Lexiquill.lqd", true, Reach::HardLink, true},
        OwnFileCase{"ALinkToTheRecoveryCopy", ".Lexiquill.lqd.recovery", true, Reach::SymbolicLink,
                    true},
        OwnFileCase{"ALinkToTheRecoveryCopyNotYetThere", ".Lexiquill.lqd.recovery", false,
                    Reach::SymbolicLink, true},
        OwnFileCase{"ALinkToTheLock", ".Lexiquill.lqd.lock", true, Reach::SymbolicLink, true},
        OwnFileCase{"ALinkToTheLockNotYetThere", ".Lexiquill.lqd.lock", false, Reach::RelativeLink,
                    true},
        OwnFileCase{"ALinkToTheHistory", "Lexiquill-history.sqlite", true, Reach::SymbolicLink,
                    true},
        OwnFileCase{"ALinkToTheHistoryNotYetThere", "Lexiquill-history.sqlite", false,
                    Reach::SymbolicLink, true},
        OwnFileCase{"AHardLinkToTheHistory", "Lexiquill-history.sqlite", true, Reach::HardLink,
                    true},
        OwnFileCase{"ANewFileBesideTheDictionary", "x.txt", false, Reach::Named, false},
        OwnFileCase{"AnOldFileBesideTheDictionary", "x.txt", true, Reach::Named, false},
        OwnFileCase{"ALinkToAnOldFileBesideTheDictionary", "notes.txt", true, Reach::SymbolicLink,
                    false}),
    CaseName());

TEST(ReportFileTest, NameComesFromTheLocalDate) {
    FixedClock clock;
    EXPECT_EQ(defaultReportName(clock), "LQ Report on Mon 5-3-2007");
    clock.now = {2026, 12, 0, 6, 23, 59, 59, 999};
    EXPECT_EQ(defaultReportName(clock), "LQ Report on Sun 6-12-2026");
}

TEST(ReportFileTest, FolderAndNameAreJoinedWithOneSlash) {
    struct Case {
        std::string folder, name;
        ReportFormat format;
        std::string path;
    };
    const std::vector<Case> cases = {
        {"/home/ann/", "x", ReportFormat::Text, "/home/ann/x.txt"},
        {"/home/ann", "x", ReportFormat::Text, "/home/ann/x.txt"},
        {"/", "x", ReportFormat::Html, "/x.html"},
        {"", "x", ReportFormat::Html, "x.html"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportFilePath(c.folder, c.name, c.format), c.path) << c.folder;
    }
}

}  // namespace
}  // namespace lq::test
