#include "store/WorkingFolder.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace lq {

std::string currentFolder() {
    // Paths have no fixed limit here, so the buffer grows until the folder fits.
    std::vector<char> buffer(512);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

bool enterFolder(const std::string& folder) {
    return !folder.empty() && ::chdir(folder.c_str()) == 0;
}

std::string joinFolder(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (!joined.empty() && joined.back() != '/') {
        joined.push_back('/');
    }
    joined.append(name);
    return joined;
}

}  // namespace lq
