// The questions of a finished test that were answered wrong or never answered, so that the
// learner sees the right answers and can be asked those words again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "selftest/core/TestRun.h"

namespace lq {

struct Mistake {
    int32_t word;                      // index in the word table
    std::optional<std::string> given;  // none: the time ran out before it was answered
};

// In question order: the wrong answers, then the questions left when the test ended.
std::vector<Mistake> mistakesOf(const TestRun& run);

// The words of the mistakes, in their order: the questions of a test that repeats them.
TestWords wordsOf(const std::vector<Mistake>& mistakes);

}  // namespace lq
