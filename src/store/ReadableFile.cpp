#include "store/ReadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace lq {

ReadableFile::ReadableFile(FileOps& ops, const std::string& path) : ops_(ops) {
    fd_ = ops_.open(path.c_str(), O_RDONLY | O_NONBLOCK, 0);
    if (fd_ < 0) {
        openErrno_ = errno;
        // A socket cannot be opened at all; it is still no missing file.
        struct stat status {};
        const bool other = ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
        status_ = other ? Status::NotAFile : Status::CannotOpen;
        return;
    }
    struct stat status {};
    if (ops_.fstat(fd_, &status) != 0) {
        status_ = Status::CannotStat;
    } else if (!S_ISREG(status.st_mode)) {
        status_ = Status::NotAFile;
    } else {
        status_ = Status::Open;
        size_ = status.st_size;
    }
}

ReadableFile::~ReadableFile() {
    if (fd_ >= 0) {
        ops_.close(fd_);
    }
}

}  // namespace lq
