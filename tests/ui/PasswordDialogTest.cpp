#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"
#include "ui/CPassword.h"
#include "ui/ProtectedHeader.h"

namespace lq::test {
namespace {

using PasswordDialogTest = GuiFixture;
using Kind = ShownMessage::Kind;

QLineEdit* edit(QWidget* dialog, const char* name) {
    return child<QLineEdit>(dialog, name);
}

QCheckBox* protectionBox(QWidget* dialog) {
    return child<QCheckBox>(dialog, "protectionCheck");
}

TEST_F(PasswordDialogTest, OpensWithTheStateOfTheDictionary) {
    struct Case {
        const char* name;
        DictionaryHeader header;
        QString currentText;
        QLineEdit::EchoMode currentEcho;
        bool protection;  // the box, the current edit and the new edits all follow it
    };
    const Case cases[] = {
        {"new dictionary", unprotectedHeader(), "< not installed >", QLineEdit::Normal, false},
        {"protected", protectedHeader("old"), "", QLineEdit::Password, true},
    };
    for (const Case& c : cases) {
        DictionaryHeader header = c.header;
        RecordingReporter reporter;
        TestRandom random;
        CPassword dialog(header, reporter, random);
        EXPECT_EQ(dialog.windowTitle(), "Password");
        QLineEdit* current = edit(&dialog, "currentPasswordEdit");
        EXPECT_EQ(current->text(), c.currentText) << c.name;
        EXPECT_EQ(current->echoMode(), c.currentEcho) << c.name;
        EXPECT_EQ(current->isEnabled(), c.protection) << c.name;
        EXPECT_EQ(protectionBox(&dialog)->isChecked(), c.protection) << c.name;
        for (const char* name : {"newPasswordEdit", "repeatPasswordEdit"}) {
            EXPECT_EQ(edit(&dialog, name)->isEnabled(), c.protection) << c.name << " " << name;
            EXPECT_EQ(edit(&dialog, name)->echoMode(), QLineEdit::Password) << name;
        }
    }
}

TEST_F(PasswordDialogTest, TheBoxEnablesTheNewPasswordEdits) {
    DictionaryHeader header = unprotectedHeader();
    RecordingReporter reporter;
    TestRandom random;
    CPassword dialog(header, reporter, random);
    for (const bool ticked : {true, false, true}) {
        protectionBox(&dialog)->click();
        EXPECT_EQ(protectionBox(&dialog)->isChecked(), ticked);
        EXPECT_EQ(edit(&dialog, "newPasswordEdit")->isEnabled(), ticked);
        EXPECT_EQ(edit(&dialog, "repeatPasswordEdit")->isEnabled(), ticked);
    }
}

TEST_F(PasswordDialogTest, EditsTakeAtMost13Bytes) {
    struct Case {
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {"abcdefghijklm", "abcdefghijklm"},
        {"abcdefghijklmn", "abcdefghijklm"},
        {QString::fromUtf8("жжжжжжж"), QString::fromUtf8("жжжжжж")},  // 12 bytes; 14 refused
        {QString::fromUtf8("жжжжжжa"), QString::fromUtf8("жжжжжжa")},
    };
    DictionaryHeader header = protectedHeader("old");
    RecordingReporter reporter;
    TestRandom random;
    CPassword dialog(header, reporter, random);
    for (const Case& c : cases) {
        for (const char* name : {"currentPasswordEdit", "newPasswordEdit", "repeatPasswordEdit"}) {
            QLineEdit* field = edit(&dialog, name);
            field->clear();
            typeText(field, c.typed);
            EXPECT_EQ(field->text(), c.kept) << name << " " << c.typed.toStdString();
        }
    }
}

// What the user types before pressing OK.
struct Typed {
    QString current;  // typed only where the edit is enabled
    bool protection;
    QString fresh;
    QString repeated;
};

struct Answer {
    bool closed = false;
    int result = -1;
    std::vector<ShownMessage> shown;
};

// Types into the dialog and presses OK; a dialog that stays open is then cancelled.
Answer confirmPassword(DictionaryHeader& header, const Typed& typed) {
    RecordingReporter reporter;
    TestRandom random;
    CPassword dialog(header, reporter, random);
    Answer answer;
    whenModalOpens([&](QWidget* d) {
        QLineEdit* current = edit(d, "currentPasswordEdit");
        if (current->isEnabled()) {
            typeText(current, typed.current);
        }
        if (protectionBox(d)->isChecked() != typed.protection) {
            protectionBox(d)->click();
        }
        if (typed.protection) {
            typeText(edit(d, "newPasswordEdit"), typed.fresh);
            typeText(edit(d, "repeatPasswordEdit"), typed.repeated);
        }
        clickButton(d, "okButton");
        answer.closed = !d->isVisible();
        if (!answer.closed) {
            clickButton(d, "cancelButton");
        }
    });
    answer.result = dialog.exec();
    answer.shown = reporter.shown;
    return answer;
}

const ShownMessage kInstalled{Kind::Information, "New password successfuly installed/changed.", {}};
const ShownMessage kRemoved{Kind::Information, "No password-protection.", {}};
const ShownMessage kWrongOld{Kind::Error, "Can't set/change password-protection.",
                             "Invalid old password. Type correct password."};
const ShownMessage kMismatch{
    Kind::Error, "Can't set/change password-protection.",
    "New password and repeated password not identical. Try to be more serious."};

TEST_F(PasswordDialogTest, OkSetsChangesOrRemovesThePasswordOrRefuses) {
    struct Case {
        const char* name;
        DictionaryHeader header;
        Typed typed;
        ShownMessage shown;
        bool closed;
        std::optional<std::string> password;  // afterwards; none: unprotected
        std::vector<std::string> refused;     // passwords that must not verify afterwards
    };
    const Case cases[] = {
        {"set on a new dictionary",
         unprotectedHeader(),
         {"", true, "secret", "secret"},
         kInstalled,
         true,
         "secret",
         {"Secret", "secre", "secrets"}},
        {"change",
         protectedHeader("old"),
         {"old", true, "Old2", "Old2"},
         kInstalled,
         true,
         "Old2",
         {"old"}},
        {"wrong old password",
         protectedHeader("old"),
         {"Old", true, "new", "new"},
         kWrongOld,
         false,
         "old",
         {"new"}},
        {"empty old password",
         protectedHeader("old"),
         {"", false, "", ""},
         kWrongOld,
         false,
         "old",
         {""}},
        {"mismatched new passwords",
         protectedHeader("old"),
         {"old", true, "new1", "new2"},
         kMismatch,
         false,
         "old",
         {"new1", "new2"}},
        {"untick",
         protectedHeader("old"),
         {"old", false, "", ""},
         kRemoved,
         true,
         std::nullopt,
         {}},
        {"leave unprotected",
         unprotectedHeader(),
         {"", false, "", ""},
         kRemoved,
         true,
         std::nullopt,
         {}},
        {"two empty new passwords",
         unprotectedHeader(),
         {"", true, "", ""},
         kInstalled,
         true,
         "",
         {"a"}},
        {"13 characters count as 12",
         unprotectedHeader(),
         {"", true, "abcdefghijklm", "abcdefghijklm"},
         kInstalled,
         true,
         "abcdefghijkl",
         {"abcdefghijk"}},
        {"a 13th character is ignored when comparing",
         unprotectedHeader(),
         {"", true, "abcdefghijklm", "abcdefghijklX"},
         kInstalled,
         true,
         "abcdefghijkl",
         {}},
        {"a 13th character is ignored when checking",
         protectedHeader("abcdefghijkl"),
         {"abcdefghijklm", false, "", ""},
         kRemoved,
         true,
         std::nullopt,
         {}},
        {"a typed UTF-8 password",
         unprotectedHeader(),
         {"", true, QString::fromUtf8("пароль"), QString::fromUtf8("пароль")},
         kInstalled,
         true,
         "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C",
         {}},
    };
    for (const Case& c : cases) {
        DictionaryHeader header = c.header;
        const Answer answer = confirmPassword(header, c.typed);
        EXPECT_EQ(answer.closed, c.closed) << c.name;
        EXPECT_EQ(answer.result, c.closed ? QDialog::Accepted : QDialog::Rejected) << c.name;
        EXPECT_EQ(answer.shown, std::vector<ShownMessage>{c.shown}) << c.name;
        if (!c.closed) {
            EXPECT_EQ(std::memcmp(&header, &c.header, sizeof header), 0)
                << c.name << ": a refused change altered the header";
        }
        EXPECT_EQ(isProtected(header), c.password.has_value()) << c.name;
        if (c.password) {
            EXPECT_TRUE(verifyPassword(header, *c.password)) << c.name;
        }
        for (const std::string& other : c.refused) {
            EXPECT_FALSE(verifyPassword(header, other)) << c.name << ": " << other;
        }
    }
}

TEST_F(PasswordDialogTest, CancelChangesNothing) {
    const DictionaryHeader before = protectedHeader("old");
    DictionaryHeader header = before;
    RecordingReporter reporter;
    TestRandom random;
    CPassword dialog(header, reporter, random);
    whenModalOpens([](QWidget* d) {
        typeText(edit(d, "currentPasswordEdit"), "old");
        protectionBox(d)->click();
        clickButton(d, "cancelButton");
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(std::memcmp(&header, &before, sizeof header), 0);
    EXPECT_TRUE(reporter.shown.empty());
}

}  // namespace
}  // namespace lq::test
