// What a writer killed in the middle of a save leaves behind, with and without unnamed
// temporary files, and how the next start or save clears it.
#include "store/AtomicFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "StoreFiles.h"
#include "store/DictionaryStore.h"
#include "support/FailingFileOps.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

namespace fs = std::filesystem;

// The errors by which a file system or kernel says it has no unnamed files.
const int kNoUnnamedFiles[] = {EOPNOTSUPP, EISDIR, EINVAL};

// Runs `work` in a child process, which `work` ends with killSelf() wherever it stands, so no
// destructor cleans up; waits for the child.
void killSelf() {
    ::kill(::getpid(), SIGKILL);
}

template <typename Work>
void runAndKill(Work work) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        work();
        ::_exit(0);  // work() did not kill itself: the wait below fails the test
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

// A process id that no process has: a child that has ended and been waited for.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override { writeBytes(ownFile, oldBytes); }

    // Opens the own file for replacing and writes half of the new image, then is killed.
    void killedWhileWriting(FileOps& ops) {
        runAndKill([&] {
            AtomicFile file(ops);
            if (file.open(ownFile)) {
                file.write(newBytes.data(), newBytes.size() / 2);
            }
            killSelf();
        });
    }

    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    std::string ownFile = DictionaryStore::ownFilePathIn(folder.path());
    std::vector<uint8_t> oldBytes = dictionaryBytes(makeDictionary({"English"}, {}, {}));
    std::vector<uint8_t> newBytes =
        dictionaryBytes(makeDictionary({"English", "German"}, {"Animals"}, {{"cat"}, {"dog"}}));
};

TEST_F(AtomicFileTest, WriterKilledWhileWritingAnUnnamedFileLeavesNothingBehind) {
    killedWhileWriting(FileOps::system());
    EXPECT_EQ(readBytes(ownFile), oldBytes);
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

TEST_F(AtomicFileTest, WithoutUnnamedFilesTheNextStartRemovesWhatAKilledWriterLeft) {
    for (int error : kNoUnnamedFiles) {
        SCOPED_TRACE(error);
        FailingFileOps noUnnamedFiles({FileCall::OpenForWriting, error});
        killedWhileWriting(noUnnamedFiles);
        ASSERT_EQ(folderEntries(folder.path()).size(), 2u) << "the named file must be left";

        DictionaryStore store(ownFile, reporter, clock);
        ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
        EXPECT_EQ(readBytes(ownFile), oldBytes);
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
    }
}

TEST_F(AtomicFileTest, WithoutUnnamedFilesTheNextSaveRemovesWhatAKilledWriterLeft) {
    FailingFileOps noUnnamedFiles({FileCall::OpenForWriting, EOPNOTSUPP});
    killedWhileWriting(noUnnamedFiles);

    DictionaryStore store(ownFile, reporter, clock);
    store.currentDictionary = makeDictionary({"Saved"}, {}, {});
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

TEST_F(AtomicFileTest, SaveWithoutUnnamedFilesWritesThroughANamedOne) {
    for (int error : kNoUnnamedFiles) {
        SCOPED_TRACE(error);
        FailingFileOps noUnnamedFiles({FileCall::OpenForWriting, error});
        DictionaryStore store(ownFile, reporter, clock, noUnnamedFiles);
        store.currentDictionary = makeDictionary({"Saved"}, {}, {{"word"}});
        ASSERT_TRUE(store.saveDictionary());
        EXPECT_EQ(readBytes(ownFile), dictionaryBytes(store.currentDictionary));
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
    }
}

// Only the temporary files of this very file whose writer has ended are removed: a writer
// that still runs finishes its own save, and other names are not ours.
TEST_F(AtomicFileTest, OnlyTheTemporaryFilesOfEndedWritersAreRemoved) {
    const std::string ended = std::to_string(endedProcess());
    const std::set<std::string> kept = {
        "Lexiquill.lqd",
        ".Lexiquill.lqd.tmp-1-0",                                   // process 1 always runs
        ".Lexiquill.lqd.tmp-" + std::to_string(::getpid()) + "-7",  // this process's own
        ".Lexiquill.lqd.tmp-" + ended,                              // no counter
        ".Lexiquill.lqd.tmp-" + ended + "-",
        ".Lexiquill.lqd.tmp-" + ended + "-x",
        ".Lexiquill.lqd.tmp--0",
        ".Other.lqd.tmp-" + ended + "-0",
        "Lexiquill.lqd.tmp-" + ended + "-0",
        ".Lexiquill.lqd.recovery",
    };
    for (const std::string& name : kept) {
        writeBytes(folder.file(name), oldBytes);
    }
    writeBytes(folder.file(".Lexiquill.lqd.tmp-" + ended + "-0"), oldBytes);
    writeBytes(folder.file(".Lexiquill.lqd.tmp-" + ended + "-12"), oldBytes);

    AtomicFile::removeAbandonedTemporaries(ownFile, FileOps::system());
    EXPECT_EQ(folderEntries(folder.path()), kept);
}

TEST_F(AtomicFileTest, TemporaryFilesAreLookedForBesideTheLinkTarget) {
    fs::create_directory(folder.file("kept"));
    fs::remove(ownFile);
    writeBytes(folder.file("kept/real.lqd"), oldBytes);
    fs::create_symlink("kept/real.lqd", ownFile);
    const std::string left = ".real.lqd.tmp-" + std::to_string(endedProcess()) + "-0";
    writeBytes(folder.file("kept/" + left), oldBytes);

    AtomicFile::removeAbandonedTemporaries(ownFile, FileOps::system());
    EXPECT_EQ(folderEntries(folder.file("kept")), std::set<std::string>{"real.lqd"});
}

TEST_F(AtomicFileTest, NameTakenWhenTheUnnamedFileIsLinkedInIsRetriedWithAnother) {
    FailingFileOps nameTaken({FileCall::Link, EEXIST});
    DictionaryStore store(ownFile, reporter, clock, nameTaken);
    store.currentDictionary = makeDictionary({"Saved"}, {}, {});
    ASSERT_TRUE(store.saveDictionary());
    EXPECT_EQ(readBytes(ownFile), dictionaryBytes(store.currentDictionary));
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

// Names that another user made first, in the form earlier versions used (process id and a
// counter), never block a save: the names a save uses carry random bits.
TEST_F(AtomicFileTest, SquattedTemporaryNamesNeverBlockASave) {
    for (int n = 0; n < 300; ++n) {
        writeBytes(folder.file(".Lexiquill.lqd.tmp-" + std::to_string(::getpid()) + "-" +
                               std::to_string(n)),
                   oldBytes);
    }
    const std::set<std::string> squatted = folderEntries(folder.path());
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed file" : "named file");
        FailingFileOps ops(unnamed ? Fault{} : Fault{FileCall::OpenForWriting, EOPNOTSUPP});
        DictionaryStore store(ownFile, reporter, clock, ops);
        store.currentDictionary = makeDictionary({unnamed ? "One" : "Two"}, {}, {});
        ASSERT_TRUE(store.saveDictionary());
        EXPECT_EQ(readBytes(ownFile), dictionaryBytes(store.currentDictionary));
        EXPECT_EQ(folderEntries(folder.path()), squatted);
    }
}

TEST_F(AtomicFileTest, AnotherUsersLeftoversAreNeverRemoved) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    const std::string left = folder.file(".Lexiquill.lqd.tmp-" + std::to_string(endedProcess()) +
                                         "-0123456789abcdef");
    writeBytes(left, oldBytes);
    ASSERT_EQ(::chown(left.c_str(), 65534, 65534), 0);
    AtomicFile::removeAbandonedTemporaries(ownFile, FileOps::system());
    EXPECT_TRUE(fs::exists(left));
    ASSERT_EQ(::chown(left.c_str(), 0, 0), 0);
    AtomicFile::removeAbandonedTemporaries(ownFile, FileOps::system());
    EXPECT_FALSE(fs::exists(left)) << "the user's own, of a writer that has ended";
}

// In a folder that anyone may write to and that has the sticky bit, a link is followed only when
// it is the user's own or the folder owner's, as the kernel does (fs.protected_symlinks).
TEST_F(AtomicFileTest, ALinkOfAnotherUserInASharedFolderIsNotWrittenThrough) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a link to another user";
    }
    const std::string shared = folder.file("shared");
    fs::create_directory(shared);
    ASSERT_EQ(::chown(shared.c_str(), 65533, 65533), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    struct Case {
        uid_t linkOwner;
        bool followed;
    };
    const Case cases[] = {{65534, false}, {65533, true}, {0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.linkOwner);
        writeBytes(ownFile, oldBytes);
        const std::string link = shared + "/report.txt";
        fs::remove(link);
        fs::create_symlink(ownFile, link);
        ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
        AtomicFile file;
        const bool written =
            file.open(link) && file.write(newBytes.data(), newBytes.size()) && file.commit();
        EXPECT_EQ(written, c.followed);
        EXPECT_EQ(readBytes(ownFile), c.followed ? newBytes : oldBytes);
        EXPECT_TRUE(fs::is_symlink(link));
        if (!c.followed) {
            EXPECT_EQ(file.error(), EACCES);
        }
    }
    // Without the sticky bit the folder's owner decides who may put links there.
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    writeBytes(ownFile, oldBytes);
    AtomicFile file;
    EXPECT_TRUE(file.open(shared + "/report.txt"));
}

}  // namespace
}  // namespace lq::test
