// The HTML report: one line of pure ASCII HTML holding a styled table.
#pragma once

#include <cstdint>
#include <vector>

#include "report/core/ReportContent.h"
#include "report/core/ReportOptions.h"
#include "report/core/ReportSink.h"
#include "store/Dictionary.h"

namespace lq {

// Writes the words of `order` that pass the filter, with the table look of `options` (its
// format is not looked at). Every text taken from the dictionary is escaped. Stops at the first
// failed write and returns false then; true when every write succeeded.
bool writeHtmlReport(ReportSink& sink, const Dictionary& dictionary,
                     const std::vector<int32_t>& order, const ReportFilter& filter,
                     const ReportOptions& options);

}  // namespace lq
