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
    std::vector<int32_t> indexes;
    indexes.reserve(dictionary.words.size());
    for (std::size_t i = 0; i < dictionary.words.size(); ++i) {
        const WordRecord& word = dictionary.words[i];
        if (passesFilters(word, filters) && passesSearch(word, search)) {
            indexes.push_back(static_cast<int32_t>(i));
        }
    }
    return indexes;
}

}  // namespace lq
