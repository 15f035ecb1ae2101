// The system calls the dictionary file goes through. Tests put a failing implementation in
// their place to prove that every failed write, flush and rename is noticed.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace lq {

class FileOps {
  public:
    virtual ~FileOps() = default;
    // Each behaves like the POSIX call of the same name: -1 and errno on failure.
    virtual int open(const char* path, int flags, mode_t mode) = 0;
    virtual ssize_t read(int fd, void* buffer, size_t size) = 0;
    virtual ssize_t write(int fd, const void* buffer, size_t size) = 0;
    virtual int fstat(int fd, struct stat* status) = 0;
    virtual int fchmod(int fd, mode_t mode) = 0;
    virtual int fsync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int rename(const char* from, const char* to) = 0;
    virtual int unlink(const char* path) = 0;
    // Not pure so that fakes written before it existed keep building; they get the system's.
    virtual int access(const char* path, int mode);
    virtual int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags);

    // The real system calls.
    static FileOps& system();
};

}  // namespace lq
