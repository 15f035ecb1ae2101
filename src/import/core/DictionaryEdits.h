// The store operations through which an import changes the current dictionary. Tests put an
// implementation in their place that fails, to prove that a run survives a failed add.
#pragma once

#include <cstdint>

#include "store/Dictionary.h"
#include "store/Reporter.h"

namespace lq {

class DictionaryEdits {
  public:
    virtual ~DictionaryEdits() = default;
    // Each behaves like the store operation of the same name (store/Edits.h).
    virtual bool addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter);
    virtual bool addLanguage(Dictionary& dictionary, const LanguageRecord& language,
                             Reporter& reporter);
    virtual bool addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter);
    virtual bool deleteWord(Dictionary& dictionary, int32_t index, Reporter& reporter);
    // Overwrites the word at the index; not pure, so that fakes written before it keep building.
    virtual void replaceWord(Dictionary& dictionary, int32_t index, const WordRecord& word);

    // The store's own operations.
    static DictionaryEdits& store();
};

}  // namespace lq
