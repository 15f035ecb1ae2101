// The current dictionary of an import, with hash indexes over the texts the run looks up. A run
// looks up every source word, so scanning the tables would make a large import quadratic.
// Every change goes through here and keeps the indexes in step, so each lookup answers exactly
// what a scan from index 0 would. Nothing else may change the dictionary meanwhile.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "import/core/DictionaryEdits.h"
#include "import/core/TextMap.h"
#include "import/core/WordTextIndex.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"

namespace lq {

class IndexedDictionary {
  public:
    // `expectedWordAdds` only sizes the word index; any number of words may be added.
    IndexedDictionary(Dictionary& dictionary, DictionaryEdits& edits, Reporter& reporter,
                      std::size_t expectedWordAdds = 0);

    const Dictionary& dictionary() const { return dictionary_; }

    // The first record, in storage order, whose text equals the given one byte for byte.
    int32_t findTheme(std::string_view name) const;
    int32_t findLanguage(std::string_view name) const;
    int32_t findWord(std::string_view text) const;
    // The same, with the text's wordHash worked out before.
    int32_t findWord(std::string_view text, uint32_t hash) const {
        return wordIndex_.first(text, hash);
    }
    static uint32_t wordHash(std::string_view text) { return WordTextIndex::hashOf(text); }
    // A hint that findWord will soon be asked for this text.
    void prefetchWord(std::string_view text) const { wordIndex_.prefetch(text); }
    void prefetchWord(uint32_t hash) const { wordIndex_.prefetchHash(hash); }

    // The index of the appended record, or kNoIndex when the add failed (and showed why).
    int32_t addTheme(const ThemeRecord& theme);
    int32_t addLanguage(const LanguageRecord& language);
    bool addWord(const WordRecord& word);
    // The same, with the wordHash of the word's text.
    bool addWord(const WordRecord& word, uint32_t hash);
    // Removes the word at the index; the last word moves into its place.
    bool deleteWord(int32_t index);
    // Undoes a deleteWord(index) that removed `removed`: the word moved into its place goes
    // back to the end and `removed` returns to the index, so the table is as it was.
    bool putBackWord(int32_t index, const WordRecord& removed);

    enum class WordStored { Added, Overwritten, NotStored, OutOfMemory };
    // Adds the word, after deleting the one at `existing` unless that is kNoIndex. When the add
    // fails for lack of memory the deleted word is put back, so that nothing is lost.
    WordStored addOrOverwriteWord(const WordRecord& word, int32_t existing, uint32_t hash);

  private:
    template <typename Record>
    static void indexNames(const RecordTable<Record>& table, TextMap<int32_t>& firstIndex);
    static int32_t lookUp(const TextMap<int32_t>& firstIndex, std::string_view text);

    Dictionary& dictionary_;
    DictionaryEdits& edits_;
    Reporter& reporter_;
    TextMap<int32_t> firstTheme_;
    TextMap<int32_t> firstLanguage_;
    WordTextIndex wordIndex_;
};

// Counts a stored word in an import's summary.
template <typename Summary>
void countStoredWord(IndexedDictionary::WordStored stored, Summary& summary) {
    using WordStored = IndexedDictionary::WordStored;
    summary.wordsAdded += stored == WordStored::Added || stored == WordStored::Overwritten;
    summary.wordsOverwritten += stored == WordStored::Overwritten;
    summary.allocationFailed |= stored == WordStored::OutOfMemory;
}

}  // namespace lq
