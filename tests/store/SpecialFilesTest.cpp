// A dictionary name taken by something that is not a regular file, and one that is a symbolic
// link whose target does not exist yet.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "StoreFiles.h"
#include "store/DictionaryStore.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

namespace fs = std::filesystem;

// Binds a socket to a path and closes it again: the name stays, and nobody listens.
void makeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

struct SpecialFile {
    const char* what;
    std::function<void(const std::string& path)> make;
    fs::file_type type;  // what the name must still be afterwards (links followed)
};

const SpecialFile kSpecialFiles[] = {
    {"pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
     fs::file_type::fifo},
    {"socket", makeSocket, fs::file_type::socket},
    {"folder", [](const std::string& p) { fs::create_directory(p); }, fs::file_type::directory},
    {"link to a folder", [](const std::string& p) { fs::create_directory_symlink("/", p); },
     fs::file_type::directory},
    {"device", [](const std::string& p) { fs::create_symlink("/dev/null", p); },
     fs::file_type::character},
};

class SpecialFilesTest : public ::testing::Test {
  protected:
    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    std::string ownFile = DictionaryStore::ownFilePathIn(folder.path());
};

// A pipe used to make the start wait for ever in open(); the CTest timeout catches that.
TEST_F(SpecialFilesTest, OwnNameTakenByAnotherKindOfFileIsRefusedAtOnceAndLeftAlone) {
    for (const SpecialFile& c : kSpecialFiles) {
        SCOPED_TRACE(c.what);
        fs::remove_all(ownFile);
        c.make(ownFile);
        RecordingReporter shown;
        DictionaryStore store(ownFile, shown, clock);

        EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::NotAFile);
        EXPECT_FALSE(store.dictionaryLoaded);
        EXPECT_EQ(
            shown.shown,
            (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Can't load dictionary.",
                                        std::string(loadFailureHint(LoadStatus::NotAFile))}}));
        EXPECT_NE(loadFailureHint(LoadStatus::NotAFile).find("not a dictionary file"),
                  std::string_view::npos);
        EXPECT_EQ(fs::status(ownFile).type(), c.type);
        EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
    }
}

TEST_F(SpecialFilesTest, ImportSourceTakenByAnotherKindOfFileFailsSilently) {
    const std::string source = folder.file("source.lqd");
    for (const SpecialFile& c : kSpecialFiles) {
        SCOPED_TRACE(c.what);
        fs::remove_all(source);
        c.make(source);
        DictionaryStore store(ownFile, reporter, clock);
        Dictionary target = makeDictionary({"Kept"}, {}, {});

        EXPECT_EQ(store.loadDictionary(source, target), LoadStatus::NotAFile);
        EXPECT_TRUE(reporter.shown.empty());
        EXPECT_EQ(dictionaryBytes(target), dictionaryBytes(makeDictionary({"Kept"}, {}, {})));
        EXPECT_EQ(fs::status(source).type(), c.type);
    }
}

struct DanglingLink {
    const char* what;
    std::string link;    // what Lexiquill.lqd points to, as written in the link
    std::string target;  // the file that must come to exist, relative to the folder
};

TEST_F(SpecialFilesTest, DanglingLinkGetsANewDictionaryAtItsTargetAndStaysALink) {
    const DanglingLink cases[] = {
        {"relative target", "kept/real.lqd", "kept/real.lqd"},
        {"absolute target", folder.file("kept/absolute.lqd"), "kept/absolute.lqd"},
        {"link to a dangling link", "second-link", "kept/second.lqd"},
    };
    fs::create_directory(folder.file("kept"));
    for (const DanglingLink& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(ownFile);
        fs::remove(folder.file("second-link"));
        fs::create_symlink("kept/second.lqd", folder.file("second-link"));
        fs::create_symlink(c.link, ownFile);
        RecordingReporter shown;
        DictionaryStore store(ownFile, shown, clock);

        ASSERT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::Loaded);
        ASSERT_EQ(shown.shown.size(), 1u);
        EXPECT_EQ(shown.shown[0].kind, ShownMessage::Kind::NewDictionary);
        EXPECT_TRUE(fs::is_symlink(ownFile));
        EXPECT_EQ(fs::read_symlink(ownFile), fs::path(c.link));
        EXPECT_EQ(readBytes(folder.file(c.target)).size(), 64u);

        // The save on exit replaces the target, and the link still points to it.
        store.currentDictionary = makeDictionary({"English"}, {"Animals"}, {{"cat"}});
        ASSERT_TRUE(store.saveDictionary());
        EXPECT_TRUE(fs::is_symlink(ownFile));
        EXPECT_EQ(readBytes(folder.file(c.target)), dictionaryBytes(store.currentDictionary));
        fs::remove(folder.file(c.target));
    }
}

TEST_F(SpecialFilesTest, DanglingLinkIntoAMissingFolderCannotBeCreated) {
    fs::create_symlink("missing/real.lqd", ownFile);
    DictionaryStore store(ownFile, reporter, clock);

    EXPECT_EQ(store.loadDictionary("", store.currentDictionary), LoadStatus::CreateFailed);
    ASSERT_EQ(reporter.shown.size(), 2u);
    EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::NewDictionary);
    EXPECT_EQ(reporter.shown[1],
              (ShownMessage{ShownMessage::Kind::Error, "Can't create new dictionary.",
                            "Disk input/output error occurs. Maybe, it is write-protected."}));
    EXPECT_EQ(fs::read_symlink(ownFile), fs::path("missing/real.lqd"));
    EXPECT_EQ(folderEntries(folder.path()), std::set<std::string>{"Lexiquill.lqd"});
}

}  // namespace
}  // namespace lq::test
