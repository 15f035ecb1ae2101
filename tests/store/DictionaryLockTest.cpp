// One program per dictionary: the lock beside it, taken at start-up and dropped with its holder.
#include "store/DictionaryLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "support/TestDictionary.h"

namespace lq::test {
namespace {

namespace fs = std::filesystem;
using Status = DictionaryLock::Status;

class DictionaryLockTest : public ::testing::Test {
  protected:
    std::string dictionary() const { return folder.file("Lexiquill.lqd"); }
    std::string lockFile() const { return folder.file(".Lexiquill.lqd.lock"); }

    TempFolder folder;
    DictionaryFolder held{dictionary()};
};

TEST_F(DictionaryLockTest, ASecondHolderIsRefusedUntilTheFirstHasGone) {
    std::optional<DictionaryLock> first(std::in_place, held);
    ASSERT_EQ(first->status(), Status::Held);
    EXPECT_EQ(DictionaryLock(held).status(), Status::HeldElsewhere);
    first.reset();
    EXPECT_EQ(DictionaryLock(held).status(), Status::Held);
    // The file stays: deleting it would let two holders lock two different files.
    struct stat status {};
    ASSERT_EQ(::stat(lockFile().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(DictionaryLockTest, AKilledHolderLeavesNoLockBehind) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const DictionaryLock lock(held);
        const char taken = lock.status() == Status::Held ? 'y' : 'n';
        (void)!::write(ready[1], &taken, 1);
        ::pause();  // killed here
        ::_exit(0);
    }
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, 'y');
    EXPECT_EQ(DictionaryLock(held).status(), Status::HeldElsewhere) << "another process has it";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(DictionaryLock(held).status(), Status::Held);
}

TEST_F(DictionaryLockTest, ALinkToTheSameDictionaryFindsItHeld) {
    TempFolder other;
    fs::create_symlink(dictionary(), other.file("Lexiquill.lqd"));
    const DictionaryFolder throughLink(other.file("Lexiquill.lqd"));
    const DictionaryLock first(held);
    ASSERT_EQ(first.status(), Status::Held);
    EXPECT_EQ(DictionaryLock(throughLink).status(), Status::HeldElsewhere);
}

TEST_F(DictionaryLockTest, WhereNoLockCanBeHadTheProgramStartsAsBefore) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    // Another user's file under the lock's name, as planted in a shared folder.
    writeBytes(lockFile(), {});
    ASSERT_EQ(::chown(lockFile().c_str(), 65534, 65534), 0);
    EXPECT_EQ(DictionaryLock(held).status(), Status::Unavailable);
    const DictionaryFolder missing(folder.file("gone/Lexiquill.lqd"));
    EXPECT_EQ(DictionaryLock(missing).status(), Status::Unavailable);
}

}  // namespace
}  // namespace lq::test
