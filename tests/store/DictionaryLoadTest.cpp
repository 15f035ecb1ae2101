#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>

#include "support/FailingFileOps.h"
#include "StoreFiles.h"
#include "store/DictionaryStore.h"
#include "store/Protection.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

constexpr const char* kCantLoad = "Can't load dictionary.";
constexpr const char* kCantOpenHint =
    "Disk input/output error. Can't open dictionary file for reading.";

// 2 languages, 1 theme, 3 words: header 0..63, languages 64..127, theme 128..159, words 160..
std::vector<uint8_t> exampleBytes() {
    return dictionaryBytes(
        makeDictionary({"English", "German"}, {"Animals"}, {{"cat"}, {"dog"}, {"Hund", 0, 1}}));
}

// What the target held before a failed load; it must still hold it afterwards.
Dictionary sentinelDictionary() {
    return makeDictionary({"Sentinel"}, {"Kept"}, {{"unchanged"}});
}

void putInt32(std::vector<uint8_t>& bytes, std::size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    }
}

constexpr std::size_t kLanguageCount = 20, kThemeCount = 24, kWordCount = 28;
constexpr std::size_t kThemeFilter = 48, kLanguageFilter = 52;
constexpr std::size_t kFirstWord = 160, kWordThemeIndex = 24, kWordLanguageIndex = 28;

struct DamagedCase {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
};

const DamagedCase kDamagedFiles[] = {
    {"empty file", [](auto& b) { b.clear(); }},
    {"shorter than the header", [](auto& b) { b.resize(63); }},
    {"one byte short of its last word", [](auto& b) { b.pop_back(); }},
    {"ends after two of three words", [](auto& b) { b.resize(b.size() - 160); }},
    {"counts say more languages than there are", [](auto& b) { putInt32(b, kLanguageCount, 40); }},
    {"negative language count", [](auto& b) { putInt32(b, kLanguageCount, -1); }},
    {"negative theme count", [](auto& b) { putInt32(b, kThemeCount, -5); }},
    {"most negative word count", [](auto& b) { putInt32(b, kWordCount, INT32_MIN); }},
    {"huge word count", [](auto& b) { putInt32(b, kWordCount, INT32_MAX); }},
    {"huge counts everywhere",
     [](auto& b) {
         putInt32(b, kLanguageCount, INT32_MAX);
         putInt32(b, kThemeCount, INT32_MAX);
         putInt32(b, kWordCount, INT32_MAX);
     }},
    {"word theme index one past the table",
     [](auto& b) { putInt32(b, kFirstWord + 160 + kWordThemeIndex, 1); }},
    {"negative word theme index", [](auto& b) { putInt32(b, kFirstWord + kWordThemeIndex, -1); }},
    {"word language index one past the table",
     [](auto& b) { putInt32(b, kFirstWord + 320 + kWordLanguageIndex, 2); }},
    {"huge word language index",
     [](auto& b) { putInt32(b, kFirstWord + kWordLanguageIndex, INT32_MAX); }},
    {"theme filter one past the table", [](auto& b) { putInt32(b, kThemeFilter, 1); }},
    {"theme filter below -1", [](auto& b) { putInt32(b, kThemeFilter, -2); }},
    {"language filter one past the table", [](auto& b) { putInt32(b, kLanguageFilter, 2); }},
    {"test count position 16", [](auto& b) { b[57] = 16; }},
    {"test count position -1", [](auto& b) { b[57] = 0xFF; }},
    {"variant count position 16", [](auto& b) { b[58] = 16; }},
    {"variant count position -128", [](auto& b) { b[58] = 0x80; }},
    {"time limit position 16", [](auto& b) { b[60] = 16; }},
    {"time limit position 127", [](auto& b) { b[60] = 0x7F; }},
};

class DictionaryLoadTest : public ::testing::Test {
  protected:
    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    std::string ownFile = DictionaryStore::ownFilePathIn(folder.path());
};

TEST_F(DictionaryLoadTest, DamagedOwnFileIsRefusedShownAndLeftAlone) {
    for (const DamagedCase& c : kDamagedFiles) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = exampleBytes();
        c.damage(bytes);
        writeBytes(ownFile, bytes);
        RecordingReporter shown;
        DictionaryStore store(ownFile, shown, clock);
        store.currentDictionary = sentinelDictionary();

        EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Damaged);
        EXPECT_FALSE(store.dictionaryLoaded);
        ASSERT_EQ(shown.shown.size(), 1u);
        EXPECT_EQ(shown.shown[0].kind, ShownMessage::Kind::Error);
        EXPECT_EQ(shown.shown[0].message, kCantLoad);
        EXPECT_EQ(shown.shown[0].howToFix, loadFailureHint(LoadStatus::Damaged));
        EXPECT_EQ(dictionaryBytes(store.currentDictionary), dictionaryBytes(sentinelDictionary()));
        EXPECT_EQ(readBytes(ownFile), bytes);
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
    }
}

TEST_F(DictionaryLoadTest, DamagedNamedFileFailsSilentlyAndLeavesTheTargetAlone) {
    const std::string source = folder.file("source.lqd");
    for (const DamagedCase& c : kDamagedFiles) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = exampleBytes();
        c.damage(bytes);
        writeBytes(source, bytes);
        DictionaryStore store(ownFile, reporter, clock);
        Dictionary target = sentinelDictionary();

        EXPECT_EQ(store.loadDictionary(source, target), LoadStatus::Damaged);
        EXPECT_TRUE(reporter.shown.empty());
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(sentinelDictionary()));
        EXPECT_EQ(readBytes(source), bytes);
    }
}

TEST_F(DictionaryLoadTest, DamagedBytesNeverDecodeIntoAnInconsistentDictionary) {
    for (const DamagedCase& c : kDamagedFiles) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = exampleBytes();
        c.damage(bytes);
        Dictionary target = sentinelDictionary();
        EXPECT_EQ(decodeDictionary(bytes.data(), bytes.size(), target), LoadStatus::Damaged);
        EXPECT_TRUE(isConsistent(target));
    }
}

// Only a missing file makes a new one; one that exists but cannot be read holds the user's
// words and must survive.
TEST_F(DictionaryLoadTest, OwnFileThatCannotBeOpenedIsReportedNotReplaced) {
    const int errors[] = {EACCES, EIO, EISDIR, EMFILE};
    const std::vector<uint8_t> bytes = exampleBytes();
    for (int error : errors) {
        SCOPED_TRACE(error);
        writeBytes(ownFile, bytes);
        RecordingReporter shown;
        FailingFileOps ops({FileCall::OpenForReading, error});
        DictionaryStore store(ownFile, shown, clock, ops);

        EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::CannotOpen);
        EXPECT_FALSE(store.dictionaryLoaded);
        EXPECT_EQ(
            shown.shown,
            (std::vector<ShownMessage>{{ShownMessage::Kind::Error, kCantLoad, kCantOpenHint}}));
        EXPECT_EQ(readBytes(ownFile), bytes);
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
    }
}

struct ReadFailure {
    const char* what;
    int nth;  // which read fails: 1 the header, 2 the languages, 3 the themes, 4 the words
};

TEST_F(DictionaryLoadTest, InputOutputErrorWhileReadingFailsTheLoad) {
    const ReadFailure failures[] = {{"header", 1}, {"languages", 2}, {"themes", 3}, {"words", 4}};
    const std::vector<uint8_t> bytes = exampleBytes();
    writeBytes(ownFile, bytes);
    for (const ReadFailure& f : failures) {
        SCOPED_TRACE(f.what);
        RecordingReporter shown;
        FailingFileOps ops({FileCall::Read, EIO, f.nth});
        DictionaryStore store(ownFile, shown, clock, ops);
        store.currentDictionary = sentinelDictionary();

        EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::ReadError);
        EXPECT_FALSE(store.dictionaryLoaded);
        EXPECT_EQ(
            shown.shown,
            (std::vector<ShownMessage>{{ShownMessage::Kind::Error, kCantLoad, kCantOpenHint}}));
        EXPECT_EQ(dictionaryBytes(store.currentDictionary), dictionaryBytes(sentinelDictionary()));
        EXPECT_EQ(readBytes(ownFile), bytes);

        FailingFileOps sameFault({FileCall::Read, EIO, f.nth});
        DictionaryStore importer(ownFile, reporter, clock, sameFault);
        Dictionary target = sentinelDictionary();
        EXPECT_EQ(importer.loadDictionary(ownFile, target), LoadStatus::ReadError);
        EXPECT_TRUE(reporter.shown.empty());
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(sentinelDictionary()));
    }
}

// Tests run as root, who may write anywhere, so the write-protected folder is played by the
// file layer refusing to create the file.
TEST_F(DictionaryLoadTest, MissingOwnFileInWriteProtectedFolderCannotBeCreated) {
    const int errors[] = {EACCES, EROFS, ENOSPC};
    for (int error : errors) {
        SCOPED_TRACE(error);
        RecordingReporter shown;
        FailingFileOps ops({FileCall::OpenForWriting, error});
        DictionaryStore store(ownFile, shown, clock, ops);

        EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::CreateFailed);
        EXPECT_FALSE(store.dictionaryLoaded);
        ASSERT_EQ(shown.shown.size(), 2u);
        EXPECT_EQ(shown.shown[0].kind, ShownMessage::Kind::NewDictionary);
        EXPECT_EQ(shown.shown[0].message, newDictionaryMessage("Lexiquill.lqd"));
        EXPECT_EQ(shown.shown[1],
                  (ShownMessage{ShownMessage::Kind::Error, "Can't create new dictionary.",
                                "Disk input/output error occurs. Maybe, it is write-protected."}));
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{});
    }
}

TEST_F(DictionaryLoadTest, CreatedFileThatCannotBeReopenedFailsTheLoad) {
    FailingFileOps ops({FileCall::OpenForReading, EIO, 2});
    DictionaryStore store(ownFile, reporter, clock, ops);

    EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::CannotOpen);
    EXPECT_FALSE(store.dictionaryLoaded);
    ASSERT_EQ(reporter.shown.size(), 2u);
    EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::NewDictionary);
    EXPECT_EQ(reporter.shown[1],
              (ShownMessage{ShownMessage::Kind::Error, kCantLoad, kCantOpenHint}));
    EXPECT_EQ(readBytes(ownFile).size(), 64u);
}

TEST_F(DictionaryLoadTest, NewDictionaryStartsEmptyWithDefaultsAndUnprotected) {
    DictionaryStore store(ownFile, reporter, clock);
    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    const Dictionary& d = store.currentDictionary;
    EXPECT_TRUE(d.languages.empty() && d.themes.empty() && d.words.empty());
    EXPECT_EQ(d.header.testThemeFilter, -1);
    EXPECT_EQ(d.header.testLanguageFilter, -1);
    EXPECT_EQ(d.header.optionFlags, 2);
    EXPECT_FALSE(isProtected(d.header));
    EXPECT_EQ(std::memcmp(&d.header.created, &clock.now, sizeof clock.now), 0);
    EXPECT_TRUE(isConsistent(d));
}

}  // namespace
}  // namespace lq::test
