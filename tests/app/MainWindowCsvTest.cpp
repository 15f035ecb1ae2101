// The File menu's CSV commands: export of the listed words, and import through the CSV dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <map>

#include "app/MainWindowFixture.h"
#include "import/core/CsvExport.h"
#include "store/DictionaryImage.h"
#include "store/WorkingFolder.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/OwnFiles.h"

namespace lq::test {
namespace {

class MainWindowCsvTest : public MainWindowFixture {
  protected:
    MainWindowCsvTest() { EXPECT_TRUE(enterFolder(folder.path())); }

    // The window asks this instead of a file dialog; it records the question.
    void answerFileQuestion(const QString& path, const QString& filter = "CSV (*.csv)") {
        window->setFileChooser([this, path, filter](QWidget*, const FileQuestion& question) {
            questions.push_back(question);
            return FileAnswer{path, filter};
        });
    }

    std::string fileText(const std::string& path) {
        const std::vector<uint8_t> bytes = readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }

    // Two themes, and words whose list order differs from their storage order.
    Dictionary threeWords() {
        return makeDictionary({"German"}, {"Home", "Town"},
                              {{"Tür", 0, 0}, {"Haus", 0, 0}, {"Straße", 1, 0}});
    }

    WorkingFolderGuard keepFolder_;
    std::vector<FileQuestion> questions;
};

TEST_F(MainWindowCsvTest, ExportWritesTheListedWordsInTheListsOrder) {
    open(threeWords());
    const std::string path = folder.file("out.csv");
    answerFileQuestion(QString::fromStdString(path));
    choose("themeFilterList", "Home");
    child<QAction>("actionExportWordsCsv")->trigger();

    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].title, "Export words");
    EXPECT_EQ(questions[0].folder.toStdString(), folder.path());
    EXPECT_EQ(questions[0].name, "Lexiquill words.csv");
    EXPECT_EQ(questions[0].filters, (QStringList{"CSV (*.csv)", "Tab-separated (*.tsv *.txt)"}));
    EXPECT_TRUE(questions[0].forSaving);
    EXPECT_EQ(fileText(path), csvWordsText(dictionary(), {1, 0}, ','));
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].message, "2 words written to \"" + path + "\".");
}

TEST_F(MainWindowCsvTest, TheTabFilterWritesATabSeparatedFile) {
    open(threeWords());
    const std::string path = folder.file("out.txt");
    answerFileQuestion(QString::fromStdString(path), "Tab-separated (*.tsv *.txt)");
    child<QAction>("actionExportWordsCsv")->trigger();
    EXPECT_EQ(fileText(path), csvWordsText(dictionary(), {1, 2, 0}, '\t'));
}

// The window hands the export the folder of the dictionary it has open, so the dictionary and its
// own files are refused whatever name reaches them; a file beside them is written (above).
TEST_F(MainWindowCsvTest, ExportNeverWritesOverTheOpenDictionaryOrItsOwnFiles) {
    open(threeWords());
    const std::string dictionaryPath = folder.file("Lexiquill.lqd");
    writeBytes(dictionaryPath, dictionaryBytes(dictionary()));
    const std::vector<uint8_t> before = readBytes(dictionaryPath);
    TempFolder elsewhere;
    std::filesystem::create_symlink(dictionaryPath, elsewhere.file("words.csv"));
    struct Case {
        std::string path;
        const char* own;
    };
    const Case cases[] = {
        {dictionaryPath, "Lexiquill.lqd"},
        {folder.file(".Lexiquill.lqd.recovery"), ".Lexiquill.lqd.recovery"},
        {elsewhere.file("words.csv"), "Lexiquill.lqd"},
    };
    for (const Case& c : cases) {
        reporter.shown.clear();
        answerFileQuestion(QString::fromStdString(c.path));
        child<QAction>("actionExportWordsCsv")->trigger();
        EXPECT_EQ(reporter.shown,
                  (std::vector<ShownMessage>{{ShownMessage::Kind::Error, "Can't export words.",
                                              ownFileHowToFix(c.own, c.path)}}))
            << c.path;
        EXPECT_EQ(readBytes(dictionaryPath), before) << c.path;
        EXPECT_TRUE(std::filesystem::is_symlink(elsewhere.file("words.csv"))) << c.path;
        EXPECT_FALSE(std::filesystem::exists(folder.file(".Lexiquill.lqd.recovery"))) << c.path;
    }
}

TEST_F(MainWindowCsvTest, ACancelledFileDialogDoesNothing) {
    open(threeWords());
    answerFileQuestion({});
    child<QAction>("actionExportWordsCsv")->trigger();
    child<QAction>("actionImportWordsCsv")->trigger();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(wordTexts(dictionary()), (std::vector<std::string>{"Tür", "Haus", "Straße"}));
}

TEST_F(MainWindowCsvTest, ImportOpensTheDialogAndListsTheNewWords) {
    open(threeWords());
    const std::string path = folder.file("in.csv");
    const std::string text = "word,translation,theme\r\nBaum,tree,Nature\r\nHaus,house,Home\r\n";
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    answerFileQuestion(QString::fromStdString(path));
    whenModalOpens([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Import from a CSV file");
        clickButton(dialog, "importButton");
    });
    child<QAction>("actionImportWordsCsv")->trigger();

    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].title, "Import words from a CSV file");
    EXPECT_FALSE(questions[0].forSaving);
    EXPECT_EQ(listedWords(), (QStringList{"Baum", "Haus", "Straße", "Tür"}));
    EXPECT_EQ(counter(), "4 of 4");
    EXPECT_EQ(entries(combo("themeFilterList")).size(), 4) << "the new theme is offered";
}

// A run is one step: undo takes back its words and the theme it added, redo brings them again.
TEST_F(MainWindowCsvTest, AnImportIsOneStepThatUndoTakesBackWhole) {
    open(threeWords());
    const std::vector<uint8_t> before = dictionaryBytes(dictionary());
    const std::string path = folder.file("in.csv");
    const std::string text =
        "word,translation,theme\r\nBaum,tree,Nature\r\nHaus,home,Home\r\nWald,forest,Nature\r\n";
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
    answerFileQuestion(QString::fromStdString(path));
    whenModalOpens([](QWidget* dialog) {
        child<QCheckBox>(dialog, "overwriteCheck")->setChecked(true);
        clickButton(dialog, "importButton");
    });
    child<QAction>("actionImportWordsCsv")->trigger();
    const std::vector<uint8_t> after = dictionaryBytes(dictionary());
    ASSERT_NE(after, before);

    ASSERT_EQ(window->history().count(), 1);
    EXPECT_EQ(child<QAction>("actionUndo")->text(), "&Undo Import words from a CSV file");
    child<QAction>("actionUndo")->trigger();
    EXPECT_EQ(dictionaryBytes(dictionary()), before);
    EXPECT_EQ(listedWords(), (QStringList{"Haus", "Straße", "Tür"}));
    child<QAction>("actionRedo")->trigger();
    EXPECT_EQ(dictionaryBytes(dictionary()), after);
    EXPECT_EQ(listedWords(), (QStringList{"Baum", "Haus", "Straße", "Tür", "Wald"}));
}

TEST_F(MainWindowCsvTest, AFileThatIsNotTextIsRefusedBeforeAnyDialog) {
    open(threeWords());
    const std::string path = folder.file("in.csv");
    writeBytes(path, {0, 1, 2, 3, 0});
    answerFileQuestion(QString::fromStdString(path));
    const std::vector<uint8_t> before = dictionaryBytes(dictionary());
    child<QAction>("actionImportWordsCsv")->trigger();
    EXPECT_EQ(reporter.errorMessages(), (std::vector<std::string>{"Can't import words."}));
    EXPECT_EQ(dictionaryBytes(dictionary()), before);
}

TEST_F(MainWindowCsvTest, TheFileMenuHasTheCommandsBelowTheImportAndNoClashingMnemonics) {
    open(threeWords());
    const QMenu* file = child<QMenu>("fileMenu");
    QStringList texts;
    std::map<QChar, QString> seen;
    for (const QAction* action : file->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        texts << action->text();
        const int at = action->text().indexOf('&');
        ASSERT_GE(at, 0) << action->text().toStdString();
        const QChar key = action->text()[at + 1].toLower();
        EXPECT_EQ(seen.count(key), 0u)
            << action->text().toStdString() << " and " << seen[key].toStdString();
        seen[key] = action->text();
    }
    const qsizetype import = texts.indexOf("Import &words...");
    ASSERT_GE(import, 0);
    EXPECT_EQ(texts.value(import + 1), "Export words to a &CSV file...");
    EXPECT_EQ(texts.value(import + 2), "Import words from a CS&V file...");
}

}  // namespace
}  // namespace lq::test
