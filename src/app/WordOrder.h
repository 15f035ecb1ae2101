// The order of the main window's word list: the shown word texts alphabetically, ignoring case,
// as every list of names is sorted (ui/NameOrder.h), but worked out from the records themselves,
// so that sorting 100,000 words needs no copy of their texts.
#pragma once

#include <cstdint>
#include <vector>

namespace lq {

struct Dictionary;

// Puts the word indexes in the order of their shown texts.
void sortByShownWord(const Dictionary& dictionary, std::vector<int32_t>& wordIndexes);

}  // namespace lq
