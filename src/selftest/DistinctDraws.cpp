#include "selftest/DistinctDraws.h"

#include <algorithm>
#include <utility>

namespace lq {

namespace {

bool isTaken(const std::vector<int32_t>& drawn, int32_t index) {
    return std::find(drawn.begin(), drawn.end(), index) != drawn.end();
}

std::vector<int32_t> untakenAcceptable(int32_t tableSize, const IndexFilter& accepts,
                                       const std::vector<int32_t>& drawn) {
    std::vector<int32_t> pool;
    for (int32_t index = 0; index < tableSize; ++index) {
        if (accepts(index) && !isTaken(drawn, index)) {
            pool.push_back(index);
        }
    }
    return pool;
}

// 45 random bits: enough to pick a position in any table an int32_t can count.
uint64_t wideDraw(TestRandom& random) {
    uint64_t value = 0;
    for (int part = 0; part < 3; ++part) {
        value = (value << 15) | static_cast<uint64_t>(random.draw());
    }
    return value;
}

void drawByRejection(int32_t tableSize, std::size_t wanted, const IndexFilter& accepts,
                     TestRandom& random, std::vector<int32_t>& drawn) {
    while (drawn.size() < wanted) {
        const int32_t r = random.draw();
        if (r < tableSize && accepts(r) && !isTaken(drawn, r)) {
            drawn.push_back(r);
        }
    }
}

// Each pick moves the picked index out of the pool's live front part.
void drawFromPool(std::vector<int32_t> pool, std::size_t wanted, TestRandom& random,
                  std::vector<int32_t>& drawn) {
    std::size_t remaining = pool.size();
    while (drawn.size() < wanted) {
        const std::size_t position = static_cast<std::size_t>(wideDraw(random) % remaining);
        drawn.push_back(pool[position]);
        pool[position] = pool[--remaining];
    }
}

}  // namespace

void drawDistinctIndexes(int32_t tableSize, std::size_t wanted, const IndexFilter& accepts,
                         TestRandom& random, std::vector<int32_t>& drawn) {
    if (drawn.size() >= wanted) {
        return;
    }
    std::vector<int32_t> pool = untakenAcceptable(tableSize, accepts, drawn);
    const std::size_t reachable = drawn.size() + pool.size();
    wanted = std::min(wanted, reachable);
    if (tableSize <= kSingleDrawRange) {
        drawByRejection(tableSize, wanted, accepts, random, drawn);
    } else {
        drawFromPool(std::move(pool), wanted, random, drawn);
    }
}

}  // namespace lq
