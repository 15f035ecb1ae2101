#include "app/core/WordFilter.h"

#include "store/Knowledge.h"

namespace lq {

bool passesFilters(const WordRecord& word, const WordFilters& filters) {
    if (filters.themeFilter != -1 && filters.themeFilter != word.themeIndex) {
        return false;
    }
    if (filters.languageFilter != -1 && filters.languageFilter != word.languageIndex) {
        return false;
    }
    return filters.knowledgeFilter == -1 ||
           isInKnowledgeBand(word, static_cast<KnowledgeBand>(filters.knowledgeFilter));
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
