// The folder the program found its dictionary in, held open from start-up. The dictionary and the
// files that belong to it (its recovery copy, its lock, its learning history) are reached by name
// relative to this folder, so a folder renamed or moved while the program runs keeps receiving
// them, and a new folder put under the old name never does.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "store/Descriptor.h"

namespace lq {

class DictionaryFolder {
  public:
    // Opens the folder of `dictionaryPath` (the working folder for a bare name). When it cannot
    // be opened, fd() is -1 and every operation through it fails as a missing folder would.
    explicit DictionaryFolder(const std::string& dictionaryPath);

    int fd() const { return folder_.get(); }
    // The dictionary's path as given at start-up; for messages and for callers that need a path.
    const std::string& dictionaryPath() const { return dictionaryPath_; }
    const std::string& dictionaryName() const { return dictionaryName_; }
    // ".NAME.recovery", ".NAME.lock" and "STEM-history.sqlite" for the dictionary NAME.
    std::string recoveryName() const;
    std::string lockName() const;
    std::string historyName() const;

    // Where the folder is now (it may have been renamed since start-up) joined with `name`, for
    // messages; the start-up path when the system can't tell.
    std::string currentPathOf(std::string_view name) const;

    // Names the file of the dictionary's own that `path` would write over: the dictionary, its
    // recovery copy, its lock or its history, found as the same file (device and inode) or as
    // that name in this folder. Nothing when `path` is none of them.
    std::optional<std::string> ownFileAt(const std::string& path) const;

    // When `path` is one of those files: a how-to-fix text that names what the file is for.
    std::optional<std::string> ownFileRefusal(const std::string& path) const;

  private:
    bool sameFile(const struct stat& status, const std::string& name) const;

    std::string dictionaryPath_;
    std::string dictionaryName_;
    std::string startFolder_;
    Descriptor folder_;
};

// The folder part of a path ("." for a bare name, "/" for a name at the root) and the last part.
std::string folderOfPath(const std::string& path);
std::string nameOfPath(const std::string& path);
// ".NAME.SUFFIX": the hidden file of that kind beside the file NAME.
std::string companionName(std::string_view name, std::string_view suffix);

}  // namespace lq
