// Records refer to each other by their index in a table: a word to its theme and language, the
// test options to the theme and language they are limited to.
#pragma once

#include <cstdint>
#include <string_view>

namespace lq {

// The index of no record: a lookup that found nothing, a list entry without a record, and a
// filter that lets every record through.
constexpr int32_t kNoIndex = -1;

// How a list shows the filter that lets every record through.
constexpr std::string_view kAnyFilterText = "< doesn't matter >";

// Whether a record's index passes a filter: the filter lets every record through, or names
// this one.
constexpr bool passesFilter(int32_t filter, int32_t index) {
    return filter == kNoIndex || filter == index;
}

}  // namespace lq
