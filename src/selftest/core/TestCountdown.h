// The test's clock: counts whole seconds down and says when the time is up.
#pragma once

#include <cstdint>

namespace lq {

class TestCountdown {
  public:
    enum class Tick { Nothing, Shown, TimeUp };

    // A limited test starts one above its limit, so the first tick shows the full time.
    void start(bool limited, int32_t limitSeconds) {
        secondsLeft_ = limited ? limitSeconds + 1 : -1;
    }

    // Once a second. Shown: secondsLeft() is the time to show. TimeUp comes once; after it
    // (and without a limit) every tick does nothing.
    Tick tick() {
        if (secondsLeft_ == -1) {
            return Tick::Nothing;
        }
        if (secondsLeft_ == 0) {
            secondsLeft_ = -1;
            return Tick::TimeUp;
        }
        --secondsLeft_;
        return Tick::Shown;
    }

    // -1 while no clock runs or after the time ran out.
    int32_t secondsLeft() const { return secondsLeft_; }

  private:
    int32_t secondsLeft_ = -1;
};

}  // namespace lq
