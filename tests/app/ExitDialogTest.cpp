#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "app/CExit.h"
#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

using ExitDialogTest = GuiFixture;

QCheckBox* updateBox(QWidget* dialog) {
    return child<QCheckBox>(dialog, "updateDictionaryCheck");
}

TEST_F(ExitDialogTest, AsksWithTheUpdateBoxTicked) {
    CExit dialog;
    EXPECT_EQ(dialog.windowTitle(), "Exit");
    EXPECT_EQ(labelText(&dialog, "messageText"), "Exit Lexiquill?");
    EXPECT_EQ(updateBox(&dialog)->text(), "Update dictionary");
    EXPECT_TRUE(updateBox(&dialog)->isChecked());
    auto* yes = child<QPushButton>(&dialog, "okButton");
    auto* no = child<QPushButton>(&dialog, "cancelButton");
    ASSERT_NE(yes, nullptr);
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(yes->text(), "&Yes");
    EXPECT_EQ(no->text(), "&No");
    EXPECT_TRUE(yes->isDefault());
}

TEST_F(ExitDialogTest, YesTakesTheBoxAsItIsAndNoLeavesItUnread) {
    struct Case {
        const char* name;
        bool untick;
        std::function<void(QWidget*)> answer;
        int result;
        bool update;
    };
    const auto yes = [](QWidget* d) { clickButton(d, "okButton"); };
    const Case cases[] = {
        {"Yes, ticked", false, yes, QDialog::Accepted, true},
        {"Yes, unticked", true, yes, QDialog::Accepted, false},
        {"Enter", false, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }, QDialog::Accepted,
         true},
        {"No", false, [](QWidget* d) { clickButton(d, "cancelButton"); }, QDialog::Rejected, false},
        {"Escape", false, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected,
         false},
        {"close box", false, [](QWidget* d) { d->close(); }, QDialog::Rejected, false},
    };
    for (const Case& c : cases) {
        CExit dialog;
        whenModalOpens([&c](QWidget* d) {
            if (c.untick) {
                updateBox(d)->click();
            }
            c.answer(d);
        });
        EXPECT_EQ(dialog.exec(), c.result) << c.name;
        EXPECT_EQ(dialog.updateDictionary(), c.update) << c.name;
    }
}

}  // namespace
}  // namespace lq::test
