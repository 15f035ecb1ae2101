// Where each word text stands in a word table: an open-addressing hash table of word indexes
// that compares against the records themselves, so no text is copied and no memory is taken
// per word. Texts that occur more than once (only a damaged or hand-made file has them) keep
// their later places in a side table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "import/core/TextMap.h"
#include "store/Dictionary.h"

namespace lq {

class WordTextIndex {
  public:
    // Indexes every word of the table, which must outlive the index, with room for this many
    // more texts before the index has to grow.
    explicit WordTextIndex(const WordTable& words, std::size_t moreTexts = 0);
    // The hash the index files a text under; a caller that looks a text up and then adds it
    // may work it out once and hand it to both.
    static uint32_t hashOf(std::string_view text);

    // The lowest index whose word is the given text byte for byte, or kNoIndex.
    int32_t first(std::string_view text) const { return first(text, hashOf(text)); }
    int32_t first(std::string_view text, uint32_t hash) const;
    // A hint: the slot of this text is about to be needed. A large table misses the cache on
    // nearly every lookup, so fetching slots a few words ahead hides much of the wait.
    void prefetch(std::string_view text) const { prefetchHash(hashOf(text)); }
    void prefetchHash(uint32_t hash) const;
    // The word at the index has just been put there; `hash` is its text's.
    void add(int32_t index) { add(index, hashOf(textAt(index))); }
    void add(int32_t index, uint32_t hash);
    // The word at the index is about to go or change; it still holds its text.
    void remove(int32_t index);

  private:
    struct Slot {
        int32_t first;  // kNoIndex: an empty slot
        uint32_t hash;
    };

    std::string_view textAt(int32_t index) const;
    std::size_t findSlot(std::string_view text, uint32_t hash) const;
    void eraseSlot(std::size_t position);
    void reserve(std::size_t texts);
    void rehash(std::size_t capacity);

    const WordTable& words_;
    std::vector<Slot> slots_;  // a power of two long, never more than half full
    std::size_t used_ = 0;
    // For a text that occurs more than once: its places after the first, ascending.
    TextMap<std::vector<int32_t>> later_;
};

}  // namespace lq
