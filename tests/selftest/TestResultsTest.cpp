#include "selftest/core/TestResults.h"

#include <gtest/gtest.h>

namespace lq::test {
namespace {

TEST(TestResultsTest, PercentRightCutsTheFractionOff) {
    struct Case {
        int32_t right;
        int32_t questions;
        int32_t percent;
    };
    const Case cases[] = {{7, 10, 70}, {10, 10, 100}, {0, 10, 0},   {1, 2, 50},
                          {2, 3, 66},  {4, 10, 40},   {79, 80, 98}, {1, 80, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(percentRight(c.right, c.questions), c.percent) << c.right << "/" << c.questions;
    }
}

// Every band edge; 50 % stays with the band below, 100 % alone gets the happiest face.
TEST(TestResultsTest, PictureBandsAtEveryEdge) {
    struct Band {
        int picture;
        int32_t from;
        int32_t to;
    };
    const Band bands[] = {{0, 0, 7},    {1, 8, 14},   {2, 15, 21},  {3, 22, 28},  {4, 29, 35},
                          {5, 36, 42},  {6, 43, 50},  {7, 51, 57},  {8, 58, 64},  {9, 65, 71},
                          {10, 72, 78}, {11, 79, 85}, {12, 86, 92}, {13, 93, 99}, {14, 100, 100}};
    for (const Band& b : bands) {
        EXPECT_EQ(resultPicture(b.from), b.picture) << b.from;
        EXPECT_EQ(resultPicture(b.to), b.picture) << b.to;
    }
}

TEST(TestResultsTest, PictureStaysInItsTableWhateverThePercentage) {
    EXPECT_EQ(resultPicture(-5), 0);
    EXPECT_EQ(resultPicture(101), 14);
    EXPECT_EQ(resultPicture(2147483647), 14);
}

}  // namespace
}  // namespace lq::test
