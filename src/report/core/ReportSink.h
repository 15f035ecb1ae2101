// Where the report writers put their bytes: a file, or memory for tests.
#pragma once

#include <string>
#include <string_view>

#include "store/AtomicFile.h"

namespace lq {

class ReportSink {
  public:
    virtual ~ReportSink() = default;
    // False when the bytes could not be written; the sink then takes nothing more.
    virtual bool write(std::string_view bytes) = 0;
};

class StringSink final : public ReportSink {
  public:
    bool write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// Gathers the small pieces of a report into large writes to the file.
class AtomicFileSink final : public ReportSink {
  public:
    explicit AtomicFileSink(AtomicFile& file) : file_(file) {}
    bool write(std::string_view bytes) override;
    // Writes out what is still gathered; false when this or any earlier write failed.
    bool flush();

  private:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    AtomicFile& file_;
    std::string pending_;
    bool failed_ = false;
};

}  // namespace lq
