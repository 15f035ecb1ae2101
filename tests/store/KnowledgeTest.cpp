#include <gtest/gtest.h>

#include <climits>

#include "store/Knowledge.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

using B = KnowledgeBand;

struct BandCase {
    int32_t right;
    int32_t tested;
    int32_t percent;        // only meaningful when tested != 0
    std::vector<B> passes;  // every band the word passes
};

const BandCase kBandCases[] = {
    {0, 0, 0, {B::NotTested}},
    {7, 0, 0, {B::NotTested}},  // untested whatever the right count says
    {0, 5, 0, {B::Unknown}},
    {1, 8, 12, {B::Unknown}},
    {1, 4, 25, {B::Unknown, B::Badknown}},
    {1, 3, 33, {B::Badknown}},
    {1, 2, 50, {B::Badknown, B::Wellknown}},
    {2, 3, 66, {B::Wellknown}},
    {3, 4, 75, {B::Wellknown, B::Goodknown}},
    {99, 100, 99, {B::Goodknown}},
    {199, 200, 99, {B::Goodknown}},
    {4, 4, 100, {B::Goodknown, B::FullyKnown}},
    {100, 100, 100, {B::Goodknown, B::FullyKnown}},
    {5, 4, 125, {}},  // right above tested: a damaged or foreign file
    {-1, 4, -25, {}},
    {INT32_MAX, 1, -100, {}},  // 32-bit arithmetic wraps
};

TEST(Knowledge, PercentAndBandsAtTheirEdges) {
    const B allBands[] = {B::NotTested, B::Unknown,   B::Badknown,
                          B::Wellknown, B::Goodknown, B::FullyKnown};
    for (const BandCase& c : kBandCases) {
        SCOPED_TRACE(std::to_string(c.right) + " of " + std::to_string(c.tested));
        const WordRecord word = makeWord({"w", 0, 0, c.right, c.tested});
        if (c.tested != 0) {
            EXPECT_EQ(knowledgePercent(word), c.percent);
        }
        for (B band : allBands) {
            const bool expected =
                std::find(c.passes.begin(), c.passes.end(), band) != c.passes.end();
            EXPECT_EQ(isInKnowledgeBand(word, band), expected) << static_cast<int>(band);
        }
        EXPECT_FALSE(isInKnowledgeBand(word, static_cast<B>(6)));
        EXPECT_FALSE(isInKnowledgeBand(word, static_cast<B>(-1)));
    }
}

// The band whose display name is exactly `name`, or -1: the names must tell the bands apart.
int32_t bandNamed(std::string_view name) {
    for (int32_t i = 0; i < kKnowledgeBandCount; ++i) {
        if (knowledgeBandName(static_cast<B>(i)) == name) {
            return i;
        }
    }
    return -1;
}

TEST(Knowledge, BandNamesAndTheirLookup) {
    const char* const names[] = {"wasn't tested",      "unknown (0-25%)",     "badknown (25-50%)",
                                 "wellknown (50-75%)", "goodknown (75-100%)", "100%-known (100%)"};
    for (int i = 0; i < kKnowledgeBandCount; ++i) {
        EXPECT_EQ(knowledgeBandName(static_cast<B>(i)), names[i]);
        EXPECT_EQ(bandNamed(names[i]), i);
    }
    EXPECT_EQ(bandNamed("Unknown (0-25%)"), -1);
    EXPECT_EQ(bandNamed("unknown"), -1);
    EXPECT_EQ(bandNamed("< doesn't matter >"), -1);
    EXPECT_EQ(knowledgeBandName(static_cast<B>(6)), "");
}

struct AverageCase {
    const char* what;
    std::vector<std::pair<int32_t, int32_t>> rightOfTested;
    int32_t average;
};

TEST(Knowledge, AverageIsPooledOverTheTestsNotTheWords) {
    const AverageCase cases[] = {
        {"no words", {}, 0},
        {"only untested words", {{0, 0}, {3, 0}}, 0},
        {"1 of 1 and 0 of 3", {{1, 1}, {0, 3}}, 25},
        {"untested words do not pull it down", {{1, 1}, {0, 3}, {0, 0}}, 25},
        {"2 of 3", {{2, 3}}, 66},
        {"all right", {{4, 4}, {1, 1}}, 100},
        {"199 of 200 over two words", {{100, 100}, {99, 100}}, 99},
    };
    for (const AverageCase& c : cases) {
        SCOPED_TRACE(c.what);
        WordTable words;
        for (auto [right, tested] : c.rightOfTested) {
            words.push_back(makeWord({"w", 0, 0, right, tested}));
        }
        EXPECT_EQ(averageKnowledge(words), c.average);
    }
}

TEST(Knowledge, PercentOfFollowsThirtyTwoBitArithmetic) {
    EXPECT_EQ(percentOf(3, 4), 75);
    EXPECT_EQ(percentOf(5, 0), 0);
    EXPECT_EQ(percentOf(INT32_MIN / 100, -1), INT32_MIN / 100 * -100);
    EXPECT_EQ(percentOf(INT32_MAX, -1), 100);  // INT32_MAX * 100 wraps to -100
}

}  // namespace
}  // namespace lq::test
