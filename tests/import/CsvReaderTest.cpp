// Reading rows and their lines, and detecting the delimiter, the header row and the columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/core/CsvReader.h"
#include "support/TableCases.h"

namespace lq::test {
namespace {

struct ReadRow {
    int64_t line;
    std::vector<std::string> fields;
    bool operator==(const ReadRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ReadRow& row) {
    out << "line " << row.line << ":";
    for (const std::string& field : row.fields) {
        out << " [" << field << "]";
    }
    return out;
}

std::vector<ReadRow> readAll(std::string_view text, char delimiter) {
    CsvReader reader(text, delimiter);
    std::vector<ReadRow> rows;
    while (const CsvRow* row = reader.next()) {
        ReadRow& read = rows.emplace_back(ReadRow{row->line(), {}});
        for (std::size_t i = 0; i < row->size(); ++i) {
            read.fields.emplace_back(row->field(i));
        }
    }
    EXPECT_EQ(reader.position(), text.size());
    return rows;
}

struct ReadCase {
    const char* name;
    char delimiter;
    std::string text;
    std::vector<ReadRow> rows;
};

class CsvReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvReadTest, GivesEveryRowWithTheLineItBeginsOn) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(readAll(c.text, c.delimiter), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvReadTest,
    ::testing::Values(
        ReadCase{"CrLf", ',', "a,b\r\nc,d\r\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        ReadCase{"Lf", ',', "a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        ReadCase{"CrAlone", ',', "a,b\rc,d\r", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        ReadCase{"NoLastLineEnd", ',', "a,b\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        ReadCase{"BlankLinesHoldNoRow",
                 ',',
                 "\r\na,b\r\n\r\n   \r\nc,d\r\n\r\n",
                 {{2, {"a", "b"}}, {5, {"c", "d"}}}},
        ReadCase{"QuotedLineBreaksKeepTheStartLine",
                 ',',
                 "\"one\r\ntwo\",x\r\nnext,y\r\n",
                 {{1, {"one\r\ntwo", "x"}}, {3, {"next", "y"}}}},
        ReadCase{
            "QuotedBlankLine", ',', "\"a\n\nb\",c\nd,e\n", {{1, {"a\n\nb", "c"}}, {4, {"d", "e"}}}},
        ReadCase{"DoubledQuotes", ',', "\"say \"\"hi\"\"\",x\n", {{1, {"say \"hi\"", "x"}}}},
        ReadCase{"SpacesAroundUnquotedDropped", ',', "  a b  ,  c\n", {{1, {"a b", "c"}}}},
        ReadCase{"SpacesInsideQuotesKept", ',', "\" a \",b\n", {{1, {" a ", "b"}}}},
        ReadCase{"EmptyFields", ',', ",,\n", {{1, {"", "", ""}}}},
        ReadCase{"RaggedRows", ',', "a\nb,c,d\n", {{1, {"a"}}, {2, {"b", "c", "d"}}}},
        ReadCase{"Semicolon", ';', "a;b,c\n", {{1, {"a", "b,c"}}}},
        ReadCase{"Tab", '\t', "a\tb c\n", {{1, {"a", "b c"}}}},
        ReadCase{"TabEmptyFirstField", '\t', "\tb\n", {{1, {"", "b"}}}},
        ReadCase{"TabLineOfTabsIsARow", '\t', "a\tb\n\t\n", {{1, {"a", "b"}}, {2, {"", ""}}}},
        ReadCase{"UnclosedQuoteTakesTheRest", ',', "a,\"b\nc\n", {{1, {"a", "b\nc\n"}}}},
        ReadCase{"Empty", ',', "", {}}),
    CaseName());

TEST(CsvRowTest, AFieldPastTheRowIsEmpty) {
    CsvReader reader("a,b\n", ',');
    const CsvRow* row = reader.next();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->field(1), "b");
    EXPECT_EQ(row->field(7), "");
}

TEST(CsvRowTest, ALongerRowAfterAShortOneKeepsNoStaleField) {
    CsvReader reader("a,b,c\nd\n", ',');
    ASSERT_NE(reader.next(), nullptr);
    const CsvRow* second = reader.next();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->size(), 1u);
    EXPECT_EQ(second->field(1), "");
}

struct DelimiterCase {
    const char* name;
    std::string text;
    char delimiter;
};

class DelimiterDetectionTest : public ::testing::TestWithParam<DelimiterCase> {};

TEST_P(DelimiterDetectionTest, PicksTheDelimiterTheRowsAgreeOn) {
    EXPECT_EQ(int{detectDelimiter(GetParam().text)}, int{GetParam().delimiter});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DelimiterDetectionTest,
    ::testing::Values(
        DelimiterCase{"Comma", "Haus,house\r\nBaum,tree\r\n", ','},
        DelimiterCase{"Semicolon", "Haus;house\r\nBaum;tree\r\n", ';'},
        DelimiterCase{"Tab", "Haus\thouse\nBaum\ttree\n", '\t'},
        DelimiterCase{"SemicolonWithCommasInTexts", "Hallo, Welt;hello, world\nja;yes\nnein;no\n",
                      ';'},
        DelimiterCase{"TabWithCommasInTexts", "eins, zwei\tone, two\nja\tyes\n", '\t'},
        DelimiterCase{"CommaWithQuotedSemicolons", "\"a;b\",c\n\"d;e\",f\ng,h\n", ','},
        DelimiterCase{"HeaderSettlesIt", "word;translation\nein, zwei, drei;one, two, three\n",
                      ';'},
        DelimiterCase{"OneColumnFallsBackToComma", "Haus\nBaum\n", ','},
        DelimiterCase{"Empty", "", ','}),
    CaseName());

struct LayoutCase {
    const char* name;
    std::string text;
    bool headerRow;
    CsvColumns columns;
};

class LayoutDetectionTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutDetectionTest, MapsColumnsByTheHeaderOrInTheExportsOrder) {
    const LayoutCase& c = GetParam();
    const CsvLayout layout = detectLayout(c.text);
    EXPECT_EQ(layout.headerRow, c.headerRow);
    EXPECT_EQ(layout.columns, c.columns);
}

constexpr int32_t N = kNoColumn;

INSTANTIATE_TEST_SUITE_P(
    Texts, LayoutDetectionTest,
    ::testing::Values(
        LayoutCase{"Export",
                   "word,translation,transcription,theme,language,right,tested,created\r\n"
                   "a,b,c,d,e,0,0,2007-03-05 09:07:03\r\n",
                   true,
                   {0, 1, 2, 3, 4, 5, 6, 7}},
        LayoutCase{"HeaderInOtherOrderAndCase",
                   "Translation;Notes;WORD;Theme\nb;x;a;t\n",
                   true,
                   {2, 0, N, 3, N, N, N, N}},
        LayoutCase{
            "OneNameIsNoHeader", "word\thaus\nBaum\ttree\n", false, {0, 1, N, N, N, N, N, N}},
        LayoutCase{"TwoColumnList", "Haus\thouse\nBaum\ttree\n", false, {0, 1, N, N, N, N, N, N}},
        LayoutCase{"ThreeColumns", "Haus,house,haʊs\n", false, {0, 1, 2, N, N, N, N, N}},
        LayoutCase{"Empty", "", false, {N, N, N, N, N, N, N, N}}),
    CaseName());

}  // namespace
}  // namespace lq::test
