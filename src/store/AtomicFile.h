// Replaces a file so that a failure at any step leaves the old file exactly as it was: the
// new contents go to a temporary file in the same folder, which is flushed and then renamed
// over the old one.
#pragma once

#include <cstddef>
#include <string>

#include "store/FileOps.h"

namespace lq {

class AtomicFile {
  public:
    explicit AtomicFile(FileOps& ops = FileOps::system());
    ~AtomicFile();  // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // A symbolic link keeps being a link: its target is the file that is replaced. An old file
    // that may not be written to is not replaced.
    bool open(const std::string& path);
    bool write(const void* data, std::size_t size);
    // Flushes, closes and renames; then flushes the folder so the rename itself is durable.
    bool commit();

  private:
    void discard();

    FileOps& ops_;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    bool failed_ = false;
    mode_t oldMode_ = 0;
    bool hadOldFile_ = false;
};

}  // namespace lq
