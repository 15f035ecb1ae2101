// The real file calls with one fault put in: a chosen call fails once with a chosen errno, the
// way a full disk, a failing drive or a write-protected folder would make it fail. Calls after it
// do the real thing again, as when the user has made room and tries again.
#pragma once

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>

#include "store/FileOps.h"

namespace lq::test {

enum class FileCall {
    None,
    OpenForReading,
    OpenForWriting,
    OpenFolder,  // the folder is opened to flush a rename
    Read,
    Write,
    Fsync,
    Close,
    Rename,
    Access,
    Link,        // the unnamed new file gets its name just before the rename
    HoldFolder,  // a folder is opened to reach the files in it by name
    Count  // not a call: the number of kinds
};

struct Fault {
    FileCall call = FileCall::None;
    int error = EIO;
    int nth = 1;  // which call of that kind fails, counting from 1
    // Writes only: bytes from the nth write on that reach the file before the failure.
    int64_t bytesBefore = 0;
};

class FailingFileOps : public FileOps {
  public:
    explicit FailingFileOps(Fault fault = {}) : fault_(fault) {}

    int openat(int folder, const char* name, int flags, mode_t mode) override {
        if (strikes(openKind(flags))) {
            return fail();
        }
        return real_.openat(folder, name, flags, mode);
    }
    ssize_t read(int fd, void* buffer, size_t size) override {
        return strikes(FileCall::Read) ? fail() : real_.read(fd, buffer, size);
    }
    ssize_t write(int fd, const void* buffer, size_t size) override {
        const int call = count(FileCall::Write);
        if (fault_.call != FileCall::Write || call < fault_.nth || writeFailed_) {
            return real_.write(fd, buffer, size);
        }
        const int64_t room = fault_.bytesBefore - written_;
        if (room <= 0) {
            writeFailed_ = true;
            return fail();
        }
        // A short write first, as a filling disk gives, then the error on the next call.
        const size_t allowed = static_cast<size_t>(std::min<int64_t>(room, int64_t(size)));
        const ssize_t done = real_.write(fd, buffer, allowed);
        if (done > 0) {
            written_ += done;
        }
        return done;
    }
    int fstat(int fd, struct stat* status) override { return real_.fstat(fd, status); }
    int fchmod(int fd, mode_t mode) override { return real_.fchmod(fd, mode); }
    int fsync(int fd) override { return strikes(FileCall::Fsync) ? fail() : real_.fsync(fd); }
    int close(int fd) override {
        // The descriptor is gone either way, as with a real close that reports an error.
        const int result = real_.close(fd);
        return strikes(FileCall::Close) ? fail() : result;
    }
    int renameat(int fromFolder, const char* from, int toFolder, const char* to) override {
        return strikes(FileCall::Rename) ? fail() : real_.renameat(fromFolder, from, toFolder, to);
    }
    int unlinkat(int folder, const char* name, int flags) override {
        return real_.unlinkat(folder, name, flags);
    }
    int faccessat(int folder, const char* name, int mode, int flags) override {
        return strikes(FileCall::Access) ? fail() : real_.faccessat(folder, name, mode, flags);
    }
    int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) override {
        return strikes(FileCall::Link) ? fail()
                                       : real_.linkat(fromFolder, from, toFolder, to, flags);
    }

    // How many calls of the kind were made, the failed one included.
    int calls(FileCall call) const { return calls_[index(call)]; }

  private:
    static std::size_t index(FileCall call) { return static_cast<std::size_t>(call); }
    static FileCall openKind(int flags) {
        // An unnamed file is opened on its folder, but it is the new file all the same.
        if ((flags & O_TMPFILE) == O_TMPFILE) {
            return FileCall::OpenForWriting;
        }
        if ((flags & O_PATH) != 0) {
            return FileCall::HoldFolder;
        }
        if ((flags & O_DIRECTORY) != 0) {
            return FileCall::OpenFolder;
        }
        return (flags & O_ACCMODE) == O_RDONLY ? FileCall::OpenForReading
                                               : FileCall::OpenForWriting;
    }
    int count(FileCall call) { return ++calls_[index(call)]; }
    bool strikes(FileCall call) { return count(call) == fault_.nth && call == fault_.call; }
    int fail() {
        errno = fault_.error;
        return -1;
    }

    Fault fault_;
    FileOps& real_ = FileOps::system();
    std::array<int, static_cast<std::size_t>(FileCall::Count)> calls_{};
    int64_t written_ = 0;
    bool writeFailed_ = false;
};

}  // namespace lq::test
