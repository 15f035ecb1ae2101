#include "report/core/ReportSink.h"

namespace lq {

bool AtomicFileSink::write(std::string_view bytes) {
    if (failed_) {
        return false;
    }
    pending_.append(bytes);
    return pending_.size() < kChunkSize || flush();
}

bool AtomicFileSink::flush() {
    if (!failed_ && !pending_.empty()) {
        failed_ = !file_.write(pending_.data(), pending_.size());
        pending_.clear();
    }
    return !failed_;
}

}  // namespace lq
