// The main window: the word list between the filter bar and the selected word's details, the
// word commands, and the menu from which every other window opens.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/HelpPage.h"
#include "app/MainMenu.h"
#include "app/UndoHistory.h"
#include "ui/FileChooser.h"

namespace Ui {
class CMainDialog;
}

namespace lq {

class DictionaryStore;
class TestRandom;
class WordListModel;
struct Dictionary;

// ResetView, RefilterWords, FillWordList and ShowSelectedWord keep the names the refresh steps
// have always had; every other member is camelCase.
class CMainDialog : public QDialog {
    Q_OBJECT
  public:
    CMainDialog(DictionaryStore& store, TestRandom& random, QWidget* parent = nullptr);
    ~CMainDialog() override;

    // Loads the program's own dictionary and fills the window from it. False when the load
    // failed: the window then has nothing to show and must not open.
    bool loadDictionary();

    // The order of the words of the dictionary about to be loaded, worked out ahead; the first
    // fill takes it instead of sorting.
    void presetWordOrder(std::vector<int32_t> order) { presetOrder_ = std::move(order); }

    // Rebuilds everything from the dictionary and clears the filters.
    void ResetView();
    // Refills the word list under the current filters.
    void RefilterWords();

    // Whether the dictionary is to be saved now that the window has closed.
    bool updateOnExit() const { return updateOnExit_; }

    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    const FileChooser& fileChooser() const { return fileChooser_; }
    const MainMenu& menu() const { return menu_; }
    // Every change the window and its dialogs make to the dictionary, as undoable steps.
    UndoHistory& history() { return history_; }

  public slots:
    // Every way of leaving the window ends here: "E&xit", the close box and Escape.
    void reject() override;

    // The listed words, top to bottom.
    const std::vector<int32_t>& listedWords() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Dictionary& dictionary();
    void prepareControls();
    void connectControls();
    void connectCommand(QAction* action, void (CMainDialog::*command)());

    void narrowWordList();
    void FillWordList();
    void ShowSelectedWord();
    void selectFirstWord();
    void showWordCounter();
    int32_t selectedWordIndex() const;
    void enableWordControls(bool enabled);
    void clearSearch();
    void focusWordList();

    void wordMoved(int32_t index);
    // After an undo or redo: the refresh the step's own command runs.
    void showSteppedDictionary(bool wordsOnly);
    void newWord();
    void renameWord();
    void deleteWord();
    void wordInformation();
    void themes();
    void languages();
    void dictionaryInformation();
    void report();
    void importWords();
    void exportWordsCsv();
    void importWordsCsv();
    void options();
    void test();
    void help();
    void howToUse();
    void about();
    void exitWindow();
    // Asks before leaving: nothing when the user stays, else whether to update the file.
    std::optional<bool> askExit();

    std::unique_ptr<Ui::CMainDialog> ui_;
    UndoHistory history_;
    MainMenu menu_;
    WordListModel* words_;
    DictionaryStore& store_;
    TestRandom& random_;
    UrlOpener urlOpener_ = desktopUrlOpener();
    FileChooser fileChooser_ = desktopFileChooser();
    std::vector<int32_t> presetOrder_;
    bool updateOnExit_ = false;
};

}  // namespace lq
