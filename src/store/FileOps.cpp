#include "store/FileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace lq {

namespace {

class SystemFileOps final : public FileOps {
  public:
    int openat(int folder, const char* name, int flags, mode_t mode) override {
        return ::openat(folder, name, flags | O_CLOEXEC, mode);
    }
    ssize_t read(int fd, void* buffer, size_t size) override { return ::read(fd, buffer, size); }
    ssize_t write(int fd, const void* buffer, size_t size) override {
        return ::write(fd, buffer, size);
    }
    int fstat(int fd, struct stat* status) override { return ::fstat(fd, status); }
    int fchmod(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
    int fsync(int fd) override { return ::fsync(fd); }
    int close(int fd) override { return ::close(fd); }
    int renameat(int fromFolder, const char* from, int toFolder, const char* to) override {
        return ::renameat(fromFolder, from, toFolder, to);
    }
    int unlinkat(int folder, const char* name, int flags) override {
        return ::unlinkat(folder, name, flags);
    }
};

}  // namespace

int FileOps::faccessat(int folder, const char* name, int mode, int flags) {
    return ::faccessat(folder, name, mode, flags);
}

int FileOps::linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
    return ::linkat(fromFolder, from, toFolder, to, flags);
}

FileOps& FileOps::system() {
    static SystemFileOps ops;
    return ops;
}

}  // namespace lq
