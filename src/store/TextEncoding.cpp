#include "store/TextEncoding.h"

#include <utf8proc.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace lq {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five unassigned bytes are shown
// as their C1 control code points so that every byte still shows as something.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t windows1252CodePoint(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t{byte};
}

// Decodes the next character of `bytes` from `position`; returns its length in bytes, or a
// negative number when no well-formed character starts there.
utf8proc_ssize_t decodeAt(std::string_view bytes, std::size_t position, char32_t& codePoint) {
    const auto first = static_cast<unsigned char>(bytes[position]);
    if (first < 0x80) {  // most texts are mostly ASCII
        codePoint = first;
        return 1;
    }
    utf8proc_int32_t decoded = 0;
    const utf8proc_ssize_t length =
        utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(bytes.data() + position),
                         static_cast<utf8proc_ssize_t>(bytes.size() - position), &decoded);
    codePoint = static_cast<char32_t>(decoded);
    return length;
}

// Calls visit with each character of the stored text as the program shows it.
template <typename Visit>
void forEachCodePointAsShown(std::string_view stored, Visit visit) {
    if (!isValidUtf8(stored)) {
        for (const char c : stored) {
            visit(windows1252CodePoint(c));
        }
        return;
    }
    char32_t codePoint = 0;
    for (std::size_t position = 0; position < stored.size();) {
        position += static_cast<std::size_t>(decodeAt(stored, position, codePoint));
        visit(codePoint);
    }
}

std::size_t columnsOf(char32_t codePoint) {
    const auto character = static_cast<utf8proc_int32_t>(codePoint);
    if (codePoint < 0x80 || utf8proc_category(character) == UTF8PROC_CATEGORY_CC) {
        return 1;
    }
    return static_cast<std::size_t>(utf8proc_charwidth(character));
}

}  // namespace

void appendUtf8(std::string& out, char32_t codePoint) {
    std::array<utf8proc_uint8_t, 4> encoded{};
    const utf8proc_ssize_t length =
        utf8proc_encode_char(static_cast<utf8proc_int32_t>(codePoint), encoded.data());
    out.append(reinterpret_cast<const char*>(encoded.data()), static_cast<std::size_t>(length));
}

bool isValidUtf8(std::string_view bytes) {
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    char32_t codePoint = 0;
    for (std::size_t position = 0; position < bytes.size();) {
        // Most text is ASCII: bytes without a high bit are characters each. A large file goes
        // thirty-two bytes at a time, a short text eight.
        uint64_t words[4] = {};
        const std::size_t left = bytes.size() - position;
        if (left >= sizeof words) {
            std::memcpy(words, bytes.data() + position, sizeof words);
            if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) == 0) {
                position += sizeof words;
                continue;
            }
        }
        if (left >= sizeof words[0]) {
            std::memcpy(words, bytes.data() + position, sizeof words[0]);
            if ((words[0] & kHighBits) == 0) {
                position += sizeof words[0];
                continue;
            }
        }
        const utf8proc_ssize_t length = decodeAt(bytes, position, codePoint);
        if (length <= 0) {
            return false;
        }
        position += static_cast<std::size_t>(length);
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        appendUtf8(utf8, windows1252CodePoint(c));
    }
    return utf8;
}

std::string utf8AsShown(std::string_view stored) {
    return isValidUtf8(stored) ? std::string(stored) : windows1252ToUtf8(stored);
}

std::u32string codePointsAsShown(std::string_view stored) {
    std::u32string codePoints;
    codePoints.reserve(stored.size());
    forEachCodePointAsShown(stored, [&](char32_t codePoint) { codePoints.push_back(codePoint); });
    return codePoints;
}

std::size_t displayColumns(std::string_view stored) {
    std::size_t columns = 0;
    forEachCodePointAsShown(stored, [&](char32_t codePoint) { columns += columnsOf(codePoint); });
    return columns;
}

}  // namespace lq
