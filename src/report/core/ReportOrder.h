// The order in which reports list the words.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "store/Dictionary.h"

namespace lq {

// True when the first byte, within the shorter text, at which the two differ is greater in a
// (compared unsigned). A text and its prefix never differ, so neither is greater.
bool reportTextGreater(std::string_view a, std::string_view b);

// Word indexes in report order: ascending by reportTextGreater, where words that neither is
// greater than the other keep the relative order that adjacent swaps leave them in. Each word,
// in storage order, goes right after the last already placed word that is not greater than it.
std::vector<int32_t> sortWordsByText(const Dictionary& dictionary);

}  // namespace lq
