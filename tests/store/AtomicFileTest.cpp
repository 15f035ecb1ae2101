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

}  // namespace
}  // namespace lq::test
