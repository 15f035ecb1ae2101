#include <gtest/gtest.h>

#include <cstring>

#include "StoreFiles.h"
#include "store/DictionaryStore.h"
#include "store/Protection.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

Dictionary exampleDictionary() {
    return makeDictionary({"English", "German"}, {"Animals"}, {{"cat"}, {"dog"}, {"Hund", 0, 1}});
}

std::string textAt(const std::vector<uint8_t>& bytes, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset));
}

class DictionaryFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    DictionaryStore store{DictionaryStore::ownFilePathIn(folder.path()), reporter, clock};
};

TEST_F(DictionaryFileTest, MissingFileIsAnnouncedAndCreatedWithTheDefaultBytes) {
    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    EXPECT_TRUE(store.dictionaryLoaded);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::NewDictionary);
    EXPECT_EQ(reporter.shown[0].message.rfind("Dictionary file \"Lexiquill.lqd\" not found.\n", 0),
              0u);

    const std::vector<uint8_t> bytes = readBytes(store.ownFilePath());
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<uint8_t>{'L', 'Q', 'D', 0}));
    const std::vector<uint8_t> tail(bytes.begin() + 48, bytes.end());
    EXPECT_EQ(tail, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                                          0x05, 0x03, 0x02, 0x02, 0x02, 0x70, 0x10}));
}

TEST_F(DictionaryFileTest, SavedDictionaryHasTheSizeOfItsRecords) {
    store.currentDictionary =
        makeDictionary({"English", "German"}, {"Animals"}, {{"cat"}, {"dog"}, {"Hund", 0, 1}});
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_EQ(readBytes(store.ownFilePath()).size(), 640u);
    EXPECT_EQ(fileSize(store.currentDictionary), 640);

    Dictionary reloaded;
    ASSERT_EQ(store.loadDictionary(store.ownFilePath(), reloaded), LoadStatus::Loaded);
    EXPECT_EQ(dictionaryBytes(reloaded), dictionaryBytes(store.currentDictionary));
}

TEST_F(DictionaryFileTest, RecordsFollowTheHeaderInTableOrder) {
    store.currentDictionary = exampleDictionary();
    ASSERT_TRUE(store.saveDictionary());
    const std::vector<uint8_t> bytes = readBytes(store.ownFilePath());
    ASSERT_EQ(bytes.size(), 640u);
    EXPECT_EQ(textAt(bytes, 64), "English");
    EXPECT_EQ(textAt(bytes, 96), "German");
    EXPECT_EQ(textAt(bytes, 128), "Animals");
    EXPECT_EQ(textAt(bytes, 160 + 32), "cat");
    EXPECT_EQ(textAt(bytes, 320 + 32), "dog");
    EXPECT_EQ(textAt(bytes, 480 + 32), "Hund");
    EXPECT_EQ(bytes[480 + 28], 1);  // Hund's language index, little-endian
    EXPECT_EQ(bytes[20], 2);        // languageCount
    EXPECT_EQ(bytes[24], 1);        // themeCount
    EXPECT_EQ(bytes[28], 3);        // wordCount
}

// Bytes the program does not interpret must come back exactly as they were.
TEST_F(DictionaryFileTest, LoadAndSaveKeepEveryByteOfAForeignFile) {
    std::vector<uint8_t> bytes = dictionaryBytes(exampleDictionary());
    bytes[63] = 0xA5;                                // reserved
    bytes[59] = 0xF6;                                // stray bits beside askUpdateOnExit
    std::memcpy(&bytes[64 + 10], "left", 4);         // after "English" and its terminator
    std::memcpy(&bytes[128 + 20], "over", 4);        // after "Animals"
    std::memcpy(&bytes[160 + 64 + 20], "junk", 4);   // after the first translation
    std::memcpy(&bytes[480 + 128 + 20], "tail", 4);  // after the last transcription
    for (int i = 34; i < 48; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);  // an old password, switched off
    }
    writeBytes(store.ownFilePath(), bytes);

    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    EXPECT_FALSE(isProtected(store.currentDictionary.header));
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_EQ(readBytes(store.ownFilePath()), bytes);
    EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(DictionaryFileTest, BytesAfterTheLastRecordAreIgnoredAndDroppedOnSave) {
    std::vector<uint8_t> bytes = dictionaryBytes(makeDictionary({}, {}, {}));
    const std::vector<uint8_t> header = bytes;
    bytes.resize(64 + 500, 0xEE);
    writeBytes(store.ownFilePath(), bytes);

    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    EXPECT_TRUE(store.currentDictionary.words.empty());
    EXPECT_TRUE(store.currentDictionary.languages.empty());
    EXPECT_TRUE(store.currentDictionary.themes.empty());
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_EQ(readBytes(store.ownFilePath()), header);
}

TEST_F(DictionaryFileTest, ExplicitNameThatDoesNotExistFailsSilently) {
    Dictionary target = exampleDictionary();
    const std::vector<uint8_t> before = dictionaryBytes(target);
    EXPECT_EQ(store.loadDictionary(folder.file("elsewhere.lqd"), target), LoadStatus::CannotOpen);
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(dictionaryBytes(target), before);
    EXPECT_FALSE(store.dictionaryLoaded);
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{});
}

TEST_F(DictionaryFileTest, ImportLoadLeavesTheLoadedFlagAlone) {
    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    Dictionary other;
    EXPECT_EQ(store.loadDictionary(folder.file("missing.lqd"), other), LoadStatus::CannotOpen);
    EXPECT_TRUE(store.dictionaryLoaded);
}

TEST_F(DictionaryFileTest, SavingAfterTheFileWasDeletedRecreatesIt) {
    ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
    std::filesystem::remove(store.ownFilePath());
    store.currentDictionary = exampleDictionary();
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_EQ(readBytes(store.ownFilePath()), dictionaryBytes(exampleDictionary()));
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

// The folder browser changes the working folder; the save must still go where the load was.
TEST_F(DictionaryFileTest, SaveGoesToTheFolderFixedAtStartUpWhateverTheWorkingFolder) {
    TempFolder other;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    DictionaryStore startedHere(DictionaryStore::ownFilePathInCurrentFolder(), reporter, clock);
    std::filesystem::current_path(other.path());
    startedHere.currentDictionary = exampleDictionary();
    const bool saved = startedHere.saveDictionary();
    std::filesystem::current_path(previous);

    ASSERT_TRUE(saved);
    EXPECT_EQ(readBytes(folder.file("Lexiquill.lqd")).size(), 640u);
    EXPECT_EQ(folderEntries(other.path()), std::set<std::string>{});
}

struct FlagStep {
    const char* action;
    void (*apply)(DictionaryHeader&);
    uint8_t flagsAfter;
    bool limitAfter;
    bool askAfter;
};

TEST(HeaderOptionFlags, SettersChangeOnlyTheirOwnBit) {
    const FlagStep steps[] = {
        {"set limit", [](DictionaryHeader& h) { h.setLimitTestTime(true); }, 3, true, true},
        {"set limit again", [](DictionaryHeader& h) { h.setLimitTestTime(true); }, 3, true, true},
        {"clear ask", [](DictionaryHeader& h) { h.setAskUpdateOnExit(false); }, 1, true, false},
        {"clear ask again", [](DictionaryHeader& h) { h.setAskUpdateOnExit(false); }, 1, true,
         false},
        {"clear limit", [](DictionaryHeader& h) { h.setLimitTestTime(false); }, 0, false, false},
        {"set ask", [](DictionaryHeader& h) { h.setAskUpdateOnExit(true); }, 2, false, true},
    };
    DictionaryHeader header = newDictionaryHeader(FixedClock().now);
    ASSERT_EQ(header.optionFlags, 2);
    for (const FlagStep& step : steps) {
        step.apply(header);
        EXPECT_EQ(header.optionFlags, step.flagsAfter) << step.action;
        EXPECT_EQ(header.limitTestTime(), step.limitAfter) << step.action;
        EXPECT_EQ(header.askUpdateOnExit(), step.askAfter) << step.action;
    }
}

TEST(HeaderOptionFlags, StrayBitsSurviveTheSetters) {
    DictionaryHeader header = newDictionaryHeader(FixedClock().now);
    header.optionFlags = 0xF4;
    header.setLimitTestTime(true);
    header.setAskUpdateOnExit(true);
    EXPECT_EQ(header.optionFlags, 0xF7);
    header.setLimitTestTime(false);
    header.setAskUpdateOnExit(false);
    EXPECT_EQ(header.optionFlags, 0xF4);
}

struct FlagAccessor {
    const char* name;
    uint8_t bit;
    bool (DictionaryHeader::*get)() const;
    void (DictionaryHeader::*set)(bool);
};

// Every accessor, from every byte the field can hold, sets or clears its bit and no other.
TEST(HeaderOptionFlags, EachAccessorKeepsEveryOtherBit) {
    const FlagAccessor accessors[] = {
        {"limit time", 0x01, &DictionaryHeader::limitTestTime, &DictionaryHeader::setLimitTestTime},
        {"ask on exit", 0x02, &DictionaryHeader::askUpdateOnExit,
         &DictionaryHeader::setAskUpdateOnExit},
        {"typed answers", 0x04, &DictionaryHeader::typedAnswers,
         &DictionaryHeader::setTypedAnswers},
        {"ignore letter case", 0x08, &DictionaryHeader::ignoreLetterCase,
         &DictionaryHeader::setIgnoreLetterCase},
        {"ignore accents", 0x10, &DictionaryHeader::ignoreAccents,
         &DictionaryHeader::setIgnoreAccents},
        {"ignore punctuation", 0x20, &DictionaryHeader::ignorePunctuation,
         &DictionaryHeader::setIgnorePunctuation},
    };
    DictionaryHeader header = newDictionaryHeader(FixedClock().now);
    for (const FlagAccessor& accessor : accessors) {
        for (int flags = 0; flags <= 0xFF; ++flags) {
            for (const bool on : {false, true}) {
                header.optionFlags = static_cast<uint8_t>(flags);
                EXPECT_EQ((header.*accessor.get)(), (flags & accessor.bit) != 0) << accessor.name;
                (header.*accessor.set)(on);
                const int expected = on ? (flags | accessor.bit) : (flags & ~accessor.bit);
                ASSERT_EQ(header.optionFlags, expected) << accessor.name << " from " << flags;
                EXPECT_EQ((header.*accessor.get)(), on) << accessor.name;
            }
        }
    }
}

TEST(HeaderOptionFlags, ANewDictionaryChoosesFromVariantsAndComparesExactly) {
    const DictionaryHeader header = newDictionaryHeader(FixedClock().now);
    EXPECT_FALSE(header.typedAnswers());
    EXPECT_FALSE(header.ignoreLetterCase());
    EXPECT_FALSE(header.ignoreAccents());
    EXPECT_FALSE(header.ignorePunctuation());
}

TEST(DictionaryLookups, CompareBytesExactlyAndFindTheFirst) {
    Dictionary d =
        makeDictionary({"English", "english"}, {"Animals", "Animals"}, {{"cat"}, {"Cat"}});
    EXPECT_EQ(findLanguage(d, "english"), 1);
    EXPECT_EQ(findLanguage(d, "ENGLISH"), kNoIndex);
    EXPECT_EQ(findTheme(d, "animals"), kNoIndex);
    EXPECT_EQ(findTheme(d, "Animals"), 0);
    EXPECT_EQ(findWord(d, "Cat"), 1);
    EXPECT_EQ(findWord(d, "ca"), kNoIndex);
    EXPECT_EQ(findWord(d, ""), kNoIndex);
}

// A picked entry stands for its name: a later record of the same name maps to the first one.
TEST(DictionaryLookups, FirstNamedAsMapsARecordToTheFirstOfItsName) {
    const Dictionary d =
        makeDictionary({"English", "english", "English"}, {"Caf\xe9", "Animals", "Caf\xe9"}, {});
    struct Case {
        int32_t index;
        int32_t language;
        int32_t theme;
    };
    const Case cases[] = {
        {0, 0, 0}, {1, 1, 1}, {2, 0, 0}, {3, kNoIndex, kNoIndex}, {kNoIndex, kNoIndex, kNoIndex},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstNamedAs(d.languages, c.index), c.language) << c.index;
        EXPECT_EQ(firstNamedAs(d.themes, c.index), c.theme) << c.index;
    }
}

}  // namespace
}  // namespace lq::test
