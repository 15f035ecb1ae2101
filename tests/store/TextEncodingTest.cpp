#include "store/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace lq::test {
namespace {

TEST(TextEncoding, TellsWellFormedUtf8FromEverythingElse) {
    const struct {
        const char* what;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"empty", "", true},
        {"ASCII", "apple", true},
        {"two-byte letters", "M\xC3\xBCller", true},
        {"three-byte euro", "\xE2\x82\xAC", true},
        {"four-byte emoji", "\xF0\x9F\x98\x80", true},
        {"highest code point", "\xF4\x8F\xBF\xBF", true},
        {"Windows-1252 letter", "M\xFCller", false},
        {"lone continuation byte", "a\x80", false},
        {"cut two-byte sequence", "M\xC3", false},
        {"cut three-byte sequence", "\xE2\x82", false},
        {"cut sequence followed by ASCII", "\xE2\x82z", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three-byte slash", "\xE0\x80\xAF", false},
        {"overlong four-byte", "\xF0\x80\x80\xAF", false},
        {"high surrogate", "\xED\xA0\x80", false},
        {"low surrogate", "\xED\xBF\xBF", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"five-byte form", "\xF8\x88\x80\x80\x80", false},
        {"byte FF", "\xFF", false},
        // Long ASCII runs are skipped in blocks: a fault just inside, just past or across a
        // block's end must still be seen.
        {"bad byte last of 32", std::string(31, 'a') + "\xFF", false},
        {"bad byte first after 32", std::string(32, 'a') + "\xFF", false},
        {"bad byte last of 40", std::string(39, 'a') + "\xFF", false},
        {"bad byte deep in a long text", std::string(1000, 'a') + "\x80" + std::string(100, 'a'),
         false},
        {"letter across a block's end", std::string(31, 'a') + "\xC3\xBC" + std::string(40, 'a'),
         true},
        {"cut sequence at a long text's end", std::string(64, 'a') + "\xE2\x82", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.what;
    }
}

TEST(TextEncoding, ShowsUtf8ByteForByteAndAnythingElseAsWindows1252) {
    const struct {
        const char* what;
        std::string stored;
        std::string shown;
    } cases[] = {
        {"ASCII", "Muller", "Muller"},
        {"UTF-8", "M\xC3\xBCller", "M\xC3\xBCller"},
        {"UTF-8 IPA", "\xCB\x88m\xCA\x8Fl\xC9\x90", "\xCB\x88m\xCA\x8Fl\xC9\x90"},
        {"Latin-1 range", "M\xFCller", "M\xC3\xBCller"},
        {"sharp s", "Wei\xDF", "Wei\xC3\x9F"},
        {"no-break space and y diaeresis", "\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"euro and Y diaeresis", "\x80\x9F", "\xE2\x82\xAC\xC5\xB8"},
        {"quotes and dash", "\x93x\x94\x96", "\xE2\x80\x9Cx\xE2\x80\x9D\xE2\x80\x93"},
        {"unassigned bytes as C1 controls", "\x81\x8D\x8F\x90\x9D",
         "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        // One byte that is not UTF-8 makes the whole text Windows-1252.
        {"mixed", "\xC3\xBC\xFC", "\xC3\x83\xC2\xBC\xC3\xBC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8AsShown(c.stored), c.shown) << c.what;
        EXPECT_TRUE(isValidUtf8(utf8AsShown(c.stored))) << c.what;
    }
}

TEST(TextEncoding, EveryByteOfWindows1252BecomesOneCharacter) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string stored(1, static_cast<char>(byte));
        const std::u32string shown = codePointsAsShown(windows1252ToUtf8(stored));
        ASSERT_EQ(shown.size(), 1u) << byte;
        if (byte < 0x80 || byte >= 0xA0) {
            EXPECT_EQ(shown[0], static_cast<char32_t>(byte)) << byte;
        }
    }
    EXPECT_EQ(codePointsAsShown("\x80\x8A\x99\x9F"), U"\u20AC\u0160\u2122\u0178");
}

TEST(TextEncoding, CodePointsAsShown) {
    EXPECT_EQ(codePointsAsShown(""), U"");
    EXPECT_EQ(codePointsAsShown("M\xC3\xBCller"), U"M\u00FCller");
    EXPECT_EQ(codePointsAsShown("M\xFCller"), U"M\u00FCller");
    EXPECT_EQ(codePointsAsShown("\xF0\x9F\x98\x80!"), U"\U0001F600!");
}

TEST(TextEncoding, DisplayColumnsCountWhatATerminalShows) {
    const struct {
        const char* what;
        std::string stored;
        std::size_t columns;
    } cases[] = {
        {"empty", "", 0},
        {"ASCII", "Muller", 6},
        {"precomposed umlaut", "M\xC3\xBCller", 6},
        {"combining diaeresis", "Mu\xCC\x88ller", 6},
        {"two combining marks", "e\xCC\x81\xCC\xA3", 1},
        {"sharp s", "Wei\xC3\x9F", 4},
        {"IPA with stress mark", "[\xCB\x88m\xCA\x8Fl\xC9\x90]", 7},
        {"wide CJK", "\xE6\x9D\xB1\xE4\xBA\xAC", 4},
        {"CJK beside ASCII", "a\xE6\x9D\xB1z", 4},
        {"fullwidth letter", "\xEF\xBC\xA1", 2},
        {"wide emoji", "\xF0\x9F\x98\x80", 2},
        {"zero-width space",
         "a\xE2\x80\x8B"
         "b",
         2},
        {"Windows-1252 letter", "M\xFCller", 6},
        {"Windows-1252 text with an ASCII control", "\t\xFC", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(displayColumns(c.stored), c.columns) << c.what;
    }
}

// Old dictionaries hold single-byte texts; their report columns must not move.
TEST(TextEncoding, AWindows1252TextTakesOneColumnPerByte) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string stored = std::string(1, static_cast<char>(byte)) + "\xFF";
        ASSERT_FALSE(isValidUtf8(stored)) << byte;
        EXPECT_EQ(displayColumns(stored), 2u) << byte;
        EXPECT_EQ(displayColumns(utf8AsShown(stored)), 2u) << byte;
    }
}

}  // namespace
}  // namespace lq::test
