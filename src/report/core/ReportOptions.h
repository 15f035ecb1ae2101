// The report settings that travel in the dictionary header.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "store/Records.h"

namespace lq {

enum class ReportFormat : int32_t { Html = 0, Text = 1 };

// The working copy the Report dialog edits; each number fits the header bits it is packed into.
struct ReportOptions {
    ReportFormat format = ReportFormat::Html;
    int32_t fontIndex = 7;  // into htmlFontFaces, 0..7
    int32_t border = 0;     // 0..15
    int32_t cellSpacing = 0;
    int32_t cellPadding = 2;

    bool operator==(const ReportOptions&) const = default;
};

constexpr int kHtmlFontFaceCount = 8;
constexpr int kMaxTableValue = 15;  // border, cell spacing and cell padding

inline constexpr std::array<std::string_view, kHtmlFontFaceCount> htmlFontFaces = {
    "Arial",  "Comic Sans MS", "Courier New",     "MS Sans Serif",
    "System", "Tahoma",        "Times New Roman", "Verdana"};

// The face for a font index; an index outside the table wraps into it like the packed bits do.
std::string_view htmlFontFace(int32_t fontIndex);

// reportCellOptions: spacing in bits 7-4, padding in 3-0. reportStyleOptions: 1 for Text in
// bit 7, the font index in 6-4, the border in 3-0.
ReportOptions unpackReportOptions(const DictionaryHeader& header);
// Values are cut to their bits, so nothing spills into a neighbouring field.
void packReportOptions(const ReportOptions& options, DictionaryHeader& header);

}  // namespace lq
