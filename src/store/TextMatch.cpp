#include "store/TextMatch.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>

#include "store/TextEncoding.h"

namespace lq {

namespace {

using CodePoint = utf8proc_int32_t;

bool isSpace(CodePoint c) {
    if (c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
        return true;
    }
    const utf8proc_category_t category = utf8proc_category(c);
    return category == UTF8PROC_CATEGORY_ZS || category == UTF8PROC_CATEGORY_ZL ||
           category == UTF8PROC_CATEGORY_ZP;
}

bool isPunctuation(CodePoint c) {
    const utf8proc_category_t category = utf8proc_category(c);
    return category >= UTF8PROC_CATEGORY_PC && category <= UTF8PROC_CATEGORY_PO;
}

std::string_view trimmedBytes(std::string_view text) {
    constexpr std::string_view kAsciiSpace = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(kAsciiSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kAsciiSpace) - first + 1);
}

// Trims white space, and with `collapse` drops punctuation and makes every run of spaces one.
std::string spacedAndPunctuated(std::string_view utf8, bool collapse) {
    std::string out;
    out.reserve(utf8.size());
    std::string spaces;  // the spaces since the last kept character, written only before another
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
    utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(utf8.size());
    while (left > 0) {
        CodePoint c = 0;
        const utf8proc_ssize_t length = utf8proc_iterate(bytes, left, &c);
        bytes += length;
        left -= length;
        if (isSpace(c)) {
            if (out.empty()) {
                continue;
            }
            if (collapse) {
                spaces = " ";
            } else {
                appendUtf8(spaces, static_cast<char32_t>(c));
            }
            continue;
        }
        if (collapse && isPunctuation(c)) {
            continue;
        }
        out.append(spaces);
        spaces.clear();
        appendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

}  // namespace

std::string comparableText(std::string_view text, const TextMatchOptions& options) {
    int flags = UTF8PROC_STABLE | UTF8PROC_COMPOSE;
    if (options.ignoreCase) {
        flags |= UTF8PROC_CASEFOLD;
    }
    if (options.ignoreAccents) {
        flags |= UTF8PROC_STRIPMARK;
    }
    utf8proc_uint8_t* mapped = nullptr;
    const utf8proc_ssize_t length = utf8proc_map(
        reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
        static_cast<utf8proc_ssize_t>(text.size()), &mapped, static_cast<utf8proc_option_t>(flags));
    const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(mapped, &std::free);
    if (length < 0) {
        return std::string(trimmedBytes(text));  // not UTF-8: bytes are all there is to compare
    }
    return spacedAndPunctuated(
        std::string_view(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(length)),
        options.ignorePunctuation);
}

bool textsMatch(std::string_view a, std::string_view b, const TextMatchOptions& options) {
    return comparableText(a, options) == comparableText(b, options);
}

}  // namespace lq
