// Drawing distinct word indexes at random, the way both test words and variants are drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "selftest/TestRandom.h"

namespace lq {

// How many table indexes a single draw can reach.
constexpr int32_t kSingleDrawRange = TestRandom::kMax + 1;

using IndexFilter = std::function<bool(int32_t index)>;

// Appends distinct indexes of a table of tableSize entries that pass `accepts` until `drawn`
// holds `wanted` entries, or every acceptable index has been drawn. Indexes already in `drawn`
// count as taken.
//
// A table that one draw covers is drawn by plain rejection: draw, skip what is out of range,
// not accepted or already taken. The generator has full period, so every index comes up and the
// loop ends once enough acceptable indexes exist, which is checked first.
//
// A larger table can't be covered by one 15-bit draw, so there the acceptable indexes are
// collected and picked without replacement with wider numbers made of three draws: each pick
// takes exactly three draws and every index can be picked.
void drawDistinctIndexes(int32_t tableSize, std::size_t wanted, const IndexFilter& accepts,
                         TestRandom& random, std::vector<int32_t>& drawn);

}  // namespace lq
