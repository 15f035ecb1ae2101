#include "report/core/TextReport.h"

#include <string>

#include "report/core/ReportFormatting.h"
#include "store/TextEncoding.h"
#include "store/TextField.h"

namespace lq {

namespace {

// Report files keep Windows line ends wherever they are written.
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kRuleLength = 120;

std::string rule(char c) {
    std::string line(kRuleLength, c);
    line.append(kLineEnd);
    return line;
}

std::string headingLine(const Dictionary& dictionary, const ReportFilter& filter) {
    std::string line = reportText(reportThemeHeading(dictionary, filter.theme));
    line.append(" (");
    line.append(reportText(reportLanguageHeading(dictionary, filter.language)));
    line.append(")");
    line.append(kLineEnd);
    return line;
}

std::string columnHeads() {
    std::string line;
    appendRightAligned(line, "#", 6);
    appendRightAligned(line, "Word", 24);
    appendRightAligned(line, "Translation", 42);
    appendRightAligned(line, "Transcription", 24);
    appendRightAligned(line, "Testing (valid/total)", 24);
    line.append(kLineEnd);
    return line;
}

std::string wordLine(int32_t row, const WordRecord& word) {
    std::string line;
    appendNumber(line, row, 6);
    appendRightAligned(line, reportText(fieldText(word.word)), 24);
    appendRightAligned(line, reportText(fieldText(word.translation)), 42);
    appendRightAligned(line, reportText(fieldText(word.transcription)), 24);
    appendNumber(line, word.rightCount, 12);
    line.push_back('/');
    appendNumber(line, word.testedCount);
    line.append(kLineEnd);
    return line;
}

}  // namespace

bool writeTextReport(ReportSink& sink, const Dictionary& dictionary,
                     const std::vector<int32_t>& order, const ReportFilter& filter) {
    if (!sink.write(headingLine(dictionary, filter)) || !sink.write(rule('_')) ||
        !sink.write(columnHeads()) || !sink.write(rule('-'))) {
        return false;
    }
    bool written = true;
    const int32_t rows =
        forEachReportRow(dictionary, order, filter, [&](int32_t row, const WordRecord& word) {
            written = sink.write(wordLine(row, word));
            return written;
        });
    if (!written || !sink.write(rule('_'))) {
        return false;
    }
    if (rows == 0 && !sink.write("No words")) {
        return false;
    }
    return sink.write(kLineEnd);
}

}  // namespace lq
