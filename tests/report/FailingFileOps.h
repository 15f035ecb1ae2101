// The real system calls, except that one chosen call fails the way a full or broken disk does.
#pragma once

#include <cerrno>

#include "store/FileOps.h"

namespace lq::test {

class FailingFileOps final : public FileOps {
  public:
    enum class Call { None, Open, Write, Fsync, Close, Rename };

    // The `nth` call of the given kind fails (counting from 1); all others do the real thing.
    FailingFileOps(Call failing = Call::None, int nth = 1) : failing_(failing), nth_(nth) {}

    int open(const char* path, int flags, mode_t mode) override {
        return fails(Call::Open, opens, EACCES) ? -1 : real().open(path, flags, mode);
    }
    ssize_t read(int fd, void* buffer, size_t size) override {
        return real().read(fd, buffer, size);
    }
    ssize_t write(int fd, const void* buffer, size_t size) override {
        return fails(Call::Write, writes, ENOSPC) ? -1 : real().write(fd, buffer, size);
    }
    int fstat(int fd, struct stat* status) override { return real().fstat(fd, status); }
    int fchmod(int fd, mode_t mode) override { return real().fchmod(fd, mode); }
    int fsync(int fd) override { return fails(Call::Fsync, fsyncs, EIO) ? -1 : real().fsync(fd); }
    int close(int fd) override {
        // The descriptor is gone either way, as with a real failing close.
        const int result = real().close(fd);
        return fails(Call::Close, closes, EIO) ? -1 : result;
    }
    int rename(const char* from, const char* to) override {
        return fails(Call::Rename, renames, EIO) ? -1 : real().rename(from, to);
    }
    int unlink(const char* path) override { return real().unlink(path); }

    int opens = 0, writes = 0, fsyncs = 0, closes = 0, renames = 0;

  private:
    static FileOps& real() { return FileOps::system(); }

    bool fails(Call call, int& count, int error) {
        ++count;
        if (call != failing_ || count != nth_) {
            return false;
        }
        errno = error;
        return true;
    }

    Call failing_;
    int nth_;
};

}  // namespace lq::test
