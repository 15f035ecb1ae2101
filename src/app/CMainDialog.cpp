#include "app/CMainDialog.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSignalBlocker>

#include "app/CDictionaryInformation.h"
#include "app/CExit.h"
#include "app/CNewWord.h"
#include "app/CRenameWord.h"
#include "app/CWordInformation.h"
#include "app/FilterBar.h"
#include "app/WordDetailsEditor.h"
#include "app/WordListModel.h"
#include "app/WordSearchField.h"
#include "app/core/InfoText.h"
#include "app/core/WordFilter.h"
#include "catalog/CatalogDialogs.h"
#include "import/CImportCsv.h"
#include "import/CImportWords.h"
#include "import/core/CsvExport.h"
#include "import/core/CsvFormat.h"
#include "report/CReport.h"
#include "selftest/COptions.h"
#include "selftest/StartTest.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/Knowledge.h"
#include "store/TestRandom.h"
#include "store/TextField.h"
#include "store/TextSearch.h"
#include "store/WorkingFolder.h"
#include "ui/CAbout.h"
#include "ui/CBrowse.h"
#include "ui/CHowToUse.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CMainDialog.h"

namespace lq {

CMainDialog::CMainDialog(DictionaryStore& store, TestRandom& random, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CMainDialog>()),
      history_(store.currentDictionary),
      words_(new WordListModel(this)),
      store_(store),
      random_(random) {
    ui_->setupUi(this);
    menu_ = buildMainMenu(this, history_);
    layout()->setMenuBar(menu_.bar);
    prepareControls();
    connectControls();
    qApp->installEventFilter(new HelpKeyFilter([this] { help(); }, this));
}

CMainDialog::~CMainDialog() {
    ui_->wordList->removeEventFilter(this);
    ui_->wordDetails->stopEditing();
}

Dictionary& CMainDialog::dictionary() {
    return store_.currentDictionary;
}

void CMainDialog::prepareControls() {
    setWindowIcon(picture("lexiquill"));
    setButtonPicture(ui_->infoButton, "word-info");
    setButtonPicture(ui_->newButton, "word-new");
    setButtonPicture(ui_->renameButton, "word-rename");
    setButtonPicture(ui_->deleteButton, "word-delete");
    ui_->wordList->setModel(words_);
    ui_->wordList->installEventFilter(this);
    ui_->wordList->setFocus(Qt::OtherFocusReason);
    ui_->deleteButton->setToolTip("Delete the selected word (" +
                                  QKeySequence(Qt::Key_Delete).toString(QKeySequence::NativeText) +
                                  ")");
    ui_->wordDetails->setUp(dictionary(), store_.reporter(), history_,
                            [this] { return selectedWordIndex(); });
}

void CMainDialog::connectControls() {
    connect(ui_->wordList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainDialog::ShowSelectedWord);
    connect(ui_->wordList, &QListView::doubleClicked, this, &CMainDialog::wordInformation);
    connect(ui_->filterGroup, &FilterBar::filtersChanged, this, &CMainDialog::narrowWordList);
    connect(ui_->searchEdit, &QLineEdit::textChanged, this, &CMainDialog::narrowWordList);
    connect(ui_->searchEdit, &WordSearchField::listWanted, this, &CMainDialog::focusWordList);
    connect(ui_->wordDetails, &WordDetailsEditor::wordMoved, this, &CMainDialog::wordMoved);
    connect(ui_->infoButton, &QPushButton::clicked, this, &CMainDialog::wordInformation);
    connect(ui_->newButton, &QPushButton::clicked, this, &CMainDialog::newWord);
    connect(ui_->renameButton, &QPushButton::clicked, this, &CMainDialog::renameWord);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &CMainDialog::deleteWord);
    connect(&history_, &UndoHistory::dictionaryStepped, this, &CMainDialog::showSteppedDictionary);
    // A change still being typed is taken first, so that an undo takes back the newest step.
    history_.setBeforeStep([this] { return ui_->wordDetails->finishEditing(); });

    connectCommand(menu_.themes, &CMainDialog::themes);
    connectCommand(menu_.languages, &CMainDialog::languages);
    connectCommand(menu_.information, &CMainDialog::dictionaryInformation);
    connectCommand(menu_.report, &CMainDialog::report);
    connectCommand(menu_.importWords, &CMainDialog::importWords);
    connectCommand(menu_.exportWordsCsv, &CMainDialog::exportWordsCsv);
    connectCommand(menu_.importWordsCsv, &CMainDialog::importWordsCsv);
    connectCommand(menu_.options, &CMainDialog::options);
    connectCommand(menu_.exit, &CMainDialog::exitWindow);
    connectCommand(menu_.test, &CMainDialog::test);
    connectCommand(menu_.help, &CMainDialog::help);
    connectCommand(menu_.howToUse, &CMainDialog::howToUse);
    connectCommand(menu_.about, &CMainDialog::about);
}

void CMainDialog::connectCommand(QAction* action, void (CMainDialog::*command)()) {
    connect(action, &QAction::triggered, this, command);
}

bool CMainDialog::loadDictionary() {
    store_.loadDictionary("", store_.currentDictionary);
    if (!store_.dictionaryLoaded) {
        return false;
    }
    ResetView();
    return true;
}

void CMainDialog::ResetView() {
    words_->clear();
    const bool hasWords = !dictionary().words.empty();
    ui_->filterGroup->reset(dictionary(), hasWords);
    ui_->filterGroup->enableLists(hasWords);
    clearSearch();
    ui_->searchEdit->setEnabled(hasWords);
    ui_->wordDetails->fillNameLists(hasWords);
    enableWordControls(hasWords);
    if (hasWords) {
        if (presetOrder_.size() == dictionary().words.size()) {
            words_->useOrder(dictionary(), std::move(presetOrder_));
        } else {
            words_->sortWords(dictionary());
        }
        presetOrder_ = {};
        FillWordList();
        ShowSelectedWord();
    } else {
        showWordCounter();
    }
    ui_->newButton->setEnabled(!dictionary().languages.empty() && !dictionary().themes.empty());
}

// Any command may have added, deleted or renamed words, so they are sorted again.
void CMainDialog::RefilterWords() {
    words_->sortWords(dictionary());
    narrowWordList();
}

// The filters or the search changed and the words did not: their sorted order still holds, so
// that typing into the search over 100,000 words refills the list within a frame.
void CMainDialog::narrowWordList() {
    words_->clear();
    FillWordList();
    const bool anyShown = words_->rowCount() != 0;
    enableWordControls(anyShown);
    if (anyShown) {
        selectFirstWord();
        ShowSelectedWord();
    }
}

void CMainDialog::FillWordList() {
    const TextSearch search(storedText(ui_->searchEdit->text()));
    words_->fill(dictionary(), ui_->filterGroup->filters(), search);
    selectFirstWord();
    showWordCounter();
}

void CMainDialog::showWordCounter() {
    ui_->wordCounter->setText(QString::fromStdString(
        wordCounterText(words_->rowCount(), static_cast<int64_t>(dictionary().words.size()))));
}

void CMainDialog::selectFirstWord() {
    if (words_->rowCount() == 0) {
        return;
    }
    const QModelIndex first = words_->index(0);
    ui_->wordList->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    ui_->wordList->scrollTo(first);
}

const std::vector<int32_t>& CMainDialog::listedWords() const {
    return words_->listedWords();
}

// Emptied as the filters are cleared, without a refill of its own.
void CMainDialog::clearSearch() {
    const QSignalBlocker quiet(ui_->searchEdit);
    ui_->searchEdit->clear();
}

void CMainDialog::focusWordList() {
    ui_->wordList->setFocus(Qt::OtherFocusReason);
}

int32_t CMainDialog::selectedWordIndex() const {
    const QModelIndexList selected = ui_->wordList->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return kNoIndex;
    }
    const int32_t index = words_->wordIndexAt(selected.front().row());
    return index >= 0 && static_cast<std::size_t>(index) < store_.currentDictionary.words.size()
               ? index
               : kNoIndex;
}

void CMainDialog::ShowSelectedWord() {
    const int32_t index = selectedWordIndex();
    if (index != kNoIndex) {
        ui_->wordDetails->showWord(index);
    }
}

void CMainDialog::enableWordControls(bool enabled) {
    ui_->wordDetails->enableEditing(enabled);
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->wordList), static_cast<QWidget*>(ui_->infoButton),
          static_cast<QWidget*>(ui_->deleteButton), static_cast<QWidget*>(ui_->renameButton)}) {
        control->setEnabled(enabled);
    }
}

// A word moved out of the filtered theme or language leaves the list.
void CMainDialog::wordMoved(int32_t index) {
    const WordRecord& word = dictionary().words[static_cast<std::size_t>(index)];
    if (!passesThemeAndLanguage(word, ui_->filterGroup->filters())) {
        RefilterWords();
    }
}

// Adding or deleting the first word rebuilds everything, as the word commands do.
void CMainDialog::showSteppedDictionary(bool wordsOnly) {
    if (wordsOnly && dictionary().words.size() >= 2) {
        RefilterWords();
    } else {
        ResetView();
    }
}

void CMainDialog::newWord() {
    CNewWord dialog(dictionary(), store_.reporter(), store_.clock(), history_, this);
    const int result = dialog.exec();
    // Not back into whichever field last had it, where a Tab and typing would overwrite a text.
    focusWordList();
    if (result != QDialog::Accepted) {
        return;
    }
    if (dictionary().words.size() < 2) {
        ResetView();
    } else {
        RefilterWords();
    }
}

void CMainDialog::renameWord() {
    const int32_t index = selectedWordIndex();
    if (index == kNoIndex) {
        return;
    }
    CRenameWord dialog(dictionary(), index, store_.reporter(), history_, this);
    if (dialog.exec() == QDialog::Accepted) {
        RefilterWords();
    }
}

void CMainDialog::deleteWord() {
    const int32_t index = selectedWordIndex();
    if (index == kNoIndex) {
        return;
    }
    const std::string text(fieldText(dictionary().words[static_cast<std::size_t>(index)].word));
    if (!store_.reporter().askWarning("The word \"" + text + "\" will be deleted.", false)) {
        return;
    }
    ChangeRecorder recorder;
    lq::deleteWord(dictionary(), index, store_.reporter(), &recorder);
    history_.addStep("Delete word " + quotedName(text), recorder.take());
    if (!dictionary().words.empty()) {
        RefilterWords();
    } else {
        ResetView();
    }
}

void CMainDialog::wordInformation() {
    const int32_t index = selectedWordIndex();
    if (index == kNoIndex) {
        return;
    }
    CWordInformation dialog(dictionary(), index, this);
    dialog.exec();
}

// The lists are rebuilt whatever the dialog returned: it may have changed the tables and
// closed with Escape.
void CMainDialog::themes() {
    runThemesDialog(dictionary(), store_.reporter(), this, history_);
    ResetView();
}

void CMainDialog::languages() {
    runLanguagesDialog(dictionary(), store_.reporter(), this, history_);
    ResetView();
}

void CMainDialog::dictionaryInformation() {
    CDictionaryInformation dialog(dictionary(), this);
    dialog.exec();
}

// A report changes nothing the window shows, so nothing is refreshed afterwards.
void CMainDialog::report() {
    CReport dialog(dictionary(), &store_.folder(), store_.reporter(), store_.clock(), this);
    dialog.exec();
}

void CMainDialog::options() {
    COptions dialog(dictionary(), store_.reporter(), random_, this);
    dialog.setChangeLog(history_);
    if (dialog.exec() == QDialog::Accepted) {
        ResetView();
    }
}

// The new test counters show in the knowledge filter after the next refresh, not at once.
void CMainDialog::test() {
    startTest(dictionary(), random_, store_.clock(), store_.reporter(), this, history_);
}

// The source is chosen by its folder; browsing moves the working folder, which is put back
// whatever the user does.
void CMainDialog::importWords() {
    const WorkingFolderGuard keep;
    CBrowse browse(keep.saved(), BrowseMode::Import, store_.reporter(), this);
    if (browse.exec() != QDialog::Accepted) {
        return;
    }
    CImportWords dialog(store_, joinFolder(browse.chosenFolder(), kDictionaryFileName), this);
    dialog.setChangeLog(history_);
    if (dialog.openSource()) {
        dialog.exec();
    }
    ResetView();
}

// The words as the list shows them, filters and search applied, in its order. The file dialog
// asks before an existing file is replaced.
void CMainDialog::exportWordsCsv() {
    const QString csvFilter = QStringLiteral("CSV (*.csv)");
    const QString tabFilter = QStringLiteral("Tab-separated (*.tsv *.txt)");
    const FileAnswer answer = fileChooser_(this, {QStringLiteral("Export words"),
                                                  QFile::decodeName(currentFolder().c_str()),
                                                  QStringLiteral("Lexiquill words.csv"),
                                                  {csvFilter, tabFilter},
                                                  true});
    if (answer.path.isEmpty()) {
        return;
    }
    lq::exportWordsCsv(QFile::encodeName(answer.path).toStdString(), dictionary(), listedWords(),
                       answer.filter == tabFilter ? kTab : kComma, &store_.folder(),
                       store_.reporter());
}

void CMainDialog::importWordsCsv() {
    const FileAnswer answer =
        fileChooser_(this, {QStringLiteral("Import words from a CSV file"),
                            QFile::decodeName(currentFolder().c_str()),
                            {},
                            {QStringLiteral("CSV and tab-separated (*.csv *.tsv *.txt)"),
                             QStringLiteral("All files (*)")},
                            false});
    if (answer.path.isEmpty()) {
        return;
    }
    CImportCsv dialog(store_, QFile::encodeName(answer.path).toStdString(), this);
    dialog.setChangeLog(history_);
    if (dialog.openFile()) {
        dialog.exec();
    }
    ResetView();
}

// "E&xit" leaves exactly as the close box does.
void CMainDialog::exitWindow() {
    close();
}

void CMainDialog::help() {
    openHelpPage(urlOpener_);
}

void CMainDialog::howToUse() {
    CHowToUse dialog(this);
    dialog.exec();
}

void CMainDialog::about() {
    CAbout dialog(this);
    dialog.setUrlOpener(urlOpener_);
    dialog.exec();
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Leaving the edit field first applies a pending change, with its checks.
        ui_->wordList->setFocus(Qt::OtherFocusReason);
        wordInformation();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->wordList && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            deleteWord();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMainDialog::reject() {
    if (store_.dictionaryLoaded) {
        if (dictionary().header.askUpdateOnExit()) {
            const std::optional<bool> update = askExit();
            if (!update) {
                return;
            }
            updateOnExit_ = *update;
        } else {
            // Nobody was asked, and changes are never dropped silently.
            updateOnExit_ = true;
        }
    }
    QDialog::reject();
}

std::optional<bool> CMainDialog::askExit() {
    CExit question(this);
    if (question.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return question.updateDictionary();
}

}  // namespace lq
