#include "store/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/random.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "store/DictionaryFolder.h"

namespace lq {

namespace {

// Linux gives up on a chain of links after 40 of them.
constexpr int kMostLinksFollowed = 40;
constexpr int kNameAttempts = 100;
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr mode_t kPrivateMode = 0600;

// ".NAME.tmp-": what every temporary name of a target starts with; the writer's process id and
// 64 random bits follow, so nobody can take the names a save will use before it does.
std::string temporaryPrefixFor(const std::string& name) {
    std::string prefix = ".";
    prefix += name;
    prefix += kTemporaryMark;
    return prefix;
}

uint64_t randomBits() {
    uint64_t bits = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&bits);
    std::size_t got = 0;
    while (got < sizeof bits) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bits - got, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // never on Linux 3.17 and later; the bits so far are still hard to guess
        }
        got += static_cast<std::size_t>(n);
    }
    return bits;
}

std::string temporaryNameFor(const std::string& name) {
    std::array<char, 16> hex{};
    const uint64_t bits = randomBits();
    for (std::size_t i = 0; i < hex.size(); ++i) {
        hex[i] = "0123456789abcdef"[(bits >> (60 - 4 * i)) & 0xF];
    }
    return temporaryPrefixFor(name) + std::to_string(::getpid()) + "-" +
           std::string(hex.data(), hex.size());
}

bool isLowerHex(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

// The writer's process id in a temporary name ("PID-BITS" after the prefix; earlier versions
// wrote a decimal counter as the bits), or 0 when the rest of the name is not of that form.
pid_t writerOf(std::string_view rest) {
    const auto dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || !isLowerHex(rest.substr(dash + 1))) {
        return 0;
    }
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
    if (error != std::errc() || end != rest.data() + dash || pid <= 0) {
        return 0;
    }
    return pid;
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// The kernel's rule for links in shared folders (fs.protected_symlinks): in a folder that has
// the sticky bit and that others may write to, follow only a link of the user's own or of the
// folder's owner, so that nobody can send our writes to a file of their choosing.
bool mayFollow(int folder, const struct stat& link) {
    struct stat status {};
    if (::fstat(folder, &status) != 0) {
        return false;
    }
    const bool shared = (status.st_mode & S_ISVTX) != 0 && (status.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == status.st_uid;
}

std::string readLink(int folder, const std::string& name) {
    std::array<char, PATH_MAX> link{};
    const ssize_t length = ::readlinkat(folder, name.c_str(), link.data(), link.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= link.size()) {
        return {};
    }
    return std::string(link.data(), static_cast<std::size_t>(length));
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
        const std::string next = readLink(AT_FDCWD, current);
        if (next.empty()) {
            return current;
        }
        current = next.front() == '/' ? next : folderOfPath(current) + "/" + next;
    }
    return current;
}

void AtomicFile::removeAbandonedTemporaries(int folder, const std::string& name, FileOps& ops) {
    const std::string target = folder == AT_FDCWD ? linkTarget(name) : name;
    const Descriptor held(ops.openat(folder, folderOfPath(target).c_str(), O_PATH | O_DIRECTORY, 0));
    if (!held.valid()) {
        return;
    }
    const int listing = ops.openat(held.get(), ".", O_RDONLY | O_DIRECTORY, 0);
    DIR* entries = listing < 0 ? nullptr : ::fdopendir(listing);
    if (entries == nullptr) {
        if (listing >= 0) {
            ops.close(listing);
        }
        return;
    }
    const std::string prefix = temporaryPrefixFor(nameOfPath(target));
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view found = entry->d_name;
        if (found.substr(0, prefix.size()) != prefix) {
            continue;
        }
        const pid_t writer = writerOf(found.substr(prefix.size()));
        struct stat status {};
        const std::string foundName(found);
        if (writer == 0 || writer == ::getpid() || processRuns(writer) ||
            ::fstatat(held.get(), foundName.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
            continue;
        }
        ops.unlinkat(held.get(), foundName.c_str(), 0);
    }
    ::closedir(entries);
}

bool AtomicFile::fail() {
    if (!failed_) {
        error_ = errno;
    }
    failed_ = true;
    return false;
}

// Leaves folder_ holding the folder the file is replaced in and target_ its name there.
bool AtomicFile::resolve(int folder, const std::string& name, bool followLinks) {
    std::string path = name;
    int base = folder;
    for (int hop = 0; hop <= kMostLinksFollowed; ++hop) {
        Descriptor next(ops_.openat(base, folderOfPath(path).c_str(), O_PATH | O_DIRECTORY, 0));
        if (!next.valid()) {
            return fail();
        }
        folder_ = std::move(next);
        base = folder_.get();
        target_ = nameOfPath(path);
        struct stat status {};
        if (!followLinks || ::fstatat(base, target_.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(status.st_mode)) {
            return true;
        }
        if (!mayFollow(base, status)) {
            errno = EACCES;
            return fail();
        }
        path = readLink(base, target_);
        if (path.empty()) {
            return fail();
        }
    }
    errno = ELOOP;
    return fail();
}

bool AtomicFile::open(int folder, const std::string& name, Access access) {
    discard();
    failed_ = false;
    error_ = 0;
    if (!resolve(folder, name, true)) {
        return false;
    }
    // The rename would replace a file we may not write to; its write protection must hold.
    struct stat old {};
    if (::fstatat(folder_.get(), target_.c_str(), &old, 0) == 0 &&
        ops_.faccessat(folder_.get(), target_.c_str(), W_OK, 0) != 0) {
        return fail();
    }
    return openTarget(access);
}

bool AtomicFile::openPrivate(int folder, const std::string& name) {
    discard();
    failed_ = false;
    error_ = 0;
    return resolve(folder, name, false) && openTarget(Access::OwnerOnly);
}

bool AtomicFile::openTarget(Access access) {
    removeAbandonedTemporaries(folder_.get(), target_, ops_);
    struct stat old {};
    const bool keepOld = access == Access::KeepOld &&
                         ::fstatat(folder_.get(), target_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    const mode_t mode = access == Access::OwnerOnly ? kPrivateMode : 0666;
    if (!openTemporary(mode)) {
        return fail();
    }
    // Set before a byte is written; the umask could only have taken bits away.
    if (access == Access::OwnerOnly && ops_.fchmod(fd_, kPrivateMode) != 0) {
        return fail();
    }
    if (keepOld && ops_.fchmod(fd_, old.st_mode & 07777) != 0) {
        return fail();
    }
    return true;
}

bool AtomicFile::openTemporary(mode_t mode) {
    fd_ = ops_.openat(folder_.get(), ".", O_TMPFILE | O_WRONLY, mode);
    unnamed_ = fd_ >= 0;
    if (unnamed_) {
        return true;
    }
    // File systems (and kernels) without unnamed files answer in one of these ways; any other
    // error would hit a named file too.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return false;
    }
    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
        temporary_ = temporaryNameFor(target_);
        fd_ = ops_.openat(folder_.get(), temporary_.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
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
            if (written == 0) {
                errno = EIO;
            }
            return fail();
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Gives the complete, flushed unnamed file a name beside the target, for the rename.
bool AtomicFile::linkTemporary() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary_ = temporaryNameFor(target_);
        int linked = ops_.linkat(AT_FDCWD, self.c_str(), folder_.get(), temporary_.c_str(),
                                 AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT) {
            // Without /proc, the descriptor itself (which needs more privileges).
            linked = ops_.linkat(fd_, "", folder_.get(), temporary_.c_str(), AT_EMPTY_PATH);
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
    const bool flushed = ops_.fsync(fd_) == 0 || fail();
    const bool named = flushed && (!unnamed_ || linkTemporary() || fail());
    const bool closed = ops_.close(fd_) == 0 || fail();
    fd_ = -1;
    if (!flushed || !named || !closed ||
        ops_.renameat(folder_.get(), temporary_.c_str(), folder_.get(), target_.c_str()) != 0) {
        fail();
        discard();
        return false;
    }
    temporary_.clear();
    // Make the rename itself durable. Some file systems cannot flush a folder (EINVAL); the
    // file is in place then, and that is as far as they go.
    const int folder = ops_.openat(folder_.get(), ".", O_RDONLY | O_DIRECTORY, 0);
    if (folder < 0) {
        return true;
    }
    const bool folderFlushed = ops_.fsync(folder) == 0 || errno == EINVAL || fail();
    ops_.close(folder);
    return folderFlushed;
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ops_.close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ops_.unlinkat(folder_.get(), temporary_.c_str(), 0);
        temporary_.clear();
    }
}

}  // namespace lq
