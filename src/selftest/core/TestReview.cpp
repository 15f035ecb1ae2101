#include "selftest/core/TestReview.h"

namespace lq {

std::vector<Mistake> mistakesOf(const TestRun& run) {
    std::vector<Mistake> mistakes;
    const TestWords& words = run.testWords();
    const std::vector<GivenAnswer>& given = run.givenAnswers();
    for (std::size_t question = 0; question < words.size(); ++question) {
        if (question >= given.size()) {
            mistakes.push_back({words[question], std::nullopt});
        } else if (!given[question].right) {
            mistakes.push_back({words[question], given[question].text});
        }
    }
    return mistakes;
}

TestWords wordsOf(const std::vector<Mistake>& mistakes) {
    TestWords words;
    words.reserve(mistakes.size());
    for (const Mistake& mistake : mistakes) {
        words.push_back(mistake.word);
    }
    return words;
}

}  // namespace lq
