#include <gtest/gtest.h>

#include <QAction>
#include <filesystem>

#include "app/MainWindowFixture.h"
#include "store/DictionaryImage.h"
#include "support/ModalHelpers.h"
#include "support/OwnFiles.h"

namespace lq::test {
namespace {

using MainWindowReportTest = MainWindowFixture;

// The report reads the dictionary and changes only its header, so the window keeps its filters.
TEST_F(MainWindowReportTest, ReportCommandWritesAReportAndLeavesTheWindowAsItWas) {
    open(makeDictionary({"English"}, {"Animals", "Food"}, {{"cat", 0, 0}, {"bread", 1, 0}}));
    choose("themeFilterList", "Food");
    ASSERT_EQ(counter(), "1 of 2");
    QString suggestedName;
    whenModalOpens([&](QWidget* report) {
        EXPECT_EQ(report->windowTitle(), "Report");
        suggestedName = child<QLineEdit>(report, "fileNameEdit")->text();
        child<QLineEdit>(report, "pathEdit")->setText(QString::fromStdString(folder.path()));
        child<QComboBox>(report, "formatCombo")->setCurrentText("Text (.txt)");
        clickButton(report, "saveButton");
    });
    child<QAction>("actionReport")->trigger();
    EXPECT_EQ(suggestedName, "LQ Report on Mon 5-3-2007");
    EXPECT_TRUE(std::filesystem::exists(folder.file("LQ Report on Mon 5-3-2007.txt")));
    EXPECT_EQ(dictionary().header.reportStyleOptions, 0xF0);
    EXPECT_EQ(combo("themeFilterList")->currentText(), "Food");
    EXPECT_EQ(counter(), "1 of 2");
}

// The window hands the report the folder of the dictionary it has open: a report file that is a
// link to the dictionary is refused before the question about replacing it, and the dialog
// stays open for another name.
TEST_F(MainWindowReportTest, AReportNeverWritesOverTheOpenDictionary) {
    open(makeDictionary({"English"}, {"Animals"}, {{"cat", 0, 0}}));
    const std::string dictionaryPath = folder.file("Lexiquill.lqd");
    writeBytes(dictionaryPath, dictionaryBytes(dictionary()));
    const std::vector<uint8_t> before = readBytes(dictionaryPath);
    TempFolder elsewhere;
    const std::string path = elsewhere.file("x.txt");
    std::filesystem::create_symlink(dictionaryPath, path);
    reporter.answers = {true};
    bool openAfterRefusal = false;
    whenModalOpens([&](QWidget* report) {
        child<QLineEdit>(report, "fileNameEdit")->setText("x");
        child<QLineEdit>(report, "pathEdit")->setText(QString::fromStdString(elsewhere.path()));
        child<QComboBox>(report, "formatCombo")->setCurrentText("Text (.txt)");
        clickButton(report, "saveButton");
        openAfterRefusal = report->isVisible();
        clickButton(report, "cancelButton");
    });
    child<QAction>("actionReport")->trigger();
    EXPECT_EQ(reporter.shown,
              (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Can't save report.",
                                          ownFileHowToFix("Lexiquill.lqd", path)}}));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(readBytes(dictionaryPath), before);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
}

}  // namespace
}  // namespace lq::test
