// Dictionaries built over one side's table, so that every case runs for themes and languages.
#pragma once

#include <string>
#include <vector>

#include "catalog/core/CatalogSide.h"
#include "support/TestDictionary.h"

namespace lq::test {

struct Side {
    const CatalogSide* side;
    const char* label;  // names the side in failure messages
};

inline const Side kSides[] = {{&kThemeSide, "themes"}, {&kLanguageSide, "languages"}};

// A word of the entry at `entry` on the side's table, with its test counters.
struct EntryWord {
    int32_t entry;
    int32_t right = 0;
    int32_t tested = 0;
};

// The side's table holds `names`; the other table holds one entry that every word belongs to.
inline Dictionary dictionaryWith(const CatalogSide& side, const std::vector<std::string>& names,
                                 const std::vector<EntryWord>& words = {}) {
    const bool themes = &side == &kThemeSide;
    std::vector<WordSpec> wordShapes;
    for (std::size_t i = 0; i < words.size(); ++i) {
        WordSpec shape{.word = "w" + std::to_string(i)};
        (themes ? shape.theme : shape.language) = words[i].entry;
        shape.right = words[i].right;
        shape.tested = words[i].tested;
        wordShapes.push_back(shape);
    }
    return themes ? makeDictionary({"English"}, names, wordShapes)
                  : makeDictionary(names, {"General"}, wordShapes);
}

inline std::vector<std::string> namesOf(const Dictionary& dictionary, const CatalogSide& side) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < static_cast<int32_t>(side.count(dictionary)); ++i) {
        names.emplace_back(side.name(dictionary, i));
    }
    return names;
}

// The side's index of every word, in table order.
inline std::vector<int32_t> wordEntries(const Dictionary& dictionary, const CatalogSide& side) {
    std::vector<int32_t> entries;
    for (const WordRecord& word : dictionary.words) {
        entries.push_back(word.*side.wordIndex);
    }
    return entries;
}

}  // namespace lq::test
