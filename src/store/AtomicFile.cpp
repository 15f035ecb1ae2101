#include "store/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <string_view>

namespace lq {

namespace {

// Linux gives up on a chain of links after 40 of them.
constexpr int kMostLinksFollowed = 40;
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr mode_t kPrivateMode = 0600;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ".NAME.tmp-": what every temporary name of a target starts with; the writer's process id
// and a counter follow.
std::string temporaryPrefixFor(const std::string& target) {
    std::string prefix = ".";
    prefix += nameOf(target);
    prefix += kTemporaryMark;
    return prefix;
}

std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return folderOf(target) + "/" + temporaryPrefixFor(target) + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

// The writer's process id in a temporary name ("PID-COUNTER" after the prefix), or 0 when
// the rest of the name is not of that form.
pid_t writerOf(std::string_view rest) {
    const auto dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) {
        return 0;
    }
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
    if (error != std::errc() || end != rest.data() + dash || pid <= 0) {
        return 0;
    }
    for (const char c : rest.substr(dash + 1)) {
        if (c < '0' || c > '9') {
            return 0;
        }
    }
    return pid;
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
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

std::string AtomicFile::linkTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return current;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), link, sizeof link);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof link) {
            return current;
        }
        const std::string next(link, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    return current;
}

void AtomicFile::removeAbandonedTemporaries(const std::string& path, FileOps& ops) {
    const std::string target = linkTarget(path);
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefixFor(target);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const pid_t writer = writerOf(name.substr(prefix.size()));
        if (writer != 0 && writer != ::getpid() && !processRuns(writer)) {
            ops.unlink((folder + "/" + std::string(name)).c_str());
        }
    }
    ::closedir(entries);
}

bool AtomicFile::open(const std::string& path) {
    discard();
    private_ = false;
    target_ = linkTarget(path);
    struct stat old {};
    hadOldFile_ = ::stat(target_.c_str(), &old) == 0;
    oldMode_ = old.st_mode & 07777;
    // The rename would replace a file we may not write to; its write protection must hold.
    if (hadOldFile_ && ops_.access(target_.c_str(), W_OK) != 0) {
        failed_ = true;
        return false;
    }
    return openTarget();
}

bool AtomicFile::openPrivate(const std::string& path) {
    discard();
    private_ = true;
    target_ = path;
    hadOldFile_ = false;
    return openTarget();
}

bool AtomicFile::openTarget() {
    failed_ = false;
    removeAbandonedTemporaries(target_, ops_);
    if (!openTemporary()) {
        failed_ = true;
        return false;
    }
    // Set before a byte is written; the umask could only have taken bits away.
    if (private_ && ops_.fchmod(fd_, kPrivateMode) != 0) {
        failed_ = true;
    }
    if (hadOldFile_ && ops_.fchmod(fd_, oldMode_) != 0) {
        failed_ = true;
    }
    return !failed_;
}

bool AtomicFile::openTemporary() {
    const mode_t mode = private_ ? kPrivateMode : 0666;
    fd_ = ops_.open(folderOf(target_).c_str(), O_TMPFILE | O_WRONLY, mode);
    unnamed_ = fd_ >= 0;
    if (unnamed_) {
        return true;
    }
    // File systems (and kernels) without unnamed files answer in one of these ways; any other
    // error would hit a named file too.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return false;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = temporaryNameFor(target_);
        fd_ = ops_.open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
        if (fd_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return false;
    }
    return true;
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

// Gives the complete, flushed unnamed file a name beside the target, for the rename.
bool AtomicFile::linkTemporary() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = temporaryNameFor(target_);
        int linked =
            ops_.linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT) {
            // Without /proc, the descriptor itself (which needs more privileges).
            linked = ops_.linkat(fd_, "", AT_FDCWD, temporary_.c_str(), AT_EMPTY_PATH);
        }
        if (linked == 0) {
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    temporary_.clear();
    return false;
}

bool AtomicFile::commit() {
    if (failed_ || fd_ < 0) {
        discard();
        return false;
    }
    const bool flushed = ops_.fsync(fd_) == 0;
    const bool named = flushed && (!unnamed_ || linkTemporary());
    const bool closed = ops_.close(fd_) == 0;
    fd_ = -1;
    if (!flushed || !named || !closed || ops_.rename(temporary_.c_str(), target_.c_str()) != 0) {
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
