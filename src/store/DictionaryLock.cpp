#include "store/DictionaryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/AtomicFile.h"

namespace lq {

namespace {

bool sameFolder(int a, int b) {
    struct stat first {};
    struct stat second {};
    return ::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace

DictionaryLock::DictionaryLock(const DictionaryFolder& folder) {
    status_ = lockIn(folder.fd(), folder.lockName());
    if (status_ == Status::HeldElsewhere) {
        return;
    }
    const std::string target = AtomicFile::linkTarget(folder.dictionaryPath());
    if (target == folder.dictionaryPath()) {
        return;
    }
    const Descriptor targetFolder(
        ::open(folderOfPath(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!targetFolder.valid() || sameFolder(targetFolder.get(), folder.fd())) {
        return;
    }
    const Status beside = lockIn(targetFolder.get(), companionName(nameOfPath(target), "lock"));
    if (beside == Status::HeldElsewhere || status_ == Status::Unavailable) {
        status_ = beside;
    }
}

DictionaryLock::Status DictionaryLock::lockIn(int folder, const std::string& lockName) {
    // Read-only is enough for flock, so a lock file left read-only still serves.
    Descriptor file(
        ::openat(folder, lockName.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.valid()) {
        return Status::Unavailable;
    }
    // Another user's file under that name (planted in a shared folder) must not keep the user
    // from their own dictionary.
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != ::geteuid()) {
        return Status::Unavailable;
    }
    while (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        return errno == EWOULDBLOCK ? Status::HeldElsewhere : Status::Unavailable;
    }
    held_.push_back(std::move(file));
    return Status::Held;
}

}  // namespace lq
