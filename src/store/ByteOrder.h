// The file's integers are little-endian whatever the machine. On a little-endian machine the
// records are already in file order and these conversions compile to nothing.
#pragma once

#include <bit>
#include <cstdint>

#include "store/Records.h"

namespace lq {

namespace byteorder {

template <typename T>
T swapped(T value) {
    if constexpr (sizeof(T) == 1) {
        return value;
    } else {
        using U = std::conditional_t<sizeof(T) == 2, uint16_t, uint32_t>;
        U raw = static_cast<U>(value);
        if constexpr (sizeof(T) == 2) {
            raw = static_cast<U>((raw >> 8) | (raw << 8));
        } else {
            raw = (raw >> 24) | ((raw >> 8) & 0xFF00u) | ((raw << 8) & 0xFF0000u) | (raw << 24);
        }
        return static_cast<T>(raw);
    }
}

template <typename T>
void swap(T& value) {
    value = swapped(value);
}

inline void swapFields(SYSTEMTIME& t) {
    swap(t.year);
    swap(t.month);
    swap(t.dayOfWeek);
    swap(t.day);
    swap(t.hour);
    swap(t.minute);
    swap(t.second);
    swap(t.milliseconds);
}

inline void swapFields(DictionaryHeader& h) {
    swapFields(h.created);
    swap(h.languageCount);
    swap(h.themeCount);
    swap(h.wordCount);
    swap(h.protectionCode);
    swap(h.testThemeFilter);
    swap(h.testLanguageFilter);
}

inline void swapFields(WordRecord& w) {
    swapFields(w.created);
    swap(w.rightCount);
    swap(w.testedCount);
    swap(w.themeIndex);
    swap(w.languageIndex);
}

inline void swapFields(LanguageRecord&) {}
inline void swapFields(ThemeRecord&) {}

constexpr bool kNativeIsFileOrder = std::endian::native == std::endian::little;

// Converts between memory order and file order; the conversion is its own inverse.
template <typename Record>
void convert(Record* records, std::size_t count) {
    if constexpr (!kNativeIsFileOrder) {
        for (std::size_t i = 0; i < count; ++i) {
            swapFields(records[i]);
        }
    } else {
        (void)records;
        (void)count;
    }
}

}  // namespace byteorder

}  // namespace lq
