// The encoding of a text file that comes from elsewhere (a spreadsheet, another program), by its
// iconv name, and its conversion to the UTF-8 that the program stores.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lq {

inline constexpr std::string_view kUtf8 = "UTF-8";
inline constexpr std::string_view kUtf16Le = "UTF-16LE";
inline constexpr std::string_view kUtf16Be = "UTF-16BE";
inline constexpr std::string_view kWindows1252 = "WINDOWS-1252";
// The byte-order mark that some programs put before UTF-8 text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The text after its UTF-8 byte-order mark, if it has one.
std::string_view withoutUtf8Mark(std::string_view text);

// A byte-order mark names UTF-8 or UTF-16; bytes that are zero at every other position are
// UTF-16 without a mark (little-endian when the second byte of each pair is zero, big-endian when
// the first is); text that is valid UTF-8 is UTF-8; anything else is
// guessed by uchardet, and Windows-1252 is taken when uchardet is unsure or names an encoding
// that iconv cannot convert.
std::string detectEncoding(std::string_view bytes);

// The encodings a user may choose from, the detected one among them.
std::vector<std::string> offeredEncodings(std::string_view detected);

enum class DecodeStatus {
    Decoded,
    NotInEncoding,  // the bytes are not text in that encoding
    NotText,        // the text holds a zero character: a binary file
    UnknownEncoding,
};

// The bytes as UTF-8 text without a byte-order mark. Bytes in UTF-8 already are not copied:
// `text` is then a view of them and `converted` stays empty; other encodings are converted into
// `converted`, which `text` views. On failure both are left empty. Throws std::bad_alloc.
DecodeStatus decodeText(std::string_view bytes, std::string_view encoding, std::string& converted,
                        std::string_view& text);

// detectEncoding, then decodeText by what it found.
DecodeStatus detectAndDecode(std::string_view bytes, std::string& encoding, std::string& converted,
                             std::string_view& text);

}  // namespace lq
