#include <gtest/gtest.h>

#include <QAction>
#include <filesystem>

#include "app/MainWindowFixture.h"
#include "support/ModalHelpers.h"

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

}  // namespace
}  // namespace lq::test
