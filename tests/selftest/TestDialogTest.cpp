#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <functional>

#include "app/DialogReporter.h"
#include "selftest/TestDialogFixture.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"
#include "ui/TextCodec.h"

namespace lq::test {
namespace {

using TestDialogTest = TestDialogFixture;

struct ShownResults {
    bool seen = false;
    QString correct;
    QString incorrect;
    int bar = -1;
};

// Reads and closes the results window when it opens.
void readResultsWhenTheyOpen(ShownResults& shown) {
    whenModalOpens([&shown](QWidget* results) {
        shown.seen = results->windowTitle() == "Test results";
        shown.correct = child<QLineEdit>(results, "correctField")->text();
        shown.incorrect = child<QLineEdit>(results, "incorrectField")->text();
        shown.bar = child<QProgressBar>(results, "knowledgeBar")->value();
        clickButton(results, "okButton");
    });
}

// The events of a real double-click: QTest's own sends the double-click event alone, which a list
// ignores.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// Fails the test if `action` opens a modal window (which is then closed).
void expectNoModalWindow(const std::function<void()>& action) {
    bool opened = false;
    QTimer::singleShot(0, [&opened]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    action();
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened) << "a window opened";
}

TEST_F(TestDialogTest, ShowsTheFiltersAndTheQuestionByMode) {
    struct Case {
        const char* name;
        int32_t themeFilter;
        int32_t languageFilter;
        uint8_t mode;
        const char* theme;
        const char* language;
        const char* question;
        const char* rightAnswer;
        QChar answerKind;  // every offered answer is of the other side of the word
    };
    const Case cases[] = {
        {"any, names", -1, -1, 0, "< doesn't matter >", "< doesn't matter >", "w03", "t03", 't'},
        {"filters, translations", 0, 0, 1, "Numbers", "English", "t03", "w03", 'w'},
    };
    for (const Case& c : cases) {
        dictionary.header.testThemeFilter = c.themeFilter;
        dictionary.header.testLanguageFilter = c.languageFilter;
        dictionary.header.testMode = c.mode;
        RecordingReporter reporter;
        CTest dialog(dictionary, {2, 5}, random, clock, reporter);
        EXPECT_EQ(dialog.windowTitle(), "Test");
        EXPECT_EQ(child<QLineEdit>(&dialog, "themeField")->text(), c.theme) << c.name;
        EXPECT_EQ(child<QLineEdit>(&dialog, "languageField")->text(), c.language) << c.name;
        EXPECT_EQ(child<QLineEdit>(&dialog, "questionField")->text(), c.question) << c.name;
        const QStringList answers = offered(dialog);
        EXPECT_EQ(answers.size(), 5) << c.name;
        EXPECT_EQ(answers.count(c.rightAnswer), 1) << c.name;
        EXPECT_EQ(answers.filter(QRegularExpression(QStringLiteral("^%1\\d\\d$").arg(c.answerKind)))
                      .size(),
                  5)
            << c.name;
        EXPECT_EQ(answerButton(dialog)->text(), "&Answer");
        EXPECT_TRUE(answerButton(dialog)->isDefault());
        EXPECT_FALSE(answerButton(dialog)->isEnabled());
        EXPECT_FALSE(answerButton(dialog)->icon().isNull());
    }
}

TEST_F(TestDialogTest, AWholeTestOfTenQuestions) {
    const bool rightAnswers[] = {true, true, false, true, true, true, false, true, false, true};
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(10), random, clock, reporter);
    dialog.show();
    EXPECT_FALSE(clockTimer(dialog)->isActive());
    ShownResults results;
    for (int question = 0; question < 10; ++question) {
        const QString counter = QStringLiteral("%1/10").arg(question + 1, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(digitsOf(dialog, "questionCounter"), counter);
        EXPECT_EQ(digitsOf(dialog, "clock"), "--:--");
        const QStringList answers = offered(dialog);
        EXPECT_EQ(answers.size(), 5) << counter.toStdString();
        EXPECT_TRUE(std::is_sorted(answers.begin(), answers.end())) << counter.toStdString();
        if (question == 9) {
            readResultsWhenTheyOpen(results);
        }
        answer(dialog, rightAnswers[question]);
        const std::size_t asked = static_cast<std::size_t>(question);
        EXPECT_EQ(dictionary.words[asked].testedCount, 1) << counter.toStdString();
        EXPECT_EQ(dictionary.words[asked].rightCount, rightAnswers[question] ? 1 : 0);
    }
    EXPECT_TRUE(results.seen);
    EXPECT_EQ(results.correct, "7");
    EXPECT_EQ(results.incorrect, "3");
    EXPECT_EQ(results.bar, 70);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(testedCounts(), (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
    EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(TestDialogTest, TheClockRunsDownAndTheTimeRunsOut) {
    dictionary.header.setLimitTestTime(true);
    dictionary.header.timeLimitIndex = 0;  // 10 seconds
    DialogReporter reporter;
    CTest dialog(dictionary, firstWords(10), random, clock, reporter);
    QTimer* timer = clockTimer(dialog);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    timer->stop();  // the test gives the seconds itself
    dialog.show();
    EXPECT_EQ(digitsOf(dialog, "clock"), "00:10");
    for (int question = 0; question < 4; ++question) {
        answer(dialog, true);
    }
    answer(dialog, false);
    for (int left = 9; left >= 0; --left) {
        dialog.tick();
        EXPECT_EQ(digitsOf(dialog, "clock"), QStringLiteral("00:%1").arg(left, 2, 10, QChar('0')));
    }
    EXPECT_TRUE(dialog.isVisible()) << "time up a second early";
    QString message;
    ShownResults results;
    whenModalOpens([&](QWidget* information) {
        message = labelText(information, "messageText");
        QWidget* const shownNow = QApplication::activeModalWidget();
        dialog.tick();  // a second that comes while the message is open
        EXPECT_EQ(QApplication::activeModalWidget(), shownNow) << "a second message";
        EXPECT_EQ(digitsOf(dialog, "clock"), "00:00");
        readResultsWhenTheyOpen(results);
        clickButton(information, "okButton");
    });
    dialog.tick();
    EXPECT_EQ(message, "Sorry, but time is up!");
    EXPECT_TRUE(results.seen);
    EXPECT_EQ(results.correct, "4");
    EXPECT_EQ(results.incorrect, "6");  // one wrong, five never answered
    EXPECT_EQ(results.bar, 40);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The question on screen when the time ran out was not asked.
    EXPECT_EQ(testedCounts(), (std::vector<int32_t>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rightCounts(), (std::vector<int32_t>{1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    dialog.tick();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(TestDialogTest, EndingEarlyKeepsTheAnswersGiven) {
    const std::function<void(CTest&)> leaves[] = {
        [](CTest& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](CTest& d) { d.close(); },
    };
    for (const auto& leave : leaves) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        dictionary.header.setLimitTestTime(true);
        RecordingReporter reporter;
        CTest dialog(dictionary, {4, 7, 1, 0, 9}, random, clock, reporter);
        dialog.show();
        answer(dialog, true);
        answer(dialog, false);
        answer(dialog, true);
        expectNoModalWindow([&]() { leave(dialog); });
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(clockTimer(dialog)->isActive());
        EXPECT_EQ(testedCounts(), (std::vector<int32_t>{0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0}));
        EXPECT_EQ(rightCounts(), (std::vector<int32_t>{0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_TRUE(reporter.shown.empty());
    }
}

TEST_F(TestDialogTest, DoubleClickAnswersOnlyOnAnEntry) {
    struct Case {
        const char* name;
        bool selectFirst;  // an entry is selected before the double-click on empty space
    };
    const Case cases[] = {{"nothing selected", false}, {"an entry selected", true}};
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        RecordingReporter reporter;
        CTest dialog(dictionary, firstWords(10), random, clock, reporter);
        dialog.show();
        QListWidget* list = variantsList(dialog);
        if (c.selectFirst) {
            list->setCurrentRow(0);
        }
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        const QPoint empty(last.center().x(), last.bottom() + 20);
        ASSERT_LT(empty.y(), list->viewport()->height()) << "no empty space in the list";
        doubleClick(list->viewport(), empty);
        EXPECT_EQ(digitsOf(dialog, "questionCounter"), "01/10") << c.name;
        EXPECT_EQ(testedCounts(), std::vector<int32_t>(12, 0)) << c.name;

        QListWidgetItem* right = entry(dialog, true);
        doubleClick(list->viewport(), list->visualItemRect(right).center());
        EXPECT_EQ(digitsOf(dialog, "questionCounter"), "02/10") << c.name;
        EXPECT_EQ(dictionary.words[0].rightCount, 1) << c.name;
        dialog.reject();
    }
}

TEST_F(TestDialogTest, EnterAnswersNothingWithoutAChoice) {
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(10), random, clock, reporter);
    dialog.show();
    QTest::keyClick(variantsList(dialog), Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(digitsOf(dialog, "questionCounter"), "01/10");
    EXPECT_EQ(testedCounts(), std::vector<int32_t>(12, 0));
    variantsList(dialog)->setCurrentItem(entry(dialog, true));
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(digitsOf(dialog, "questionCounter"), "02/10");
    EXPECT_FALSE(answerButton(dialog)->isEnabled());
    dialog.reject();
}

TEST_F(TestDialogTest, AnswersAreJudgedByTheirStoredBytes) {
    struct Case {
        const char* name;
        std::string translation;
    };
    const Case cases[] = {
        {"UTF-8", "\xd0\xba\xd0\xbe\xd1\x82"},  // кот
        {"Windows-1252", "caf\xe9"},            // café as written on Windows
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(6));
        setFieldText(dictionary.words[0].translation, c.translation);
        RecordingReporter reporter;
        CTest dialog(dictionary, {0, 1}, random, clock, reporter);
        dialog.show();
        const QList<QListWidgetItem*> shown =
            variantsList(dialog)->findItems(lq::displayText(c.translation), Qt::MatchExactly);
        ASSERT_EQ(shown.size(), 1) << c.name;
        variantsList(dialog)->setCurrentItem(shown.front());
        answerButton(dialog)->click();
        EXPECT_EQ(dictionary.words[0].rightCount, 1) << c.name;
        EXPECT_EQ(dialog.run().rightAnswers(), 1) << c.name;
        dialog.reject();
    }
}

TEST_F(TestDialogTest, EitherOfTwoEqualEntriesCountsRight) {
    for (const int row : {0, 1}) {
        // Two words of one meaning: the one variant offered has the right answer's text.
        dictionary = makeDictionary({"English"}, {"Animals"},
                                    {{"dog", 0, 0, 0, 0, "Hund"}, {"hound", 0, 0, 0, 0, "Hund"}});
        dictionary.header.variantCountIndex = 0;
        RecordingReporter reporter;
        CTest dialog(dictionary, {0, 1}, random, clock, reporter);
        dialog.show();
        ASSERT_EQ(offered(dialog), (QStringList{"Hund", "Hund"}));
        variantsList(dialog)->setCurrentRow(row);
        answerButton(dialog)->click();
        EXPECT_EQ(dictionary.words[0].rightCount, 1) << "row " << row;
        dialog.reject();
    }
}

}  // namespace
}  // namespace lq::test
