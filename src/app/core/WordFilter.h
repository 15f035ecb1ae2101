// Which words the main window lists under its three filters and its search.
#pragma once

#include <cstdint>
#include <vector>

#include "store/Dictionary.h"
#include "store/TextSearch.h"

namespace lq {

// kNoIndex in any filter lets every word through it.
struct WordFilters {
    int32_t themeFilter = kNoIndex;
    int32_t languageFilter = kNoIndex;
    int32_t knowledgeFilter = kNoIndex;  // a KnowledgeBand value
};

bool passesFilters(const WordRecord& word, const WordFilters& filters);
// The theme and language filters alone: what giving a word another theme or language can change.
bool passesThemeAndLanguage(const WordRecord& word, const WordFilters& filters);

// Whether the word's text, translation or transcription holds what is searched for.
bool passesSearch(const WordRecord& word, const TextSearch& search);

// Indexes of the words that pass all three filters and the search, in table order.
std::vector<int32_t> filteredWords(const Dictionary& dictionary, const WordFilters& filters,
                                   const TextSearch& search = TextSearch());
// The same, of the given word indexes and in their order.
std::vector<int32_t> filteredWords(const Dictionary& dictionary,
                                   const std::vector<int32_t>& wordIndexes,
                                   const WordFilters& filters, const TextSearch& search);

}  // namespace lq
