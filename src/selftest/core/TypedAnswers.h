// Judging an answer that the learner typed instead of picking it from variants.
#pragma once

#include <string_view>

#include "store/Records.h"
#include "store/TextMatch.h"

namespace lq {

// The leniency that the dictionary's answer settings ask for.
TextMatchOptions answerMatchOptions(const DictionaryHeader& header);

// Whether `typed` (UTF-8) is the word's answer text in `header`'s test mode, as the program
// shows that text, compared as the answer settings say.
bool isRightTypedAnswer(const DictionaryHeader& header, const WordRecord& word,
                        std::string_view typed);

}  // namespace lq
