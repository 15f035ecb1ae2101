#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <functional>

#include "app/CError.h"
#include "app/CInformation.h"
#include "app/CNewDictionary.h"
#include "app/CWarning.h"
#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

using MessageDialogsTest = GuiFixture;

// Sets one text of one dialog and reads back what the dialog shows for it.
struct Setter {
    const char* name;
    std::function<QString(const QString&)> showText;
    QString replacement;
};

std::vector<Setter> setters() {
    return {
        {"error message",
         [](const QString& text) {
             CError dialog;
             dialog.SetMessages(text, "Fix it.");
             EXPECT_EQ(labelText(&dialog, "howToFixText"), "Fix it.");
             return labelText(&dialog, "messageText");
         },
         "void CError::SetMessages() { TO LONG ERROR MESSAGE! }"},
        {"error how-to-fix",
         [](const QString& text) {
             CError dialog;
             dialog.SetMessages("Can't add word.", text);
             EXPECT_EQ(labelText(&dialog, "messageText"), "Can't add word.");
             return labelText(&dialog, "howToFixText");
         },
         "void CError::SetMessages() { TO LONG HOW-TO-FIX MESSAGE! }"},
        {"information",
         [](const QString& text) {
             CInformation dialog;
             dialog.SetMessage(text);
             return labelText(&dialog, "messageText");
         },
         "void CInformation::SetMessage() { TO LONG INFO MESSAGE! }"},
        {"warning",
         [](const QString& text) {
             CWarning dialog;
             dialog.SetMessage(text, true);
             return labelText(&dialog, "messageText");
         },
         "void CInformation::SetMessage() { TO LONG IINFO MESSAGE! }"},
    };
}

TEST_F(MessageDialogsTest, TextsOf1024CharactersOrMoreAreReplacedNeverCut) {
    const QString clef = QString::fromUcs4(U"\U0001D11E");  // two UTF-16 units, one character
    struct Case {
        QString text;
        bool shownWhole;
    };
    const Case cases[] = {
        {QString(), true},
        {QString(1023, 'a'), true},
        {QString(1024, 'a'), false},
        {QString(5000, 'a'), false},
        {QString(1023, QChar(0x0436)), true},  // counts characters, not their UTF-8 bytes
        {clef.repeated(1023), true},
        {clef.repeated(1024), false},
    };
    for (const Setter& setter : setters()) {
        for (const Case& c : cases) {
            EXPECT_EQ(setter.showText(c.text), c.shownWhole ? c.text : setter.replacement)
                << setter.name << ", " << c.text.size() << " UTF-16 units";
        }
    }
}

TEST_F(MessageDialogsTest, ErrorLabelsItsTwoTexts) {
    CError dialog;
    EXPECT_EQ(dialog.windowTitle(), "Error");
    EXPECT_EQ(labelText(&dialog, "messageLabel"), "Error message:");
    EXPECT_EQ(labelText(&dialog, "howToFixLabel"), "How to fix:");
}

TEST_F(MessageDialogsTest, MessagesAreShownAsPlainTextNotMarkup) {
    CInformation dialog;
    dialog.SetMessage("Delete word <b>&amp;</b>?");
    const auto* text = child<QLabel>(&dialog, "messageText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textFormat(), Qt::PlainText);
}

TEST_F(MessageDialogsTest, WarningShowsTheButtonsOfItsForm) {
    struct Case {
        bool yesNo;
        QString ok;
        QString cancel;
    };
    const Case cases[] = {{false, "&OK", "&Cancel"}, {true, "&Yes", "&No"}};
    for (const Case& c : cases) {
        CWarning dialog;
        dialog.SetMessage("Delete word?", c.yesNo);
        auto* ok = child<QPushButton>(&dialog, "okButton");
        auto* cancel = child<QPushButton>(&dialog, "cancelButton");
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Warning");
        EXPECT_EQ(ok->text(), c.ok);
        EXPECT_EQ(cancel->text(), c.cancel);
        EXPECT_TRUE(ok->isDefault()) << "Enter must answer " << c.ok.toStdString();
        EXPECT_FALSE(ok->icon().isNull());
        EXPECT_FALSE(cancel->icon().isNull());
    }
}

// How the user leaves a dialog.
struct Leave {
    const char* name;
    std::function<void(QWidget*)> act;
};

const Leave kClickOk{"OK/Yes", [](QWidget* d) { clickButton(d, "okButton"); }};
const Leave kClickCancel{"Cancel/No", [](QWidget* d) { clickButton(d, "cancelButton"); }};
const Leave kEnter{"Enter", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }};
const Leave kEscape{"Escape", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }};
const Leave kCloseBox{"close box", [](QWidget* d) { d->close(); }};

int runAndLeave(QDialog& dialog, const Leave& leave) {
    whenModalOpens(leave.act);
    return dialog.exec();
}

TEST_F(MessageDialogsTest, WarningAcceptsOnlyOkOrYesInBothForms) {
    struct Case {
        Leave leave;
        int result;
    };
    const Case cases[] = {
        {kClickOk, QDialog::Accepted},     {kEnter, QDialog::Accepted},
        {kClickCancel, QDialog::Rejected}, {kEscape, QDialog::Rejected},
        {kCloseBox, QDialog::Rejected},
    };
    for (const bool yesNo : {false, true}) {
        for (const Case& c : cases) {
            CWarning dialog;
            dialog.SetMessage("Delete theme?", yesNo);
            EXPECT_EQ(runAndLeave(dialog, c.leave), c.result)
                << c.leave.name << (yesNo ? " in the Yes/No form" : " in the OK/Cancel form");
        }
    }
}

TEST_F(MessageDialogsTest, NoticesCloseWithOkEnterEscapeOrTheCloseBox) {
    for (const Leave& leave : {kClickOk, kEnter, kEscape, kCloseBox}) {
        CError error;
        error.SetMessages("Can't add word.", "Type a word.");
        runAndLeave(error, leave);
        EXPECT_FALSE(error.isVisible()) << leave.name;

        CInformation information;
        information.SetMessage("No password-protection.");
        EXPECT_EQ(runAndLeave(information, leave),
                  leave.name == kClickOk.name || leave.name == kEnter.name ? QDialog::Accepted
                                                                           : QDialog::Rejected)
            << leave.name;
    }
}

TEST_F(MessageDialogsTest, NewDictionaryIsALargerInformationNotice) {
    CNewDictionary notice;
    CInformation information;
    notice.SetMessage("Dictionary file \"Lexiquill.lqd\" not found.");
    EXPECT_EQ(notice.windowTitle(), "New dictionary");
    EXPECT_EQ(labelText(&notice, "messageText"), "Dictionary file \"Lexiquill.lqd\" not found.");
    notice.adjustSize();
    information.adjustSize();
    EXPECT_GT(notice.width(), information.width());
    auto* ok = child<QPushButton>(&notice, "okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_EQ(runAndLeave(notice, kClickOk), QDialog::Accepted);
}

}  // namespace
}  // namespace lq::test

namespace lq::test {
namespace {

// The rows a selectable label shows its text in: it lays the text out as a text document does,
// with the document's tab stops, not the font's.
int laidOutRows(const QLabel* label) {
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    document.setPlainText(label->text());
    document.setTextWidth(label->contentsRect().width());
    document.documentLayout()->documentSize();  // lays the text out
    int rows = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        rows += block.layout()->lineCount();
    }
    return rows;
}

// A summary of short tabulated lines keeps one row per line; a long paragraph still wraps.
TEST_F(MessageDialogsTest, InformationLinesFitUnbrokenUpToHalfTheScreen) {
    struct Case {
        const char* name;
        QString text;
        int rows;  // rows of text the label is laid out in
    };
    const Case cases[] = {
        {"summary",
         "Total words added:\t300000 (now 300003), overwritten: 0\nTotal themes added:\t   0 "
         "(now 3)\nTotal languages added:\t   0 (now 2)",
         3},
        {"import summary",
         "Total words added:\t1200 (now 1234), overwritten: 34\nTotal themes added:\t   5 (now "
         "12)\nTotal languages added:\t   2 (now 3)",
         3},
        {"paragraph", QString("word ").repeated(150).trimmed(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CInformation dialog;
        dialog.SetMessage(c.text);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        auto* label = child<QLabel>(&dialog, "messageText");
        const int rows = laidOutRows(label);
        if (c.rows > 0) {
            EXPECT_EQ(rows, c.rows);
        } else {
            EXPECT_GT(rows, 1) << "a long paragraph wraps";
            EXPECT_LE(dialog.width(), dialog.screen()->availableGeometry().width());
        }
        dialog.close();
    }
}

}  // namespace
}  // namespace lq::test
