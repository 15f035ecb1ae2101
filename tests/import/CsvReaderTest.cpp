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
        ReadCase{"CrAloneBeforeALineFeed",
                 ',',
                 "a,b\rc,d\ne,f\rg,h",
                 {{1, {"a", "b"}}, {2, {"c", "d"}}, {3, {"e", "f"}}, {4, {"g", "h"}}}},
        ReadCase{"QuoteInsideAnUnquotedFieldIsText", ',', "a,b\"c\n", {{1, {"a", "b\"c"}}}},
        ReadCase{"ClosedQuoteAtTheEnd", ',', "a,\"b\"", {{1, {"a", "b"}}}},
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

TEST(CsvRowTest, KeepsTheFirstColumnsAndCountsTheRest) {
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += std::to_string(i) + ",";
    }
    CsvReader reader(text, ',');
    const CsvRow* row = reader.next();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->size(), 101u);
    EXPECT_EQ(row->field(kMaxCsvColumns - 1), std::to_string(kMaxCsvColumns - 1));
    EXPECT_EQ(row->field(kMaxCsvColumns), "");
}

// A quote never closed, or a field longer than the limit, ends the reading at the row that holds
// it; the rows before it are read as usual. The line is the one on which that field begins.
struct StopCase {
    const char* name;
    std::string text;
    std::size_t fieldLimit;
    std::vector<ReadRow> rows;
    CsvStop stop;
    int64_t line;
};

std::string longQuotedLine(bool closed) {
    std::string text = "\"";
    for (int i = 0; i < 40'000; ++i) {
        text += "ab\"\"";  // doubled quotes fall on many places where a piece may end
    }
    return text + (closed ? "\",x\nnext,row\n" : "\nnext,row\n");
}

class CsvStopTest : public ::testing::TestWithParam<StopCase> {};

TEST_P(CsvStopTest, ReadsTheRowsBeforeAndNamesTheLineAndWhy) {
    const StopCase& c = GetParam();
    CsvReader reader(c.text, ',', c.fieldLimit);
    std::vector<ReadRow> rows;
    while (const CsvRow* row = reader.next()) {
        ReadRow& read = rows.emplace_back(ReadRow{row->line(), {}});
        for (std::size_t i = 0; i < row->size(); ++i) {
            read.fields.emplace_back(row->field(i));
        }
    }
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(reader.stop(), c.stop);
    EXPECT_EQ(reader.stopLine(), c.stop == CsvStop::None ? 0 : c.line);
    EXPECT_EQ(reader.next(), nullptr) << "a stopped reader stays stopped";
}

// Where a quoted field is longer than the limit, the reader looks ahead for its closing quote
// instead of reading on; libcsv reading to the end must come to the same answer.
TEST_P(CsvStopTest, AnEarlyStopAgreesWithReadingToTheEnd) {
    const StopCase& c = GetParam();
    CsvReader early(c.text, ',', c.fieldLimit);
    CsvReader onward(c.text, ',', c.text.size());
    while (early.next() != nullptr) {
    }
    while (onward.next() != nullptr) {
    }
    EXPECT_EQ(early.stop() == CsvStop::UnclosedQuote, onward.stop() == CsvStop::UnclosedQuote);
    if (onward.stop() == CsvStop::UnclosedQuote) {
        EXPECT_EQ(early.stopLine(), onward.stopLine());
    }
}

constexpr std::size_t kLimit = kMaxCsvFieldBytes;
const std::string k64KiB(kLimit, 'x');

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvStopTest,
    ::testing::Values(
        StopCase{
            "UnclosedQuoteRefusesTheRest", "a,\"b\nc\n", kLimit, {}, CsvStop::UnclosedQuote, 1},
        StopCase{"UnclosedQuoteAfterRows",
                 "a,b\r\n\r\nc,\"d\r\ne,f\r\n",
                 kLimit,
                 {{1, {"a", "b"}}},
                 CsvStop::UnclosedQuote,
                 3},
        StopCase{"UnclosedQuoteWithoutALastLineEnd",
                 "a,b\n\"c",
                 kLimit,
                 {{1, {"a", "b"}}},
                 CsvStop::UnclosedQuote,
                 2},
        StopCase{
            "DoubledQuoteAtTheEndLeavesItOpen", "a,\"b\"\"", kLimit, {}, CsvStop::UnclosedQuote, 1},
        StopCase{"QuoteOpenedOnALaterLineOfItsRow",
                 "\"x\ny\",z,\"w\nmore\n",
                 kLimit,
                 {},
                 CsvStop::UnclosedQuote,
                 2},
        StopCase{"FieldAtTheLimit", "12345678,x\n", 8, {{1, {"12345678", "x"}}}, CsvStop::None, 0},
        StopCase{"QuotedFieldAtTheLimit",
                 "\"1234\n678\",x\n",
                 8,
                 {{1, {"1234\n678", "x"}}},
                 CsvStop::None,
                 0},
        StopCase{"LongUnquotedField",
                 "ab,cd\n123456789,x\ny,z\n",
                 8,
                 {{1, {"ab", "cd"}}},
                 CsvStop::LongField,
                 2},
        StopCase{"LongFieldBeginsOnALaterLineOfItsRow",
                 "a,\"b\nc\",123456789\n",
                 8,
                 {},
                 CsvStop::LongField,
                 2},
        StopCase{"LongQuotedFieldThatCloses",
                 "a\n\"1234\n56789\",x\nb\n",
                 8,
                 {{1, {"a"}}},
                 CsvStop::LongField,
                 2},
        StopCase{"LongQuotedFieldNeverClosed",
                 "a\n\"123456789\nb\nc\n",
                 8,
                 {{1, {"a"}}},
                 CsvStop::UnclosedQuote,
                 2},
        StopCase{"LaterQuotesDoubledLeaveItOpen",
                 "\"123456789\nsay \"\"hi\"\"\n",
                 8,
                 {},
                 CsvStop::UnclosedQuote,
                 1},
        StopCase{"LaterQuoteFollowedByTextLeavesItOpen",
                 "\"123456789\nb\"c\n",
                 8,
                 {},
                 CsvStop::UnclosedQuote,
                 1},
        StopCase{"LaterQuoteBeforeSpacesAndTheEndClosesIt",
                 "\"123456789\nb\"  ",
                 8,
                 {},
                 CsvStop::LongField,
                 1},
        StopCase{"LaterQuoteAfterSpacesKeepsItClosable",
                 "\"123456789\nb\" \" ,x\n",
                 8,
                 {},
                 CsvStop::LongField,
                 1},
        StopCase{"LaterQuoteBeforeALineEndClosesIt",
                 "\"123456789\nb\"\nnext\n",
                 8,
                 {},
                 CsvStop::LongField,
                 1},
        StopCase{
            "FieldOf64KiBIsRead", k64KiB + ",x\n", kLimit, {{1, {k64KiB, "x"}}}, CsvStop::None, 0},
        StopCase{"FieldLongerThan64KiB",
                 "a,b\n" + k64KiB + "x,y\nc,d\n",
                 kLimit,
                 {{1, {"a", "b"}}},
                 CsvStop::LongField,
                 2},
        StopCase{"LongQuotedLineNeverClosed",
                 longQuotedLine(false),
                 kLimit,
                 {},
                 CsvStop::UnclosedQuote,
                 1},
        StopCase{
            "LongQuotedLineThatCloses", longQuotedLine(true), kLimit, {}, CsvStop::LongField, 1}),
    CaseName());

TEST(CsvStopTest, ALongFieldIsLeftBeforeTheRestOfItsLineIsRead) {
    const std::string text = "a,b\n" + std::string(10 * kMaxCsvFieldBytes, 'x') + "\nc,d\n";
    CsvReader reader(text, ',');
    ASSERT_NE(reader.next(), nullptr);
    EXPECT_EQ(reader.next(), nullptr);
    EXPECT_EQ(reader.stop(), CsvStop::LongField);
    EXPECT_LT(reader.position(), 2 * kMaxCsvFieldBytes);
}

TEST(CsvStopReasonTest, SaysWhatHappenedAndThatTheRestWasNotRead) {
    EXPECT_EQ(csvLineNote(50002, csvStopReason(CsvStop::UnclosedQuote)),
              "Line 50002: a quote opened here is never closed, so the rest of the file was not "
              "read.");
    EXPECT_EQ(csvLineNote(7, csvStopReason(CsvStop::LongField)),
              "Line 7: a field that begins here is longer than 64 KiB, so the rest of the file "
              "was not read.");
}

struct PreviewCase {
    const char* name;
    std::string cell;
    std::string shown;
};

class CsvPreviewCellTest : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(CsvPreviewCellTest, ShowsAtMost200Characters) {
    const PreviewCase& c = GetParam();
    const CsvPreview preview = csvPreview("\"" + c.cell + "\",x\n", ',', 5);
    ASSERT_EQ(preview.rows.size(), 1u);
    EXPECT_EQ(preview.rows[0], (std::vector<std::string>{c.shown, "x"}));
}

std::string times(std::size_t count, std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += text;
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CsvPreviewCellTest,
    ::testing::Values(PreviewCase{"ShortKept", "Haus", "Haus"},
                      PreviewCase{"TwoHundredKept", times(200, "a"), times(200, "a")},
                      PreviewCase{"LongerEndsInAnEllipsis", times(201, "a"), times(199, "a") + "…"},
                      PreviewCase{"CountsCharactersNotBytes", times(250, "ж"),
                                  times(199, "ж") + "…"},
                      PreviewCase{"FourByteCharacters", times(300, "😀"), times(199, "😀") + "…"},
                      PreviewCase{"LineBreaksCount", times(201, "\n"), times(199, "\n") + "…"}),
    CaseName());

TEST(CsvPreviewTest, KeepsTheFirstRowsAndNotesAStopFarBelowThem) {
    std::string text = "word,translation\n";
    for (int i = 0; i < 50; ++i) {
        text += "w" + std::to_string(i) + ",t\n";
    }
    text += "late,\"never closed\nx,y\n";
    const CsvPreview preview = csvPreview(text, ',', 3);
    EXPECT_EQ(preview.rows, (std::vector<std::vector<std::string>>{
                                {"word", "translation"}, {"w0", "t"}, {"w1", "t"}}));
    EXPECT_EQ(preview.note, csvLineNote(52, csvStopReason(CsvStop::UnclosedQuote)));
    EXPECT_EQ(csvPreview("a,b\n", ',', 3).note, "");
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
        LayoutCase{"Empty", "", false, {N, N, N, N, N, N, N, N}},
        // Detection reads only the start of such a line; it still sees the names.
        LayoutCase{"FirstRowOfManyMegabytes",
                   "word;translation" + times(1'500'000, ";x") + "\nHaus;house\n",
                   true,
                   {0, 1, N, N, N, N, N, N}}),
    CaseName());

}  // namespace
}  // namespace lq::test
