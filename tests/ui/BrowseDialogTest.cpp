#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "store/WorkingFolder.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"
#include "ui/CBrowse.h"

namespace lq::test {
namespace {

// home and other hold a dictionary, home/plain holds none. The working folder is put back after
// every test.
class BrowseDialogTest : public GuiFixture {
  protected:
    BrowseDialogTest() {
        makeFolder(home());
        makeFolder(plain());
        makeFolder(other());
        makeFolder(other() + "/inner");
        writeBytes(home() + "/Lexiquill.lqd", {1, 2, 3});
        writeBytes(other() + "/Lexiquill.lqd", {1, 2, 3});
    }

    static void makeFolder(const std::string& path) { ASSERT_EQ(::mkdir(path.c_str(), 0700), 0); }

    std::string home() const { return temp_.file("home"); }
    std::string plain() const { return home() + "/plain"; }
    std::string other() const { return temp_.file("other"); }

    WorkingFolderGuard keepFolder_;
    TempFolder temp_;
    RecordingReporter reporter_;
};

QListWidget* folderList(QWidget* dialog) {
    return child<QListWidget>(dialog, "folderList");
}

QString shownPath(QWidget* dialog) {
    return child<QLineEdit>(dialog, "pathEdit")->text();
}

bool okEnabled(QWidget* dialog) {
    return child<QPushButton>(dialog, "okButton")->isEnabled();
}

QStringList listedFolders(QWidget* dialog) {
    QStringList names;
    for (int i = 0; i < folderList(dialog)->count(); ++i) {
        names << folderList(dialog)->item(i)->text();
    }
    return names;
}

void doubleClickFolder(QWidget* dialog, const QString& name) {
    EXPECT_TRUE(doubleClickItem(folderList(dialog), name)) << name.toStdString();
}

QString shown(const std::string& path) {
    return QString::fromStdString(path);
}

TEST_F(BrowseDialogTest, ReportModeListsTheSubfoldersAndAlwaysOffersOk) {
    CBrowse dialog(home(), BrowseMode::Report, reporter_);
    EXPECT_EQ(dialog.windowTitle(), "Browse");
    EXPECT_EQ(currentFolder(), home());
    EXPECT_EQ(shownPath(&dialog), shown(home()));
    EXPECT_EQ(listedFolders(&dialog), QStringList({"..", "plain"}));
    EXPECT_TRUE(okEnabled(&dialog));
    EXPECT_TRUE(child<QPushButton>(&dialog, "okButton")->isDefault());
}

TEST_F(BrowseDialogTest, DoubleClicksWalkDownAndUp) {
    struct Step {
        const char* folder;
        std::string expected;
    };
    const Step steps[] = {{"plain", plain()},
                          {"..", home()},
                          {"..", temp_.path()},
                          {"other", other()},
                          {"inner", other() + "/inner"}};
    CBrowse dialog(home(), BrowseMode::Report, reporter_);
    dialog.show();
    for (const Step& step : steps) {
        doubleClickFolder(&dialog, step.folder);
        EXPECT_EQ(currentFolder(), step.expected) << step.folder;
        EXPECT_EQ(shownPath(&dialog), shown(step.expected)) << step.folder;
    }
    dialog.close();
}

TEST_F(BrowseDialogTest, ImportModeOffersOkOnlyWhereAnotherDictionaryIs) {
    struct Step {
        const char* folder;
        std::string expected;
        bool ok;
    };
    const Step steps[] = {
        {"plain", plain(), false},    // no dictionary
        {"..", home(), false},        // the starting folder's own dictionary
        {"..", temp_.path(), false},  // no dictionary
        {"other", other(), true},    {"inner", other() + "/inner", false}, {"..", other(), true},
    };
    CBrowse dialog(home(), BrowseMode::Import, reporter_);
    EXPECT_EQ(dialog.windowTitle(), "Select folder with another LQ's dictionary");
    EXPECT_FALSE(okEnabled(&dialog)) << "the starting folder holds a dictionary yet is refused";
    dialog.show();
    for (const Step& step : steps) {
        doubleClickFolder(&dialog, step.folder);
        EXPECT_EQ(currentFolder(), step.expected) << step.folder;
        EXPECT_EQ(okEnabled(&dialog), step.ok) << step.expected;
    }
    dialog.close();
}

TEST_F(BrowseDialogTest, EnterOpensTheSelectedFolderWithoutPressingOk) {
    CBrowse dialog(temp_.path(), BrowseMode::Import, reporter_);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QListWidget* list = folderList(&dialog);
    list->setFocus();
    list->setCurrentItem(list->findItems("other", Qt::MatchExactly).value(0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(currentFolder(), other());
    EXPECT_TRUE(okEnabled(&dialog)) << "other holds a dictionary";
    EXPECT_TRUE(dialog.isVisible()) << "the same Enter must not press OK as well";
    list->setCurrentItem(list->findItems("inner", Qt::MatchExactly).value(0));
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(currentFolder(), other() + "/inner");
    dialog.close();
}

TEST_F(BrowseDialogTest, AFolderNamedLikeTheDictionaryDoesNotCount) {
    makeFolder(plain() + "/Lexiquill.lqd");
    CBrowse dialog(home(), BrowseMode::Import, reporter_);
    dialog.show();
    doubleClickFolder(&dialog, "plain");
    EXPECT_EQ(currentFolder(), plain());
    EXPECT_FALSE(okEnabled(&dialog));
    dialog.close();
}

TEST_F(BrowseDialogTest, AFolderThatCannotBeEnteredLeavesTheBrowserWhereItWas) {
    ASSERT_TRUE(enterFolder(other()));
    CBrowse dialog(temp_.file("missing"), BrowseMode::Report, reporter_);
    EXPECT_EQ(currentFolder(), other()) << "set-up with a missing folder";
    EXPECT_EQ(shownPath(&dialog), shown(other()));

    dialog.show();
    ASSERT_EQ(::rmdir((other() + "/inner").c_str()), 0);  // listed, then gone
    doubleClickFolder(&dialog, "inner");
    EXPECT_EQ(currentFolder(), other());
    EXPECT_EQ(shownPath(&dialog), shown(other()));
    EXPECT_EQ(listedFolders(&dialog), QStringList({".."})) << "the refresh lists what is there";
    EXPECT_TRUE(reporter_.shown.empty());
    dialog.close();
}

TEST_F(BrowseDialogTest, RootJoinsWithoutASecondSlash) {
    CBrowse dialog(home(), BrowseMode::Report, reporter_);
    dialog.show();
    clickButton(&dialog, "rootButton");
    EXPECT_EQ(currentFolder(), "/");
    EXPECT_EQ(shownPath(&dialog), "/");
    EXPECT_EQ(child<QComboBox>(&dialog, "driveCombo")->currentText(), "/");
    doubleClickFolder(&dialog, "tmp");
    EXPECT_EQ(shownPath(&dialog), "/tmp");
    dialog.close();
}

TEST_F(BrowseDialogTest, TheDriveListShowsTheFileSystemOfTheFolder) {
    CBrowse dialog(home(), BrowseMode::Report, reporter_);
    auto* drives = child<QComboBox>(&dialog, "driveCombo");
    ASSERT_NE(drives, nullptr);
    EXPECT_NE(drives->findText("/"), -1);
    const QString volume = drives->currentText();
    ASSERT_FALSE(volume.isEmpty());
    EXPECT_TRUE(shown(home()).startsWith(volume)) << volume.toStdString();
}

TEST_F(BrowseDialogTest, AVolumeThatCannotBeEnteredIsReportedAndChangesNothing) {
    CBrowse dialog(home(), BrowseMode::Report, reporter_);
    auto* drives = child<QComboBox>(&dialog, "driveCombo");
    const std::string gone = temp_.file("unmounted");
    drives->addItem(shown(gone), QByteArray::fromStdString(gone));
    dialog.show();
    drives->setFocus();
    drives->setCurrentIndex(drives->count() - 1);
    emit drives->activated(drives->count() - 1);
    const ShownMessage expected{ShownMessage::Kind::Error, "Can't read disk " + gone,
                                "Drive not ready. Make drive ready and try again."};
    ASSERT_EQ(reporter_.shown.size(), 1u);
    EXPECT_EQ(reporter_.shown.front(), expected);
    EXPECT_EQ(currentFolder(), home());
    EXPECT_NE(drives->currentText(), shown(gone)) << "the list shows the folder's own volume";
    dialog.close();
}

// The desktop and documents folders follow HOME; a missing one leaves the browser in place.
TEST_F(BrowseDialogTest, DesktopAndDocumentsJumps) {
    struct Case {
        const char* button;
        bool exists;
        std::string expected;
    };
    const std::string desktop = temp_.file("Desktop");
    const std::string documents = temp_.file("Documents");
    const Case cases[] = {
        {"desktopButton", true, desktop},
        {"documentsButton", true, documents},
        {"desktopButton", false, home()},
        {"documentsButton", false, home()},
    };
    const std::optional<std::string> savedHome =
        std::getenv("HOME") ? std::optional<std::string>(std::getenv("HOME")) : std::nullopt;
    const std::optional<std::string> savedConfig =
        std::getenv("XDG_CONFIG_HOME") ? std::optional<std::string>(std::getenv("XDG_CONFIG_HOME"))
                                       : std::nullopt;
    ::setenv("HOME", temp_.path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", temp_.file("config").c_str(), 1);
    for (const Case& c : cases) {
        if (c.exists) {
            ::mkdir(desktop.c_str(), 0700);
            ::mkdir(documents.c_str(), 0700);
        } else {
            ::rmdir(desktop.c_str());
            ::rmdir(documents.c_str());
        }
        CBrowse dialog(home(), BrowseMode::Report, reporter_);
        dialog.show();
        clickButton(&dialog, c.button);
        EXPECT_EQ(currentFolder(), c.expected) << c.button;
        EXPECT_EQ(shownPath(&dialog), shown(c.expected)) << c.button;
        dialog.close();
    }
    savedHome ? ::setenv("HOME", savedHome->c_str(), 1) : ::unsetenv("HOME");
    savedConfig ? ::setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1)
                : ::unsetenv("XDG_CONFIG_HOME");
}

// The dialog returns to its starting folder however it closes; its opener's guard then returns
// to the folder the opener had.
TEST_F(BrowseDialogTest, EveryCloseRestoresTheWorkingFolder) {
    struct Case {
        const char* name;
        std::function<void(QWidget*)> answer;
        int result;
        std::string chosen;
    };
    const Case cases[] = {
        {"OK", [](QWidget* d) { clickButton(d, "okButton"); }, QDialog::Accepted, plain()},
        {"Enter", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }, QDialog::Accepted,
         plain()},
        {"Cancel", [](QWidget* d) { clickButton(d, "cancelButton"); }, QDialog::Rejected, ""},
        {"Escape", [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected, ""},
        {"close box", [](QWidget* d) { d->close(); }, QDialog::Rejected, ""},
    };
    ASSERT_TRUE(enterFolder(other()));
    for (const Case& c : cases) {
        {
            const WorkingFolderGuard opener;
            CBrowse dialog(home(), BrowseMode::Report, reporter_);
            whenModalOpens([&c](QWidget* d) {
                doubleClickFolder(d, "plain");
                c.answer(d);
            });
            EXPECT_EQ(dialog.exec(), c.result) << c.name;
            EXPECT_EQ(dialog.chosenFolder(), c.chosen) << c.name;
            EXPECT_EQ(currentFolder(), home()) << c.name << ": the dialog's starting folder";
        }
        EXPECT_EQ(currentFolder(), other()) << c.name << ": the opener's folder";
    }
}

}  // namespace
}  // namespace lq::test
