// Small pieces of printf-style layout for the report writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lq {

// Like %<width>s counted in display columns: spaces in front up to the width, so that wide and
// combining characters line up in a terminal; a longer text is written whole.
void appendRightAligned(std::string& out, std::string_view text, std::size_t width = 0);
// Like %<width>i.
void appendNumber(std::string& out, int32_t value, std::size_t width = 0);
// A stored text as the program shows it, in UTF-8, with every control character but the tab (C0,
// DEL, C1) written as U+FFFD: a text imported from elsewhere can't move a terminal's cursor, set
// its title or start a new table line.
std::string reportText(std::string_view stored);
// A stored text as the program shows it, control characters as reportText writes them, with
// & < > " written as character references, so it
// stays text in a page, and every character outside ASCII as a numeric one (&#252;), so the
// page reads the same whatever encoding a browser assumes.
void appendHtmlEscaped(std::string& out, std::string_view text);

}  // namespace lq
