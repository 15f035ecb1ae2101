#include "store/RecoveryCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/AtomicFile.h"
#include "store/DictionaryStore.h"
#include "store/ReadableFile.h"

namespace lq {

namespace {

bool later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

// A copy the program wrote itself: a regular file of the user's own that nobody else may change.
bool trustworthy(const struct stat& status) {
    return S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

RecoveryCopy::RecoveryCopy(const DictionaryFolder& folder, FileOps& ops)
    : folder_(folder), name_(folder.recoveryName()), ops_(ops) {}

std::string RecoveryCopy::path() const {
    return folder_.currentPathOf(name_);
}

bool RecoveryCopy::exists() const {
    struct stat status {};
    return ::fstatat(folder_.fd(), name_.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

RecoveryCopy::State RecoveryCopy::state() const {
    struct stat copy {};
    if (::fstatat(folder_.fd(), name_.c_str(), &copy, AT_SYMLINK_NOFOLLOW) != 0) {
        return State::None;
    }
    if (!trustworthy(copy)) {
        return State::Foreign;
    }
    struct stat dictionary {};
    if (::fstatat(folder_.fd(), folder_.dictionaryName().c_str(), &dictionary, 0) != 0) {
        return errno == ENOENT ? State::Newer : State::Older;
    }
    return later(copy.st_mtim, dictionary.st_mtim) ? State::Newer : State::Older;
}

LoadStatus RecoveryCopy::read(Dictionary& target) const {
    const ReadableFile file(ops_, folder_.fd(), name_, O_NOFOLLOW);
    if (file.status() == ReadableFile::Status::Open) {
        // Checked again on what was opened, so nothing put in its place since counts.
        struct stat status {};
        if (ops_.fstat(file.fd(), &status) != 0 || !trustworthy(status)) {
            return LoadStatus::NotAFile;
        }
    }
    return readDictionary(ops_, file, target);
}

bool RecoveryCopy::write(const Dictionary& dictionary) {
    AtomicFile file(ops_);
    bool written = file.openPrivate(folder_.fd(), name_);
    written = written && encodeDictionary(dictionary, [&](const void* data, std::size_t size) {
                  return file.write(data, size);
              });
    written = written && file.commit();
    writeError_ = written ? 0 : (file.error() != 0 ? file.error() : EIO);
    return written;
}

void RecoveryCopy::remove() {
    AtomicFile::removeAbandonedTemporaries(folder_.fd(), name_, ops_);
    struct stat status {};
    if (::fstatat(folder_.fd(), name_.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        status.st_uid == ::geteuid() && !S_ISDIR(status.st_mode)) {
        ops_.unlinkat(folder_.fd(), name_.c_str(), 0);
    }
}

}  // namespace lq
