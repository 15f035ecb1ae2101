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
    if (!asciiTerm_) {
        // The comparable form of an ASCII text is ASCII: only other texts can hold this term.
        return !isAscii(stored) && foundInShown(stored);
    }
    return foundInAscii(stored);
}

bool TextSearch::foundInShown(std::string_view stored) const {
    return comparableText(utf8AsShown(stored), kSearchOptions).find(term_) != std::string::npos;
}

// Plain ASCII, the most common text, is searched as it stands, its lower case being its
// comparable form, without a copy. Normalising a character never changes the characters before
// it (accents are removed, not composed), so a match found before the first byte beyond ASCII
// stands; from that byte on, the whole text is normalised.
bool TextSearch::foundInAscii(std::string_view text) const {
    const std::size_t length = term_.size();
    const char first = term_.front();
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (static_cast<unsigned char>(text[start]) >= 0x80) {
            return foundInShown(text);
        }
        if (asciiLower(text[start]) != first || start + length > text.size()) {
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
