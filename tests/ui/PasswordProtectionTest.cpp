#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>

#include "app/DialogReporter.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"
#include "ui/CPasswordProtection.h"
#include "ui/Pictures.h"
#include "ui/ProtectedHeader.h"

namespace lq::test {
namespace {

using PasswordProtectionTest = GuiFixture;

QPushButton* button(QWidget* dialog, const char* name) {
    return child<QPushButton>(dialog, name);
}

QImage drawn(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage();
}

TEST_F(PasswordProtectionTest, SaveAndAccessFormsShowTheirTextsAndButtons) {
    struct Case {
        const char* name;
        std::optional<QString> accessMessage;
        QString message;
        QString ok;
        const char* okPicture;
        QString cancel;
        const char* cancelPicture;
    };
    const QString longMessage(300, 'm');
    const Case cases[] = {
        {"save form", std::nullopt, "Enter password to save\nall changes to the dictionary",
         "&Save", "button-save", "&Exit", "button-exit"},
        {"access form", "Type correct password for accessing.",
         "Type correct password for accessing.", "&OK", "button-ok", "&Cancel", "button-cancel"},
        {"access form, long message", longMessage, longMessage.left(255), "&OK", "button-ok",
         "&Cancel", "button-cancel"},
    };
    const DictionaryHeader header = protectedHeader("old");
    for (const Case& c : cases) {
        RecordingReporter reporter;
        CPasswordProtection dialog(header, reporter);
        if (c.accessMessage) {
            dialog.setAccessForm(*c.accessMessage);
        }
        EXPECT_EQ(dialog.windowTitle(), "Password protection");
        EXPECT_EQ(labelText(&dialog, "headingText"), "Dictionary is password-protected!");
        EXPECT_EQ(labelText(&dialog, "messageText"), c.message) << c.name;
        EXPECT_EQ(button(&dialog, "okButton")->text(), c.ok) << c.name;
        EXPECT_EQ(button(&dialog, "cancelButton")->text(), c.cancel) << c.name;
        EXPECT_EQ(drawn(button(&dialog, "okButton")->icon()), drawn(picture(c.okPicture)))
            << c.name;
        EXPECT_EQ(drawn(button(&dialog, "cancelButton")->icon()), drawn(picture(c.cancelPicture)))
            << c.name;
        EXPECT_TRUE(button(&dialog, "okButton")->isDefault());
        EXPECT_EQ(child<QLineEdit>(&dialog, "passwordEdit")->echoMode(), QLineEdit::Password);
    }
}

// Wrong passwords are refused in a real error box, as many times as the user tries.
TEST_F(PasswordProtectionTest, StaysOpenAfterWrongPasswordsUntilTheRightOne) {
    const DictionaryHeader header = protectedHeader("Secret");
    DialogReporter reporter;
    CPasswordProtection dialog(header, reporter);
    int errorsSeen = 0;
    std::function<void(QWidget*)> tryPassword;
    const QStringList attempts = {"secret", "Secre", "Secrets", "Secret"};
    int attempt = 0;
    tryPassword = [&](QWidget* prompt) {
        auto* edit = child<QLineEdit>(prompt, "passwordEdit");
        ASSERT_NE(edit, nullptr);
        edit->clear();
        typeText(edit, attempts[attempt]);
        const bool last = ++attempt == attempts.size();
        if (!last) {
            whenModalOpens([&, prompt](QWidget* error) {
                EXPECT_EQ(error->windowTitle(), "Error");
                EXPECT_EQ(labelText(error, "messageText"), "Invalid password.");
                EXPECT_EQ(labelText(error, "howToFixText"),
                          "The password is invalid. Enter valid password.");
                ++errorsSeen;
                clickButton(error, "okButton");
                EXPECT_TRUE(prompt->isVisible()) << "the prompt closed after a wrong password";
                QTimer::singleShot(0, prompt, [&, prompt]() { tryPassword(prompt); });
            });
        }
        clickButton(prompt, "okButton");
    };
    whenModalOpens(tryPassword);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(errorsSeen, 3);
}

TEST_F(PasswordProtectionTest, AcceptsOnlyTheRightPassword) {
    struct Case {
        const char* name;
        QString typed;
        std::function<void(QWidget*)> leave;
        int result;
        bool refused;
    };
    const auto ok = [](QWidget* d) { clickButton(d, "okButton"); };
    const auto cancel = [](QWidget* d) { clickButton(d, "cancelButton"); };
    const Case cases[] = {
        {"right password", "abcdefghijkl", ok, QDialog::Accepted, false},
        {"13th character ignored", "abcdefghijklm", ok, QDialog::Accepted, false},
        {"Enter", "abcdefghijkl", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); },
         QDialog::Accepted, false},
        {"shorter", "abcdefghijk", ok, QDialog::Rejected, true},
        {"other case", "ABCDEFGHIJKL", ok, QDialog::Rejected, true},
        {"Exit with the right password", "abcdefghijkl", cancel, QDialog::Rejected, false},
        {"Escape", "", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected,
         false},
    };
    const DictionaryHeader header = protectedHeader("abcdefghijkl");
    for (const Case& c : cases) {
        RecordingReporter reporter;
        CPasswordProtection dialog(header, reporter);
        whenModalOpens([&c](QWidget* d) {
            typeText(child<QLineEdit>(d, "passwordEdit"), c.typed);
            c.leave(d);
            if (d->isVisible()) {
                clickButton(d, "cancelButton");
            }
        });
        EXPECT_EQ(dialog.exec(), c.result) << c.name;
        EXPECT_EQ(reporter.errorMessages(), c.refused
                                                ? std::vector<std::string>{"Invalid password."}
                                                : std::vector<std::string>{})
            << c.name;
    }
}

}  // namespace
}  // namespace lq::test
