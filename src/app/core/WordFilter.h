// Which words the main window lists under its three filters.
#pragma once

#include <cstdint>
#include <vector>

#include "store/Dictionary.h"

namespace lq {

// -1 in any filter lets every word through it.
struct WordFilters {
    int32_t themeFilter = -1;
    int32_t languageFilter = -1;
    int32_t knowledgeFilter = -1;  // a KnowledgeBand value
};

bool passesFilters(const WordRecord& word, const WordFilters& filters);

// Indexes of the words that pass all three filters, in table order.
std::vector<int32_t> filteredWords(const Dictionary& dictionary, const WordFilters& filters);

}  // namespace lq
