// A file opened for reading, closed again on every way out. The open never waits (a pipe
// opened without O_NONBLOCK would wait for a writer for ever), and anything that is not a
// regular file (a folder, a pipe, a socket, a device) is refused.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <string>

#include "store/FileOps.h"

namespace lq {

class ReadableFile {
  public:
    enum class Status {
        Open,
        CannotOpen,  // openErrno() tells why: ENOENT for a missing file
        NotAFile,
        CannotStat,
    };

    // `name` in the folder held open as `folder`; `extraFlags` may add O_NOFOLLOW.
    ReadableFile(FileOps& ops, int folder, const std::string& name, int extraFlags = 0);
    ReadableFile(FileOps& ops, const std::string& path) : ReadableFile(ops, AT_FDCWD, path) {}
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    Status status() const { return status_; }
    int openErrno() const { return openErrno_; }
    // Only for an open file.
    int fd() const { return fd_; }
    off_t size() const { return size_; }
    // The open file's status, as fstat gave it.
    const struct stat& fileStatus() const { return fileStatus_; }

  private:
    FileOps& ops_;
    int fd_ = -1;
    Status status_ = Status::CannotOpen;
    int openErrno_ = 0;
    off_t size_ = 0;
    struct stat fileStatus_ {};
};

}  // namespace lq
