#include <gtest/gtest.h>

#include <memory>

#include "app/DialogReporter.h"
#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

using DialogReporterTest = GuiFixture;

// What the user saw in the dialog that opened, before pressing one of its buttons.
struct Seen {
    QString title;
    QString message;
    QString howToFix;
    QWidget* parent = nullptr;
};

void seeAndPress(Seen& seen, const char* button) {
    whenModalOpens([&seen, button](QWidget* dialog) {
        seen.title = dialog->windowTitle();
        seen.message = labelText(dialog, "messageText");
        if (dialog->windowTitle() == "Error") {
            seen.howToFix = labelText(dialog, "howToFixText");
        }
        seen.parent = dialog->parentWidget();
        clickButton(dialog, button);
    });
}

TEST_F(DialogReporterTest, ShowsEachReportInItsDialog) {
    DialogReporter reporter;
    Seen seen;

    seeAndPress(seen, "okButton");
    reporter.showError("Can't add word.", "Type a word.");
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.message, "Can't add word.");
    EXPECT_EQ(seen.howToFix, "Type a word.");

    seeAndPress(seen, "okButton");
    reporter.showInformation("No password-protection.");
    EXPECT_EQ(seen.title, "Information");
    EXPECT_EQ(seen.message, "No password-protection.");

    seeAndPress(seen, "okButton");
    reporter.showNewDictionary("Dictionary file \"Lexiquill.lqd\" not found.");
    EXPECT_EQ(seen.title, "New dictionary");
    EXPECT_EQ(seen.message, "Dictionary file \"Lexiquill.lqd\" not found.");
}

TEST_F(DialogReporterTest, WarningIsTrueOnlyForOkOrYes) {
    struct Case {
        bool yesNo;
        const char* button;
        bool answer;
    };
    const Case cases[] = {
        {false, "okButton", true},
        {false, "cancelButton", false},
        {true, "okButton", true},
        {true, "cancelButton", false},
    };
    DialogReporter reporter;
    for (const Case& c : cases) {
        Seen seen;
        seeAndPress(seen, c.button);
        EXPECT_EQ(reporter.askWarning("Delete word?", c.yesNo), c.answer)
            << c.button << (c.yesNo ? " in the Yes/No form" : " in the OK/Cancel form");
        EXPECT_EQ(seen.title, "Warning");
    }
}

TEST_F(DialogReporterTest, ShowsTheBytesOfUtf8AndOfWindows1252Texts) {
    DialogReporter reporter;
    Seen seen;
    seeAndPress(seen, "okButton");
    reporter.showError("Can't delete word \"\xD0\xBA\xD0\xBE\xD1\x82\".", "Word \"caf\xE9\".");
    EXPECT_EQ(seen.message, QString::fromUtf8("Can't delete word \"кот\"."));
    EXPECT_EQ(seen.howToFix, QString::fromUtf8("Word \"café\"."));
}

TEST_F(DialogReporterTest, OpensOverTheParentSetLaterAndSurvivesItsEnd) {
    DialogReporter reporter;
    Seen seen;
    {
        auto mainWindow = std::make_unique<QWidget>();
        reporter.setParentWidget(mainWindow.get());
        seeAndPress(seen, "okButton");
        reporter.showInformation("Sorry, but time is up!");
        EXPECT_EQ(seen.parent, mainWindow.get());
    }
    seeAndPress(seen, "okButton");
    reporter.showInformation("Sorry, but time is up!");
    EXPECT_EQ(seen.parent, nullptr);
}

}  // namespace
}  // namespace lq::test
