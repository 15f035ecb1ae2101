#include "store/WorkingFolder.h"

#include <gtest/gtest.h>

#include <string>

#include "store/DictionaryStore.h"

namespace lq::test {
namespace {

// Every path the program builds from a folder and a name is joined here, the own dictionary's
// path too, so they all agree on an empty folder: it is the working folder.
TEST(WorkingFolderTest, FolderAndNameAreJoinedWithOneSlash) {
    struct Case {
        std::string folder, path;
    };
    const Case cases[] = {
        {"/home/ann", "/home/ann/Lexiquill.lqd"},
        {"/home/ann/", "/home/ann/Lexiquill.lqd"},
        {"/", "/Lexiquill.lqd"},
        {"", "Lexiquill.lqd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(joinFolder(c.folder, "Lexiquill.lqd"), c.path) << c.folder;
        EXPECT_EQ(DictionaryStore::ownFilePathIn(c.folder), c.path) << c.folder;
    }
}

}  // namespace
}  // namespace lq::test
