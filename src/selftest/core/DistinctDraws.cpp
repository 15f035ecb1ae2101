#include "selftest/core/DistinctDraws.h"

#include <algorithm>
#include <utility>

namespace lq {

namespace {

// 45 random bits: enough to pick a position in any pool an int32_t can count.
uint64_t wideDraw(TestRandom& random) {
    uint64_t value = 0;
    for (int part = 0; part < 3; ++part) {
        value = (value << 15) | static_cast<uint64_t>(random.draw());
    }
    return value;
}

std::vector<int32_t> drawByRejection(int32_t tableSize, const std::vector<int32_t>& pool,
                                     std::size_t wanted, TestRandom& random) {
    std::vector<int32_t> drawn;
    while (drawn.size() < wanted) {
        const int32_t r = random.draw();
        if (r < tableSize && std::binary_search(pool.begin(), pool.end(), r) &&
            std::find(drawn.begin(), drawn.end(), r) == drawn.end()) {
            drawn.push_back(r);
        }
    }
    return drawn;
}

// Each pick moves the picked index out of the pool's live front part.
std::vector<int32_t> drawFromPool(std::vector<int32_t> pool, std::size_t wanted,
                                  TestRandom& random) {
    std::vector<int32_t> drawn;
    std::size_t remaining = pool.size();
    while (drawn.size() < wanted) {
        const std::size_t position = static_cast<std::size_t>(wideDraw(random) % remaining);
        drawn.push_back(pool[position]);
        pool[position] = pool[--remaining];
    }
    return drawn;
}

}  // namespace

std::vector<int32_t> drawDistinctIndexes(int32_t tableSize, std::vector<int32_t> pool,
                                         std::size_t wanted, TestRandom& random) {
    wanted = std::min(wanted, pool.size());
    if (tableSize <= kSingleDrawRange) {
        return drawByRejection(tableSize, pool, wanted, random);
    }
    return drawFromPool(std::move(pool), wanted, random);
}

}  // namespace lq
