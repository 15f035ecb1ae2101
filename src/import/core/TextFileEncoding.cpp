#include "import/core/TextFileEncoding.h"

#include <iconv.h>
#include <uchardet.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "store/TextEncoding.h"

namespace lq {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// uchardet reads this much; more only costs time, as its answer settles early.
constexpr std::size_t kDetectionSample = 256 * 1024;

// The encodings of word lists met in practice, in the order the user sees them.
constexpr std::string_view kCommonEncodings[] = {
    kUtf8,          kUtf16Le,       kUtf16Be, kWindows1252, "ISO-8859-15", "ISO-8859-2",
    "WINDOWS-1250", "WINDOWS-1251", "KOI8-R", "ISO-8859-5", "ISO-8859-7",  "WINDOWS-1253",
    "ISO-8859-9",   "SHIFT_JIS",    "EUC-JP", "GB18030",    "BIG5",        "EUC-KR",
};

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// UTF-16 without a byte-order mark, as some programs write it: a zero byte at every other
// position is the high half of characters below U+0100. uchardet does not tell it, and as UTF-8
// it would hold zero characters. Empty for anything else.
std::string_view unmarkedUtf16(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) {
        return {};
    }
    const auto zeroFrom = [bytes](std::size_t first) {
        for (std::size_t i = first; i < bytes.size(); i += 2) {
            if (bytes[i] != 0) {
                return false;
            }
        }
        return true;
    };
    if (zeroFrom(1)) {
        return kUtf16Le;
    }
    if (zeroFrom(0)) {
        return kUtf16Be;
    }
    return {};
}

bool iconvKnows(const std::string& encoding) {
    const iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    iconv_close(converter);
    return true;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return text;
}

std::string guessedEncoding(std::string_view bytes) {
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(
        uchardet_new(), &uchardet_delete);
    const std::string_view sample = bytes.substr(0, kDetectionSample);
    if (!detector || uchardet_handle_data(detector.get(), sample.data(), sample.size()) != 0) {
        return std::string(kWindows1252);
    }
    uchardet_data_end(detector.get());
    std::string guess = upper(uchardet_get_charset(detector.get()));
    // Windows-1252 holds all of Latin-1's letters and reads the same bytes the same way.
    if (guess.empty() || guess == "ASCII" || guess == "ISO-8859-1" || !iconvKnows(guess)) {
        return std::string(kWindows1252);
    }
    return guess;
}

DecodeStatus convertWithIconv(std::string_view bytes, const std::string& encoding,
                              std::string& utf8) {
    const iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return DecodeStatus::UnknownEncoding;
    }
    const std::unique_ptr<void, int (*)(iconv_t)> closer(converter, &iconv_close);
    // Room grows as the text needs it, so that a large file is not held several times over:
    // UTF-16 comes out at about half its size, a single-byte encoding at its size or a little more.
    utf8.resize(bytes.size() / 2 + 16);
    std::size_t done = 0;
    const auto convert = [&](char** in, std::size_t* inLeft) {
        while (true) {
            char* out = utf8.data() + done;
            std::size_t outLeft = utf8.size() - done;
            const std::size_t result = iconv(converter, in, inLeft, &out, &outLeft);
            done = static_cast<std::size_t>(out - utf8.data());
            if (result != static_cast<std::size_t>(-1)) {
                return true;
            }
            if (errno != E2BIG) {
                return false;
            }
            utf8.resize(utf8.size() + utf8.size() / 2 + 16);
        }
    };
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    // The second call ends a shift state.
    if (!convert(&in, &inLeft) || !convert(nullptr, nullptr)) {
        utf8.clear();
        return DecodeStatus::NotInEncoding;
    }
    utf8.resize(done);
    return DecodeStatus::Decoded;
}

// decodeText for bytes that are known to be valid when the encoding is UTF-8.
DecodeStatus decodeChecked(std::string_view bytes, std::string_view encoding,
                           std::string& converted, std::string_view& text) {
    converted.clear();
    text = {};
    DecodeStatus status = DecodeStatus::Decoded;
    std::string_view decoded;
    if (encoding == kUtf8) {
        decoded = withoutUtf8Mark(bytes);
    } else {
        if (encoding == kWindows1252) {
            // As the program shows stored Windows-1252 texts: every byte is a character.
            converted = windows1252ToUtf8(bytes);
        } else {
            status = convertWithIconv(bytes, upper(std::string(encoding)), converted);
        }
        // A UTF-16 mark comes out as a UTF-8 one, and the text is what follows it.
        if (startsWith(converted, kUtf8Mark)) {
            converted.erase(0, kUtf8Mark.size());
        }
        decoded = converted;
    }
    if (status != DecodeStatus::Decoded) {
        return status;
    }
    if (std::memchr(decoded.data(), 0, decoded.size()) != nullptr) {
        converted.clear();
        return DecodeStatus::NotText;
    }
    text = decoded;
    return DecodeStatus::Decoded;
}

}  // namespace

std::string_view withoutUtf8Mark(std::string_view text) {
    return startsWith(text, kUtf8Mark) ? text.substr(kUtf8Mark.size()) : text;
}

std::string detectEncoding(std::string_view bytes) {
    if (startsWith(bytes, kUtf8Mark)) {
        return std::string(kUtf8);
    }
    if (startsWith(bytes, kUtf16LeMark)) {
        return std::string(kUtf16Le);
    }
    if (startsWith(bytes, kUtf16BeMark)) {
        return std::string(kUtf16Be);
    }
    if (const std::string_view utf16 = unmarkedUtf16(bytes); !utf16.empty()) {
        return std::string(utf16);
    }
    if (isValidUtf8(bytes)) {
        return std::string(kUtf8);
    }
    return guessedEncoding(bytes);
}

std::vector<std::string> offeredEncodings(std::string_view detected) {
    std::vector<std::string> offered(std::begin(kCommonEncodings), std::end(kCommonEncodings));
    if (!detected.empty() && std::find(offered.begin(), offered.end(), detected) == offered.end()) {
        offered.emplace_back(detected);
    }
    return offered;
}

DecodeStatus decodeText(std::string_view bytes, std::string_view encoding, std::string& converted,
                        std::string_view& text) {
    if (encoding == kUtf8 && !isValidUtf8(bytes)) {
        converted.clear();
        text = {};
        return DecodeStatus::NotInEncoding;
    }
    return decodeChecked(bytes, encoding, converted, text);
}

DecodeStatus detectAndDecode(std::string_view bytes, std::string& encoding, std::string& converted,
                             std::string_view& text) {
    // Valid UTF-8 is what detection would find (a UTF-16 mark is never valid UTF-8, and UTF-16
    // without one is told apart at its first bytes); asked first, a large UTF-8 file is read
    // through once instead of twice.
    if (unmarkedUtf16(bytes).empty() && isValidUtf8(bytes)) {
        encoding = kUtf8;
        return decodeChecked(bytes, kUtf8, converted, text);
    }
    encoding = detectEncoding(bytes);
    return decodeText(bytes, encoding, converted, text);
}

}  // namespace lq
