// The process's working folder, as bytes: the folder browser navigates by changing it, and the
// dictionary is opened by a name relative to it, so whoever changes it puts it back.
#pragma once

#include <string>
#include <string_view>

namespace lq {

// The absolute working folder; empty only when the system cannot tell it.
std::string currentFolder();

// Makes `folder` the working folder. False, with nothing changed, when it cannot be entered.
bool enterFolder(const std::string& folder);

// `folder` joined with `name` by one "/"; a folder that already ends with "/" gets no second one.
// An empty folder is the working folder, so it leaves `name` as it is.
std::string joinFolder(std::string_view folder, std::string_view name);

// Remembers the working folder while it lives and makes it the working folder again at the end.
class WorkingFolderGuard {
  public:
    WorkingFolderGuard() : saved_(currentFolder()) {}
    ~WorkingFolderGuard() { restore(); }
    WorkingFolderGuard(const WorkingFolderGuard&) = delete;
    WorkingFolderGuard& operator=(const WorkingFolderGuard&) = delete;

    const std::string& saved() const { return saved_; }
    void restore() const { enterFolder(saved_); }

  private:
    std::string saved_;
};

}  // namespace lq
