#include <gtest/gtest.h>

#include <QTest>

#include "selftest/TestDialogFixture.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

using DigitKeysTest = TestDialogFixture;

TEST_F(DigitKeysTest, ADigitAnswersWithTheEntryAtItsPlace) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int place;  // -1: the key answers nothing
    };
    const Case cases[] = {
        {Qt::Key_1, Qt::NoModifier, 0},       {Qt::Key_2, Qt::NoModifier, 1},
        {Qt::Key_3, Qt::NoModifier, 2},       {Qt::Key_4, Qt::NoModifier, 3},
        {Qt::Key_5, Qt::NoModifier, 4},       {Qt::Key_3, Qt::KeypadModifier, 2},
        {Qt::Key_6, Qt::NoModifier, -1},  // five entries only
        {Qt::Key_9, Qt::NoModifier, -1},      {Qt::Key_0, Qt::NoModifier, -1},
        {Qt::Key_1, Qt::ControlModifier, -1}, {Qt::Key_1, Qt::AltModifier, -1},
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(12));
        RecordingReporter reporter;
        CTest dialog(dictionary, firstWords(10), random, clock, reporter);
        dialog.show();
        QListWidget* list = variantsList(dialog);
        ASSERT_EQ(list->count(), 5);
        const bool answers = c.place >= 0;
        const bool right = answers && list->item(c.place)->text() == "t01";
        QTest::keyClick(list, c.key, c.modifiers);
        const std::string name =
            std::to_string(c.key - Qt::Key_0) + " at " + std::to_string(c.place);
        EXPECT_EQ(digitsOf(dialog, "questionCounter"), answers ? "02/10" : "01/10") << name;
        EXPECT_EQ(dictionary.words[0].testedCount, answers ? 1 : 0) << name;
        EXPECT_EQ(dictionary.words[0].rightCount, right ? 1 : 0) << name;
        dialog.reject();
    }
}

TEST_F(DigitKeysTest, RightnessComesFromTheAnswerBehindTheEntry) {
    // Windows-1252 bytes, shown as "café": the key must answer with the stored bytes.
    dictionary = makeDictionary({"English"}, {"Numbers"}, numberedWords(6));
    setFieldText(dictionary.words[0].translation, "caf\xe9");
    RecordingReporter reporter;
    CTest dialog(dictionary, {0, 1}, random, clock, reporter);
    dialog.show();
    QListWidget* list = variantsList(dialog);
    const QList<QListWidgetItem*> shown = list->findItems(QStringLiteral("café"), Qt::MatchExactly);
    ASSERT_EQ(shown.size(), 1);
    QTest::keyClick(list, static_cast<Qt::Key>(Qt::Key_1 + list->row(shown.front())));
    EXPECT_EQ(dictionary.words[0].rightCount, 1);
    EXPECT_EQ(dialog.run().rightAnswers(), 1);
    dialog.reject();
}

TEST_F(DigitKeysTest, TheLastAnswerByKeyEndsTheTest) {
    RecordingReporter reporter;
    CTest dialog(dictionary, firstWords(2), random, clock, reporter);
    dialog.show();
    QTest::keyClick(variantsList(dialog), Qt::Key_1);
    whenModalOpens([](QWidget* results) { clickButton(results, "okButton"); });
    QTest::keyClick(variantsList(dialog), Qt::Key_2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(testedCounts(), (std::vector<int32_t>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace lq::test
