// Password protection: it guards the saving of changes, it does not hide the contents.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "store/Records.h"

namespace lq {

class TestRandom;

constexpr std::size_t kPasswordMaxLength = 12;  // bytes of a typed password that count
constexpr std::size_t kScrambledLength = 13;

// The protection code of an unprotected dictionary, derived from its creation time.
uint16_t unprotectedValue(const SYSTEMTIME& created);

bool isProtected(const DictionaryHeader& header);
// On draws one number from the generator; the result may equal the unprotected value, and
// then the dictionary simply counts as unprotected.
void setProtection(DictionaryHeader& header, bool on, TestRandom& random);
// Only the first 12 bytes of the password count.
void scramblePassword(DictionaryHeader& header, std::string_view password);
std::array<uint8_t, kPasswordBytesSize> unscramblePassword(const DictionaryHeader& header);
bool verifyPassword(const DictionaryHeader& header, std::string_view typed);

// Exposed for tests: the byte-level scrambling of a 13-byte buffer.
std::array<uint8_t, kScrambledLength> scrambleBuffer(
    const std::array<uint8_t, kScrambledLength>& plain);

}  // namespace lq
