#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <functional>

#include "selftest/CTestResults.h"
#include "selftest/ResultsReader.h"
#include "selftest/StartTest.h"
#include "selftest/TestDialogFixture.h"
#include "support/GuiHelpers.h"
#include "support/RecordingReporter.h"
#include "ui/TextCodec.h"

namespace lq::test {
namespace {

using ReviewOfMistakesTest = TestDialogFixture;

bool reviewVisible(const CTestResults& dialog) {
    return child<QTreeWidget>(&dialog, "mistakesList")->isVisibleTo(&dialog);
}

TEST_F(ReviewOfMistakesTest, ResultsListEveryMistake) {
    CTestResults dialog(1, 3);
    dialog.showMistakes({{"cat", QStringLiteral("Hund"), "Katze"}, {"cow", std::nullopt, "Kuh"}});
    EXPECT_TRUE(reviewVisible(dialog));
    EXPECT_EQ(labelText(&dialog, "mistakesLabel"), "Mistakes:");
    const auto* list = child<QTreeWidget>(&dialog, "mistakesList");
    const QTreeWidgetItem* header = list->headerItem();
    EXPECT_EQ((QStringList{header->text(0), header->text(1), header->text(2)}),
              (QStringList{"Question", "Your answer", "Right answer"}));
    EXPECT_EQ(reviewRows(&dialog),
              (std::vector<QStringList>{{"cat", "Hund", "Katze"}, {"cow", "not answered", "Kuh"}}));
    EXPECT_FALSE(list->topLevelItem(0)->font(1).italic());
    EXPECT_TRUE(list->topLevelItem(1)->font(1).italic()) << "not answered reads as a typed text";
    const auto* repeat = child<QPushButton>(&dialog, "repeatButton");
    EXPECT_TRUE(repeat->isVisibleTo(&dialog));
    EXPECT_EQ(repeat->text(), "&Repeat mistakes");
    EXPECT_FALSE(repeat->isDefault());
    EXPECT_FALSE(repeat->icon().isNull());
    EXPECT_TRUE(child<QPushButton>(&dialog, "okButton")->isDefault());
    // Every text of the review can be read in full.
    for (int column = 0; column < 3; ++column) {
        EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column)) << column;
    }
}

TEST_F(ReviewOfMistakesTest, WithoutMistakesTheResultsLookAsBefore) {
    CTestResults plain(10, 10);
    CTestResults reviewed(10, 10);
    reviewed.showMistakes({});
    for (const CTestResults* dialog : {&plain, &reviewed}) {
        EXPECT_FALSE(reviewVisible(*dialog));
        EXPECT_FALSE(child<QLabel>(dialog, "mistakesLabel")->isVisibleTo(dialog));
        EXPECT_FALSE(child<QPushButton>(dialog, "repeatButton")->isVisibleTo(dialog));
    }
    EXPECT_EQ(plain.sizeHint(), reviewed.sizeHint());
}

TEST_F(ReviewOfMistakesTest, RepeatEndsTheResultsWithItsOwnResult) {
    struct Case {
        const char* name;
        std::function<void(CTestResults&)> leave;
        int result;
    };
    const Case cases[] = {
        {"repeat", [](CTestResults& d) { clickButton(&d, "repeatButton"); },
         CTestResults::RepeatMistakes},
        {"OK", [](CTestResults& d) { clickButton(&d, "okButton"); }, QDialog::Accepted},
        {"Enter", [](CTestResults& d) { QTest::keyClick(&d, Qt::Key_Return); }, QDialog::Accepted},
        {"Escape", [](CTestResults& d) { QTest::keyClick(&d, Qt::Key_Escape); }, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        CTestResults dialog(0, 1);
        dialog.showMistakes({{"cat", std::nullopt, "Katze"}});
        dialog.show();
        c.leave(dialog);
        EXPECT_FALSE(dialog.isVisible()) << c.name;
        EXPECT_EQ(dialog.result(), c.result) << c.name;
    }
}

TEST_F(ReviewOfMistakesTest, TheTestHandsItsMistakesToTheResults) {
    struct Case {
        const char* name;
        const char* button;
        TestWords wordsToRepeat;
    };
    const Case cases[] = {
        {"OK", "okButton", {}},
        {"repeat", "repeatButton", {4, 2}},
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        RecordingReporter reporter;
        CTest dialog(dictionary, {0, 4, 2, 7}, random, clock, reporter);
        dialog.show();
        answer(dialog, true);
        const QString givenForW05 = entry(dialog, false)->text();
        answer(dialog, false);
        const QString givenForW03 = entry(dialog, false)->text();
        answer(dialog, false);
        ShownReview results;
        readReviewWhenItOpens(results, c.button);
        answer(dialog, true);
        EXPECT_TRUE(results.seen) << c.name;
        EXPECT_TRUE(results.reviewShown) << c.name;
        EXPECT_EQ(results.rows, (std::vector<QStringList>{{"w05", givenForW05, "t05"},
                                                          {"w03", givenForW03, "t03"}}))
            << c.name;
        EXPECT_EQ(dialog.wordsToRepeat(), c.wordsToRepeat) << c.name;
    }
}

TEST_F(ReviewOfMistakesTest, AllRightShowsNoReview) {
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(2), random, clock, reporter);
    dialog.show();
    answer(dialog, true);
    ShownReview results;
    readReviewWhenItOpens(results);
    answer(dialog, true);
    EXPECT_TRUE(results.seen);
    EXPECT_FALSE(results.reviewShown);
    EXPECT_TRUE(results.rows.empty());
}

// What one test of a run of tests asked, and what its results showed.
struct AskedTest {
    TestWords words;
    QString counter;
    bool typedField = false;
    ShownReview results;
};

class RepeatedTestTest : public ReviewOfMistakesTest {
  protected:
    // Picks or types the right answer, or a wrong one (and moves on past the right answer).
    void answerEitherWay(CTest& test, bool right) {
        if (!dictionary.header.typedAnswers()) {
            answer(test, right);
            return;
        }
        auto* edit = child<QLineEdit>(&test, "typedAnswerEdit");
        typeText(edit, right ? displayField(askedWord(test).translation) : QStringLiteral("no"));
        QTest::keyClick(edit, Qt::Key_Return);
        if (!right) {
            QTest::keyClick(edit, Qt::Key_Return);
        }
    }

    // Answers the next test window that opens as `rightAnswers` say and leaves its results by
    // `button`; `next` then waits for the window after it.
    void answerNextTest(std::vector<bool> rightAnswers, AskedTest& asked, const char* button,
                        std::function<void()> next = {}) {
        whenModalOpens([=, this, &asked](QWidget* window) {
            auto* test = qobject_cast<CTest*>(window);
            ASSERT_NE(test, nullptr) << window->windowTitle().toStdString();
            asked.words = test->run().testWords();
            asked.counter = digitsOf(*test, "questionCounter");
            asked.typedField = child<QLineEdit>(test, "typedAnswerEdit")->isVisibleTo(test);
            ASSERT_EQ(asked.words.size(), rightAnswers.size());
            for (std::size_t question = 0; question < rightAnswers.size(); ++question) {
                if (question + 1 == rightAnswers.size()) {
                    readReviewWhenItOpens(asked.results, button, next);
                }
                answerEitherWay(*test, rightAnswers[question]);
            }
        });
    }
};

TEST_F(RepeatedTestTest, RepeatAsksExactlyTheWrongWordsInTheSameMode) {
    for (const bool typed : {false, true}) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        dictionary.header.setTypedAnswers(typed);
        dictionary.header.testCountIndex = 4;  // 5 questions
        AskedTest first;
        AskedTest repeat;
        AskedTest again;
        answerNextTest({true, false, true, false, false}, first, "repeatButton", [&]() {
            answerNextTest({true, false, true}, repeat, "repeatButton",
                           [&]() { answerNextTest({true}, again, "okButton"); });
        });
        RecordingReporter reporter;
        startTest(dictionary, random, clock, reporter, nullptr);

        const std::string mode = typed ? "typed" : "variants";
        ASSERT_EQ(first.words.size(), 5u) << mode;
        EXPECT_EQ(first.results.rows.size(), 3u) << mode;
        const TestWords wrongFirst = {first.words[1], first.words[3], first.words[4]};
        EXPECT_EQ(repeat.words, wrongFirst) << mode;
        EXPECT_EQ(repeat.counter, "01/03") << mode;
        EXPECT_EQ(repeat.typedField, typed) << mode;
        EXPECT_EQ(repeat.results.correct, "2") << mode;
        EXPECT_EQ(repeat.results.incorrect, "1") << mode;
        EXPECT_EQ(again.words, TestWords{wrongFirst[1]}) << mode;
        EXPECT_EQ(again.counter, "01/01") << mode;
        EXPECT_FALSE(again.results.reviewShown) << mode;
        EXPECT_TRUE(reporter.shown.empty()) << mode;
        // Each asking counted like any test, and in the end every word was answered right once.
        std::vector<int32_t> tested(12, 0);
        std::vector<int32_t> right(12, 0);
        for (const AskedTest* test : {&first, &repeat, &again}) {
            for (const int32_t word : test->words) {
                ++tested[static_cast<std::size_t>(word)];
                right[static_cast<std::size_t>(word)] = 1;
            }
        }
        EXPECT_EQ(testedCounts(), tested) << mode;
        EXPECT_EQ(rightCounts(), right) << mode;
    }
}

}  // namespace
}  // namespace lq::test
