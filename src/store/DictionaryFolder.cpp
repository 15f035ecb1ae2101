#include "store/DictionaryFolder.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <array>

#include "store/AtomicFile.h"
#include "store/WorkingFolder.h"

namespace lq {

namespace {

constexpr std::string_view kDeletedMark = " (deleted)";

bool sameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::string folderOfPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOfPath(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string companionName(std::string_view name, std::string_view suffix) {
    std::string companion;
    companion.reserve(name.size() + suffix.size() + 2);
    companion += '.';
    companion += name;
    companion += '.';
    companion += suffix;
    return companion;
}

DictionaryFolder::DictionaryFolder(const std::string& dictionaryPath)
    : dictionaryPath_(dictionaryPath),
      dictionaryName_(nameOfPath(dictionaryPath)),
      startFolder_(folderOfPath(dictionaryPath)),
      folder_(::open(startFolder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

std::string DictionaryFolder::recoveryName() const {
    return companionName(dictionaryName_, "recovery");
}

std::string DictionaryFolder::lockName() const {
    return companionName(dictionaryName_, "lock");
}

std::string DictionaryFolder::historyName() const {
    const auto dot = dictionaryName_.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0
                                 ? dictionaryName_
                                 : dictionaryName_.substr(0, dot);
    return stem + "-history.sqlite";
}

std::string DictionaryFolder::currentPathOf(std::string_view name) const {
    std::string folder = startFolder_;
    if (folder_.valid()) {
        std::array<char, PATH_MAX> link{};
        const std::string self = "/proc/self/fd/" + std::to_string(folder_.get());
        const ssize_t length = ::readlink(self.c_str(), link.data(), link.size());
        if (length > 0 && static_cast<std::size_t>(length) < link.size()) {
            folder.assign(link.data(), static_cast<std::size_t>(length));
        }
    }
    if (folder.size() > kDeletedMark.size() &&
        folder.compare(folder.size() - kDeletedMark.size(), kDeletedMark.size(), kDeletedMark) ==
            0) {
        folder.resize(folder.size() - kDeletedMark.size());
    }
    return joinFolder(folder, name);
}

bool DictionaryFolder::sameFile(const struct stat& status, const std::string& name) const {
    struct stat own {};
    return ::fstatat(folder_.get(), name.c_str(), &own, 0) == 0 && sameInode(status, own);
}

std::optional<std::string> DictionaryFolder::ownFileAt(const std::string& path) const {
    const std::string names[] = {dictionaryName_, recoveryName(), lockName(), historyName()};
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        for (const std::string& name : names) {
            if (sameFile(status, name)) {
                return name;
            }
        }
    }
    // A file not yet there, or a link that dangles, is still that name in this folder.
    struct stat held {};
    if (::fstat(folder_.get(), &held) != 0) {
        return std::nullopt;
    }
    for (const std::string& written : {path, AtomicFile::linkTarget(path)}) {
        struct stat folder {};
        if (::stat(folderOfPath(written).c_str(), &folder) != 0 || !sameInode(folder, held)) {
            continue;
        }
        for (const std::string& own : names) {
            if (nameOfPath(written) == own) {
                return own;
            }
        }
    }
    return std::nullopt;
}

}  // namespace lq

namespace lq {

std::optional<std::string> DictionaryFolder::ownFileRefusal(const std::string& path) const {
    const std::optional<std::string> own = ownFileAt(path);
    if (!own) {
        return std::nullopt;
    }
    std::string_view what = "is the dictionary Lexiquill has open.";
    if (*own == recoveryName()) {
        what = "is where Lexiquill keeps a copy of your unsaved changes.";
    } else if (*own == lockName()) {
        what = "keeps other Lexiquill windows off the dictionary.";
    } else if (*own == historyName()) {
        what = "holds your learning history.";
    }
    return "\"" + path + "\" " + std::string(what) + " Choose another name.";
}

}  // namespace lq
