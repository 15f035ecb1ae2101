#include "selftest/core/TestOptions.h"

#include <algorithm>
#include <array>
#include <vector>

#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::array<int8_t, kOptionPositionCount> kTestCounts = {1,  2,  3,  4,  5,  10, 15, 20,
                                                                  25, 30, 35, 40, 50, 60, 70, 80};
constexpr std::array<int8_t, kOptionPositionCount> kVariantCounts = {1, 2,  3,  4,  5,  6,  7,  8,
                                                                     9, 10, 11, 12, 13, 14, 15, 16};
constexpr std::array<int16_t, kOptionPositionCount> kTimeLimits = {
    10, 30, 60, 90, 120, 180, 240, 300, 360, 420, 480, 540, 600, 900, 1200, 1800};

static_assert(kTestCounts.back() == kMaxTestCount);

int clampPosition(int position) {
    return std::clamp(position, 0, kOptionPositionCount - 1);
}

template <typename Record>
std::string_view filterText(const RecordTable<Record>& records, int32_t filter) {
    if (filter < 0) {
        return kAnyFilterText;
    }
    if (static_cast<std::size_t>(filter) >= records.size()) {
        return {};
    }
    return fieldText(records[static_cast<std::size_t>(filter)].name);
}

}  // namespace

int32_t testCountAt(int position) {
    return kTestCounts[static_cast<std::size_t>(clampPosition(position))];
}

int32_t variantCountAt(int position) {
    return kVariantCounts[static_cast<std::size_t>(clampPosition(position))];
}

int32_t timeLimitSecondsAt(int position) {
    return kTimeLimits[static_cast<std::size_t>(clampPosition(position))];
}

int32_t testCount(const DictionaryHeader& header) {
    return testCountAt(header.testCountIndex);
}

int32_t variantCount(const DictionaryHeader& header) {
    return variantCountAt(header.variantCountIndex);
}

int32_t timeLimitSeconds(const DictionaryHeader& header) {
    return timeLimitSecondsAt(header.timeLimitIndex);
}

std::string formatCount(uint32_t count) {
    return std::to_string(count);
}

std::string formatTwoDigits(uint32_t count) {
    std::string digits = formatCount(count);
    if (digits.size() < 2) {
        digits.insert(digits.begin(), '0');
    }
    return digits;
}

std::string formatMinutesSeconds(uint32_t seconds) {
    return formatTwoDigits(seconds / 60) + ":" + formatTwoDigits(seconds % 60);
}

std::string_view themeFilterText(const Dictionary& dictionary) {
    return filterText(dictionary.themes, dictionary.header.testThemeFilter);
}

std::string_view languageFilterText(const Dictionary& dictionary) {
    return filterText(dictionary.languages, dictionary.header.testLanguageFilter);
}

}  // namespace lq
