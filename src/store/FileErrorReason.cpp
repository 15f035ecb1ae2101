#include "store/FileErrorReason.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace lq {

std::string fileErrorReason(int error, const std::string& path) {
    switch (error) {
        case ENOSPC:
            return "the disk is full";
        case EDQUOT:
            return "your disk quota is used up";
        case EROFS:
            return "the disk is read-only";
        case EACCES:
        case EPERM:
            return "you may not write to \"" + path + "\" or to its folder";
        case EISDIR:
            return "a folder has the name \"" + path + "\"";
        case ENOENT:
            return "the folder of \"" + path + "\" no longer exists";
        case ELOOP:
            return "\"" + path + "\" is a symbolic link";
        default:
            break;
    }
    std::string reason = std::strerror(error);
    if (!reason.empty()) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return reason;
}

}  // namespace lq
