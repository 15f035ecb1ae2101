#include "selftest/StartTest.h"

#include <utility>

#include "selftest/CTest.h"
#include "selftest/core/TestGeneration.h"

namespace lq {

void startTest(Dictionary& dictionary, TestRandom& random, const Clock& clock, Reporter& reporter,
               QWidget* parent) {
    TestWords testWords;
    if (!prepareTest(dictionary, random, clock, reporter, testWords)) {
        return;
    }
    // A test whose mistakes the learner asks to repeat is followed by one of just those words.
    while (!testWords.empty()) {
        CTest dialog(dictionary, std::move(testWords), random, clock, reporter, parent);
        dialog.exec();
        testWords = dialog.wordsToRepeat();
    }
}

}  // namespace lq
