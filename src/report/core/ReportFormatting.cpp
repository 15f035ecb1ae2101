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

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool isControl(char32_t c) {
    return (c < 0x20 && c != '\t') || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

}  // namespace

std::string reportText(std::string_view stored) {
    const std::string shown = utf8AsShown(stored);
    std::string out;
    out.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto byte = static_cast<unsigned char>(shown[i]);
        // In UTF-8 a C1 character is 0xC2 followed by 0x80 to 0x9F; every other control is one byte.
        const bool c1 = byte == 0xC2 && i + 1 < shown.size() &&
                        static_cast<unsigned char>(shown[i + 1]) <= 0x9F;
        if (c1) {
            ++i;
        }
        if (c1 || (byte < 0x80 && isControl(byte))) {
            out.append(kReplacementUtf8);
        } else {
            out.push_back(shown[i]);
        }
    }
    return out;
}

void appendHtmlEscaped(std::string& out, std::string_view text) {
    for (char32_t c : codePointsAsShown(text)) {
        if (isControl(c)) {
            c = kReplacement;
        }
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
