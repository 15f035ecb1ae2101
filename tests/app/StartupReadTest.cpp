// The dictionary read and put in order while the toolkit starts.
#include "app/StartupRead.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include "support/TestDictionary.h"

namespace lq::test {
namespace {

class StartupReadTest : public ::testing::Test {
  protected:
    std::string path() const { return folder.file("Lexiquill.lqd"); }
    TempFolder folder;
};

TEST_F(StartupReadTest, ReadsTheDictionaryAndPutsItsWordsInTheListsOrder) {
    const Dictionary written =
        makeDictionary({"English"}, {"Food"}, {{"banana"}, {"Apple"}, {"cherry"}, {"apricot"}});
    writeBytes(path(), dictionaryBytes(written));
    StartupRead startup(path());
    EXPECT_EQ(startup.takeLock()->status(), DictionaryLock::Status::Held);
    const std::optional<ReadAhead> read = startup.takeRead();
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->file.status, LoadStatus::Loaded);
    EXPECT_EQ(wordTexts(read->file.dictionary), wordTexts(written));
    EXPECT_TRUE(read->file.identity.exists);
    EXPECT_EQ(read->order, (std::vector<int32_t>{1, 3, 0, 2}));
}

TEST_F(StartupReadTest, AFileThatCantBeLoadedIsReadAsItWillBeReported) {
    struct Case {
        const char* what;
        std::function<void()> make;
        LoadStatus status;
        int openErrno;
    };
    const Case cases[] = {
        {"missing", [] {}, LoadStatus::CannotOpen, ENOENT},
        {"damaged",
         [&] {
             std::vector<uint8_t> bytes = dictionaryBytes(makeDictionary({"E"}, {"F"}, {{"a"}}));
             bytes[28] = 0x7F;
             writeBytes(path(), bytes);
         },
         LoadStatus::Damaged, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        StartupRead startup(path());
        const std::optional<ReadAhead> read = startup.takeRead();
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->file.status, c.status);
        EXPECT_EQ(read->file.openErrno, c.openErrno);
        EXPECT_TRUE(read->order.empty());
    }
}

TEST_F(StartupReadTest, ADictionaryOpenElsewhereIsNotRead) {
    writeBytes(path(), dictionaryBytes(makeDictionary({"English"}, {"Food"}, {{"apple"}})));
    StartupRead first(path());
    StartupRead second(path());
    EXPECT_EQ(second.takeLock()->status(), DictionaryLock::Status::HeldElsewhere);
    EXPECT_FALSE(second.takeRead().has_value());
    EXPECT_TRUE(first.takeRead().has_value());
}

}  // namespace
}  // namespace lq::test
