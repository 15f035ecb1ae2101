// The import's small table of names already found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/core/RecentNames.h"

namespace lq::test {
namespace {

TEST(RecentNamesTest, AnswersOnlyForTheNameItWasGiven) {
    RecentNames recent;
    EXPECT_EQ(recent.find("Food"), kNoIndex);
    EXPECT_EQ(recent.find(""), kNoIndex);
    recent.remember("Food", 3);
    EXPECT_EQ(recent.find("Food"), 3);
    EXPECT_EQ(recent.find("food"), kNoIndex);
    EXPECT_EQ(recent.find("Foo"), kNoIndex);
    EXPECT_EQ(recent.find("Food "), kNoIndex);
}

// Far more names than slots: a name that lost its slot is not known, and no name ever gets
// another one's index.
TEST(RecentNamesTest, ANameThatSharesASlotIsForgottenNeverConfused) {
    RecentNames recent;
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i) {
        names.push_back("theme " + std::to_string(i));
        names.push_back(std::string(static_cast<std::size_t>(1 + i % 31), 'a' + i % 26));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        recent.remember(names[i], static_cast<int32_t>(i));
        ASSERT_EQ(recent.find(names[i]), static_cast<int32_t>(i)) << names[i];
    }
    int known = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int32_t found = recent.find(names[i]);
        if (found != kNoIndex) {
            ++known;
            // A repeated name was remembered again later under its later index.
            EXPECT_EQ(names[static_cast<std::size_t>(found)], names[i]);
        }
    }
    EXPECT_GT(known, 0);
}

// The names of a typical list, which cycle row after row, all stay known.
TEST(RecentNamesTest, TwentyNumberedThemesAllStay) {
    RecentNames recent;
    for (int i = 0; i < 20; ++i) {
        recent.remember("theme " + std::to_string(i), i);
    }
    int known = 0;
    for (int i = 0; i < 20; ++i) {
        known += recent.find("theme " + std::to_string(i)) == i;
    }
    EXPECT_GE(known, 16);
}

}  // namespace
}  // namespace lq::test
