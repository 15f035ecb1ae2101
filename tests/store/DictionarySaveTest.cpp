#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/FailingFileOps.h"
#include "StoreFiles.h"
#include "store/DictionaryStore.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

const ShownMessage kCantSave{
    ShownMessage::Kind::Error, "Can't save dictionary.",
    "Input/output error. Maybe not enought free space on the disk, or it is write-protected."};

Dictionary oldDictionary() {
    return makeDictionary({"English", "German"}, {"Animals"}, {{"cat"}, {"dog"}, {"Hund", 0, 1}});
}

Dictionary newDictionary() {
    Dictionary d = makeDictionary({"English"}, {"Animals", "Food"}, {});
    for (int i = 0; i < 50; ++i) {
        d.words.push_back(makeWord({"word" + std::to_string(i), i % 2, 0, i, 2 * i}));
    }
    d.header.wordCount = static_cast<int32_t>(d.words.size());
    return d;
}

class DictionarySaveTest : public ::testing::Test {
  protected:
    void SetUp() override { writeBytes(ownFile, oldBytes); }

    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    std::string ownFile = DictionaryStore::ownFilePathIn(folder.path());
    std::vector<uint8_t> oldBytes = dictionaryBytes(oldDictionary());
};

struct SaveFault {
    const char* what;
    Fault fault;
};

// The header is 64 bytes, the whole new image 64 + 32 * 3 + 160 * 50.
const SaveFault kSaveFaults[] = {
    {"folder refuses the new file", {FileCall::OpenForWriting, EACCES}},
    {"read-only file system", {FileCall::OpenForWriting, EROFS}},
    {"disk full before the first byte", {FileCall::Write, ENOSPC, 1, 0}},
    {"disk full inside the header", {FileCall::Write, ENOSPC, 1, 40}},
    {"disk full after the header", {FileCall::Write, ENOSPC, 1, 64}},
    {"disk full inside the words", {FileCall::Write, ENOSPC, 1, 64 + 96 + 160 * 7 + 3}},
    {"disk full at the last byte", {FileCall::Write, ENOSPC, 1, 64 + 96 + 160 * 50 - 1}},
    {"file size limit", {FileCall::Write, EFBIG, 1, 4096}},
    {"write error", {FileCall::Write, EIO, 1, 100}},
    {"flush error", {FileCall::Fsync, EIO, 1}},
    {"flush finds the disk full", {FileCall::Fsync, ENOSPC, 1}},
    {"close error", {FileCall::Close, EIO, 1}},
    {"rename error", {FileCall::Rename, EIO, 1}},
    {"rename across devices", {FileCall::Rename, EXDEV, 1}},
    {"naming the new file fails", {FileCall::Link, EIO, 1}},
    {"no room in the folder for the new name", {FileCall::Link, ENOSPC, 1}},
    {"old file write-protected", {FileCall::Access, EACCES, 1}},
};

TEST_F(DictionarySaveTest, FailedSaveIsShownAndLeavesTheOldFileAndNoTemporaryFile) {
    for (const SaveFault& c : kSaveFaults) {
        SCOPED_TRACE(c.what);
        writeBytes(ownFile, oldBytes);
        RecordingReporter shown;
        FailingFileOps ops(c.fault);
        DictionaryStore store(ownFile, shown, clock, ops);
        store.currentDictionary = newDictionary();

        EXPECT_FALSE(store.saveDictionary());
        EXPECT_EQ(shown.shown, std::vector<ShownMessage>{kCantSave});
        EXPECT_EQ(readBytes(ownFile), oldBytes);
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
    }
}

TEST_F(DictionarySaveTest, FailedSaveWithoutAnOldFileLeavesNoFileAtAll) {
    for (const SaveFault& c : kSaveFaults) {
        if (c.fault.call == FileCall::Access) {
            continue;  // needs an old file
        }
        SCOPED_TRACE(c.what);
        std::filesystem::remove(ownFile);
        RecordingReporter shown;
        FailingFileOps ops(c.fault);
        DictionaryStore store(ownFile, shown, clock, ops);
        store.currentDictionary = newDictionary();

        EXPECT_FALSE(store.saveDictionary());
        EXPECT_EQ(shown.shown, std::vector<ShownMessage>{kCantSave});
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{});
    }
}

TEST_F(DictionarySaveTest, SuccessfulSaveReplacesTheFileAndLeavesNothingElse) {
    DictionaryStore store(ownFile, reporter, clock);
    store.currentDictionary = newDictionary();
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(readBytes(ownFile), dictionaryBytes(newDictionary()));
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

TEST_F(DictionarySaveTest, SaveKeepsThePermissionBitsOfTheOldFile) {
    const mode_t modes[] = {0600, 0640, 0604, 0660, 0755};
    for (mode_t mode : modes) {
        SCOPED_TRACE(mode);
        writeBytes(ownFile, oldBytes);
        ASSERT_EQ(::chmod(ownFile.c_str(), mode), 0);
        DictionaryStore store(ownFile, reporter, clock);
        store.currentDictionary = newDictionary();
        ASSERT_TRUE(store.saveDictionary());
        EXPECT_EQ(permissionBits(ownFile), mode);
        EXPECT_EQ(readBytes(ownFile), dictionaryBytes(newDictionary()));
    }
}

TEST_F(DictionarySaveTest, SymbolicLinkStaysALinkAndItsTargetIsReplaced) {
    namespace fs = std::filesystem;
    const fs::path elsewhere = fs::path(folder.path()) / "kept" / "real.lqd";
    fs::create_directory(elsewhere.parent_path());
    fs::remove(ownFile);
    writeBytes(elsewhere.string(), oldBytes);
    ASSERT_EQ(::chmod(elsewhere.c_str(), 0640), 0);
    fs::create_symlink("kept/real.lqd", ownFile);

    DictionaryStore store(ownFile, reporter, clock);
    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    store.currentDictionary = newDictionary();
    ASSERT_TRUE(store.saveDictionary());

    EXPECT_TRUE(fs::is_symlink(ownFile));
    EXPECT_EQ(fs::read_symlink(ownFile), fs::path("kept/real.lqd"));
    EXPECT_EQ(readBytes(elsewhere.string()), dictionaryBytes(newDictionary()));
    EXPECT_EQ(permissionBits(elsewhere.string()), 0640u);
    EXPECT_EQ(folderEntries(folder.path()), (std::set<std::string>{"Lexiquill.lqd", "kept"}));
    EXPECT_EQ(folderEntries(elsewhere.parent_path().string()), std::set<std::string>{"real.lqd"});
}

// Once the rename is done the new file is in place, but without the folder flush a crash could
// still bring the old one back, so the save does not claim success.
TEST_F(DictionarySaveTest, FolderFlushFailureIsReportedWithTheNewFileInPlace) {
    FailingFileOps ops({FileCall::Fsync, EIO, 2});
    DictionaryStore store(ownFile, reporter, clock, ops);
    store.currentDictionary = newDictionary();
    EXPECT_FALSE(store.saveDictionary());
    EXPECT_EQ(reporter.shown, std::vector<ShownMessage>{kCantSave});
    EXPECT_EQ(readBytes(ownFile), dictionaryBytes(newDictionary()));
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

TEST_F(DictionarySaveTest, SaveAfterAFailedSaveSucceeds) {
    FailingFileOps ops({FileCall::Write, ENOSPC, 1, 100});
    DictionaryStore store(ownFile, reporter, clock, ops);
    store.currentDictionary = newDictionary();
    ASSERT_FALSE(store.saveDictionary());

    DictionaryStore retry(ownFile, reporter, clock);
    retry.currentDictionary = newDictionary();
    EXPECT_TRUE(retry.saveDictionary());
    EXPECT_EQ(readBytes(ownFile), dictionaryBytes(newDictionary()));
}

}  // namespace
}  // namespace lq::test
