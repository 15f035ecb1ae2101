// The plain-text report: a fixed-width table in UTF-8 with CR LF line ends.
#pragma once

#include <cstdint>
#include <vector>

#include "report/core/ReportContent.h"
#include "report/core/ReportSink.h"
#include "store/Dictionary.h"

namespace lq {

// Writes the words of `order` that pass the filter. Stops at the first failed write and
// returns false then; true when every write succeeded.
bool writeTextReport(ReportSink& sink, const Dictionary& dictionary,
                     const std::vector<int32_t>& order, const ReportFilter& filter);

}  // namespace lq
