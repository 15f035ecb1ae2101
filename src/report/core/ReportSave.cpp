#include "report/core/ReportSave.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <new>

#include "report/core/HtmlReport.h"
#include "report/core/ReportFormatting.h"
#include "report/core/ReportOrder.h"
#include "report/core/ReportSink.h"
#include "report/core/TextReport.h"
#include "store/AtomicFile.h"
#include "store/WorkingFolder.h"

namespace lq {

namespace {

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool writeReport(ReportSink& sink, const Dictionary& dictionary, const std::vector<int32_t>& order,
                 const ReportRequest& request) {
    if (request.options.format == ReportFormat::Text) {
        return writeTextReport(sink, dictionary, order, request.filter);
    }
    return writeHtmlReport(sink, dictionary, order, request.filter, request.options);
}

// The old file is replaced, never written, yet a file that cannot be written (write-protected, a
// folder) is refused as writing over it would be.
bool writable(const std::string& path, FileOps& ops) {
    const int fd = ops.open(path.c_str(), O_WRONLY | O_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    ops.close(fd);
    return true;
}

void showWriteError(Reporter& reporter) {
    reporter.showError("Input/output error.",
                       "Error while writing to disk. Make disk ready and try again.");
}

}  // namespace

std::string defaultReportName(const Clock& clock) {
    const SYSTEMTIME now = clock.localTime();
    std::string name = "LQ Report on ";
    name.append(dayName(now.dayOfWeek));
    name.push_back(' ');
    appendNumber(name, now.day);
    name.push_back('-');
    appendNumber(name, now.month);
    name.push_back('-');
    appendNumber(name, now.year);
    return name;
}

std::string reportFilePath(std::string_view folder, std::string_view name, ReportFormat format) {
    std::string path = joinFolder(folder, name);
    path.append(format == ReportFormat::Text ? ".txt" : ".html");
    return path;
}

bool saveReport(Dictionary& dictionary, const ReportRequest& request,
                const DictionaryFolder* ownFiles, Reporter& reporter, FileOps& ops) {
    const std::string path = reportFilePath(request.folder, request.name, request.options.format);
    if (ownFiles != nullptr) {
        if (const auto refusal = ownFiles->ownFileRefusal(path)) {
            reporter.showError("Can't save report.", *refusal);
            return false;
        }
    }
    const bool replacing = exists(path);
    if (replacing &&
        !reporter.askWarning("File \"" + path + "\" already exists. Overwrite?", true)) {
        return false;
    }
    AtomicFile file(ops);
    if ((replacing && !writable(path, ops)) || !file.open(path)) {
        reporter.showError("Can't save report.",
                           "Unable to write file. Maybe, disk is write-protected.");
        return false;
    }
    std::vector<int32_t> order;
    try {
        order = sortWordsByText(dictionary);
    } catch (const std::bad_alloc&) {
        reporter.showError("Can't sort words.",
                           "Memory allocation error. Close some applications and try again.");
        return false;
    }
    AtomicFileSink sink(file);
    if (!writeReport(sink, dictionary, order, request) || !sink.flush() || !file.commit()) {
        showWriteError(reporter);
        return false;
    }
    packReportOptions(request.options, dictionary.header);
    reporter.showInformation("Report successfuly written.");
    return true;
}

}  // namespace lq
