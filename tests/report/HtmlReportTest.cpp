#include <gtest/gtest.h>

#include <algorithm>

#include "ReportFixtures.h"
#include "report/core/HtmlReport.h"
#include "report/core/ReportOrder.h"

namespace lq::test {
namespace {

const std::string kPageStart =
    "<html><head><title>Lexiquill' Report</title></head><body bgcolor=\"#FFEEDD\">";

std::string headRow(const std::string& face) {
    return "<tr bgcolor=\"#664422\"><td width=\"5%\" align=\"right\"><b><font size=\"2\" "
           "color=\"#FFFFFF\" face=\"" +
           face +
           "\">#&nbsp;&nbsp;</font></b></td><td width=\"20%\"><b><font size=\"2\" "
           "color=\"#FFFFFF\" face=\"" +
           face +
           "\">Word</font></b></td><td width=\"35%\"><b><font size=\"2\" color=\"#FFFFFF\" "
           "face=\"" +
           face +
           "\">Translation</font></b></td><td width=\"20%\"><b><font size=\"2\" "
           "color=\"#FFFFFF\" face=\"" +
           face +
           "\">Transcription</font></b></td><td width=\"20%\"><b><font size=\"2\" "
           "color=\"#FFFFFF\" face=\"" +
           face + "\">Testing <font size=\"1\">(valid/total)</font></b></td></tr>";
}

std::string htmlReport(const Dictionary& dictionary, const ReportFilter& filter,
                       const ReportOptions& options) {
    StringSink sink;
    EXPECT_TRUE(writeHtmlReport(sink, dictionary, sortWordsByText(dictionary), filter, options));
    return sink.bytes();
}

TEST(HtmlReportTest, DefaultLookWithEveryWord) {
    const std::string cell = "<font size=\"2\" color=\"#440022\" face=\"Verdana\">";
    const std::string expected =
        kPageStart +
        "<b><font face=\"Verdana\" size=\"4\" color=\"#884422\">All themes (all "
        "languages)</font></b><hr>"
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">" +
        headRow("Verdana") + "<tr bgcolor=\"#DDCCBB\"><td align=\"right\">" + cell +
        "1&nbsp;&nbsp;</font></td><td>" + cell + "Brot</font></td><td>" + cell +
        "bread</font></td><td>" + cell + "[bro:t]</font></td><td>" + cell +
        "0 / 0</font></td></tr>" + "<tr bgcolor=\"#EEDDCC\"><td align=\"right\">" + cell +
        "2&nbsp;&nbsp;</font></td><td>" + cell + "cat</font></td><td>" + cell +
        "small feline</font></td><td>" + cell + "[kaet]</font></td><td>" + cell +
        "1 / 2</font></td></tr>" + "<tr bgcolor=\"#DDCCBB\"><td align=\"right\">" + cell +
        "3&nbsp;&nbsp;</font></td><td>" + cell + "dog</font></td><td>" + cell +
        "a domestic animal</font></td><td>" + cell + "[dog]</font></td><td>" + cell +
        "3 / 4</font></td></tr>" + "</table><hr></body></html>";
    EXPECT_EQ(htmlReport(reportDictionary(), {-1, -1}, ReportOptions{}), expected);
}

TEST(HtmlReportTest, NoWordsAfterTheTableInTheChosenLook) {
    const ReportOptions options{ReportFormat::Html, 2, 3, 15, 0};
    const std::string expected =
        kPageStart +
        "<b><font face=\"Courier New\" size=\"4\" color=\"#884422\">Food "
        "(English)</font></b><hr>"
        "<table width=\"100%\" border=\"3\" cellspacing=\"15\" cellpadding=\"0\">" +
        headRow("Courier New") +
        "</table><hr><b><font size=\"2\" color=\"#662244\" face=\"Courier New\">No "
        "words</font></b></body></html>";
    EXPECT_EQ(htmlReport(reportDictionary(), {1, 0}, options), expected);
    EXPECT_EQ(htmlReport(makeDictionary({"English"}, {"Food"}, {}), {0, 0}, options), expected);
}

TEST(HtmlReportTest, EveryFaceOfTheTableReachesTheCells) {
    const std::vector<std::string> faces = {"Arial",           "Comic Sans MS", "Courier New",
                                            "MS Sans Serif",   "System",        "Tahoma",
                                            "Times New Roman", "Verdana"};
    for (int32_t index = 0; index < 8; ++index) {
        const ReportOptions options{ReportFormat::Html, index, 0, 0, 2};
        const std::string page = htmlReport(reportDictionary(), {-1, -1}, options);
        EXPECT_NE(page.find(headRow(faces[index])), std::string::npos) << index;
        EXPECT_NE(page.find("face=\"" + faces[index] + "\">3&nbsp;&nbsp;"), std::string::npos)
            << index;
    }
}

TEST(HtmlReportTest, DictionaryTextsStayTextInThePage) {
    const Dictionary dictionary =
        makeDictionary({"\"quoted\""}, {"<script>alert(1)</script>"},
                       {{"Tom & \"Jerry\"", 0, 0, 0, 0, "<b>bold</b>", "a>b&c"}});
    const std::string page = htmlReport(dictionary, {0, 0}, ReportOptions{});
    const std::string cell = "<td><font size=\"2\" color=\"#440022\" face=\"Verdana\">";
    EXPECT_NE(page.find("color=\"#884422\">&lt;script&gt;alert(1)&lt;/script&gt; "
                        "(&quot;quoted&quot;)</font>"),
              std::string::npos);
    EXPECT_NE(page.find(cell + "Tom &amp; &quot;Jerry&quot;</font></td>" + cell +
                        "&lt;b&gt;bold&lt;/b&gt;</font></td>" + cell + "a&gt;b&amp;c</font></td>"),
              std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("<b>bold"), std::string::npos);
}

bool isAscii(const std::string& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The page shows the same in a browser that assumes UTF-8 and in one that assumes
// Windows-1252: every character outside ASCII is a numeric reference, whatever the bytes of
// the dictionary.
TEST(HtmlReportTest, ThePageIsAsciiWithEveryOtherCharacterAsANumericReference) {
    const struct {
        const char* what;
        std::string stored;
        std::string written;
    } texts[] = {
        {"UTF-8", "Müller", "M&#252;ller"},
        {"Windows-1252", "M\xFCller", "M&#252;ller"},
        {"UTF-8 sharp s", "Weiß", "Wei&#223;"},
        {"Windows-1252 euro", "5 \x80", "5 &#8364;"},
        {"Windows-1252 quotes are no markup", "\x93<b>\x94", "&#8220;&lt;b&gt;&#8221;"},
        {"IPA", "[ˈmʏlɐ]", "[&#712;m&#655;l&#592;]"},
        {"wide characters", "東京", "&#26481;&#20140;"},
        {"four-byte character", "\xF0\x9F\x98\x80", "&#128512;"},
        {"markup among letters", "Tom & \"Jérôme\"", "Tom &amp; &quot;J&#233;r&#244;me&quot;"},
    };
    const std::string cell = "<td><font size=\"2\" color=\"#440022\" face=\"Verdana\">";
    for (const auto& text : texts) {
        const Dictionary dictionary = makeDictionary(
            {"Espa\xF1ol"}, {"Wörter"}, {{text.stored, 0, 0, 0, 0, text.stored, text.stored}});
        const std::string page = htmlReport(dictionary, {0, 0}, ReportOptions{});
        EXPECT_TRUE(isAscii(page)) << text.what;
        EXPECT_NE(page.find(cell + text.written + "</font></td>" + cell + text.written +
                            "</font></td>" + cell + text.written + "</font></td>"),
                  std::string::npos)
            << text.what;
        EXPECT_NE(page.find("color=\"#884422\">W&#246;rter (Espa&#241;ol)</font>"),
                  std::string::npos)
            << text.what;
    }
}

TEST(HtmlReportTest, AnyFailedWriteFailsTheReportAndEndsIt) {
    const Dictionary dictionary = reportDictionary();
    const std::vector<int32_t> order = sortWordsByText(dictionary);
    for (const ReportFilter filter : {ReportFilter{-1, -1}, ReportFilter{1, 0}}) {
        FailingSink counting(INT32_MAX);
        ASSERT_TRUE(writeHtmlReport(counting, dictionary, order, filter, ReportOptions{}));
        for (int failing = 1; failing <= counting.writes; ++failing) {
            FailingSink sink(failing);
            EXPECT_FALSE(writeHtmlReport(sink, dictionary, order, filter, ReportOptions{}))
                << "write " << failing;
            EXPECT_EQ(sink.writes, failing) << "nothing is written after a failure";
        }
    }
}

}  // namespace
}  // namespace lq::test
