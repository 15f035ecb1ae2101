// Why a file could not be written, in words a user acts on, for an errno value.
#pragma once

#include <string>

namespace lq {

// "the disk is full", "a folder has the name <path>", ...; the system's own words, in lower case,
// for errors without a reason of our own.
std::string fileErrorReason(int error, const std::string& path);

}  // namespace lq
