#include "selftest/core/TypedAnswers.h"

#include "selftest/core/TestGeneration.h"
#include "store/TextEncoding.h"

namespace lq {

TextMatchOptions answerMatchOptions(const DictionaryHeader& header) {
    return {.ignoreCase = header.ignoreLetterCase(),
            .ignoreAccents = header.ignoreAccents(),
            .ignorePunctuation = header.ignorePunctuation()};
}

bool isRightTypedAnswer(const DictionaryHeader& header, const WordRecord& word,
                        std::string_view typed) {
    // The learner types what the program shows, so a Windows-1252 answer is read as shown.
    return textsMatch(typed, utf8AsShown(answerText(word, header.testMode)),
                      answerMatchOptions(header));
}

}  // namespace lq
