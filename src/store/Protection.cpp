#include "store/Protection.h"

#include <algorithm>
#include <cstring>

#include "store/TestRandom.h"

namespace lq {

namespace {

// Fixed for ever: dictionaries scrambled with one table cannot be read with another.
constexpr std::array<int8_t, kScrambledLength> kPasswordKey = {37, -91,  12, 103, -58, 77, -14,
                                                               66, -120, 29, 95,  -43, 8};

uint8_t low8(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

struct TimeSums {
    uint32_t a;  // hour + minute + second + milliseconds
    uint32_t b;  // year + month + day of week + day of month
};

TimeSums timeSums(const SYSTEMTIME& t) {
    return {uint32_t{t.hour} + t.minute + t.second + t.milliseconds,
            uint32_t{t.year} + t.month + t.dayOfWeek + t.day};
}

std::string_view firstBytes(std::string_view text) {
    return text.substr(0, std::min(text.size(), kPasswordMaxLength));
}

}  // namespace

uint16_t unprotectedValue(const SYSTEMTIME& created) {
    const TimeSums s = timeSums(created);
    const auto a = static_cast<uint16_t>(s.a);
    const auto b = static_cast<uint16_t>(s.b);
    return static_cast<uint16_t>(static_cast<uint16_t>(a + b) & ~static_cast<uint16_t>(9 * a));
}

bool isProtected(const DictionaryHeader& header) {
    return static_cast<uint16_t>(header.protectionCode) != unprotectedValue(header.created);
}

void setProtection(DictionaryHeader& header, bool on, TestRandom& random) {
    if (!on) {
        header.protectionCode = static_cast<int16_t>(unprotectedValue(header.created));
        return;
    }
    const uint32_t r = static_cast<uint32_t>(random.draw());
    const TimeSums s = timeSums(header.created);
    header.protectionCode =
        static_cast<int16_t>(static_cast<uint16_t>((s.a + s.b) | (9 * s.a + r)));
}

std::array<uint8_t, kScrambledLength> scrambleBuffer(
    const std::array<uint8_t, kScrambledLength>& plain) {
    std::array<uint8_t, kScrambledLength> out{};
    for (int i = 0; i < static_cast<int>(kScrambledLength); ++i) {
        const int k = kPasswordKey[i];
        const int s = (i % 2 == 1) ? k : -k;
        int t = low8(plain[i] + s + i);
        t = low8(t ^ 0x81);
        t = low8(t + 2 * i);
        t = low8(t ^ 0x5A);
        t = low8(t + 3 * i);
        out[i] = static_cast<uint8_t>(t);
    }
    return out;
}

void scramblePassword(DictionaryHeader& header, std::string_view password) {
    std::array<uint8_t, kScrambledLength> plain{};
    const std::string_view used = firstBytes(password);
    std::memcpy(plain.data(), used.data(), used.size());
    const auto scrambled = scrambleBuffer(plain);
    std::memcpy(header.passwordBytes, scrambled.data(), scrambled.size());
}

std::array<uint8_t, kPasswordBytesSize> unscramblePassword(const DictionaryHeader& header) {
    std::array<uint8_t, kPasswordBytesSize> d{};
    std::memcpy(d.data(), header.passwordBytes, d.size());
    for (int i = 0; i < static_cast<int>(kScrambledLength); ++i) {
        const int k = kPasswordKey[i];
        int t = low8(d[i] - 3 * i);
        t = low8(t ^ 0x5A);
        t = low8(t - 2 * i);
        t = low8(t ^ 0x81);
        t = low8(t - i);
        d[i] = low8(t + ((i % 2 == 0) ? k : -k));
    }
    // Byte 13 is copied as stored; forcing it to zero keeps the password terminated even when a
    // damaged file holds something else there.
    d[kScrambledLength] = 0;
    return d;
}

bool verifyPassword(const DictionaryHeader& header, std::string_view typed) {
    const auto d = unscramblePassword(header);
    const auto* end = static_cast<const uint8_t*>(std::memchr(d.data(), 0, d.size()));
    const std::string_view stored(reinterpret_cast<const char*>(d.data()),
                                  static_cast<std::size_t>(end - d.data()));
    return stored == firstBytes(typed);
}

}  // namespace lq
