#include "selftest/core/TestRun.h"

#include <limits>
#include <utility>

#include "selftest/core/TestOptions.h"
#include "selftest/core/TypedAnswers.h"

namespace lq {

namespace {

void countUp(int32_t& counter) {
    if (counter < std::numeric_limits<int32_t>::max()) {
        ++counter;
    }
}

void countAnswer(WordRecord& word, bool right) {
    countUp(word.testedCount);
    if (right) {
        countUp(word.rightCount);
    }
}

}  // namespace

bool recordAnswer(WordRecord& word, uint8_t testMode, std::string_view chosenText) {
    const bool right = chosenText == answerText(word, testMode);
    countAnswer(word, right);
    return right;
}

TestRun::TestRun(Dictionary& dictionary, TestWords testWords, TestRandom& random,
                 const Clock& clock)
    : dictionary_(dictionary),
      testWords_(std::move(testWords)),
      companions_(dictionary.words, testWords_),
      random_(random),
      clock_(clock) {}

int32_t TestRun::questionWord() const {
    return testWords_.at(static_cast<std::size_t>(questionIndex_));
}

std::string_view TestRun::questionText() const {
    return lq::questionText(dictionary_.words.at(static_cast<std::size_t>(questionWord())),
                            dictionary_.header.testMode);
}

std::string_view TestRun::rightAnswerText() const {
    return lq::answerText(dictionary_.words.at(static_cast<std::size_t>(questionWord())),
                          dictionary_.header.testMode);
}

std::vector<std::string> TestRun::offeredAnswers() {
    const auto& words = dictionary_.words;
    const uint8_t mode = dictionary_.header.testMode;
    std::vector<std::string> answers;
    const auto variants =
        drawVariants(static_cast<int32_t>(words.size()), companions_.companionsOf(questionWord()),
                     variantCount(dictionary_.header), random_, clock_);
    for (const int32_t variant : variants) {
        answers.emplace_back(answerText(words[static_cast<std::size_t>(variant)], mode));
    }
    answers.emplace_back(answerText(words.at(static_cast<std::size_t>(questionWord())), mode));
    return answers;
}

WordRecord& TestRun::currentWord() {
    return dictionary_.words.at(static_cast<std::size_t>(questionWord()));
}

bool TestRun::answer(std::string_view chosenText) {
    if (finished()) {
        return false;
    }
    return record(chosenText, recordAnswer(currentWord(), dictionary_.header.testMode, chosenText));
}

bool TestRun::answerTyped(std::string_view typedText) {
    if (finished()) {
        return false;
    }
    WordRecord& word = currentWord();
    const bool right = isRightTypedAnswer(dictionary_.header, word, typedText);
    countAnswer(word, right);
    return record(typedText, right);
}

bool TestRun::record(std::string_view given, bool right) {
    if (right) {
        ++rightAnswers_;
    }
    givenAnswers_.push_back({std::string(given), right});
    ++questionIndex_;
    return right;
}

}  // namespace lq
