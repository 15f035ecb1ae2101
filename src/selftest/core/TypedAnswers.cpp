#include "selftest/core/TypedAnswers.h"

#include "selftest/TestGeneration.h"

namespace lq {

TextMatchOptions answerMatchOptions(const DictionaryHeader& header) {
    return {.ignoreCase = header.ignoreLetterCase(),
            .ignoreAccents = header.ignoreAccents(),
            .ignorePunctuation = header.ignorePunctuation()};
}

bool isRightTypedAnswer(const DictionaryHeader& header, const WordRecord& word,
                        std::string_view typed) {
    return textsMatch(typed, answerText(word, header.testMode), answerMatchOptions(header));
}

}  // namespace lq
