// The recovery copy written by a child process while the program goes on.
#include "store/CopyWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/DictionaryImage.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

namespace fs = std::filesystem;

class CopyWriterTest : public ::testing::Test {
  protected:
    std::string copyPath() const { return folder.file(".Lexiquill.lqd.recovery"); }

    TempFolder folder;
    DictionaryFolder held{folder.file("Lexiquill.lqd")};
    RecoveryCopy copy{held};
    Dictionary dictionary = makeDictionary({"English"}, {"Food"}, {{"apple"}, {"cherry"}});
};

TEST_F(CopyWriterTest, WritesTheDictionaryAsItWasWhenTheWriteStarted) {
    const std::vector<uint8_t> atStart = dictionaryBytes(dictionary);
    CopyWriter writer;
    writer.start(copy, dictionary);
    EXPECT_TRUE(writer.running());
    EXPECT_GE(writer.doneFd(), 0);
    // Changes made meanwhile are the next copy's.
    dictionary.words.push_back(makeWord({"date"}));
    dictionary.words.front().word[0] = 0;
    EXPECT_EQ(writer.finish(), 0);
    EXPECT_FALSE(writer.running());
    EXPECT_EQ(readBytes(copyPath()), atStart);
    fs::perms mode = fs::status(copyPath()).permissions();
    EXPECT_EQ(mode, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(CopyWriterTest, AFailedWriteIsToldWithItsReason) {
    fs::create_directory(copyPath());
    CopyWriter writer;
    writer.start(copy, dictionary);
    EXPECT_EQ(writer.finish(), EISDIR);
    EXPECT_EQ(writer.finish(), 0) << "told once";
    EXPECT_TRUE(fs::is_directory(copyPath()));
}

TEST_F(CopyWriterTest, AWriteUnderWayIsFinishedBeforeTheWriterGoes) {
    {
        CopyWriter writer;
        writer.start(copy, dictionary);
    }
    EXPECT_EQ(readBytes(copyPath()), dictionaryBytes(dictionary));
    // Nothing of the child's is left to be found: no other file beside the copy.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace lq::test
