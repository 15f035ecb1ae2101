// Looking at what a store operation left in its folder.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

namespace lq::test {

// The names in a folder, so a test can see that no temporary file was left behind.
inline std::set<std::string> folderEntries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

inline mode_t permissionBits(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

}  // namespace lq::test
