#include "import/core/RecordingEdits.h"

#include <utility>

namespace lq {

RecordingEdits::RecordingEdits(ChangeLog& log, std::string stepName, DictionaryEdits& inner)
    : log_(log), stepName_(std::move(stepName)), inner_(inner) {}

RecordingEdits::~RecordingEdits() {
    log_.addStep(std::move(stepName_), recorder_.take());
}

bool RecordingEdits::addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter) {
    if (!inner_.addWord(dictionary, word, reporter)) {
        return false;
    }
    recorder_.appended<WordRecord>();
    return true;
}

bool RecordingEdits::addLanguage(Dictionary& dictionary, const LanguageRecord& language,
                                 Reporter& reporter) {
    if (!inner_.addLanguage(dictionary, language, reporter)) {
        return false;
    }
    recorder_.appended<LanguageRecord>();
    return true;
}

bool RecordingEdits::addTheme(Dictionary& dictionary, const ThemeRecord& theme,
                              Reporter& reporter) {
    if (!inner_.addTheme(dictionary, theme, reporter)) {
        return false;
    }
    recorder_.appended<ThemeRecord>();
    return true;
}

bool RecordingEdits::deleteWord(Dictionary& dictionary, int32_t index, Reporter& reporter) {
    const WordTable& words = dictionary.words;
    // The only word goes whatever the index says, as the store deletes words.
    const int32_t removed = words.size() == 1 ? 0 : index;
    const bool known = removed >= 0 && static_cast<std::size_t>(removed) < words.size();
    const WordRecord record = known ? words[static_cast<std::size_t>(removed)] : WordRecord{};
    if (!inner_.deleteWord(dictionary, index, reporter)) {
        return false;
    }
    if (known) {
        recorder_.wordRemoved(removed, record);
    }
    return true;
}

void RecordingEdits::replaceWord(Dictionary& dictionary, int32_t index, const WordRecord& word) {
    if (index < 0 || static_cast<std::size_t>(index) >= dictionary.words.size()) {
        return;
    }
    const WordRecord before = dictionary.words[static_cast<std::size_t>(index)];
    inner_.replaceWord(dictionary, index, word);
    recorder_.replaced(index, before, dictionary.words[static_cast<std::size_t>(index)]);
}

}  // namespace lq
