#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <string>

#include "ReportFixtures.h"
#include "report/CHtmlOptions.h"
#include "report/CReport.h"
#include "report/core/ReportSave.h"
#include "store/TextField.h"
#include "store/WorkingFolder.h"
#include "support/FailingFileOps.h"
#include "support/FixedClock.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/OwnFiles.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

const ShownMessage kWritten{ShownMessage::Kind::Information, "Report successfuly written.", {}};

QStringList entries(QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

void setEdit(QWidget* dialog, const char* name, const QString& text) {
    child<QLineEdit>(dialog, name)->setText(text);
}

std::string fileText(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

class ReportDialogTest : public GuiFixture {
  protected:
    // The report goes to the temporary folder as "x" unless a test says otherwise.
    void prepare(QWidget* dialog, const char* format = "Text (.txt)") {
        setEdit(dialog, "pathEdit", QString::fromStdString(temp_.path()));
        setEdit(dialog, "fileNameEdit", "x");
        child<QComboBox>(dialog, "formatCombo")->setCurrentText(format);
    }

    // Runs the dialog; `act` drives it and must leave it closed.
    int run(CReport& dialog, std::function<void(QWidget*)> act) {
        whenModalOpens(std::move(act));
        return dialog.exec();
    }

    void removeReports() const {
        std::filesystem::remove(temp_.file("x.txt"));
        std::filesystem::remove(temp_.file("x.html"));
    }

    WorkingFolderGuard keepFolder_;
    TempFolder temp_;
    RecordingReporter reporter_;
    FixedClock clock_;
    Dictionary dictionary_ = reportDictionary();
};

TEST_F(ReportDialogTest, OpensWithTheHeaderOptionsAndTodaysName) {
    struct Case {
        uint8_t style;
        SYSTEMTIME date;
        const char* format;
        bool advanced;
        const char* name;
    };
    const Case cases[] = {
        {0x70, {2007, 3, 1, 5, 9, 7, 3, 250}, "HTML (.html)", true, "LQ Report on Mon 5-3-2007"},
        {0xF3, {2026, 12, 0, 6, 23, 59, 0, 0}, "Text (.txt)", false, "LQ Report on Sun 6-12-2026"},
        {0x00, {1999, 10, 6, 31, 0, 0, 0, 0}, "HTML (.html)", true, "LQ Report on Sat 31-10-1999"},
    };
    for (const Case& c : cases) {
        dictionary_.header.reportStyleOptions = c.style;
        clock_.now = c.date;
        CReport dialog(dictionary_, nullptr, reporter_, clock_);
        EXPECT_EQ(dialog.windowTitle(), "Report");
        auto* format = child<QComboBox>(&dialog, "formatCombo");
        EXPECT_EQ(entries(format), QStringList({"HTML (.html)", "Text (.txt)"}));
        EXPECT_EQ(format->currentText(), c.format) << c.name;
        EXPECT_EQ(child<QPushButton>(&dialog, "advancedButton")->isEnabled(), c.advanced);
        EXPECT_EQ(child<QLineEdit>(&dialog, "fileNameEdit")->text(), c.name);
        EXPECT_EQ(child<QLineEdit>(&dialog, "pathEdit")->text().toStdString(), currentFolder());
        EXPECT_TRUE(child<QPushButton>(&dialog, "saveButton")->isDefault());
    }
}

TEST_F(ReportDialogTest, FilterListsAreSortedWithDoesntMatterChosen) {
    dictionary_.themes.push_back({});
    setFieldText(dictionary_.themes.back().name, "animals");
    CReport dialog(dictionary_, nullptr, reporter_, clock_);
    auto* themes = child<QComboBox>(&dialog, "themeCombo");
    auto* languages = child<QComboBox>(&dialog, "languageCombo");
    EXPECT_EQ(entries(themes), QStringList({"< doesn't matter >", "Animals", "animals", "Food"}));
    EXPECT_EQ(entries(languages), QStringList({"< doesn't matter >", "English", "German"}));
    EXPECT_EQ(themes->currentText(), "< doesn't matter >");
    EXPECT_EQ(languages->currentText(), "< doesn't matter >");
}

// A picked name maps back to its record by index, so a name that is not UTF-8 is still found.
TEST_F(ReportDialogTest, TheChosenFiltersHeadTheReport) {
    setFieldText(dictionary_.themes[1].name, "Caf\xe9");
    struct Case {
        QString theme;
        QString language;
        std::string heading;
    };
    const Case cases[] = {
        {"< doesn't matter >", "< doesn't matter >", "All themes (all languages)\r\n"},
        // The report is UTF-8 throughout, so the Windows-1252 name arrives converted.
        {"Caf\u00e9", "< doesn't matter >", "Caf\xc3\xa9 (all languages)\r\n"},
        {"Animals", "English", "Animals (English)\r\n"},
    };
    for (const Case& c : cases) {
        Dictionary dictionary = dictionary_;
        CReport dialog(dictionary, nullptr, reporter_, clock_);
        run(dialog, [&](QWidget* d) {
            prepare(d);
            child<QComboBox>(d, "themeCombo")->setCurrentText(c.theme);
            child<QComboBox>(d, "languageCombo")->setCurrentText(c.language);
            clickButton(d, "saveButton");
        });
        const std::string text = fileText(temp_.file("x.txt"));
        EXPECT_EQ(text.substr(0, c.heading.size()), c.heading);
        removeReports();
    }
}

TEST_F(ReportDialogTest, PathJoinsWithOneSlash) {
    struct Case {
        std::string path;
        const char* format;
        QString typedName;
        std::string file;
    };
    const Case cases[] = {
        {temp_.path(), "Text (.txt)", "x", temp_.file("x.txt")},
        {temp_.path() + "/", "Text (.txt)", "x", temp_.file("x.txt")},
        {temp_.path() + "/", "HTML (.html)", "x", temp_.file("x.html")},
        {temp_.path(), "HTML (.html)", "\u043e\u0442\u0447\u0451\u0442",
         temp_.file("\xd0\xbe\xd1\x82\xd1\x87\xd1\x91\xd1\x82.html")},
    };
    for (const Case& c : cases) {
        Dictionary dictionary = dictionary_;
        reporter_.shown.clear();
        CReport dialog(dictionary, nullptr, reporter_, clock_);
        const int result = run(dialog, [&](QWidget* d) {
            prepare(d, c.format);
            setEdit(d, "pathEdit", QString::fromStdString(c.path));
            auto* name = child<QLineEdit>(d, "fileNameEdit");
            name->clear();
            typeText(name, c.typedName);
            clickButton(d, "saveButton");
        });
        EXPECT_EQ(result, QDialog::Accepted) << c.file;
        EXPECT_TRUE(exists(c.file)) << c.file;
        EXPECT_EQ(reporter_.shown, std::vector<ShownMessage>{kWritten});
        std::filesystem::remove(c.file);
    }
}

TEST_F(ReportDialogTest, AnExistingFileIsReplacedOnlyAfterYes) {
    struct Case {
        bool answer;
        bool stillOpen;
        bool replaced;
    };
    for (const Case c : {Case{true, false, true}, Case{false, true, false}}) {
        const std::string path = temp_.file("x.txt");
        writeBytes(path, {'o', 'l', 'd'});
        Dictionary dictionary = dictionary_;
        reporter_.shown.clear();
        reporter_.answers = {c.answer};
        CReport dialog(dictionary, nullptr, reporter_, clock_);
        bool stillOpen = false;
        run(dialog, [&](QWidget* d) {
            prepare(d);
            clickButton(d, "saveButton");
            stillOpen = d->isVisible();
            if (stillOpen) {
                clickButton(d, "cancelButton");
            }
        });
        ASSERT_FALSE(reporter_.shown.empty());
        const ShownMessage question{ShownMessage::Kind::Warning,
                                    "File \"" + path + "\" already exists. Overwrite?",
                                    {},
                                    true};
        EXPECT_EQ(reporter_.shown.front(), question);
        EXPECT_EQ(stillOpen, c.stillOpen) << c.answer;
        EXPECT_EQ(fileText(path) != "old", c.replaced) << c.answer;
        EXPECT_EQ(dictionary.header.reportStyleOptions != dictionary_.header.reportStyleOptions,
                  c.replaced)
            << "the options are stored with a written report only";
    }
}

// The folder is Path's alone: a name holding "/" would put the report into another folder than the
// one shown, so it is refused before anything is asked or written, and the dialog stays open.
TEST_F(ReportDialogTest, AFileNameHoldingASlashIsRefused) {
    std::filesystem::create_directory(temp_.file("sub"));
    writeBytes(temp_.file("x.txt"), {'o', 'l', 'd'});
    for (const QString name : {"sub/x", "sub/../x", "/x", "x/"}) {
        Dictionary dictionary = dictionary_;
        reporter_.shown.clear();
        reporter_.answers = {true};
        CReport dialog(dictionary, nullptr, reporter_, clock_);
        bool openAfterRefusal = false;
        run(dialog, [&](QWidget* d) {
            prepare(d);
            setEdit(d, "fileNameEdit", name);
            clickButton(d, "saveButton");
            openAfterRefusal = d->isVisible();
            clickButton(d, "cancelButton");
        });
        const ShownMessage refusal{ShownMessage::Kind::Error, "Can't save report.",
                                   "The file name \"" + name.toStdString() +
                                       "\" holds \"/\". Put the folder in Path and the name "
                                       "alone in Filename."};
        EXPECT_EQ(reporter_.shown, std::vector<ShownMessage>{refusal}) << name.toStdString();
        EXPECT_TRUE(openAfterRefusal) << name.toStdString();
        EXPECT_EQ(fileText(temp_.file("x.txt")), "old") << name.toStdString();
        EXPECT_TRUE(std::filesystem::is_empty(temp_.file("sub"))) << name.toStdString();
        EXPECT_FALSE(exists(temp_.file("x/.txt"))) << name.toStdString();
        EXPECT_EQ(dictionary.header.reportStyleOptions, dictionary_.header.reportStyleOptions);
    }
}

// The dialog keeps the open dictionary's own files as the save does: a Filename that reaches one
// through a link is refused, and the dialog stays open for another name.
TEST_F(ReportDialogTest, TheOpenDictionaryIsNeverWrittenThroughALink) {
    DictionaryOnDisk disk;
    const std::string path = disk.destination(
        {"ALinkToTheDictionary", "Lexiquill.lqd", true, Reach::SymbolicLink, true}, "x.txt");
    const auto before = disk.contents();
    Dictionary dictionary = dictionary_;
    reporter_.answers = {true};
    CReport dialog(dictionary, &disk.folder, reporter_, clock_);
    bool openAfterRefusal = false;
    run(dialog, [&](QWidget* d) {
        prepare(d);
        setEdit(d, "pathEdit", QString::fromStdString(disk.elsewhere.path()));
        clickButton(d, "saveButton");
        openAfterRefusal = d->isVisible();
        clickButton(d, "cancelButton");
    });
    EXPECT_EQ(reporter_.shown,
              (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Can't save report.",
                                          ownFileHowToFix("Lexiquill.lqd", path)}}));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(disk.contents(), before);
}

// A failed save keeps everything entered, so the next Save needs no retyping.
TEST_F(ReportDialogTest, AFailedSaveLeavesTheDialogOpenForASecondTry) {
    struct Case {
        const char* name;
        Fault failing;
        std::string folder;
        ShownMessage error;
    };
    const Case cases[] = {
        {"write",
         {FileCall::Write, ENOSPC},
         temp_.path(),
         {ShownMessage::Kind::Error, "Input/output error.",
          "Error while writing to disk. Make disk ready and try again."}},
        {"create",
         {FileCall::OpenForWriting, EACCES},
         temp_.path(),
         {ShownMessage::Kind::Error, "Can't save report.",
          "Unable to write file. Maybe, disk is write-protected."}},
    };
    for (const Case& c : cases) {
        Dictionary dictionary = dictionary_;
        reporter_.shown.clear();
        FailingFileOps ops(c.failing);
        CReport dialog(dictionary, nullptr, reporter_, clock_, nullptr, ops);
        bool openAfterFailure = false;
        QString nameAfterFailure;
        uint8_t styleAfterFailure = 0;
        const int result = run(dialog, [&](QWidget* d) {
            prepare(d);
            clickButton(d, "saveButton");
            openAfterFailure = d->isVisible();
            nameAfterFailure = child<QLineEdit>(d, "fileNameEdit")->text();
            styleAfterFailure = dictionary.header.reportStyleOptions;
            if (openAfterFailure) {
                clickButton(d, "saveButton");
            }
        });
        EXPECT_TRUE(openAfterFailure) << c.name;
        EXPECT_EQ(nameAfterFailure, "x") << c.name;
        EXPECT_EQ(styleAfterFailure, dictionary_.header.reportStyleOptions) << c.name;
        EXPECT_EQ(result, QDialog::Accepted) << c.name;
        EXPECT_EQ(reporter_.shown, (std::vector<ShownMessage>{c.error, kWritten})) << c.name;
        EXPECT_EQ(dictionary.header.reportStyleOptions, 0xF0) << c.name;
        EXPECT_TRUE(exists(temp_.file("x.txt"))) << c.name;
        removeReports();
    }
}

TEST_F(ReportDialogTest, AdvancedValuesReachTheHeaderOnlyWithAWrittenReport) {
    struct Case {
        const char* name;
        const char* optionsButton;
        const char* reportButton;
        const char* format;
        uint8_t cell;
        uint8_t style;
    };
    const Case cases[] = {
        {"options cancelled", "cancelButton", "saveButton", "HTML (.html)", 0x02, 0x70},
        {"report cancelled", "okButton", "cancelButton", "HTML (.html)", 0x02, 0x70},
        {"HTML written", "okButton", "saveButton", "HTML (.html)", 0x34, 0x25},
        {"Text written", "okButton", "saveButton", "Text (.txt)", 0x34, 0xA5},
    };
    for (const Case& c : cases) {
        Dictionary dictionary = dictionary_;
        CReport dialog(dictionary, nullptr, reporter_, clock_);
        bool advancedWithText = true;
        run(dialog, [&](QWidget* d) {
            prepare(d, "HTML (.html)");
            whenModalOpens([&](QWidget* options) {
                child<QComboBox>(options, "cellSpacingCombo")->setCurrentText("3");
                child<QComboBox>(options, "cellPaddingCombo")->setCurrentText("4");
                child<QComboBox>(options, "borderCombo")->setCurrentText("5");
                child<QComboBox>(options, "fontFaceCombo")->setCurrentText("Courier New");
                clickButton(options, c.optionsButton);
            });
            clickButton(d, "advancedButton");
            child<QComboBox>(d, "formatCombo")->setCurrentText(c.format);
            advancedWithText = child<QPushButton>(d, "advancedButton")->isEnabled();
            clickButton(d, c.reportButton);
        });
        EXPECT_EQ(advancedWithText, std::string(c.format) == "HTML (.html)") << c.name;
        EXPECT_EQ(dictionary.header.reportCellOptions, c.cell) << c.name;
        EXPECT_EQ(dictionary.header.reportStyleOptions, c.style) << c.name;
        removeReports();
    }
}

TEST_F(ReportDialogTest, BrowsePutsTheChosenFolderIntoPathAndComesBack) {
    const std::string inner = temp_.file("inner");
    std::filesystem::create_directory(inner);
    struct Case {
        const char* button;
        std::string path;
    };
    const Case cases[] = {{"okButton", inner}, {"cancelButton", temp_.path()}};
    const std::string opened = currentFolder();
    for (const Case& c : cases) {
        CReport dialog(dictionary_, nullptr, reporter_, clock_);
        QString path;
        std::string folderDuringReport;
        run(dialog, [&](QWidget* d) {
            setEdit(d, "pathEdit", QString::fromStdString(temp_.path()));
            whenModalOpens([&](QWidget* browse) {
                EXPECT_EQ(browse->windowTitle(), "Browse");
                EXPECT_EQ(currentFolder(), temp_.path()) << "the browser starts at Path";
                ASSERT_TRUE(enterFolder(inner));  // as a double-click would
                child<QPushButton>(browse, "rootButton")->click();
                ASSERT_TRUE(enterFolder(inner));
                clickButton(browse,
                            "cancelButton" == std::string(c.button) ? "cancelButton" : "okButton");
            });
            clickButton(d, "browseButton");
            path = child<QLineEdit>(d, "pathEdit")->text();
            folderDuringReport = currentFolder();
            clickButton(d, "cancelButton");
        });
        EXPECT_EQ(path.toStdString(), c.path) << c.button;
        EXPECT_EQ(folderDuringReport, opened) << c.button;
        EXPECT_EQ(currentFolder(), opened) << c.button;
    }
}

// A folder name written by another system need not be UTF-8; the chosen folder keeps its bytes.
TEST_F(ReportDialogTest, AFolderPickedByBytesIsWrittenToAsItIs) {
    const std::string latin1Folder = temp_.file("caf\xe9");
    std::filesystem::create_directory(latin1Folder);
    Dictionary dictionary = dictionary_;
    CReport dialog(dictionary, nullptr, reporter_, clock_);
    QString shownPath;
    const int result = run(dialog, [&](QWidget* d) {
        prepare(d);
        whenModalOpens([&](QWidget* browse) {
            EXPECT_TRUE(doubleClickItem(child<QListWidget>(browse, "folderList"), "caf\u00e9"));
            clickButton(browse, "okButton");
        });
        clickButton(d, "browseButton");
        shownPath = child<QLineEdit>(d, "pathEdit")->text();
        clickButton(d, "saveButton");
        if (d->isVisible()) {
            clickButton(d, "cancelButton");
        }
    });
    EXPECT_EQ(shownPath, QString::fromStdString(temp_.path()) + "/caf\u00e9");
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(exists(latin1Folder + "/x.txt"));
}

TEST(HtmlOptionsDialogTest, ShowsTheValuesAndReturnsThePositionsOnOk) {
    ReportOptions start;
    start.format = ReportFormat::Text;
    start.cellSpacing = 15;
    start.cellPadding = 0;
    start.border = 9;
    start.fontIndex = 6;
    CHtmlOptions dialog(start);
    EXPECT_EQ(dialog.windowTitle(), "Advanced HTML Options");
    QStringList numbers;
    for (int i = 0; i <= 15; ++i) {
        numbers << QString::number(i);
    }
    const char* lists[] = {"cellSpacingCombo", "cellPaddingCombo", "borderCombo"};
    for (const char* list : lists) {
        EXPECT_EQ(entries(child<QComboBox>(&dialog, list)), numbers) << list;
    }
    EXPECT_EQ(entries(child<QComboBox>(&dialog, "fontFaceCombo")),
              QStringList({"Arial", "Comic Sans MS", "Courier New", "MS Sans Serif", "System",
                           "Tahoma", "Times New Roman", "Verdana"}));
    EXPECT_EQ(child<QComboBox>(&dialog, "cellSpacingCombo")->currentText(), "15");
    EXPECT_EQ(child<QComboBox>(&dialog, "cellPaddingCombo")->currentText(), "0");
    EXPECT_EQ(child<QComboBox>(&dialog, "borderCombo")->currentText(), "9");
    EXPECT_EQ(child<QComboBox>(&dialog, "fontFaceCombo")->currentText(), "Times New Roman");

    whenModalOpens([](QWidget* d) {
        child<QComboBox>(d, "borderCombo")->setCurrentIndex(1);
        child<QComboBox>(d, "fontFaceCombo")->setCurrentIndex(0);
        QTest::keyClick(d, Qt::Key_Return);
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    ReportOptions expected = start;
    expected.border = 1;
    expected.fontIndex = 0;
    EXPECT_EQ(dialog.options(), expected);
    EXPECT_EQ(openWindowCount(), 0);
}

}  // namespace
}  // namespace lq::test
