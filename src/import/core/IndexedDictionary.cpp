#include "import/core/IndexedDictionary.h"

#include <optional>

#include "store/TextField.h"

namespace lq {

IndexedDictionary::IndexedDictionary(Dictionary& dictionary, DictionaryEdits& edits,
                                     Reporter& reporter, std::size_t expectedWordAdds)
    : dictionary_(dictionary),
      edits_(edits),
      reporter_(reporter),
      wordIndex_(dictionary.words, expectedWordAdds) {
    indexNames(dictionary_.themes, firstTheme_);
    indexNames(dictionary_.languages, firstLanguage_);
}

template <typename Record>
void IndexedDictionary::indexNames(const RecordTable<Record>& table, TextMap<int32_t>& firstIndex) {
    // emplace keeps an existing entry, so a repeated name stays with its first index.
    for (std::size_t i = 0; i < table.size(); ++i) {
        firstIndex.emplace(fieldText(table[i].name), static_cast<int32_t>(i));
    }
}

int32_t IndexedDictionary::lookUp(const TextMap<int32_t>& firstIndex, std::string_view text) {
    const auto found = firstIndex.find(text);
    return found == firstIndex.end() ? kNoIndex : found->second;
}

int32_t IndexedDictionary::findTheme(std::string_view name) const {
    return lookUp(firstTheme_, name);
}

int32_t IndexedDictionary::findLanguage(std::string_view name) const {
    return lookUp(firstLanguage_, name);
}

int32_t IndexedDictionary::findWord(std::string_view text) const {
    return wordIndex_.first(text);
}

int32_t IndexedDictionary::addTheme(const ThemeRecord& theme) {
    if (!edits_.addTheme(dictionary_, theme, reporter_)) {
        return kNoIndex;
    }
    const auto index = static_cast<int32_t>(dictionary_.themes.size()) - 1;
    firstTheme_.emplace(fieldText(theme.name), index);
    return index;
}

int32_t IndexedDictionary::addLanguage(const LanguageRecord& language) {
    if (!edits_.addLanguage(dictionary_, language, reporter_)) {
        return kNoIndex;
    }
    const auto index = static_cast<int32_t>(dictionary_.languages.size()) - 1;
    firstLanguage_.emplace(fieldText(language.name), index);
    return index;
}

bool IndexedDictionary::addWord(const WordRecord& word) {
    return addWord(word, wordHash(fieldText(word.word)));
}

bool IndexedDictionary::addWord(const WordRecord& word, uint32_t hash) {
    if (!edits_.addWord(dictionary_, word, reporter_)) {
        return false;
    }
    wordIndex_.add(static_cast<int32_t>(dictionary_.words.size()) - 1, hash);
    return true;
}

bool IndexedDictionary::deleteWord(int32_t index) {
    const auto last = static_cast<int32_t>(dictionary_.words.size()) - 1;
    if (index < 0 || index > last) {
        return false;
    }
    // The index reads the texts from the records, so both places go while they still hold them.
    wordIndex_.remove(index);
    if (index != last) {
        wordIndex_.remove(last);
    }
    if (!edits_.deleteWord(dictionary_, index, reporter_)) {
        wordIndex_.add(index);
        if (index != last) {
            wordIndex_.add(last);
        }
        return false;
    }
    if (index != last) {
        wordIndex_.add(index);  // the former last word
    }
    return true;
}

bool IndexedDictionary::putBackWord(int32_t index, const WordRecord& removed) {
    WordTable& words = dictionary_.words;
    const auto size = static_cast<int32_t>(words.size());
    if (index == size) {
        return addWord(removed);
    }
    if (index < 0 || index > size) {
        return false;
    }
    const WordRecord moved = words[index];
    if (!addWord(moved)) {
        return false;
    }
    // The moved word stands at the end again; its old place gets the removed word's bytes back.
    wordIndex_.remove(index);
    edits_.replaceWord(dictionary_, index, removed);
    wordIndex_.add(index);
    return true;
}

IndexedDictionary::WordStored IndexedDictionary::addOrOverwriteWord(const WordRecord& word,
                                                                    int32_t existing,
                                                                    uint32_t hash) {
    std::optional<WordRecord> replaced;
    if (existing != kNoIndex) {
        replaced = dictionary_.words[static_cast<std::size_t>(existing)];
        if (!deleteWord(existing)) {
            return WordStored::NotStored;  // its failure is shown; adding now would make it twice
        }
    }
    if (addWord(word, hash)) {
        return replaced ? WordStored::Overwritten : WordStored::Added;
    }
    if (replaced) {
        putBackWord(existing, *replaced);
    }
    return WordStored::OutOfMemory;
}

}  // namespace lq
