// Stored texts are bytes: UTF-8 where this program wrote them, Windows-1252 where a dictionary
// was written on Windows. These functions read them the one way the program shows them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lq {

// Well-formed UTF-8: no cut, overlong or surrogate sequence and nothing past U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Every byte read as Windows-1252: 0x80 to 0x9F by its table (the five unassigned ones as the
// C1 controls of the same number), every other byte as the Latin-1 character of its number.
std::string windows1252ToUtf8(std::string_view bytes);

// Appends one character, encoded as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// A stored text as the program shows it, in UTF-8: valid UTF-8 byte for byte, anything else
// read as Windows-1252.
std::string utf8AsShown(std::string_view stored);

// The characters of a stored text as the program shows it.
std::u32string codePointsAsShown(std::string_view stored);

// The terminal columns a stored text takes as the program shows it: combining marks take none,
// wide East Asian characters two. Controls take one, as every byte did in the single-byte
// reports, so a Windows-1252 text keeps one column per byte.
std::size_t displayColumns(std::string_view stored);

}  // namespace lq
