#include <gtest/gtest.h>

#include "report/core/ReportOptions.h"

namespace lq::test {
namespace {

struct PackedCase {
    uint8_t cellOptions;
    uint8_t styleOptions;
    ReportOptions options;
};

TEST(ReportOptionsTest, HeaderBytesAndOptionsCorrespond) {
    const std::vector<PackedCase> cases = {
        {0x02, 0x70, {ReportFormat::Html, 7, 0, 0, 2}},  // a new dictionary's
        {0x00, 0x00, {ReportFormat::Html, 0, 0, 0, 0}},
        {0xFF, 0xFF, {ReportFormat::Text, 7, 15, 15, 15}},
        {0x19, 0xB5, {ReportFormat::Text, 3, 5, 1, 9}},
        {0xF0, 0x0F, {ReportFormat::Html, 0, 15, 15, 0}},
    };
    for (const auto& c : cases) {
        DictionaryHeader header{};
        header.reportCellOptions = c.cellOptions;
        header.reportStyleOptions = c.styleOptions;
        EXPECT_EQ(unpackReportOptions(header), c.options)
            << int(c.cellOptions) << " " << int(c.styleOptions);

        DictionaryHeader packed{};
        packReportOptions(c.options, packed);
        EXPECT_EQ(packed.reportCellOptions, c.cellOptions);
        EXPECT_EQ(packed.reportStyleOptions, c.styleOptions);
    }
}

TEST(ReportOptionsTest, EveryPairOfBytesSurvivesUnpackingAndPacking) {
    for (int cell = 0; cell < 256; ++cell) {
        for (int style = 0; style < 256; ++style) {
            DictionaryHeader header{};
            header.reportCellOptions = static_cast<uint8_t>(cell);
            header.reportStyleOptions = static_cast<uint8_t>(style);
            DictionaryHeader packed{};
            packReportOptions(unpackReportOptions(header), packed);
            ASSERT_EQ(packed.reportCellOptions, cell);
            ASSERT_EQ(packed.reportStyleOptions, style);
        }
    }
}

TEST(ReportOptionsTest, PackingTouchesOnlyTheReportBytesAndNoValueSpillsOver) {
    DictionaryHeader header{};
    header.optionFlags = 0x03;
    header.timeLimitIndex = 5;
    header.reserved = 0x10;
    packReportOptions({ReportFormat::Html, 9, 16, 17, -1}, header);
    EXPECT_EQ(header.reportCellOptions, 0x1F);
    EXPECT_EQ(header.reportStyleOptions, 0x10);
    EXPECT_EQ(header.optionFlags, 0x03);
    EXPECT_EQ(header.timeLimitIndex, 5);
    EXPECT_EQ(header.reserved, 0x10);
}

TEST(ReportOptionsTest, FontIndexOutsideTheTableStillNamesAFace) {
    EXPECT_EQ(htmlFontFace(7), "Verdana");
    EXPECT_EQ(htmlFontFace(8), "Arial");
    EXPECT_EQ(htmlFontFace(-1), "Verdana");
}

}  // namespace
}  // namespace lq::test
