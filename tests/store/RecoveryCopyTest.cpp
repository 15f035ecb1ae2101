#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "store/DictionaryImage.h"
#include "store/Protection.h"
#include "store/RecoveryCopy.h"
#include "store/TestRandom.h"
#include "support/FailingFileOps.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

class RecoveryCopyTest : public ::testing::Test {
  protected:
    std::string dictionaryPath() const { return folder.file("Lexiquill.lqd"); }
    std::string copyPath() const { return folder.file(".Lexiquill.lqd.recovery"); }

    // Sets a file's modification time to `seconds` after the epoch, without following links.
    static void setTime(const std::string& path, time_t seconds) {
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
    }

    static mode_t modeOf(const std::string& path) {
        struct stat status {};
        EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
        return status.st_mode & 07777;
    }

    TempFolder folder;
    DictionaryFolder held{dictionaryPath()};
    Dictionary dictionary = makeDictionary({"English"}, {"Food"}, {{"apple"}, {"cherry"}});
};

TEST_F(RecoveryCopyTest, LiesBesideTheDictionaryAsADotFile) {
    EXPECT_EQ(RecoveryCopy(held).path(), copyPath());
    // A dictionary reached through a link keeps its copy where the link is.
    std::filesystem::create_directory(folder.file("kept"));
    std::filesystem::create_symlink("kept/real.lqd", dictionaryPath());
    RecoveryCopy copy(held);
    ASSERT_TRUE(copy.write(dictionary));
    EXPECT_TRUE(std::filesystem::exists(copyPath()));
    EXPECT_FALSE(std::filesystem::exists(folder.file("kept/.real.lqd.recovery")));
}

TEST_F(RecoveryCopyTest, HoldsTheDictionaryAsItsFileWouldAndOnlyTheOwnerMayReadIt) {
    TestRandom random;
    scramblePassword(dictionary.header, "secret");
    setProtection(dictionary.header, true, random);
    // An old copy that others could read, and a umask that would let them.
    writeBytes(copyPath(), {1, 2, 3});
    ASSERT_EQ(::chmod(copyPath().c_str(), 0644), 0);
    const mode_t umaskBefore = ::umask(0);
    RecoveryCopy copy(held);
    const bool written = copy.write(dictionary);
    ::umask(umaskBefore);
    ASSERT_TRUE(written);
    EXPECT_EQ(readBytes(copyPath()), dictionaryBytes(dictionary));
    EXPECT_EQ(modeOf(copyPath()), 0600u);
    Dictionary read;
    const std::vector<uint8_t> bytes = readBytes(copyPath());
    ASSERT_EQ(decodeDictionary(bytes.data(), bytes.size(), read), LoadStatus::Loaded);
    EXPECT_TRUE(isProtected(read.header));
    EXPECT_TRUE(verifyPassword(read.header, "secret"));
}

TEST_F(RecoveryCopyTest, ALinkInItsPlaceIsReplacedNotFollowed) {
    writeBytes(folder.file("elsewhere"), {7, 7});
    std::filesystem::create_symlink("elsewhere", copyPath());
    ASSERT_TRUE(RecoveryCopy(held).write(dictionary));
    EXPECT_FALSE(std::filesystem::is_symlink(copyPath()));
    EXPECT_EQ(readBytes(folder.file("elsewhere")), (std::vector<uint8_t>{7, 7}));
    EXPECT_EQ(readBytes(copyPath()), dictionaryBytes(dictionary));
}

TEST_F(RecoveryCopyTest, AFailedWriteLeavesTheOldCopyAndNoOtherFile) {
    RecoveryCopy first(held);
    ASSERT_TRUE(first.write(dictionary));
    const std::vector<uint8_t> old = readBytes(copyPath());
    const FileCall faults[] = {FileCall::Write, FileCall::Fsync, FileCall::Rename, FileCall::Link};
    for (const FileCall call : faults) {
        FailingFileOps ops(Fault{call, ENOSPC});
        Dictionary bigger = dictionary;
        bigger.words.push_back(makeWord({"date"}));
        EXPECT_FALSE(RecoveryCopy(held, ops).write(bigger));
        EXPECT_EQ(readBytes(copyPath()), old);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                                std::filesystem::directory_iterator{}),
                  1);
    }
}

TEST_F(RecoveryCopyTest, IsNewerOnlyWhenWrittenAfterTheDictionaryOrWithoutOne) {
    using State = RecoveryCopy::State;
    RecoveryCopy copy(held);
    EXPECT_FALSE(copy.exists());
    EXPECT_EQ(copy.state(), State::None);
    ASSERT_TRUE(copy.write(dictionary));
    EXPECT_TRUE(copy.exists());
    EXPECT_EQ(copy.state(), State::Newer) << "no dictionary";
    writeBytes(dictionaryPath(), dictionaryBytes(dictionary));
    setTime(dictionaryPath(), 1000);
    setTime(copyPath(), 2000);
    EXPECT_EQ(copy.state(), State::Newer);
    setTime(copyPath(), 1000);
    EXPECT_EQ(copy.state(), State::Older) << "as old as the dictionary";
    setTime(copyPath(), 500);
    EXPECT_EQ(copy.state(), State::Older) << "the dictionary was saved after it";
}

// Whatever else stands under the copy's name is never read or offered; only what is the user's
// own is removed.
TEST_F(RecoveryCopyTest, AnythingButTheUsersOwnPrivateFileIsNeverTrusted) {
    const std::vector<uint8_t> planted = dictionaryBytes(dictionary);
    writeBytes(folder.file("planted"), planted);
    struct Case {
        const char* what;
        std::function<void()> plant;
        bool removed;
        bool needsRoot;
    };
    const Case cases[] = {
        {"a link to a dictionary",
         [&] { std::filesystem::create_symlink("planted", copyPath()); }, true, false},
        {"a file others may write to",
         [&] {
             writeBytes(copyPath(), planted);
             ::chmod(copyPath().c_str(), 0666);
         },
         true, false},
        {"a file the group may write to",
         [&] {
             writeBytes(copyPath(), planted);
             ::chmod(copyPath().c_str(), 0620);
         },
         true, false},
        {"a folder", [&] { std::filesystem::create_directory(copyPath()); }, false, false},
        {"another user's private file",
         [&] {
             writeBytes(copyPath(), planted);
             ::chmod(copyPath().c_str(), 0600);
             ASSERT_EQ(::lchown(copyPath().c_str(), 65534, 65534), 0);
         },
         false, true},
        {"another user's link",
         [&] {
             std::filesystem::create_symlink("planted", copyPath());
             ASSERT_EQ(::lchown(copyPath().c_str(), 65534, 65534), 0);
         },
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && ::geteuid() != 0) {
            continue;  // only root can give a file away; the robustness script covers it too
        }
        std::filesystem::remove_all(copyPath());
        c.plant();
        RecoveryCopy copy(held);
        EXPECT_EQ(copy.state(), RecoveryCopy::State::Foreign);
        Dictionary read;
        EXPECT_NE(copy.read(read), LoadStatus::Loaded);
        copy.remove();
        EXPECT_EQ(!std::filesystem::exists(std::filesystem::symlink_status(copyPath())),
                  c.removed);
        EXPECT_EQ(readBytes(folder.file("planted")), planted);
    }
}

TEST_F(RecoveryCopyTest, RemovingTakesTheCopyAndWhatKilledWritersOfItLeft) {
    RecoveryCopy copy(held);
    ASSERT_TRUE(copy.write(dictionary));
    // A named temporary file of a writer that no longer runs (process ids stop below 2^22).
    const std::string abandoned = folder.file("..Lexiquill.lqd.recovery.tmp-99999999-0");
    writeBytes(abandoned, {1});
    writeBytes(dictionaryPath(), {2});
    copy.remove();
    EXPECT_FALSE(copy.exists());
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_TRUE(std::filesystem::exists(dictionaryPath()));
    copy.remove();  // nothing there: nothing happens
}

}  // namespace
}  // namespace lq::test
