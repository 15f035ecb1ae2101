// A clock that says what the test tells it.
#pragma once

#include "store/Clock.h"

namespace lq::test {

class FixedClock : public Clock {
  public:
    SYSTEMTIME localTime() const override { return now; }
    int64_t secondsSinceEpoch() const override { return seconds; }

    // Monday 5 March 2007, 09:07:03.250
    SYSTEMTIME now{2007, 3, 1, 5, 9, 7, 3, 250};
    int64_t seconds = 1173085623;
};

}  // namespace lq::test
