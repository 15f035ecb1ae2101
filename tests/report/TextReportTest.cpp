#include <gtest/gtest.h>

#include "ReportFixtures.h"
#include "report/core/ReportOrder.h"
#include "report/core/TextReport.h"
#include "store/TextEncoding.h"

namespace lq::test {
namespace {

const std::string kUnderscores = std::string(120, '_') + "\r\n";
const std::string kHyphens = std::string(120, '-') + "\r\n";
const std::string kColumnHeads = spaces(5) + "#" + spaces(20) + "Word" + spaces(31) +
                                 "Translation" + spaces(11) + "Transcription" + spaces(3) +
                                 "Testing (valid/total)\r\n";

std::string textReport(const Dictionary& dictionary, const ReportFilter& filter) {
    StringSink sink;
    EXPECT_TRUE(writeTextReport(sink, dictionary, sortWordsByText(dictionary), filter));
    return sink.bytes();
}

struct TextCase {
    const char* what;
    ReportFilter filter;
    std::string expected;
};

TEST(TextReportTest, WritesTheTableOfTheWordsThatPassTheFilters) {
    const std::string brot = spaces(5) + "1" + spaces(20) + "Brot" + spaces(37) + "bread" +
                             spaces(17) + "[bro:t]" + spaces(11) + "0/0\r\n";
    const std::vector<TextCase> cases = {
        {"everything",
         {-1, -1},
         "All themes (all languages)\r\n" + kUnderscores + kColumnHeads + kHyphens + brot +
             spaces(5) + "2" + spaces(21) + "cat" + spaces(30) + "small feline" + spaces(18) +
             "[kaet]" + spaces(11) + "1/2\r\n" + spaces(5) + "3" + spaces(21) + "dog" + spaces(25) +
             "a domestic animal" + spaces(19) + "[dog]" + spaces(11) + "3/4\r\n" + kUnderscores +
             "\r\n"},
        {"one theme, numbered without gaps",
         {0, -1},
         "Animals (all languages)\r\n" + kUnderscores + kColumnHeads + kHyphens + spaces(5) + "1" +
             spaces(21) + "cat" + spaces(30) + "small feline" + spaces(18) + "[kaet]" + spaces(11) +
             "1/2\r\n" + spaces(5) + "2" + spaces(21) + "dog" + spaces(25) + "a domestic animal" +
             spaces(19) + "[dog]" + spaces(11) + "3/4\r\n" + kUnderscores + "\r\n"},
        {"one language",
         {-1, 1},
         "All themes (German)\r\n" + kUnderscores + kColumnHeads + kHyphens + brot + kUnderscores +
             "\r\n"},
        {"no word passes",
         {1, 0},
         "Food (English)\r\n" + kUnderscores + kColumnHeads + kHyphens + kUnderscores +
             "No words\r\n"},
    };
    const Dictionary dictionary = reportDictionary();
    for (const auto& c : cases) {
        EXPECT_EQ(textReport(dictionary, c.filter), c.expected) << c.what;
    }
}

TEST(TextReportTest, EmptyDictionaryGivesTheHeadingsAndNoWords) {
    EXPECT_EQ(textReport(makeDictionary({}, {}, {}), {-1, -1}),
              "All themes (all languages)\r\n" + kUnderscores + kColumnHeads + kHyphens +
                  kUnderscores + "No words\r\n");
}

TEST(TextReportTest, LongTextsAreWrittenWholeAndShiftTheLine) {
    const std::string longWord = "Donaudampfschifffahrtskapitan";  // 29 bytes
    const std::string longTranslation(63, 't');
    const Dictionary dictionary = makeDictionary(
        {"German"}, {"Boats"}, {{longWord, 0, 0, 123456789, 2147483647, longTranslation, "x"}});
    const std::string row = spaces(5) + "1" + longWord + longTranslation + spaces(23) + "x" +
                            spaces(3) + "123456789/2147483647\r\n";
    EXPECT_EQ(textReport(dictionary, {-1, -1}), "All themes (all languages)\r\n" + kUnderscores +
                                                    kColumnHeads + kHyphens + row + kUnderscores +
                                                    "\r\n");
}

// A stored text, what the report shows of it, and how many terminal columns that takes.
struct ShownText {
    std::string stored;
    std::string shown;
    std::size_t columns;
};

std::string rightAligned(const ShownText& text, std::size_t width) {
    return spaces(width - text.columns) + text.shown;
}

// Every data line lines up in a terminal whatever the encoding of its texts, and old
// single-byte texts reach the file as UTF-8.
TEST(TextReportTest, TextsLineUpByDisplayColumnsAndAreWrittenInUtf8) {
    const struct {
        ShownText word, translation, transcription;
    } rows[] = {
        {{"Müller", "Müller", 6}, {"miller", "miller", 6}, {"[ˈmʏlɐ]", "[ˈmʏlɐ]", 7}},
        {{"Muller", "Muller", 6}, {"miller", "miller", 6}, {"[mul]", "[mul]", 5}},
        {{"Weiß", "Weiß", 4}, {"white", "white", 5}, {"[vaɪs]", "[vaɪs]", 6}},
        // Written on Windows: not UTF-8, so every byte is read as Windows-1252.
        {{"M\xFCller", "Müller", 6},
         {"5 \x80 a sack", "5 € a sack", 10},
         {"\x93m\xFCl\x94", "“mül”", 5}},
        // A combining diaeresis and wide characters.
        {{"Mu\u0308ller", "Mu\u0308ller", 6}, {"東京", "東京", 4}, {"[toːkyō]", "[toːkyō]", 8}},
    };
    std::vector<WordSpec> words;
    for (const auto& row : rows) {
        words.push_back(
            {row.word.stored, 0, 0, 0, 0, row.translation.stored, row.transcription.stored});
    }
    const Dictionary dictionary = makeDictionary({"Français"}, {"W\xF6rter"}, words);
    const std::vector<int32_t> order = sortWordsByText(dictionary);
    std::string expected = "Wörter (Français)\r\n" + kUnderscores + kColumnHeads + kHyphens;
    for (std::size_t line = 0; line < order.size(); ++line) {
        const auto& row = rows[static_cast<std::size_t>(order[line])];
        expected += spaces(5) + std::to_string(line + 1) + rightAligned(row.word, 24) +
                    rightAligned(row.translation, 42) + rightAligned(row.transcription, 24) +
                    spaces(11) + "0/0\r\n";
    }
    expected += kUnderscores + "\r\n";

    StringSink sink;
    ASSERT_TRUE(writeTextReport(sink, dictionary, order, {0, 0}));
    EXPECT_EQ(sink.bytes(), expected);
    EXPECT_TRUE(isValidUtf8(sink.bytes()));
}

TEST(TextReportTest, AnyFailedWriteFailsTheReportAndEndsIt) {
    const Dictionary dictionary = reportDictionary();
    const std::vector<int32_t> order = sortWordsByText(dictionary);
    for (const ReportFilter filter : {ReportFilter{-1, -1}, ReportFilter{1, 0}}) {
        FailingSink counting(INT32_MAX);
        ASSERT_TRUE(writeTextReport(counting, dictionary, order, filter));
        for (int failing = 1; failing <= counting.writes; ++failing) {
            FailingSink sink(failing);
            EXPECT_FALSE(writeTextReport(sink, dictionary, order, filter)) << "write " << failing;
            EXPECT_EQ(sink.writes, failing) << "nothing is written after a failure";
        }
    }
}

}  // namespace
}  // namespace lq::test
