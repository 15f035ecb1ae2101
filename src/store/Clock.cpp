#include "store/Clock.h"

#include <chrono>
#include <ctime>

namespace lq {

SYSTEMTIME SystemClock::localTime() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return SYSTEMTIME{static_cast<uint16_t>(local.tm_year + 1900),
                      static_cast<uint16_t>(local.tm_mon + 1),
                      static_cast<uint16_t>(local.tm_wday),
                      static_cast<uint16_t>(local.tm_mday),
                      static_cast<uint16_t>(local.tm_hour),
                      static_cast<uint16_t>(local.tm_min),
                      static_cast<uint16_t>(local.tm_sec),
                      static_cast<uint16_t>(millis < 0 ? millis + 1000 : millis)};
}

int64_t SystemClock::secondsSinceEpoch() const {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace lq
