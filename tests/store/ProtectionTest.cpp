#include <gtest/gtest.h>

#include <cstring>

#include "store/Dictionary.h"
#include "store/Protection.h"
#include "store/TestRandom.h"
#include "support/FixedClock.h"

namespace lq::test {
namespace {

DictionaryHeader freshHeader() {
    return newDictionaryHeader(FixedClock().now);
}

DictionaryHeader protectedWith(std::string_view password, uint32_t seed = 7) {
    DictionaryHeader header = freshHeader();
    TestRandom random;
    random.seed(seed);
    scramblePassword(header, password);
    setProtection(header, true, random);
    return header;
}

TEST(Protection, NewDictionaryIsUnprotectedWithZeroPasswordBytes) {
    const DictionaryHeader header = freshHeader();
    EXPECT_FALSE(isProtected(header));
    const uint8_t zeros[kPasswordBytesSize] = {};
    EXPECT_EQ(std::memcmp(header.passwordBytes, zeros, sizeof zeros), 0);
}

// Monday 5 March 2007, 09:07:03.250: A = 9 + 7 + 3 + 250 = 269, B = 2007 + 3 + 1 + 5 = 2016,
// U = (269 + 2016) & ~(9 * 269) = 2285 & ~2421.
TEST(Protection, UnprotectedValueFollowsTheCreationTime) {
    EXPECT_EQ(unprotectedValue(FixedClock().now), static_cast<uint16_t>(2285 & ~2421));
    EXPECT_EQ(freshHeader().protectionCode, static_cast<int16_t>(2285 & ~2421));
}

struct VerifyCase {
    const char* password;
    const char* typed;
    bool accepted;
};

TEST(Protection, VerifyAcceptsOnlyTheSameBytes) {
    const VerifyCase cases[] = {
        {"Secret", "Secret", true},
        {"Secret", "secret", false},
        {"Secret", "SECRET", false},
        {"Secret", "Secre", false},
        {"Secret", "Secret!", false},
        {"Secret", "", false},
        {"", "", true},
        {"", "a", false},
        {"twelve-chars", "twelve-chars", true},
        {"twelve-chars", "twelve-chars+", true},  // a 13th character never counts
        {"thirteen-char", "thirteen-char", true},
        {"thirteen-char", "thirteen-cha", true},
        {"thirteen-char", "thirteen-ch", false},
        {"\xC3\xA4pfel", "\xC3\xA4pfel", true},
        {"\xC3\xA4pfel", "\xC3\x84pfel", false},
    };
    for (const VerifyCase& c : cases) {
        SCOPED_TRACE(std::string(c.password) + " / " + c.typed);
        const DictionaryHeader header = protectedWith(c.password);
        EXPECT_EQ(verifyPassword(header, c.typed), c.accepted);
    }
}

TEST(Protection, OnlyTheNewestPasswordIsValidAfterAChange) {
    DictionaryHeader header = protectedWith("first");
    TestRandom random;
    setProtection(header, false, random);
    EXPECT_FALSE(isProtected(header));
    scramblePassword(header, "second");
    setProtection(header, true, random);
    EXPECT_TRUE(verifyPassword(header, "second"));
    EXPECT_FALSE(verifyPassword(header, "first"));
}

TEST(Protection, SwitchingOffKeepsThePasswordBytes) {
    DictionaryHeader header = protectedWith("Secret");
    uint8_t before[kPasswordBytesSize];
    std::memcpy(before, header.passwordBytes, sizeof before);
    TestRandom random;
    setProtection(header, false, random);
    EXPECT_FALSE(isProtected(header));
    EXPECT_EQ(header.protectionCode, static_cast<int16_t>(unprotectedValue(header.created)));
    EXPECT_EQ(std::memcmp(header.passwordBytes, before, sizeof before), 0);
    EXPECT_EQ(header.passwordBytes[13], 0);
}

TEST(Protection, SetProtectionOnUsesTheCreationTimeAndOneDraw) {
    // A = 269, B = 2016 as above; the code is (A + B) | (9 * A + R).
    for (uint32_t seed : {1u, 7u, 12345u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(seed);
        TestRandom expectedDraw;
        expectedDraw.seed(seed);
        const uint32_t r = static_cast<uint32_t>(expectedDraw.draw());
        const DictionaryHeader header = protectedWith("x", seed);
        EXPECT_EQ(static_cast<uint16_t>(header.protectionCode),
                  static_cast<uint16_t>((269 + 2016) | (9 * 269 + r)));
    }
}

TEST(Protection, CodeEqualToTheUnprotectedValueCountsAsUnprotected) {
    DictionaryHeader header = protectedWith("Secret");
    ASSERT_TRUE(isProtected(header));
    header.protectionCode = static_cast<int16_t>(unprotectedValue(header.created));
    EXPECT_FALSE(isProtected(header));
    header.protectionCode = static_cast<int16_t>(unprotectedValue(header.created) ^ 0x8000);
    EXPECT_TRUE(isProtected(header));
}

TEST(Protection, ScrambleThenUnscrambleGivesBackEveryByteAtEveryPosition) {
    for (std::size_t position = 0; position < kScrambledLength; ++position) {
        for (int value = 0; value < 256; ++value) {
            std::array<uint8_t, kScrambledLength> plain{};
            for (std::size_t i = 0; i < plain.size(); ++i) {
                plain[i] = static_cast<uint8_t>(value + 31 * i);  // neighbours vary too
            }
            plain[position] = static_cast<uint8_t>(value);
            DictionaryHeader header = freshHeader();
            const auto scrambled = scrambleBuffer(plain);
            std::memcpy(header.passwordBytes, scrambled.data(), scrambled.size());
            const auto back = unscramblePassword(header);
            ASSERT_EQ(std::memcmp(back.data(), plain.data(), plain.size()), 0)
                << "position " << position << " value " << value;
            ASSERT_EQ(back[13], 0);
        }
    }
}

TEST(Protection, ScrambleWritesThirteenBytesAndHidesThePassword) {
    DictionaryHeader header = freshHeader();
    scramblePassword(header, "abcdefghijklmnop");
    EXPECT_EQ(header.passwordBytes[13], 0);
    const std::string_view stored(reinterpret_cast<const char*>(header.passwordBytes),
                                  kPasswordBytesSize);
    EXPECT_EQ(stored.find("abc"), std::string_view::npos);
    const auto plain = unscramblePassword(header);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(plain.data())), "abcdefghijkl");
}

}  // namespace
}  // namespace lq::test
