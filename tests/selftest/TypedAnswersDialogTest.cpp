#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "selftest/ResultsReader.h"
#include "selftest/TestDialogFixture.h"
#include "support/GuiHelpers.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

class TypedAnswersDialogTest : public TestDialogFixture {
  protected:
    void SetUp() override { dictionary.header.setTypedAnswers(true); }
};

QLineEdit* answerEdit(const CTest& dialog) {
    return child<QLineEdit>(&dialog, "typedAnswerEdit");
}

QString rightAnswerShown(const CTest& dialog) {
    return labelText(&dialog, "rightAnswerText");
}

// Types into the answer field and presses Enter there, as a learner does.
void submit(CTest& dialog, const QString& typed) {
    typeText(answerEdit(dialog), typed);
    QTest::keyClick(answerEdit(dialog), Qt::Key_Return);
}

TEST_F(TypedAnswersDialogTest, AnAnswerFieldStandsInPlaceOfTheVariants) {
    for (const bool typed : {false, true}) {
        dictionary.header.setTypedAnswers(typed);
        RecordingReporter reporter;
        CTest dialog(dictionary, firstWords(10), random, clock, reporter);
        EXPECT_EQ(dialog.windowTitle(), "Test");
        EXPECT_EQ(variantsList(dialog)->isVisibleTo(&dialog), !typed) << typed;
        EXPECT_EQ(labelText(&dialog, "variantsLabel"), "Variants");
        EXPECT_EQ(child<QLabel>(&dialog, "variantsLabel")->isVisibleTo(&dialog), !typed);
        EXPECT_EQ(answerEdit(dialog)->isVisibleTo(&dialog), typed) << typed;
        EXPECT_EQ(child<QLabel>(&dialog, "typedAnswerLabel")->isVisibleTo(&dialog), typed);
        EXPECT_EQ(digitsOf(dialog, "questionCounter"), "01/10");
        EXPECT_EQ(digitsOf(dialog, "clock"), "--:--");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("questionField")->text(), "w01");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("themeField")->text(), "< doesn't matter >");
        EXPECT_TRUE(answerButton(dialog)->isDefault());
        EXPECT_FALSE(answerButton(dialog)->isEnabled());
        EXPECT_EQ(rightAnswerShown(dialog), "");
    }
}

TEST_F(TypedAnswersDialogTest, RightWrongAndEmptyAnswers) {
    struct Case {
        const char* name;
        const char* typed;
        const char* counterAfter;
        const char* rightAnswerShown;
        int32_t tested;
        int32_t right;
    };
    const Case cases[] = {
        {"right", "t01", "02/10", "", 1, 1},
        {"right, spaces around", "  t01 ", "02/10", "", 1, 1},
        {"wrong", "t02", "01/10", "Right answer: t01", 1, 0},
        {"the question is not the answer", "w01", "01/10", "Right answer: t01", 1, 0},
        {"empty", "", "01/10", "", 0, 0},
        {"spaces only", "   ", "01/10", "", 0, 0},
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        dictionary.header.setTypedAnswers(true);
        RecordingReporter reporter;
        CTest dialog(dictionary, firstWords(10), random, clock, reporter);
        const QSignalSpy counted(&dialog, &CTest::answerCounted);
        dialog.show();
        typeText(answerEdit(dialog), c.typed);
        EXPECT_EQ(answerButton(dialog)->isEnabled(), c.tested == 1) << c.name;
        QTest::keyClick(answerEdit(dialog), Qt::Key_Return);
        EXPECT_EQ(counted.count(), c.tested) << c.name;
        EXPECT_EQ(digitsOf(dialog, "questionCounter"), c.counterAfter) << c.name;
        EXPECT_EQ(rightAnswerShown(dialog), c.rightAnswerShown) << c.name;
        EXPECT_EQ(dictionary.words[0].testedCount, c.tested) << c.name;
        EXPECT_EQ(dictionary.words[0].rightCount, c.right) << c.name;
        EXPECT_EQ(dialog.run().rightAnswers(), c.right) << c.name;
        EXPECT_EQ(testedCounts()[1], 0) << c.name;
        dialog.reject();
    }
}

TEST_F(TypedAnswersDialogTest, AfterAWrongAnswerTheNextEnterMovesOn) {
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(10), random, clock, reporter);
    dialog.show();
    submit(dialog, "nonsense");
    EXPECT_EQ(rightAnswerShown(dialog), "Right answer: t01");
    EXPECT_EQ(answerEdit(dialog)->text(), "nonsense");
    EXPECT_TRUE(answerEdit(dialog)->isReadOnly());
    EXPECT_TRUE(answerButton(dialog)->isEnabled());

    QTest::keyClick(answerEdit(dialog), Qt::Key_Return);
    EXPECT_EQ(digitsOf(dialog, "questionCounter"), "02/10");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("questionField")->text(), "w02");
    EXPECT_EQ(rightAnswerShown(dialog), "");
    EXPECT_EQ(answerEdit(dialog)->text(), "");
    EXPECT_FALSE(answerEdit(dialog)->isReadOnly());
    EXPECT_FALSE(answerButton(dialog)->isEnabled());
    // Moving on counted nothing more.
    EXPECT_EQ(testedCounts(), (std::vector<int32_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rightCounts(), std::vector<int32_t>(12, 0));

    submit(dialog, "t02");  // "&Answer" clicked instead of Enter works the same
    EXPECT_EQ(digitsOf(dialog, "questionCounter"), "03/10");
    typeText(answerEdit(dialog), "t04");
    answerButton(dialog)->click();
    EXPECT_EQ(rightAnswerShown(dialog), "Right answer: t03");
    answerButton(dialog)->click();
    EXPECT_EQ(digitsOf(dialog, "questionCounter"), "04/10");
    EXPECT_EQ(rightCounts(), (std::vector<int32_t>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    dialog.reject();
}

TEST_F(TypedAnswersDialogTest, TheAnswerSettingsJudgeWhatIsTyped) {
    struct Case {
        const char* name;
        uint8_t flags;
        const char* typed;
        bool right;
    };
    // The first word means "Кот, café".
    const Case cases[] = {
        {"exact", 0, "Кот, café", true},
        {"letter case counts", 0, "кот, café", false},
        {"letter case ignored in Cyrillic", kIgnoreLetterCaseBit, "КОТ, CAFÉ", true},
        {"accents count", kIgnoreLetterCaseBit, "кот, cafe", false},
        {"accents ignored", kIgnoreLetterCaseBit | kIgnoreAccentsBit, "кот, cafe", true},
        {"punctuation ignored", kIgnorePunctuationBit, "Кот  café.", true},
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        setFieldText(dictionary.words[0].translation, "Кот, café");
        dictionary.header.optionFlags |= c.flags;
        dictionary.header.setTypedAnswers(true);
        RecordingReporter reporter;
        CTest dialog(dictionary, firstWords(2), random, clock, reporter);
        dialog.show();
        submit(dialog, QString::fromUtf8(c.typed));
        EXPECT_EQ(dictionary.words[0].rightCount, c.right ? 1 : 0) << c.name;
        EXPECT_EQ(dictionary.words[0].testedCount, 1) << c.name;
        EXPECT_EQ(rightAnswerShown(dialog), c.right ? "" : "Right answer: Кот, café") << c.name;
        dialog.reject();
    }
}

TEST_F(TypedAnswersDialogTest, AWindows1252AnswerIsTypedAsItIsShown) {
    for (const bool right : {true, false}) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        setFieldText(dictionary.words[0].translation, "caf\xe9");  // café as written on Windows
        dictionary.header.setTypedAnswers(true);
        RecordingReporter reporter;
        CTest dialog(dictionary, firstWords(2), random, clock, reporter);
        dialog.show();
        submit(dialog, right ? QStringLiteral("café") : QStringLiteral("cafe"));
        EXPECT_EQ(dictionary.words[0].rightCount, right ? 1 : 0);
        EXPECT_EQ(rightAnswerShown(dialog), right ? "" : "Right answer: café");
        dialog.reject();
    }
}

TEST_F(TypedAnswersDialogTest, AWholeTestEndsWithItsResultsAndMistakes) {
    const bool rightAnswers[] = {true, false, true, true, true, false, true, true, true, false};
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(10), random, clock, reporter);
    dialog.show();
    ShownReview results;
    for (int question = 0; question < 10; ++question) {
        const QString number = QStringLiteral("%1").arg(question + 1, 2, 10, QLatin1Char('0'));
        if (question == 9) {
            readReviewWhenItOpens(results);
        }
        submit(dialog, rightAnswers[question] ? "t" + number : QStringLiteral("wrong"));
        if (!rightAnswers[question]) {
            EXPECT_EQ(rightAnswerShown(dialog), "Right answer: t" + number);
            QTest::keyClick(answerEdit(dialog), Qt::Key_Return);
        }
    }
    EXPECT_TRUE(results.seen);
    EXPECT_EQ(results.correct, "7");
    EXPECT_EQ(results.incorrect, "3");
    EXPECT_EQ(results.rows,
              (std::vector<QStringList>{
                  {"w02", "wrong", "t02"}, {"w06", "wrong", "t06"}, {"w10", "wrong", "t10"}}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.wordsToRepeat().empty());
    EXPECT_EQ(testedCounts(), (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(rightCounts(), (std::vector<int32_t>{1, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0}));
}

TEST_F(TypedAnswersDialogTest, TheTimeRunsOutAsWhenPicking) {
    dictionary.header.setLimitTestTime(true);
    dictionary.header.timeLimitIndex = 0;  // 10 seconds
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(3), random, clock, reporter);
    clockTimer(dialog)->stop();  // the test gives the seconds itself
    dialog.show();
    submit(dialog, "t01");
    submit(dialog, "nonsense");  // its right answer is on screen when the time runs out
    for (int second = 9; second >= 0; --second) {
        dialog.tick();
    }
    EXPECT_EQ(digitsOf(dialog, "clock"), "00:00");
    ASSERT_TRUE(dialog.isVisible());
    ShownReview results;
    readReviewWhenItOpens(results);
    dialog.tick();
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].message, "Sorry, but time is up!");
    EXPECT_TRUE(results.seen);
    EXPECT_EQ(results.correct, "1");
    EXPECT_EQ(results.incorrect, "2");
    EXPECT_EQ(results.rows, (std::vector<QStringList>{{"w02", "nonsense", "t02"},
                                                      {"w03", "not answered", "t03"}}));
    EXPECT_EQ(testedCounts(), (std::vector<int32_t>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace lq::test
