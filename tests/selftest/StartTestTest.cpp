#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>

#include "selftest/StartTest.h"
#include "selftest/TestDialogFixture.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

using StartTestTest = TestDialogFixture;
using Kind = ShownMessage::Kind;

// Ten words, the fourth alone in its language, so that it has no wrong answers to offer.
std::vector<WordSpec> oneWordAlone() {
    std::vector<WordSpec> words = numberedWords(10);
    words[3] = {"solo", 0, 1, 0, 0, "allein"};
    return words;
}

TEST_F(StartTestTest, ARefusedTestOpensNoWindow) {
    struct Case {
        const char* name;
        std::vector<WordSpec> words;
        int8_t testCountIndex;
        const char* message;
    };
    const Case cases[] = {
        {"too few words", numberedWords(9), 5, "Not enought test-words."},
        {"empty dictionary", {}, 0, "Not enought test-words."},
        // All ten are asked, so the lone word is sure to be drawn.
        {"a word without companions", oneWordAlone(), 5,
         "Can't perform test. Error while generating variants: not enought variants for "
         "\"solo\" (allein)."},
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English", "German"}, {"Numbers"}, c.words);
        dictionary.header.testCountIndex = c.testCountIndex;
        RecordingReporter reporter;
        startTest(dictionary, random, clock, reporter, nullptr);
        ASSERT_EQ(reporter.shown.size(), 1u) << c.name;
        EXPECT_EQ(reporter.shown[0].kind, Kind::Error) << c.name;
        EXPECT_EQ(reporter.shown[0].message, c.message) << c.name;
        EXPECT_EQ(testedCounts(), std::vector<int32_t>(dictionary.words.size(), 0)) << c.name;
    }
}

TEST_F(StartTestTest, RunsTheTestToItsResults) {
    RecordingReporter reporter;
    bool testSeen = false;
    bool resultsSeen = false;
    whenModalOpens([&](QWidget* window) {
        auto* test = qobject_cast<CTest*>(window);
        ASSERT_NE(test, nullptr);
        testSeen = true;
        for (int question = 0; question < 10; ++question) {
            if (question == 9) {
                whenModalOpens([&](QWidget* results) {
                    resultsSeen = results->windowTitle() == "Test results";
                    EXPECT_EQ(child<QLineEdit>(results, "correctField")->text(), "10");
                    clickButton(results, "okButton");
                });
            }
            answer(*test, true);
        }
    });
    startTest(dictionary, random, clock, reporter, nullptr);
    EXPECT_TRUE(testSeen);
    EXPECT_TRUE(resultsSeen);
    EXPECT_TRUE(reporter.shown.empty());
    // Ten of the twelve words were asked once each and answered right.
    const std::vector<int32_t> tested = testedCounts();
    EXPECT_EQ(std::count(tested.begin(), tested.end(), 1), 10);
    EXPECT_EQ(testedCounts(), rightCounts());
}

// What the change log hears while a test runs, with how many answers the dictionary held then.
class AnswerWatchingLog : public ChangeLog {
  public:
    explicit AnswerWatchingLog(const Dictionary& dictionary) : dictionary_(dictionary) {}
    void addStep(std::string name, DictionaryChange) override {
        heard.push_back(name + " after " + std::to_string(answers()));
    }
    void stepUnderWay() override { heard.push_back("answer " + std::to_string(answers())); }

    std::vector<std::string> heard;

  private:
    int32_t answers() const {
        int32_t total = 0;
        for (const WordRecord& word : dictionary_.words) {
            total += word.testedCount;
        }
        return total;
    }
    const Dictionary& dictionary_;
};

// Each answer is in the dictionary as soon as the log hears of it, so that a copy taken then
// holds it; the test's step follows at its end.
TEST_F(StartTestTest, EachAnswerIsHeardOfBeforeTheTestsStep) {
    RecordingReporter reporter;
    AnswerWatchingLog log(dictionary);
    whenModalOpens([&](QWidget* window) {
        auto* test = qobject_cast<CTest*>(window);
        ASSERT_NE(test, nullptr);
        answer(*test, true);
        answer(*test, false);
        QTest::keyClick(test, Qt::Key_Escape);
    });
    startTest(dictionary, random, clock, reporter, nullptr, log);
    EXPECT_EQ(log.heard,
              (std::vector<std::string>{"answer 1", "answer 2", "Test answers after 2"}));
}

TEST_F(StartTestTest, EscapeAtOnceChangesNothing) {
    RecordingReporter reporter;
    whenModalOpens([](QWidget* test) { QTest::keyClick(test, Qt::Key_Escape); });
    startTest(dictionary, random, clock, reporter, nullptr);
    EXPECT_EQ(testedCounts(), std::vector<int32_t>(12, 0));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace lq::test
