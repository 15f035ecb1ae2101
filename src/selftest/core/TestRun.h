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

class TestRun {
  public:
    // `dictionary`, `random` and `clock` must outlive the run.
    TestRun(Dictionary& dictionary, TestWords testWords, TestRandom& random, const Clock& clock);

    int32_t questionCount() const { return static_cast<int32_t>(testWords_.size()); }
    // 0-based; equals questionCount() once every question is answered.
    int32_t questionIndex() const { return questionIndex_; }
    int32_t rightAnswers() const { return rightAnswers_; }
    bool finished() const { return questionIndex_ >= questionCount(); }

    // The word asked now; only while not finished.
    int32_t questionWord() const;
    std::string_view questionText() const;
    // Draws the current question's variants: their answer texts in draw order, then the right
    // one. The window sorts them for display.
    std::vector<std::string> offeredAnswers();
    // Records the answer to the current question and moves on. Returns whether it was right;
    // does nothing once finished.
    bool answer(std::string_view chosenText);

  private:
    Dictionary& dictionary_;
    TestWords testWords_;
    CompanionLists companions_;
    TestRandom& random_;
    const Clock& clock_;
    int32_t questionIndex_ = 0;
    int32_t rightAnswers_ = 0;
};

}  // namespace lq
