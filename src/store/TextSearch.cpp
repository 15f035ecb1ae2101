#include "store/TextSearch.h"

#include <array>

#include "store/TextEncoding.h"
#include "store/TextMatch.h"

namespace lq {

namespace {

constexpr TextMatchOptions kSearchOptions{.ignoreCase = true, .ignoreAccents = true};

constexpr std::array<char, 256> asciiLowerTable() {
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        table[static_cast<std::size_t>(byte)] =
            static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
    }
    return table;
}

constexpr std::array<char, 256> kAsciiLower = asciiLowerTable();

char asciiLower(char c) {
    return kAsciiLower[static_cast<unsigned char>(c)];
}

bool isAscii(std::string_view text) {
    unsigned char seen = 0;
    for (const char c : text) {
        seen |= static_cast<unsigned char>(c);
    }
    return seen < 0x80;
}

}  // namespace

TextSearch::TextSearch(std::string_view typed)
    : term_(comparableText(typed, kSearchOptions)), asciiTerm_(isAscii(term_)) {}

bool TextSearch::foundIn(std::string_view stored) const {
    if (term_.empty()) {
        return true;
    }
    // Most texts are plain ASCII, whose comparable form is their lower case: no copy is made.
    if (isAscii(stored)) {
        return asciiTerm_ && foundInAscii(stored);
    }
    return comparableText(utf8AsShown(stored), kSearchOptions).find(term_) != std::string::npos;
}

bool TextSearch::foundInAscii(std::string_view text) const {
    const std::size_t length = term_.size();
    if (length > text.size()) {
        return false;
    }
    const char first = term_.front();
    for (std::size_t start = 0; start + length <= text.size(); ++start) {
        if (asciiLower(text[start]) != first) {
            continue;
        }
        std::size_t matched = 1;
        while (matched < length && asciiLower(text[start + matched]) == term_[matched]) {
            ++matched;
        }
        if (matched == length) {
            return true;
        }
    }
    return false;
}

}  // namespace lq
