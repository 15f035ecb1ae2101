#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>

#include "app/MainWindowFixture.h"
#include "selftest/CTest.h"
#include "selftest/DigitDisplay.h"
#include "selftest/ResultsReader.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

using SelfTestCommandsTest = MainWindowFixture;
using Kind = ShownMessage::Kind;

const QString kAny = "< doesn't matter >";

// 30 words: 20 English nouns, 10 German verbs.
Dictionary nounsAndVerbs() {
    std::vector<WordSpec> words;
    for (int i = 0; i < 30; ++i) {
        const bool noun = i < 20;
        words.push_back({.word = "w" + std::to_string(i),
                         .theme = noun ? 0 : 1,
                         .language = noun ? 0 : 1,
                         .translation = "t" + std::to_string(i)});
    }
    return makeDictionary({"English", "German"}, {"Nouns", "Verbs"}, words);
}

void trigger(CMainDialog& window, const char* action) {
    child<QAction>(&window, action)->trigger();
}

TEST_F(SelfTestCommandsTest, OptionsRefreshTheWindowOnlyAfterOk) {
    struct Case {
        const char* button;
        int8_t testCountIndex;  // after the dialog; it moves the slider to 0 either way
        QString themeFilter;    // shown in the window afterwards
    };
    const Case cases[] = {
        {"okButton", 0, kAny},
        {"cancelButton", 5, "Verbs"},
    };
    for (const Case& c : cases) {
        open(nounsAndVerbs());
        choose("themeFilterList", "Verbs");
        ASSERT_EQ(counter(), "10 of 30");
        bool optionsSeen = false;
        whenModalOpens([&](QWidget* options) {
            optionsSeen = options->windowTitle() == "Options";
            child<QSlider>(options, "testCountSlider")->setValue(0);
            clickButton(options, c.button);
        });
        trigger(*window, "actionOptions");
        EXPECT_TRUE(optionsSeen) << c.button;
        EXPECT_EQ(dictionary().header.testCountIndex, c.testCountIndex) << c.button;
        EXPECT_EQ(combo("themeFilterList")->currentText(), c.themeFilter) << c.button;
        window.reset();
    }
}

TEST_F(SelfTestCommandsTest, TestCountsAnswersAndLeavesTheWindowAsItWas) {
    open(nounsAndVerbs());
    dictionary().header.testThemeFilter = 0;
    choose("themeFilterList", "Verbs");
    bool testSeen = false;
    whenModalOpens([&](QWidget* test) {
        testSeen = test->windowTitle() == "Test";
        child<QListWidget>(test, "variantsList")->setCurrentRow(0);
        clickButton(test, "answerButton");
        QTest::keyClick(test, Qt::Key_Escape);
    });
    trigger(*window, "actionTest");
    EXPECT_TRUE(testSeen);
    int32_t asked = 0;
    for (const WordRecord& word : dictionary().words) {
        asked += word.testedCount;
    }
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(counter(), "10 of 30");
    EXPECT_EQ(combo("themeFilterList")->currentText(), "Verbs");
    EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(SelfTestCommandsTest, ATestTheDictionaryCannotFillIsRefused) {
    open(makeDictionary({"English"}, {"Nouns"}, {{.word = "lonely"}}));
    trigger(*window, "actionTest");
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].kind, Kind::Error);
    EXPECT_EQ(reporter.shown[0].message, "Not enought test-words.");
}

TEST_F(SelfTestCommandsTest, TheMistakesOfATestCanBeAskedAgain) {
    open(nounsAndVerbs());
    dictionary().header.testCountIndex = 1;  // 2 questions
    dictionary().header.setTypedAnswers(true);
    TestWords firstWords;
    TestWords repeatedWords;
    QString repeatedCounter;
    ShownReview results;
    whenModalOpens([&](QWidget* window) {
        auto* test = qobject_cast<CTest*>(window);
        ASSERT_NE(test, nullptr);
        firstWords = test->run().testWords();
        auto* edit = test->findChild<QLineEdit*>("typedAnswerEdit");
        ASSERT_NE(edit, nullptr);
        for (int question = 0; question < 2; ++question) {
            if (question == 1) {
                readReviewWhenItOpens(results, "repeatButton", [&]() {
                    whenModalOpens([&](QWidget* repeat) {
                        auto* again = qobject_cast<CTest*>(repeat);
                        ASSERT_NE(again, nullptr);
                        repeatedWords = again->run().testWords();
                        repeatedCounter =
                            again->findChild<DigitDisplay*>("questionCounter")->text();
                        QTest::keyClick(again, Qt::Key_Escape);
                    });
                });
            }
            QTest::keyClicks(edit, "?");
            QTest::keyClick(edit, Qt::Key_Return);  // wrong: the right answer shows
            QTest::keyClick(edit, Qt::Key_Return);  // and the next Enter moves on
        }
    });
    trigger(*window, "actionTest");
    ASSERT_EQ(firstWords.size(), 2u);
    EXPECT_EQ(results.rows.size(), 2u);
    EXPECT_EQ(repeatedWords, firstWords);
    EXPECT_EQ(repeatedCounter, "01/02");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(reporter.shown.empty());
}

}  // namespace
}  // namespace lq::test
