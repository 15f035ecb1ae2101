// Texts the main window and the information dialogs format from dictionary values.
#pragma once

#include <cstdint>
#include <string>

#include "store/Records.h"

namespace lq {

// "Mon, 5.3.2007, 9:7:3": day name, day.month.year, hour:minute:second, no leading zeros.
std::string formatDateTime(const SYSTEMTIME& time);

// The word counter: "12 of 40".
std::string wordCounterText(int64_t shown, int64_t total);

}  // namespace lq
