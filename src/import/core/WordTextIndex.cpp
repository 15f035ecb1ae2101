#include "import/core/WordTextIndex.h"

#include <algorithm>

#include "store/Dictionary.h"
#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::size_t kMinimumCapacity = 16;
// How many words ahead the table is asked to have a slot ready.
constexpr std::size_t kLookAhead = 8;

void insertSorted(std::vector<int32_t>& places, int32_t index) {
    places.insert(std::lower_bound(places.begin(), places.end(), index), index);
}

}  // namespace

WordTextIndex::WordTextIndex(const WordTable& words, std::size_t moreTexts) : words_(words) {
    rehash(kMinimumCapacity);
    reserve(words.size() + moreTexts);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i + kLookAhead < words.size()) {
            prefetch(fieldText(words[i + kLookAhead].word));
        }
        add(static_cast<int32_t>(i));
    }
}

void WordTextIndex::prefetchHash(uint32_t hash) const {
    __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
}

void WordTextIndex::reserve(std::size_t texts) {
    std::size_t capacity = slots_.size();
    while (capacity < 2 * texts + 2) {
        capacity *= 2;
    }
    if (capacity != slots_.size()) {
        rehash(capacity);
    }
}

uint32_t WordTextIndex::hashOf(std::string_view text) {
    return static_cast<uint32_t>(TextHash{}(text));
}

std::string_view WordTextIndex::textAt(int32_t index) const {
    return fieldText(words_[static_cast<std::size_t>(index)].word);
}

std::size_t WordTextIndex::findSlot(std::string_view text, uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t position = hash & mask;
    while (slots_[position].first != kNoIndex) {
        const Slot& slot = slots_[position];
        if (slot.hash == hash && textAt(slot.first) == text) {
            break;
        }
        position = (position + 1) & mask;
    }
    return position;
}

int32_t WordTextIndex::first(std::string_view text, uint32_t hash) const {
    return slots_[findSlot(text, hash)].first;
}

void WordTextIndex::add(int32_t index, uint32_t hash) {
    reserve(used_ + 1);
    const std::string_view text = textAt(index);
    Slot& slot = slots_[findSlot(text, hash)];
    if (slot.first == kNoIndex) {
        slot = {index, hash};
        ++used_;
        return;
    }
    std::vector<int32_t>& later = later_[std::string(text)];
    if (index < slot.first) {
        insertSorted(later, slot.first);
        slot.first = index;
    } else {
        insertSorted(later, index);
    }
}

void WordTextIndex::remove(int32_t index) {
    const std::string_view text = textAt(index);
    const std::size_t position = findSlot(text, hashOf(text));
    Slot& slot = slots_[position];
    if (slot.first == kNoIndex) {
        return;
    }
    const auto found = later_.find(text);
    if (slot.first == index && found == later_.end()) {
        eraseSlot(position);
        return;
    }
    if (found == later_.end()) {
        return;
    }
    std::vector<int32_t>& later = found->second;
    if (slot.first == index) {
        slot.first = later.front();
        later.erase(later.begin());
    } else {
        const auto place = std::lower_bound(later.begin(), later.end(), index);
        if (place != later.end() && *place == index) {
            later.erase(place);
        }
    }
    if (later.empty()) {
        later_.erase(found);
    }
}

void WordTextIndex::eraseSlot(std::size_t position) {
    // Linear probing without tombstones: pull back every later slot of the same run that
    // could not stand before the hole, so that no search stops short of it.
    const std::size_t mask = slots_.size() - 1;
    slots_[position].first = kNoIndex;
    --used_;
    for (std::size_t next = (position + 1) & mask; slots_[next].first != kNoIndex;
         next = (next + 1) & mask) {
        const std::size_t home = slots_[next].hash & mask;
        if (((next - home) & mask) >= ((next - position) & mask)) {
            slots_[position] = slots_[next];
            slots_[next].first = kNoIndex;
            position = next;
        }
    }
}

void WordTextIndex::rehash(std::size_t capacity) {
    std::vector<Slot> old(capacity, Slot{kNoIndex, 0});
    old.swap(slots_);
    const std::size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        if (slot.first == kNoIndex) {
            continue;
        }
        std::size_t position = slot.hash & mask;
        while (slots_[position].first != kNoIndex) {
            position = (position + 1) & mask;
        }
        slots_[position] = slot;
    }
}

}  // namespace lq
