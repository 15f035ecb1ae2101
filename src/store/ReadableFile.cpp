#include "store/ReadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace lq {

ReadableFile::ReadableFile(FileOps& ops, int folder, const std::string& name, int extraFlags)
    : ops_(ops) {
    fd_ = ops_.openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | extraFlags, 0);
    if (fd_ < 0) {
        openErrno_ = errno;
        // A socket cannot be opened at all; it is still no missing file.
        struct stat status {};
        const int statFlags = (extraFlags & O_NOFOLLOW) != 0 ? AT_SYMLINK_NOFOLLOW : 0;
        const bool other = ::fstatat(folder, name.c_str(), &status, statFlags) == 0 &&
                           !S_ISREG(status.st_mode);
        status_ = other ? Status::NotAFile : Status::CannotOpen;
        return;
    }
    if (ops_.fstat(fd_, &fileStatus_) != 0) {
        status_ = Status::CannotStat;
    } else if (!S_ISREG(fileStatus_.st_mode)) {
        status_ = Status::NotAFile;
    } else {
        status_ = Status::Open;
        size_ = fileStatus_.st_size;
    }
}

ReadableFile::~ReadableFile() {
    if (fd_ >= 0) {
        ops_.close(fd_);
    }
}

}  // namespace lq
