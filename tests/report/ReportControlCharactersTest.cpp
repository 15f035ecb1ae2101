// Control characters that old dictionaries or imported texts may hold never reach a report as
// they are: a report printed with cat can't drive the terminal, and no text can start a new line
// of the table. The dictionary keeps its bytes.
#include <gtest/gtest.h>

#include "ReportFixtures.h"
#include "report/core/HtmlReport.h"
#include "report/core/ReportFormatting.h"
#include "report/core/ReportOrder.h"
#include "report/core/TextReport.h"
#include "store/DictionaryImage.h"

namespace lq::test {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

struct ControlCase {
    const char* what;
    std::string stored;
    std::string text;  // as the text report writes it
    std::string html;  // as the page writes it
};

const ControlCase kCases[] = {
    {"escape sequence that sets a title", "a\x1b]0;owned\x07z", "a" + kReplacement + "]0;owned" +
                                                                     kReplacement + "z",
     "a&#65533;]0;owned&#65533;z"},
    {"CR LF that would forge a line", "one\r\ntwo", "one" + kReplacement + kReplacement + "two",
     "one&#65533;&#65533;two"},
    {"NUL-free C0 and DEL", "x\x01y\x7f", "x" + kReplacement + "y" + kReplacement,
     "x&#65533;y&#65533;"},
    {"C1 control in UTF-8 (CSI)", "a\xC2\x9B" "2J", "a" + kReplacement + "2J", "a&#65533;2J"},
    {"tab is kept", "a\tb", "a\tb", "a\tb"},
    {"text without controls", "Stra\xC3\x9F" "e", "Stra\xC3\x9F" "e", "Stra&#223;e"},
};

TEST(ReportControlCharactersTest, AreWrittenAsTheReplacementCharacter) {
    for (const ControlCase& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(reportText(c.stored), c.text);
        std::string page;
        appendHtmlEscaped(page, c.stored);
        EXPECT_EQ(page, c.html);
    }
}

TEST(ReportControlCharactersTest, NeverReachAReportAndTheDictionaryKeepsItsBytes) {
    const std::string escape = "\x1b[2J\x1b]0;title\x07";
    const Dictionary dictionary = makeDictionary(
        {"Eng\x1blish"}, {"Fo\r\nod"}, {{"w\x1bord", 0, 0, 1, 2, escape, "tr\x9b" "an"}});
    const Dictionary before = dictionary;
    StringSink text;
    ASSERT_TRUE(writeTextReport(text, dictionary, sortWordsByText(dictionary), {0, 0}));
    StringSink html;
    ASSERT_TRUE(writeHtmlReport(html, dictionary, sortWordsByText(dictionary), {0, 0},
                                ReportOptions{}));
    for (const std::string& report : {text.bytes(), html.bytes()}) {
        EXPECT_EQ(report.find('\x1b'), std::string::npos);
        EXPECT_EQ(report.find('\x07'), std::string::npos);
        // Every line end is the report's own CR LF, never a bare one from a text.
        for (std::size_t at = report.find('\r'); at != std::string::npos;
             at = report.find('\r', at + 1)) {
            EXPECT_EQ(report.substr(at, 2), "\r\n");
        }
    }
    EXPECT_EQ(text.bytes().find("Fo\r\nod"), std::string::npos);
    EXPECT_NE(text.bytes().find("w" + kReplacement + "ord"), std::string::npos);
    EXPECT_EQ(dictionaryBytes(dictionary), dictionaryBytes(before));
}

}  // namespace
}  // namespace lq::test
