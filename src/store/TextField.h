// Fixed-width, zero-terminated text fields of the records.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace lq {

// The text up to the first zero byte. A field without a terminator (a damaged file) ends at its
// width, so nothing is ever read past the field.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, 0, N);
    return {field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N};
}

// Clears the whole field, then copies in at most N - 1 bytes so a terminator always remains.
template <std::size_t N>
void setFieldText(char (&field)[N], std::string_view text) {
    std::memset(field, 0, N);
    // An empty view may have no data at all, and memcpy must not be given a null pointer.
    if (!text.empty()) {
        std::memcpy(field, text.data(), std::min(text.size(), N - 1));
    }
}

}  // namespace lq
