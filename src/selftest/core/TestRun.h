// The state of one running test, without its window: which question is shown, what it
// offers, and what answering it does to the dictionary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "selftest/core/TestGeneration.h"

namespace lq {

// Counts one asking of the word, and a right answer when `chosenText` is the word's answer
// text (byte for byte, so an equal text of another word counts too). Returns whether it was
// right. A counter already at its largest value stays there.
bool recordAnswer(WordRecord& word, uint8_t testMode, std::string_view chosenText);

// What was answered to one question, and whether it was right.
struct GivenAnswer {
    std::string text;
    bool right = false;
};

class TestRun {
  public:
    // `dictionary`, `random` and `clock` must outlive the run.
    TestRun(Dictionary& dictionary, TestWords testWords, TestRandom& random, const Clock& clock);

    int32_t questionCount() const { return static_cast<int32_t>(testWords_.size()); }
    const TestWords& testWords() const { return testWords_; }
    // 0-based; equals questionCount() once every question is answered.
    int32_t questionIndex() const { return questionIndex_; }
    int32_t rightAnswers() const { return rightAnswers_; }
    bool finished() const { return questionIndex_ >= questionCount(); }

    // The word asked now; only while not finished.
    int32_t questionWord() const;
    std::string_view questionText() const;
    // The current question's answer text; only while not finished.
    std::string_view rightAnswerText() const;
    // Draws the current question's variants: their answer texts in draw order, then the right
    // one. The window sorts them for display.
    std::vector<std::string> offeredAnswers();
    // Records the answer to the current question and moves on. Returns whether it was right;
    // does nothing once finished.
    bool answer(std::string_view chosenText);
    // The same for an answer typed in (UTF-8), compared as the header's answer settings say.
    bool answerTyped(std::string_view typedText);
    // One per answered question, in question order.
    const std::vector<GivenAnswer>& givenAnswers() const { return givenAnswers_; }

  private:
    WordRecord& currentWord();
    // Counts the current question's answer and moves on.
    bool record(std::string_view given, bool right);

    Dictionary& dictionary_;
    TestWords testWords_;
    CompanionLists companions_;
    TestRandom& random_;
    const Clock& clock_;
    int32_t questionIndex_ = 0;
    int32_t rightAnswers_ = 0;
    std::vector<GivenAnswer> givenAnswers_;
};

}  // namespace lq
