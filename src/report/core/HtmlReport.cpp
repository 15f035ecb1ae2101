#include "report/core/HtmlReport.h"

#include <string>

#include "report/core/ReportFormatting.h"
#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::string_view kPageStart =
    "<html><head><title>Lexiquill' Report</title></head><body bgcolor=\"#FFEEDD\">";
constexpr std::string_view kPageEnd = "</body></html>";
constexpr std::string_view kTableEnd = "</table><hr>";

std::string heading(const Dictionary& dictionary, const ReportFilter& filter,
                    std::string_view face) {
    std::string html = "<b><font face=\"";
    html.append(face);
    html.append("\" size=\"4\" color=\"#884422\">");
    appendHtmlEscaped(html, reportThemeHeading(dictionary, filter.theme));
    html.append(" (");
    appendHtmlEscaped(html, reportLanguageHeading(dictionary, filter.language));
    html.append(")</font></b><hr>");
    return html;
}

std::string tableStart(const ReportOptions& options) {
    std::string html = "<table width=\"100%\" border=\"";
    appendNumber(html, options.border);
    html.append("\" cellspacing=\"");
    appendNumber(html, options.cellSpacing);
    html.append("\" cellpadding=\"");
    appendNumber(html, options.cellPadding);
    html.append("\">");
    return html;
}

// One white bold head cell: what comes before the face, and what follows it.
void appendHeadCell(std::string& html, std::string_view opening, std::string_view face,
                    std::string_view title) {
    html.append(opening);
    html.append("<b><font size=\"2\" color=\"#FFFFFF\" face=\"");
    html.append(face);
    html.append("\">");
    html.append(title);
}

std::string headRow(std::string_view face) {
    std::string html;
    appendHeadCell(html, "<tr bgcolor=\"#664422\"><td width=\"5%\" align=\"right\">", face,
                   "#&nbsp;&nbsp;</font></b></td>");
    appendHeadCell(html, "<td width=\"20%\">", face, "Word</font></b></td>");
    appendHeadCell(html, "<td width=\"35%\">", face, "Translation</font></b></td>");
    appendHeadCell(html, "<td width=\"20%\">", face, "Transcription</font></b></td>");
    appendHeadCell(html, "<td width=\"20%\">", face,
                   "Testing <font size=\"1\">(valid/total)</font></b></td></tr>");
    return html;
}

void appendCellStart(std::string& html, std::string_view face) {
    html.append("<font size=\"2\" color=\"#440022\" face=\"");
    html.append(face);
    html.append("\">");
}

void appendTextCell(std::string& html, std::string_view face, std::string_view text) {
    html.append("<td>");
    appendCellStart(html, face);
    appendHtmlEscaped(html, text);
    html.append("</font></td>");
}

std::string wordRow(int32_t row, const WordRecord& word, std::string_view face) {
    // Rows alternate their background, starting with the darker one.
    std::string html = row % 2 == 1 ? "<tr bgcolor=\"#DDCCBB\">" : "<tr bgcolor=\"#EEDDCC\">";
    html.append("<td align=\"right\">");
    appendCellStart(html, face);
    appendNumber(html, row);
    html.append("&nbsp;&nbsp;</font></td>");
    appendTextCell(html, face, fieldText(word.word));
    appendTextCell(html, face, fieldText(word.translation));
    appendTextCell(html, face, fieldText(word.transcription));
    html.append("<td>");
    appendCellStart(html, face);
    appendNumber(html, word.rightCount);
    html.append(" / ");
    appendNumber(html, word.testedCount);
    html.append("</font></td></tr>");
    return html;
}

std::string noWords(std::string_view face) {
    std::string html = "<b><font size=\"2\" color=\"#662244\" face=\"";
    html.append(face);
    html.append("\">No words</font></b>");
    return html;
}

}  // namespace

bool writeHtmlReport(ReportSink& sink, const Dictionary& dictionary,
                     const std::vector<int32_t>& order, const ReportFilter& filter,
                     const ReportOptions& options) {
    const std::string_view face = htmlFontFace(options.fontIndex);
    if (!sink.write(kPageStart) || !sink.write(heading(dictionary, filter, face)) ||
        !sink.write(tableStart(options)) || !sink.write(headRow(face))) {
        return false;
    }
    bool written = true;
    const int32_t rows =
        forEachReportRow(dictionary, order, filter, [&](int32_t row, const WordRecord& word) {
            written = sink.write(wordRow(row, word, face));
            return written;
        });
    if (!written || !sink.write(kTableEnd)) {
        return false;
    }
    if (rows == 0 && !sink.write(noWords(face))) {
        return false;
    }
    return sink.write(kPageEnd);
}

}  // namespace lq
