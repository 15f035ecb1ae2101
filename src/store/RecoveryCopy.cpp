#include "store/RecoveryCopy.h"

#include <sys/stat.h>

#include <cerrno>

#include "store/AtomicFile.h"
#include "store/DictionaryImage.h"

namespace lq {

namespace {

std::string recoveryPathFor(const std::string& dictionaryPath) {
    const auto slash = dictionaryPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return dictionaryPath.substr(0, nameStart) + "." + dictionaryPath.substr(nameStart) +
           ".recovery";
}

bool later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

RecoveryCopy::RecoveryCopy(const std::string& dictionaryPath, FileOps& ops)
    : dictionaryPath_(dictionaryPath), path_(recoveryPathFor(dictionaryPath)), ops_(ops) {}

bool RecoveryCopy::exists() const {
    struct stat status {};
    return ::lstat(path_.c_str(), &status) == 0;
}

bool RecoveryCopy::newerThanDictionary() const {
    struct stat copy {};
    if (::lstat(path_.c_str(), &copy) != 0) {
        return false;
    }
    struct stat dictionary {};
    if (::stat(dictionaryPath_.c_str(), &dictionary) != 0) {
        return errno == ENOENT;
    }
    return later(copy.st_mtim, dictionary.st_mtim);
}

bool RecoveryCopy::write(const Dictionary& dictionary) {
    AtomicFile file(ops_);
    if (!file.openPrivate(path_)) {
        return false;
    }
    const bool written = encodeDictionary(
        dictionary, [&](const void* data, std::size_t size) { return file.write(data, size); });
    return written && file.commit();
}

void RecoveryCopy::remove() {
    AtomicFile::removeAbandonedTemporaries(path_, ops_);
    ops_.unlink(path_.c_str());
}

}  // namespace lq
