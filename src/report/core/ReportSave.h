// Writing a report file as the Report dialog's Save does it.
#pragma once

#include <string>
#include <string_view>

#include "report/core/ReportContent.h"
#include "report/core/ReportOptions.h"
#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/DictionaryFolder.h"
#include "store/FileOps.h"
#include "store/Reporter.h"

namespace lq {

struct ReportRequest {
    std::string folder;  // the Path field
    std::string name;    // the Filename field, without extension
    ReportFilter filter;
    ReportOptions options;
};

// The name the Report dialog suggests: "LQ Report on Mon 5-3-2007" for that day.
std::string defaultReportName(const Clock& clock);

// folder/name.txt or folder/name.html; a folder that ends with "/" gets no second one, and an
// empty folder means the working folder.
std::string reportFilePath(std::string_view folder, std::string_view name, ReportFormat format);

// Refuses a file that is the open dictionary or one of its own files in `ownFiles` (nullptr when
// no dictionary is open) before it asks anything. Otherwise asks before replacing an existing
// file, writes the report in the format of the options and replaces the file only once all of it
// is written. On success packs the options into the header, tells the user and returns true. On
// any failure shows why, leaves the header and any old file as they were, and returns false
// (also when the user keeps the old file).
bool saveReport(Dictionary& dictionary, const ReportRequest& request,
                const DictionaryFolder* ownFiles, Reporter& reporter,
                FileOps& ops = FileOps::system());

}  // namespace lq
