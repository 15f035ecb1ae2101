// The system calls the dictionary file goes through. Tests put a failing implementation in
// their place to prove that every failed write, flush and rename is noticed.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace lq {

class FileOps {
  public:
    virtual ~FileOps() = default;
    // Each behaves like the POSIX call of the same name: -1 and errno on failure. A name is
    // taken relative to the folder descriptor, so a folder held open keeps receiving its files
    // when it is renamed; AT_FDCWD takes it relative to the working folder.
    virtual int openat(int folder, const char* name, int flags, mode_t mode) = 0;
    virtual ssize_t read(int fd, void* buffer, size_t size) = 0;
    virtual ssize_t write(int fd, const void* buffer, size_t size) = 0;
    virtual int fstat(int fd, struct stat* status) = 0;
    virtual int fchmod(int fd, mode_t mode) = 0;
    virtual int fsync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int renameat(int fromFolder, const char* from, int toFolder, const char* to) = 0;
    virtual int unlinkat(int folder, const char* name, int flags) = 0;
    virtual int faccessat(int folder, const char* name, int mode, int flags);
    virtual int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags);

    // The same calls for a path, for files outside any folder held open.
    int open(const char* path, int flags, mode_t mode) {
        return openat(AT_FDCWD, path, flags, mode);
    }
    int rename(const char* from, const char* to) {
        return renameat(AT_FDCWD, from, AT_FDCWD, to);
    }
    int unlink(const char* path) { return unlinkat(AT_FDCWD, path, 0); }
    int access(const char* path, int mode) { return faccessat(AT_FDCWD, path, mode, 0); }

    // The real system calls.
    static FileOps& system();
};

}  // namespace lq
