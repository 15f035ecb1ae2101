#include "app/core/WordChecks.h"

#include "store/TextField.h"

namespace lq {

bool isBlankTranslation(std::string_view translation) {
    return translation.empty() || translation.front() == '?';
}

std::optional<NewWordRefusal> newWordRefusal(const Dictionary& dictionary, std::string_view word,
                                             std::string_view translation,
                                             std::string_view transcription) {
    if (word.empty()) {
        return NewWordRefusal{NewWordField::Word,
                              "Field \"The word\" is blank, it must include atlast 1 character."};
    }
    if (isBlankTranslation(translation)) {
        return NewWordRefusal{
            NewWordField::Translation,
            "Field \"Translation\" is blank, it must include atlast 1 character."};
    }
    if (transcription.empty()) {
        return NewWordRefusal{
            NewWordField::Transcription,
            "Field \"Transcription\" is blank, it must include atlast 1 character."};
    }
    if (findWord(dictionary, word) != kNoIndex) {
        return NewWordRefusal{NewWordField::Word, "Such word already exist."};
    }
    return std::nullopt;
}

std::optional<std::string_view> renameRefusal(const Dictionary& dictionary, int32_t index,
                                              std::string_view newName) {
    if (newName.empty()) {
        return "Name of the word must include at last 1 character.";
    }
    for (std::size_t i = 0; i < dictionary.words.size(); ++i) {
        if (static_cast<int32_t>(i) != index && fieldText(dictionary.words[i].word) == newName) {
            return "Such word already defined. Enter another name or edit existing.";
        }
    }
    return std::nullopt;
}

}  // namespace lq
