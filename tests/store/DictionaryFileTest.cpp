#include <gtest/gtest.h>

#include "store/DictionaryStore.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

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

}  // namespace
}  // namespace lq::test
