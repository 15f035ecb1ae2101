// The theme or language names an import has found, with their indexes. The rows of a file name
// a few themes and languages over and over, in any order, and a full hash lookup for every row
// costs more than all the row's other checks together; this answers most rows from a small
// table picked by a few of the name's bytes. A name's index stays right for the whole run,
// since records are only added meanwhile.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/Dictionary.h"

namespace lq {

class RecentNames {
  public:
    // The index remembered for the name, or kNoIndex.
    int32_t find(std::string_view name) const {
        const Entry& entry = entries_[slotOf(name)];
        return entry.index != kNoIndex && entry.name == name ? entry.index : kNoIndex;
    }
    // Takes the place of whatever name shared the slot. Throws std::bad_alloc.
    void remember(std::string_view name, int32_t index) {
        Entry& entry = entries_[slotOf(name)];
        entry.index = kNoIndex;  // until the name is in place
        entry.name.assign(name);
        entry.index = index;
    }

  private:
    static constexpr std::size_t kSlots = 64;

    // Names of a list differ mostly in their length and their ends ("theme 1", "theme 12").
    static std::size_t slotOf(std::string_view name) {
        if (name.empty()) {
            return 0;
        }
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(name[at]); };
        std::size_t mixed = name.size();
        mixed = mixed * 31 + byte(0);
        mixed = mixed * 31 + byte(name.size() / 2);
        mixed = mixed * 31 + byte(name.size() - 1);
        return (mixed ^ (mixed >> 6)) % kSlots;
    }

    struct Entry {
        std::string name;
        int32_t index = kNoIndex;
    };
    std::array<Entry, kSlots> entries_;
};

}  // namespace lq
