#include "app/core/InfoText.h"

#include <cstdio>

#include "store/Dictionary.h"

namespace lq {

std::string formatDateTime(const SYSTEMTIME& time) {
    char text[64];
    const std::string day(dayName(time.dayOfWeek));
    std::snprintf(text, sizeof text, "%s, %d.%d.%d, %d:%d:%d", day.c_str(), time.day, time.month,
                  time.year, time.hour, time.minute, time.second);
    return text;
}

std::string wordCounterText(int64_t shown, int64_t total) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld of %lld", static_cast<long long>(shown),
                  static_cast<long long>(total));
    return text;
}

}  // namespace lq
