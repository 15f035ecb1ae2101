// The test options as the header stores them: positions into three fixed tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/Dictionary.h"

namespace lq {

constexpr int kOptionPositionCount = 16;
// The most questions a test can have, and so the capacity of the test word list.
constexpr int kMaxTestCount = 80;

// A position outside 0..15 is read as the nearest end of the table, so a header built in
// memory can never make these read past their tables.
int32_t testCountAt(int position);
int32_t variantCountAt(int position);
int32_t timeLimitSecondsAt(int position);

// Questions per test.
int32_t testCount(const DictionaryHeader& header);
// Wrong answers offered beside the right one.
int32_t variantCount(const DictionaryHeader& header);
int32_t timeLimitSeconds(const DictionaryHeader& header);

// Decimal, no leading zeros.
std::string formatCount(uint32_t count);
// At least two digits, as the test window's question counter shows them: "05", "80".
std::string formatTwoDigits(uint32_t count);
// MM:SS, each part at least two digits: 90 gives "01:30".
std::string formatMinutesSeconds(uint32_t seconds);

// The name of the theme or language a test is limited to, or kAnyFilterText.
std::string_view themeFilterText(const Dictionary& dictionary);
std::string_view languageFilterText(const Dictionary& dictionary);

}  // namespace lq
