// Quoting of fields both ways, and the time form of the created column.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "import/core/CsvFormat.h"
#include "import/core/CsvReader.h"
#include "support/TableCases.h"

namespace lq::test {
namespace {

struct QuotingCase {
    const char* name;
    char delimiter;
    std::string text;
    std::string written;
};

class QuotingTest : public ::testing::TestWithParam<QuotingCase> {};

TEST_P(QuotingTest, QuotesOnlyWhatNeedsItAndReadsBackTheSameText) {
    const QuotingCase& c = GetParam();
    std::string out;
    appendCsvField(out, c.text, c.delimiter);
    EXPECT_EQ(out, c.written);

    // The field between two others, so that its delimiters and line ends are tested too.
    std::string row = "a";
    row.push_back(c.delimiter);
    row += out;
    row.push_back(c.delimiter);
    row += "z\r\n";
    CsvReader reader(row, c.delimiter);
    const CsvRow* read = reader.next();
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->size(), 3u);
    EXPECT_EQ(read->field(1), c.text);
    EXPECT_EQ(reader.next(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, QuotingTest,
    ::testing::Values(QuotingCase{"Plain", ',', "Haus", "Haus"}, QuotingCase{"Empty", ',', "", ""},
                      QuotingCase{"InnerSpace", ',', "good morning", "good morning"},
                      QuotingCase{"Comma", ',', "a, b", "\"a, b\""},
                      QuotingCase{"Quote", ',', "say \"hi\"", "\"say \"\"hi\"\"\""},
                      QuotingCase{"LineFeed", ',', "one\ntwo", "\"one\ntwo\""},
                      QuotingCase{"CarriageReturn", ',', "one\rtwo", "\"one\rtwo\""},
                      QuotingCase{"LeadingSpace", ',', " to be", "\" to be\""},
                      QuotingCase{"TrailingSpace", ',', "be ", "\"be \""},
                      QuotingCase{"SemicolonInCommaFile", ',', "a;b", "a;b"},
                      QuotingCase{"TabInCommaFile", ',', "a\tb", "a\tb"},
                      QuotingCase{"TabInTabFile", '\t', "a\tb", "\"a\tb\""},
                      QuotingCase{"CommaInTabFile", '\t', "a, b", "a, b"},
                      QuotingCase{"QuoteInTabFile", '\t', "\"x\"", "\"\"\"x\"\"\""},
                      QuotingCase{"Utf8", ',', "Straße, groß", "\"Straße, groß\""}),
    CaseName());

struct TimeCase {
    const char* name;
    std::string text;
    std::optional<SYSTEMTIME> time;
};

class TimeParseTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeParseTest, ReadsValidDatesWithTheirDayOfWeekAndRefusesTheRest) {
    const TimeCase& c = GetParam();
    const std::optional<SYSTEMTIME> parsed = parseCsvTime(c.text);
    ASSERT_EQ(parsed.has_value(), c.time.has_value());
    if (parsed) {
        EXPECT_EQ(std::memcmp(&*parsed, &*c.time, sizeof(SYSTEMTIME)), 0)
            << csvTimeText(*parsed) << " day " << parsed->dayOfWeek;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TimeParseTest,
    ::testing::Values(
        TimeCase{"Full", "2007-03-05 09:07:03", SYSTEMTIME{2007, 3, 1, 5, 9, 7, 3, 0}},
        TimeCase{"WithT", "2024-02-29T23:59:59", SYSTEMTIME{2024, 2, 4, 29, 23, 59, 59, 0}},
        TimeCase{"DateOnly", "2000-01-01", SYSTEMTIME{2000, 1, 6, 1, 0, 0, 0, 0}},
        TimeCase{"NoSeconds", "1999-12-31 18:30", SYSTEMTIME{1999, 12, 5, 31, 18, 30, 0, 0}},
        TimeCase{"NoLeapDay", "2023-02-29 00:00:00", std::nullopt},
        TimeCase{"CenturyNotLeap", "1900-02-29", std::nullopt},
        TimeCase{"Month13", "2007-13-01", std::nullopt},
        TimeCase{"Hour24", "2007-03-05 24:00:00", std::nullopt},
        TimeCase{"Minute60", "2007-03-05 10:60:00", std::nullopt},
        TimeCase{"DayZero", "2007-03-00", std::nullopt},
        TimeCase{"OtherOrder", "05.03.2007", std::nullopt},
        TimeCase{"ShortYear", "07-03-05", std::nullopt},
        TimeCase{"TrailingText", "2007-03-05 09:07:03 pm", std::nullopt},
        TimeCase{"Signs", "2007-+3-05", std::nullopt}, TimeCase{"Empty", "", std::nullopt},
        TimeCase{"Words", "yesterday", std::nullopt}),
    CaseName());

TEST(CsvTimeTextTest, WritesSecondsAndDropsMilliseconds) {
    EXPECT_EQ(csvTimeText(SYSTEMTIME{2007, 3, 1, 5, 9, 7, 3, 250}), "2007-03-05 09:07:03");
    EXPECT_EQ(csvTimeText(SYSTEMTIME{1601, 1, 1, 1, 0, 0, 0, 0}), "1601-01-01 00:00:00");
}

}  // namespace
}  // namespace lq::test
