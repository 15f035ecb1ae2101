// The program's one pseudo-random generator: the same seed gives the same draws everywhere.
#pragma once

#include <cstdint>

namespace lq {

class TestRandom {
  public:
    static constexpr int kMax = 32767;

    void seed(uint32_t value) { state_ = value; }
    // 0 to 32767.
    int draw() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 32767u);
    }

  private:
    uint32_t state_ = 1;
};

}  // namespace lq
