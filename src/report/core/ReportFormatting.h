// Small pieces of printf-style layout for the report writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lq {

// Like %<width>s: spaces in front up to the width; a longer text is written whole.
void appendRightAligned(std::string& out, std::string_view text, std::size_t width = 0);
// Like %<width>i.
void appendNumber(std::string& out, int32_t value, std::size_t width = 0);
// The text with & < > " written as character references, so it stays text in a page.
void appendHtmlEscaped(std::string& out, std::string_view text);

}  // namespace lq
