#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "selftest/CTestResults.h"
#include "selftest/core/TestResults.h"
#include "support/GuiFixture.h"
#include "ui/Pictures.h"

namespace lq::test {
namespace {

using TestResultsDialogTest = GuiFixture;

QImage face(int picture, const QLabel* label) {
    return lq::picture(CTestResults::facePictureName(picture).constData())
        .pixmap(QSize(96, 96), label->devicePixelRatioF())
        .toImage();
}

TEST_F(TestResultsDialogTest, ShowsTheFiguresAndTheFace) {
    struct Case {
        int32_t right;
        int32_t questions;
        const char* correct;
        const char* incorrect;
        int percent;
        const char* percentText;
        int picture;
    };
    const Case cases[] = {
        {7, 10, "7", "3", 70, "70%", 9},    {10, 10, "10", "0", 100, "100%", 14},
        {0, 10, "0", "10", 0, "0%", 0},     {1, 2, "1", "1", 50, "50%", 6},
        {2, 3, "2", "1", 66, "66%", 9},     {4, 10, "4", "6", 40, "40%", 5},
        {79, 80, "79", "1", 98, "98%", 13}, {1, 1, "1", "0", 100, "100%", 14},
    };
    for (const Case& c : cases) {
        CTestResults dialog(c.right, c.questions);
        const std::string name = std::to_string(c.right) + " of " + std::to_string(c.questions);
        EXPECT_EQ(dialog.windowTitle(), "Test results");
        EXPECT_EQ(child<QLineEdit>(&dialog, "correctField")->text(), c.correct) << name;
        EXPECT_EQ(child<QLineEdit>(&dialog, "incorrectField")->text(), c.incorrect) << name;
        const auto* bar = child<QProgressBar>(&dialog, "knowledgeBar");
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        EXPECT_EQ(bar->value(), c.percent) << name;
        EXPECT_EQ(labelText(&dialog, "percentText"), c.percentText) << name;
        const auto* picture = child<QLabel>(&dialog, "pictureLabel");
        EXPECT_EQ(picture->pixmap().toImage(), face(c.picture, picture)) << name;
    }
}

TEST_F(TestResultsDialogTest, ShowsItsTexts) {
    CTestResults dialog(1, 2);
    const std::pair<const char*, const char*> labels[] = {
        {"correctLabel", "Correct answers:"},
        {"incorrectLabel", "Incorrect answers:"},
        {"knowledgeLabel", "Average knowledge:"},
    };
    for (const auto& [name, text] : labels) {
        EXPECT_EQ(labelText(&dialog, name), text) << name;
    }
    const auto* ok = child<QPushButton>(&dialog, "okButton");
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(ok->icon().isNull());
    for (const char* name : {"correctField", "incorrectField"}) {
        EXPECT_TRUE(child<QLineEdit>(&dialog, name)->isReadOnly()) << name;
        EXPECT_EQ(child<QLineEdit>(&dialog, name)->alignment(), Qt::AlignCenter) << name;
    }
}

TEST_F(TestResultsDialogTest, FifteenDifferentFacesAreBuiltIn) {
    for (int a = 0; a < kResultPictureCount; ++a) {
        const QByteArray name = CTestResults::facePictureName(a);
        const QImage drawnA = picture(name.constData()).pixmap(48, 48).toImage();
        EXPECT_FALSE(drawnA.isNull()) << name.constData();
        for (int b = a + 1; b < kResultPictureCount; ++b) {
            EXPECT_NE(
                drawnA,
                picture(CTestResults::facePictureName(b).constData()).pixmap(48, 48).toImage())
                << a << " and " << b;
        }
    }
}

TEST_F(TestResultsDialogTest, EveryWayOutJustCloses) {
    const std::function<void(CTestResults&)> leaves[] = {
        [](CTestResults& d) { child<QPushButton>(&d, "okButton")->click(); },
        [](CTestResults& d) { QTest::keyClick(&d, Qt::Key_Return); },
        [](CTestResults& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](CTestResults& d) { d.close(); },
    };
    for (const auto& leave : leaves) {
        CTestResults dialog(3, 4);
        dialog.show();
        leave(dialog);
        EXPECT_FALSE(dialog.isVisible());
    }
}

}  // namespace
}  // namespace lq::test
