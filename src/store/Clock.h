// Time is read through this interface so that tests can fix it.
#pragma once

#include <cstdint>

#include "store/Records.h"

namespace lq {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual SYSTEMTIME localTime() const = 0;
    // Calendar time in whole seconds since 1 January 1970 (UTC).
    virtual int64_t secondsSinceEpoch() const = 0;
};

class SystemClock final : public Clock {
  public:
    SYSTEMTIME localTime() const override;
    int64_t secondsSinceEpoch() const override;
};

}  // namespace lq
