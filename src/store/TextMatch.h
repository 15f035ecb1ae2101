// Comparing texts the way a learner means them: an answer typed with other letter case, without
// its accents or with other punctuation can still be the right one, and a search finds "café"
// when "cafe" is typed. Works on UTF-8 in any script.
#pragma once

#include <string>
#include <string_view>

namespace lq {

struct TextMatchOptions {
    bool ignoreCase = false;         // Unicode case folding ("Straße" = "STRASSE")
    bool ignoreAccents = false;      // combining marks removed ("Café" = "cafe")
    bool ignorePunctuation = false;  // punctuation removed, every run of spaces made one
};

// The form in which two texts are compared: surrounding white space trimmed, canonically
// composed (NFC, so that "e" + U+0301 and "é" are the same), then as the options say. A text
// that is not valid UTF-8 is only trimmed and otherwise kept byte for byte.
std::string comparableText(std::string_view text, const TextMatchOptions& options);

// Whether two texts are the same once both are in their comparable form.
bool textsMatch(std::string_view a, std::string_view b, const TextMatchOptions& options);

}  // namespace lq
