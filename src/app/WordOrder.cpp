#include "app/WordOrder.h"

#include <algorithm>
#include <string_view>

#include "store/Dictionary.h"
#include "store/TextField.h"
#include "ui/NameOrder.h"
#include "ui/TextCodec.h"

namespace lq {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// lessIgnoringCase for two ASCII texts, whose case folding is their lower case.
bool asciiLessIgnoringCase(std::string_view left, std::string_view right) {
    const auto folded =
        std::mismatch(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return asciiLower(a) == asciiLower(b); });
    if (folded.first != left.end() && folded.second != right.end()) {
        return asciiLower(*folded.first) < asciiLower(*folded.second);
    }
    if (left.size() != right.size()) {
        return left.size() < right.size();
    }
    return left < right;
}

bool shownLess(std::string_view left, std::string_view right) {
    if (isAscii(left) && isAscii(right)) {
        return asciiLessIgnoringCase(left, right);
    }
    return lessIgnoringCase(displayText(left), displayText(right));
}

// The first four case-folded UTF-16 units of the shown text, as orderKey takes them, split in
// two halves so that a key takes 12 bytes.
struct WordKey {
    uint32_t high;
    uint32_t low;
    int32_t wordIndex;
};

WordKey wordKey(std::string_view stored, int32_t wordIndex) {
    uint64_t prefix = 0;
    if (isAscii(stored)) {
        for (std::size_t i = 0; i < 4; ++i) {
            prefix = (prefix << 16) | (i < stored.size() ? asciiLower(stored[i]) : 0);
        }
    } else {
        prefix = orderKey(displayText(stored), 0).prefix;
    }
    return {static_cast<uint32_t>(prefix >> 32), static_cast<uint32_t>(prefix), wordIndex};
}

}  // namespace

void sortByShownWord(const Dictionary& dictionary, std::vector<int32_t>& wordIndexes) {
    const auto text = [&](int32_t index) {
        return fieldText(dictionary.words[static_cast<std::size_t>(index)].word);
    };
    std::vector<WordKey> keys;
    keys.reserve(wordIndexes.size());
    for (const int32_t index : wordIndexes) {
        keys.push_back(wordKey(text(index), index));
    }
    std::sort(keys.begin(), keys.end(), [&](const WordKey& a, const WordKey& b) {
        if (a.high != b.high) {
            return a.high < b.high;
        }
        if (a.low != b.low) {
            return a.low < b.low;
        }
        return shownLess(text(a.wordIndex), text(b.wordIndex));
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
        wordIndexes[i] = keys[i].wordIndex;
    }
}

}  // namespace lq
