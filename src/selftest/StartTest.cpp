#include "selftest/StartTest.h"

#include <utility>

#include "selftest/CTest.h"
#include "selftest/core/TestGeneration.h"

namespace lq {

namespace {

// The asked words as a test finds them, so that what its answers changed can be recorded.
class AskedWords {
  public:
    AskedWords(const Dictionary& dictionary, const TestWords& testWords) {
        for (const int32_t index : testWords) {
            before_.emplace_back(index, dictionary.words.at(static_cast<std::size_t>(index)));
        }
    }

    DictionaryChange changes(const Dictionary& dictionary) const {
        ChangeRecorder recorder;
        for (const auto& [index, word] : before_) {
            recorder.replaced(index, word, dictionary.words.at(static_cast<std::size_t>(index)));
        }
        return recorder.take();
    }

  private:
    std::vector<std::pair<int32_t, WordRecord>> before_;
};

}  // namespace

void startTest(Dictionary& dictionary, TestRandom& random, const Clock& clock, Reporter& reporter,
               QWidget* parent, ChangeLog& log) {
    TestWords testWords;
    if (!prepareTest(dictionary, random, clock, reporter, testWords)) {
        return;
    }
    // A test whose mistakes the learner asks to repeat is followed by one of just those words.
    while (!testWords.empty()) {
        const AskedWords asked(dictionary, testWords);
        CTest dialog(dictionary, std::move(testWords), random, clock, reporter, parent);
        QObject::connect(&dialog, &CTest::answerCounted, [&log] { log.stepUnderWay(); });
        dialog.exec();
        log.addStep("Test answers", asked.changes(dictionary));
        testWords = dialog.wordsToRepeat();
    }
}

}  // namespace lq
