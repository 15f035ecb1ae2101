// Drawing distinct word indexes at random, the way both test words and variants are drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/TestRandom.h"

namespace lq {

// How many table indexes a single draw can reach.
constexpr int32_t kSingleDrawRange = TestRandom::kMax + 1;

// Draws min(wanted, pool size) distinct indexes out of `pool` (ascending, distinct, each below
// tableSize), in draw order.
//
// A table that one draw covers is drawn by plain rejection: draw, skip what is out of range,
// not in the pool or already drawn. The generator has full period, so every index comes up and
// the loop ends.
//
// A larger table can't be covered by one 15-bit draw, so there the pool is picked from without
// replacement with wider numbers made of three draws: each pick takes exactly three draws and
// every index of the pool can be picked.
std::vector<int32_t> drawDistinctIndexes(int32_t tableSize, std::vector<int32_t> pool,
                                         std::size_t wanted, TestRandom& random);

}  // namespace lq
