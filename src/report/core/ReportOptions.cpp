#include "report/core/ReportOptions.h"

namespace lq {

namespace {

constexpr uint8_t kLowNibble = 0x0F;
constexpr uint8_t kFontBits = 0x07;
constexpr uint8_t kTextFormatBit = 0x80;

uint8_t nibble(int32_t value) {
    return static_cast<uint8_t>(value) & kLowNibble;
}

}  // namespace

std::string_view htmlFontFace(int32_t fontIndex) {
    return htmlFontFaces[static_cast<uint32_t>(fontIndex) & kFontBits];
}

ReportOptions unpackReportOptions(const DictionaryHeader& header) {
    ReportOptions options;
    options.format =
        (header.reportStyleOptions & kTextFormatBit) != 0 ? ReportFormat::Text : ReportFormat::Html;
    options.fontIndex = (header.reportStyleOptions >> 4) & kFontBits;
    options.border = header.reportStyleOptions & kLowNibble;
    options.cellSpacing = header.reportCellOptions >> 4;
    options.cellPadding = header.reportCellOptions & kLowNibble;
    return options;
}

void packReportOptions(const ReportOptions& options, DictionaryHeader& header) {
    const uint8_t formatPosition = options.format == ReportFormat::Text ? 1 : 0;
    const uint8_t font = static_cast<uint8_t>(options.fontIndex) & kFontBits;
    header.reportCellOptions =
        static_cast<uint8_t>(nibble(options.cellSpacing) * 16 + nibble(options.cellPadding));
    header.reportStyleOptions =
        static_cast<uint8_t>((formatPosition * 8 + font) * 16 + nibble(options.border));
}

}  // namespace lq
