#include "import/core/DictionaryEdits.h"

#include "store/Edits.h"

namespace lq {

bool DictionaryEdits::addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter) {
    return lq::addWord(dictionary, word, reporter);
}

bool DictionaryEdits::addLanguage(Dictionary& dictionary, const LanguageRecord& language,
                                  Reporter& reporter) {
    return lq::addLanguage(dictionary, language, reporter);
}

bool DictionaryEdits::addTheme(Dictionary& dictionary, const ThemeRecord& theme,
                               Reporter& reporter) {
    return lq::addTheme(dictionary, theme, reporter);
}

bool DictionaryEdits::deleteWord(Dictionary& dictionary, int32_t index, Reporter& reporter) {
    return lq::deleteWord(dictionary, index, reporter);
}

void DictionaryEdits::replaceWord(Dictionary& dictionary, int32_t index, const WordRecord& word) {
    lq::replaceWord(dictionary, index, word);
}

DictionaryEdits& DictionaryEdits::store() {
    static DictionaryEdits edits;
    return edits;
}

}  // namespace lq
