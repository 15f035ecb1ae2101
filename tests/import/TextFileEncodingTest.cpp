// Detecting a text file's encoding and converting it to UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "import/core/TextFileEncoding.h"
#include "support/TableCases.h"

namespace lq::test {
namespace {

using namespace std::string_literals;

// German and Russian word lists as old Windows programs save them.
const std::string kGermanWindows1252 =
    "Stra\xDF"
    "e;street\nM\xFC"
    "nze;coin\n\xC4"
    "rger;trouble\nT\xFC"
    "r;door\nsch\xF6"
    "n;"
    "beautiful\nWei\xDF"
    "brot;white bread\nGr\xFC\xDF"
    "e;greetings\n\x80;euro\n";
const std::string kGermanUtf8 =
    "Straße;street\nMünze;coin\nÄrger;trouble\nTür;door\nschön;beautiful\nWeißbrot;white "
    "bread\nGrüße;greetings\n€;euro\n";
const std::string kRussianWindows1251 =
    "\xEC\xE0\xEC\xE0;mother\n\xEF\xE0\xEF\xE0;father\n\xE4\xEE\xEC;house\n\xEA\xEE\xF8\xEA\xE0;"
    "cat\n\xF1\xEE\xE1\xE0\xEA\xE0;dog\n\xE2\xEE\xE4\xE0;water\n\xF5\xEB\xE5\xE1;bread\n\xEC\xEE"
    "\xEB\xEE\xEA\xEE;milk\n\xE4\xF0\xF3\xE3;friend\n\xF8\xEA\xEE\xEB\xE0;school\n";
const std::string kRussianUtf8 =
    "мама;mother\nпапа;father\nдом;house\nкошка;cat\nсобака;dog\nвода;water\nхлеб;bread\n"
    "молоко;milk\nдруг;friend\nшкола;school\n";

// The UTF-16 of a text, low byte first or high byte first, without a mark.
std::string utf16(std::u16string_view text, bool littleEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

struct DetectionCase {
    const char* name;
    std::string bytes;
    std::string encoding;
    std::string text;  // the bytes decoded in that encoding
};

class EncodingDetectionTest : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(EncodingDetectionTest, NamesTheEncodingThatGivesTheText) {
    const DetectionCase& c = GetParam();
    const std::string encoding = detectEncoding(c.bytes);
    EXPECT_EQ(encoding, c.encoding);
    std::string converted;
    std::string_view text;
    ASSERT_EQ(decodeText(c.bytes, encoding, converted, text), DecodeStatus::Decoded);
    EXPECT_EQ(text, c.text);
    // Both in one step come to the same.
    std::string detected;
    std::string_view inOneStep;
    ASSERT_EQ(detectAndDecode(c.bytes, detected, converted, inOneStep), DecodeStatus::Decoded);
    EXPECT_EQ(detected, c.encoding);
    EXPECT_EQ(inOneStep, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EncodingDetectionTest,
    ::testing::Values(
        DetectionCase{"Ascii", "Haus,house\r\n", "UTF-8", "Haus,house\r\n"},
        DetectionCase{"Utf8", "Straße,street\n", "UTF-8", "Straße,street\n"},
        DetectionCase{"Utf8WithMark", "\xEF\xBB\xBFStraße,street\n", "UTF-8", "Straße,street\n"},
        DetectionCase{"Utf16LeWithMark",
                      "\xFF\xFE"
                      "a\0,\0\xDF\0\n\0"s,
                      "UTF-16LE", "a,ß\n"},
        DetectionCase{"Utf16BeWithMark",
                      "\xFE\xFF"
                      "\0a\0,\0\xDF\0\n"s,
                      "UTF-16BE", "a,ß\n"},
        DetectionCase{"Utf16LeWithoutMark", utf16(u"word,Straße\r\n", true), "UTF-16LE",
                      "word,Straße\r\n"},
        DetectionCase{"Utf16BeWithoutMark", utf16(u"word,Straße\r\n", false), "UTF-16BE",
                      "word,Straße\r\n"},
        DetectionCase{"Windows1252", kGermanWindows1252, "WINDOWS-1252", kGermanUtf8},
        DetectionCase{"Windows1251", kRussianWindows1251, "WINDOWS-1251", kRussianUtf8},
        DetectionCase{"UnsureIsWindows1252", "\x8F", "WINDOWS-1252", "\xC2\x8F"}),
    CaseName());

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string encoding;
    DecodeStatus status;
    std::string text;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, ConvertsOrSaysWhyNot) {
    const DecodeCase& c = GetParam();
    std::string converted = "stale";
    std::string_view text = "stale";
    EXPECT_EQ(decodeText(c.bytes, c.encoding, converted, text), c.status);
    EXPECT_EQ(text, c.text);
    if (c.status != DecodeStatus::Decoded) {
        EXPECT_EQ(converted, "") << "a failure holds nothing";
    }
}

// A large UTF-8 file is not held twice: its text is its own bytes after the mark.
TEST(DecodeTextTest, Utf8BytesAreTheirOwnText) {
    const std::string bytes = "\xEF\xBB\xBFStraße,street\n";
    std::string converted = "stale";
    std::string_view text;
    ASSERT_EQ(decodeText(bytes, kUtf8, converted, text), DecodeStatus::Decoded);
    EXPECT_TRUE(converted.empty());
    EXPECT_EQ(text.data(), bytes.data() + kUtf8Mark.size());
    EXPECT_EQ(text, "Straße,street\n");
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodeTest,
    ::testing::Values(
        DecodeCase{"Windows1252UnassignedBytesStayCharacters", "\x81\x8D", "WINDOWS-1252",
                   DecodeStatus::Decoded, "\xC2\x81\xC2\x8D"},
        DecodeCase{"Latin2", "\xB1", "ISO-8859-2", DecodeStatus::Decoded, "ą"},
        DecodeCase{"Utf16MarkDropped",
                   "\xFF\xFE"
                   "a\0"s,
                   "UTF-16LE", DecodeStatus::Decoded, "a"},
        DecodeCase{"Utf16OutgrowsItsFirstRoom",
                   "\xFF\xFE" + utf16(u"日本語", true) + utf16(u"日本語", true), "UTF-16LE",
                   DecodeStatus::Decoded, "日本語日本語"},
        DecodeCase{"LongUtf16OutgrowsItsFirstRoom", repeated(utf16(u"日本語;", false), 5000),
                   "UTF-16BE", DecodeStatus::Decoded, repeated("日本語;", 5000)},
        DecodeCase{"Utf8MarkDropped",
                   "\xEF\xBB\xBF"
                   "a",
                   "UTF-8", DecodeStatus::Decoded, "a"},
        DecodeCase{"Windows1252MarkDropped",
                   "\xEF\xBB\xBF"
                   "a",
                   "WINDOWS-1252", DecodeStatus::Decoded,
                   "\xC3\xAF\xC2\xBB\xC2\xBF"
                   "a"},
        DecodeCase{"BadUtf8",
                   "Stra\xDF"
                   "e",
                   "UTF-8", DecodeStatus::NotInEncoding, ""},
        DecodeCase{"CutUtf16",
                   "\xFF\xFE"
                   "a\0b"s,
                   "UTF-16LE", DecodeStatus::NotInEncoding, ""},
        DecodeCase{"ZeroByteIsNoText", "a\0b"s, "UTF-8", DecodeStatus::NotText, ""},
        DecodeCase{"ZeroCharacterIsNoText", "\0\0"s, "UTF-16LE", DecodeStatus::NotText, ""},
        DecodeCase{"UnknownEncoding", "a", "NO-SUCH-ENCODING", DecodeStatus::UnknownEncoding, ""}),
    CaseName());

// Zeros at every other position make UTF-16; any other zero still makes a file no text.
struct NoTextCase {
    const char* name;
    std::string bytes;
};

class NoTextTest : public ::testing::TestWithParam<NoTextCase> {};

TEST_P(NoTextTest, IsRefusedAsNoText) {
    std::string encoding;
    std::string converted;
    std::string_view text;
    EXPECT_EQ(detectAndDecode(GetParam().bytes, encoding, converted, text), DecodeStatus::NotText);
    EXPECT_EQ(text, "");
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, NoTextTest,
    ::testing::Values(NoTextCase{"ZerosEverywhere", "\0\0\0\0"s},
                      NoTextCase{"OddLength", "a\0b\0c"s},
                      NoTextCase{"ZerosOnBothSides", "a\0\0b"s},
                      NoTextCase{"ZeroCharacterInUtf16", utf16(u"ab", true) + "\0\0"s},
                      NoTextCase{"Program",
                                 "\x7F"
                                 "ELF\x02\x01\x01\0\0\0"s},
                      NoTextCase{"Picture", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s}),
    CaseName());

TEST(OfferedEncodingsTest, HoldsTheDetectedOneOnce) {
    const std::vector<std::string> common = offeredEncodings("UTF-8");
    EXPECT_EQ(std::count(common.begin(), common.end(), "UTF-8"), 1);
    const std::vector<std::string> rare = offeredEncodings("IBM866");
    EXPECT_EQ(rare.back(), "IBM866");
    EXPECT_EQ(rare.size(), common.size() + 1);
}

}  // namespace
}  // namespace lq::test
