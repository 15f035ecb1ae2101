#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>

#include "app/MainWindowFixture.h"
#include "store/DictionaryImage.h"
#include "store/WorkingFolder.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

// The window's folder holds the current dictionary; its subfolder "other" holds the source.
class MainWindowImportTest : public MainWindowFixture {
  protected:
    MainWindowImportTest() {
        EXPECT_EQ(::mkdir(folder.file("other").c_str(), 0700), 0);
        EXPECT_TRUE(enterFolder(folder.path()));
    }

    void writeSource(const std::vector<uint8_t>& bytes) {
        writeBytes(folder.file("other/Lexiquill.lqd"), bytes);
    }

    // Answers the folder browser by opening "other" and pressing OK, then hands the import
    // dialog (if one opens) to `answerImport`.
    void chooseOtherFolder(std::function<void(QWidget*)> answerImport) {
        whenModalOpens([answerImport](QWidget* browse) {
            EXPECT_TRUE(doubleClickItem(child<QListWidget>(browse, "folderList"), "other"));
            if (answerImport) {
                whenModalOpens(answerImport);
            }
            clickButton(browse, "okButton");
        });
    }

    WorkingFolderGuard keepFolder_;
};

TEST_F(MainWindowImportTest, ImportsFromTheChosenFolderAndShowsTheNewWords) {
    open(makeDictionary({"English"}, {"Animals"}, {{"cat"}}));
    writeSource(dictionaryBytes(makeDictionary({"English"}, {"Animals"}, {{"dog"}, {"cat"}})));
    chooseOtherFolder([](QWidget* import) {
        EXPECT_EQ(import->windowTitle(), "Import Words");
        clickButton(import, "importButton");
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(import, "importButton")->isEnabled(), 10000);
        clickButton(import, "okButton");
    });
    child<QAction>("actionImportWords")->trigger();
    EXPECT_EQ(listedWords(), (QStringList{"cat", "dog"}));
    EXPECT_EQ(counter(), "2 of 2");
    EXPECT_EQ(currentFolder(), folder.path()) << "the working folder is put back";
}

// Two runs in one opening of the dialog are two steps; undo takes each back whole.
TEST_F(MainWindowImportTest, EachRunIsOneStepThatUndoTakesBackWhole) {
    open(makeDictionary({"English"}, {"Animals"}, {{"cat"}}));
    const std::vector<uint8_t> before = dictionaryBytes(dictionary());
    writeSource(dictionaryBytes(makeDictionary({"German", "English"}, {"Plants", "Animals"},
                                               {{"dog", 1, 1}, {"cat", 1, 1}, {"Baum", 0, 0}})));
    std::vector<uint8_t> afterFirst;
    chooseOtherFolder([&](QWidget* import) {
        auto* overwrite = child<QCheckBox>(import, "overwriteCheck");
        for (const bool overwriting : {false, true}) {
            overwrite->setChecked(overwriting);
            clickButton(import, "importButton");
            QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(import, "importButton")->isEnabled(),
                                     10000);
            if (!overwriting) {
                afterFirst = dictionaryBytes(dictionary());
            }
        }
        clickButton(import, "okButton");
    });
    child<QAction>("actionImportWords")->trigger();
    ASSERT_EQ(window->history().count(), 2);
    EXPECT_EQ(child<QAction>("actionUndo")->text(), "&Undo Import words");
    EXPECT_EQ(listedWords(), (QStringList{"Baum", "cat", "dog"}));
    child<QAction>("actionUndo")->trigger();
    EXPECT_EQ(dictionaryBytes(dictionary()), afterFirst);
    child<QAction>("actionUndo")->trigger();
    EXPECT_EQ(dictionaryBytes(dictionary()), before);
    EXPECT_EQ(listedWords(), (QStringList{"cat"}));
}

TEST_F(MainWindowImportTest, ADamagedSourceIsRefusedBeforeTheDialogOpens) {
    open(makeDictionary({"English"}, {"Animals"}, {{"cat"}}));
    writeSource({1, 2, 3});
    chooseOtherFolder({});
    child<QAction>("actionImportWords")->trigger();
    ASSERT_EQ(reporter.errorMessages(), std::vector<std::string>{"Can't load the dictionary."});
    EXPECT_EQ(wordTexts(dictionary()), std::vector<std::string>{"cat"});
    EXPECT_EQ(currentFolder(), folder.path());
}

TEST_F(MainWindowImportTest, ACancelledBrowseImportsNothing) {
    open(makeDictionary({"English"}, {"Animals"}, {{"cat"}}));
    writeSource(dictionaryBytes(makeDictionary({"English"}, {"Animals"}, {{"dog"}})));
    whenModalOpens([](QWidget* browse) {
        EXPECT_TRUE(doubleClickItem(child<QListWidget>(browse, "folderList"), "other"));
        clickButton(browse, "cancelButton");
    });
    child<QAction>("actionImportWords")->trigger();
    EXPECT_EQ(wordTexts(dictionary()), std::vector<std::string>{"cat"});
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(currentFolder(), folder.path());
}

}  // namespace
}  // namespace lq::test
