#include "report/core/ReportFormatting.h"

#include <array>
#include <charconv>

#include "store/TextEncoding.h"

namespace lq {

void appendRightAligned(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t columns = displayColumns(text);
    if (columns < width) {
        out.append(width - columns, ' ');
    }
    out.append(text);
}

void appendNumber(std::string& out, int32_t value, std::size_t width) {
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    appendRightAligned(out, std::string_view(digits.data(), result.ptr - digits.data()), width);
}

void appendHtmlEscaped(std::string& out, std::string_view text) {
    for (const char32_t c : codePointsAsShown(text)) {
        switch (c) {
            case '&':
                out.append("&amp;");
                break;
            case '<':
                out.append("&lt;");
                break;
            case '>':
                out.append("&gt;");
                break;
            case '"':
                out.append("&quot;");
                break;
            default:
                if (c < 0x80) {
                    out.push_back(static_cast<char>(c));
                } else {
                    out.append("&#");
                    appendNumber(out, static_cast<int32_t>(c));
                    out.push_back(';');
                }
        }
    }
}

}  // namespace lq
