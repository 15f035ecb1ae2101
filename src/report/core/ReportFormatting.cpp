#include "report/core/ReportFormatting.h"

#include <array>
#include <charconv>

namespace lq {

void appendRightAligned(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    out.append(text);
}

void appendNumber(std::string& out, int32_t value, std::size_t width) {
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    appendRightAligned(out, std::string_view(digits.data(), result.ptr - digits.data()), width);
}

void appendHtmlEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
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
                out.push_back(c);
        }
    }
}

}  // namespace lq
