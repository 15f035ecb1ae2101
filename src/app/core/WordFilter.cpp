#include "app/core/WordFilter.h"

#include "store/Knowledge.h"

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

std::vector<int32_t> filteredWords(const Dictionary& dictionary, const WordFilters& filters) {
    std::vector<int32_t> indexes;
    indexes.reserve(dictionary.words.size());
    for (std::size_t i = 0; i < dictionary.words.size(); ++i) {
        if (passesFilters(dictionary.words[i], filters)) {
            indexes.push_back(static_cast<int32_t>(i));
        }
    }
    return indexes;
}

}  // namespace lq
