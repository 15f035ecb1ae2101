#include "selftest/core/TestOptions.h"

#include <gtest/gtest.h>

#include "support/FixedClock.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

TEST(TestOptionsTest, TablesAtTheirEndsAndDefaults) {
    struct Case {
        int position;
        int32_t tests;
        int32_t variants;
        int32_t seconds;
    };
    const Case cases[] = {
        {0, 1, 1, 10},     {2, 3, 3, 60},      {3, 4, 4, 90},       {5, 10, 6, 180},
        {11, 40, 12, 540}, {12, 50, 13, 600},  {14, 70, 15, 1200},  {15, 80, 16, 1800},
        {-1, 1, 1, 10},    {16, 80, 16, 1800}, {127, 80, 16, 1800}, {-128, 1, 1, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testCountAt(c.position), c.tests) << c.position;
        EXPECT_EQ(variantCountAt(c.position), c.variants) << c.position;
        EXPECT_EQ(timeLimitSecondsAt(c.position), c.seconds) << c.position;
    }
}

TEST(TestOptionsTest, HeaderPositionsGiveTheirValues) {
    DictionaryHeader header = newDictionaryHeader(FixedClock().now);
    EXPECT_EQ(testCount(header), 10);
    EXPECT_EQ(variantCount(header), 4);
    EXPECT_EQ(timeLimitSeconds(header), 60);

    header.testCountIndex = 15;
    header.variantCountIndex = 0;
    header.timeLimitIndex = 15;
    EXPECT_EQ(testCount(header), 80);
    EXPECT_EQ(variantCount(header), 1);
    EXPECT_EQ(timeLimitSeconds(header), 1800);
}

TEST(TestOptionsTest, Formats) {
    struct Case {
        uint32_t seconds;
        const char* clock;
    };
    const Case cases[] = {{0, "00:00"},    {9, "00:09"},     {10, "00:10"},   {59, "00:59"},
                          {60, "01:00"},   {90, "01:30"},    {600, "10:00"},  {1800, "30:00"},
                          {3599, "59:59"}, {6000, "100:00"}, {6009, "100:09"}};
    for (const Case& c : cases) {
        EXPECT_EQ(formatMinutesSeconds(c.seconds), c.clock) << c.seconds;
    }
    for (const auto& [count, digits] :
         {std::pair{0u, "00"}, {1u, "01"}, {5u, "05"}, {10u, "10"}, {80u, "80"}, {100u, "100"}}) {
        EXPECT_EQ(formatTwoDigits(count), digits) << count;
    }
    EXPECT_EQ(formatCount(0), "0");
    EXPECT_EQ(formatCount(5), "5");
    EXPECT_EQ(formatCount(80), "80");
    EXPECT_EQ(formatCount(4294967295u), "4294967295");
}

TEST(TestOptionsTest, FilterTextsNameTheTableEntryOrAnyEntry) {
    Dictionary d = makeDictionary({"English", "German"}, {"Animals"}, {});
    EXPECT_EQ(themeFilterText(d), "< doesn't matter >");
    EXPECT_EQ(languageFilterText(d), "< doesn't matter >");

    d.header.testThemeFilter = 0;
    d.header.testLanguageFilter = 1;
    EXPECT_EQ(themeFilterText(d), "Animals");
    EXPECT_EQ(languageFilterText(d), "German");

    d.header.testThemeFilter = 1;  // past the table: nothing to name, nothing read
    EXPECT_EQ(themeFilterText(d), "");
}

}  // namespace
}  // namespace lq::test
