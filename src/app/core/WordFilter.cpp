#include "app/core/WordFilter.h"

#include "store/Knowledge.h"
#include "store/TextField.h"

namespace lq {

bool passesThemeAndLanguage(const WordRecord& word, const WordFilters& filters) {
    return passesFilter(filters.themeFilter, word.themeIndex) &&
           passesFilter(filters.languageFilter, word.languageIndex);
}

bool passesFilters(const WordRecord& word, const WordFilters& filters) {
    return passesThemeAndLanguage(word, filters) &&
           (filters.knowledgeFilter == kNoIndex ||
            isInKnowledgeBand(word, static_cast<KnowledgeBand>(filters.knowledgeFilter)));
}

bool passesSearch(const WordRecord& word, const TextSearch& search) {
    return search.empty() || search.foundIn(fieldText(word.word)) ||
           search.foundIn(fieldText(word.translation)) ||
           search.foundIn(fieldText(word.transcription));
}

std::vector<int32_t> filteredWords(const Dictionary& dictionary, const WordFilters& filters,
                                   const TextSearch& search) {
    std::vector<int32_t> tableOrder(dictionary.words.size());
    for (std::size_t i = 0; i < tableOrder.size(); ++i) {
        tableOrder[i] = static_cast<int32_t>(i);
    }
    return filteredWords(dictionary, tableOrder, filters, search);
}

// The records are tested in table order, which reads memory front to back; tested in the order
// given, 100,000 records would be fetched from all over memory.
std::vector<int32_t> filteredWords(const Dictionary& dictionary,
                                   const std::vector<int32_t>& wordIndexes,
                                   const WordFilters& filters, const TextSearch& search) {
    std::vector<bool> passes(dictionary.words.size());
    for (std::size_t i = 0; i < dictionary.words.size(); ++i) {
        const WordRecord& word = dictionary.words[i];
        passes[i] = passesFilters(word, filters) && passesSearch(word, search);
    }
    std::vector<int32_t> passing;
    passing.reserve(wordIndexes.size());
    for (const int32_t index : wordIndexes) {
        if (index >= 0 && static_cast<std::size_t>(index) < passes.size() &&
            passes[static_cast<std::size_t>(index)]) {
            passing.push_back(index);
        }
    }
    return passing;
}

}  // namespace lq
