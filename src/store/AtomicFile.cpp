#include "store/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace lq {

namespace {

std::string resolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;  // the file does not exist yet
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(target);
    const auto slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "/." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

// Under a file size limit the kernel would kill the process instead of failing the write.
class IgnoreFileSizeSignal {
  public:
    IgnoreFileSizeSignal() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~IgnoreFileSizeSignal() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
    IgnoreFileSizeSignal(const IgnoreFileSizeSignal&) = delete;
    IgnoreFileSizeSignal& operator=(const IgnoreFileSizeSignal&) = delete;

  private:
    struct sigaction previous_ {};
};

}  // namespace

AtomicFile::AtomicFile(FileOps& ops) : ops_(ops) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::open(const std::string& path) {
    discard();
    failed_ = false;
    target_ = resolvedTarget(path);
    struct stat old {};
    hadOldFile_ = ::stat(target_.c_str(), &old) == 0;
    oldMode_ = old.st_mode & 07777;
    // The rename would replace a file we may not write to; its write protection must hold.
    if (hadOldFile_ && ops_.access(target_.c_str(), W_OK) != 0) {
        failed_ = true;
        return false;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = temporaryNameFor(target_);
        fd_ = ops_.open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        failed_ = true;
        return false;
    }
    if (hadOldFile_ && ops_.fchmod(fd_, oldMode_) != 0) {
        failed_ = true;
    }
    return !failed_;
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (failed_ || fd_ < 0) {
        return false;
    }
    IgnoreFileSizeSignal guard;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ops_.write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failed_ = true;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool AtomicFile::commit() {
    if (failed_ || fd_ < 0) {
        discard();
        return false;
    }
    const bool flushed = ops_.fsync(fd_) == 0;
    const bool closed = ops_.close(fd_) == 0;
    fd_ = -1;
    if (!flushed || !closed || ops_.rename(temporary_.c_str(), target_.c_str()) != 0) {
        failed_ = true;
        discard();
        return false;
    }
    temporary_.clear();
    // Make the rename itself durable. Some file systems cannot flush a folder (EINVAL); the
    // file is in place then, and that is as far as they go.
    const int folder = ops_.open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY, 0);
    if (folder < 0) {
        return true;
    }
    const bool folderFlushed = ops_.fsync(folder) == 0 || errno == EINVAL;
    ops_.close(folder);
    return folderFlushed;
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ops_.close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ops_.unlink(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace lq
