#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"
#include "ui/CHowToUse.h"

namespace lq::test {
namespace {

using HowToUseTest = GuiFixture;

TEST_F(HowToUseTest, ShowsTheGuideInTwoParts) {
    CHowToUse dialog;
    EXPECT_EQ(dialog.windowTitle(), "How to use");
    EXPECT_EQ(labelText(&dialog, "upperText"),
              "\t\tHow to use Lexiquill\n\n\tData organization:\nDictionary - is a file "
              "\"Lexiquill.lqd\". Programm has only one such file. Dictionary contain languages, "
              "themes and words. Languages and themes can be added anytime; word");
    EXPECT_EQ(labelText(&dialog, "lowerText"),
              "can be added only if present atlast one language and one theme. Adding a language "
              "or a theme will reserve 32 bytes of free disk space; word takes 160 bytes. So, for "
              "example, 1000 words will reserve 1000*160~160Kb.\n\n\tWork organization:\nAdd "
              "words as soon as necessary. When you added alot of words - you may test yourseft. "
              "Test can be customized by using File->Options dialog.\n\n\tPassword-protection "
              "organization:\nThe dictionary can be password-protected. By default it is not "
              "protected, but if you want to prevent alien access - you can set dictionary's "
              "password: use File->Options->Password button. In this case before saving "
              "dictionary Lexiquill will ask You for the password.\n\n\t\t\t\t\t\tHave a nice "
              "Lexiquill!");
    const auto* picture = child<QLabel>(&dialog, "pictureLabel");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    auto* ok = child<QPushButton>(&dialog, "okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_FALSE(ok->icon().isNull());
}

TEST_F(HowToUseTest, OkEnterAndEscapeCloseIt) {
    struct Case {
        const char* name;
        void (*answer)(QWidget*);
        int result;
    };
    const Case cases[] = {
        {"OK", [](QWidget* d) { clickButton(d, "okButton"); }, QDialog::Accepted},
        {"Enter", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }, QDialog::Accepted},
        {"Escape", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        CHowToUse dialog;
        whenModalOpens(c.answer);
        EXPECT_EQ(dialog.exec(), c.result) << c.name;
    }
}

}  // namespace
}  // namespace lq::test
