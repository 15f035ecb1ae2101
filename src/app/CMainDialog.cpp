#include "app/CMainDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>

#include "app/CDictionaryInformation.h"
#include "app/CExit.h"
#include "app/CNewWord.h"
#include "app/CRenameWord.h"
#include "app/CWordInformation.h"
#include "app/WordListModel.h"
#include "app/core/InfoText.h"
#include "app/core/WordChecks.h"
#include "catalog/CatalogDialogs.h"
#include "import/CImportWords.h"
#include "report/CReport.h"
#include "selftest/COptions.h"
#include "selftest/StartTest.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/Knowledge.h"
#include "store/TestRandom.h"
#include "store/TextField.h"
#include "store/WorkingFolder.h"
#include "ui/CAbout.h"
#include "ui/CBrowse.h"
#include "ui/CHowToUse.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CMainDialog.h"

namespace lq {

namespace {

const QString kDoesntMatter = QStringLiteral("< doesn't matter >");

void selectRecord(QComboBox* list, int32_t index) {
    list->setCurrentIndex(list->findData(index));
}

void resetFilterList(QComboBox* list) {
    list->clear();
    list->addItem(kDoesntMatter, -1);
    list->setCurrentIndex(0);
}

}  // namespace

CMainDialog::CMainDialog(DictionaryStore& store, TestRandom& random, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CMainDialog>()),
      words_(new WordListModel(this)),
      store_(store),
      random_(random) {
    ui_->setupUi(this);
    menu_ = buildMainMenu(this);
    layout()->setMenuBar(menu_.bar);
    prepareControls();
    connectControls();
    qApp->installEventFilter(new HelpKeyFilter([this] { help(); }, this));
}

CMainDialog::~CMainDialog() {
    ui_->translationEdit->removeEventFilter(this);
    ui_->transcriptionEdit->removeEventFilter(this);
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
    ui_->translationEdit->setValidator(new ByteLimitValidator(kTranslationSize - 1, this));
    ui_->transcriptionEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    ui_->translationEdit->installEventFilter(this);
    ui_->transcriptionEdit->installEventFilter(this);
}

void CMainDialog::connectControls() {
    connect(ui_->wordList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainDialog::ShowSelectedWord);
    connect(ui_->wordList, &QListView::doubleClicked, this, &CMainDialog::wordInformation);
    connect(ui_->themeFilterList, &QComboBox::activated, this, &CMainDialog::chooseThemeFilter);
    connect(ui_->languageFilterList, &QComboBox::activated, this,
            &CMainDialog::chooseLanguageFilter);
    connect(ui_->knowledgeFilterList, &QComboBox::activated, this,
            &CMainDialog::chooseKnowledgeFilter);
    connect(ui_->wordThemeList, &QComboBox::activated, this, &CMainDialog::moveToTheme);
    connect(ui_->wordLanguageList, &QComboBox::activated, this, &CMainDialog::moveToLanguage);
    connect(ui_->infoButton, &QPushButton::clicked, this, &CMainDialog::wordInformation);
    connect(ui_->newButton, &QPushButton::clicked, this, &CMainDialog::newWord);
    connect(ui_->renameButton, &QPushButton::clicked, this, &CMainDialog::renameWord);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &CMainDialog::deleteWord);

    connectCommand(menu_.themes, &CMainDialog::themes);
    connectCommand(menu_.languages, &CMainDialog::languages);
    connectCommand(menu_.information, &CMainDialog::dictionaryInformation);
    connectCommand(menu_.report, &CMainDialog::report);
    connectCommand(menu_.importWords, &CMainDialog::importWords);
    connectCommand(menu_.options, &CMainDialog::options);
    connectCommand(menu_.exit, &CMainDialog::exitWindow);
    connectCommand(menu_.test, &CMainDialog::test);
    connectCommand(menu_.help, &CMainDialog::help);
    connectCommand(menu_.howToUse, &CMainDialog::howToUse);
    connectCommand(menu_.about, &CMainDialog::about);
}

void CMainDialog::connectCommand(QAction* action, void (CMainDialog::*command)()) {
    connect(action, &QAction::triggered, this, command);
    action->setEnabled(true);
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
    filters_ = WordFilters{};
    ui_->wordThemeList->clear();
    ui_->wordLanguageList->clear();
    words_->clear();
    const bool hasWords = !dictionary().words.empty();
    fillFilterLists(hasWords);
    enableWordControls(hasWords);
    enableFilters(hasWords);
    if (hasWords) {
        FillWordList();
        fillNameLists();
        ShowSelectedWord();
    } else {
        shownCount_ = 0;
        ui_->wordCounter->setText(QString::fromStdString(wordCounterText(0, 0)));
    }
    ui_->newButton->setEnabled(!dictionary().languages.empty() && !dictionary().themes.empty());
}

void CMainDialog::fillFilterLists(bool withContents) {
    resetFilterList(ui_->themeFilterList);
    resetFilterList(ui_->languageFilterList);
    resetFilterList(ui_->knowledgeFilterList);
    if (!withContents) {
        return;
    }
    for (int band = 0; band < kKnowledgeBandCount; ++band) {
        const std::string_view name = knowledgeBandName(static_cast<KnowledgeBand>(band));
        ui_->knowledgeFilterList->addItem(displayText(name), band);
    }
}

void CMainDialog::fillNameLists() {
    const std::vector<NamedIndex> themes = sortedNames(dictionary().themes);
    appendEntries(ui_->wordThemeList, themes);
    appendEntries(ui_->themeFilterList, themes);
    const std::vector<NamedIndex> languages = sortedNames(dictionary().languages);
    appendEntries(ui_->wordLanguageList, languages);
    appendEntries(ui_->languageFilterList, languages);
}

void CMainDialog::RefilterWords() {
    words_->clear();
    FillWordList();
    enableWordControls(shownCount_ != 0);
    if (shownCount_ != 0) {
        selectFirstWord();
        ShowSelectedWord();
    }
}

void CMainDialog::FillWordList() {
    const Dictionary& d = dictionary();
    const std::vector<int32_t> passed = filteredWords(d, filters_);
    words_->fill(d, passed);
    shownCount_ = static_cast<int32_t>(passed.size());
    selectFirstWord();
    ui_->wordCounter->setText(
        QString::fromStdString(wordCounterText(shownCount_, static_cast<int64_t>(d.words.size()))));
}

void CMainDialog::selectFirstWord() {
    if (words_->rowCount() == 0) {
        return;
    }
    const QModelIndex first = words_->index(0);
    ui_->wordList->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
    ui_->wordList->scrollTo(first);
}

int32_t CMainDialog::selectedWordIndex() const {
    const QModelIndexList selected = ui_->wordList->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return -1;
    }
    const int32_t index = words_->wordIndexAt(selected.front().row());
    return index >= 0 && static_cast<std::size_t>(index) < store_.currentDictionary.words.size()
               ? index
               : -1;
}

void CMainDialog::ShowSelectedWord() {
    const int32_t index = selectedWordIndex();
    if (index < 0) {
        return;
    }
    const WordRecord& word = dictionary().words[static_cast<std::size_t>(index)];
    ui_->translationEdit->setText(displayField(word.translation));
    ui_->transcriptionEdit->setText(displayField(word.transcription));
    selectRecord(ui_->wordLanguageList, word.languageIndex);
    selectRecord(ui_->wordThemeList, word.themeIndex);
}

void CMainDialog::enableWordControls(bool enabled) {
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->wordThemeList), static_cast<QWidget*>(ui_->wordLanguageList),
          static_cast<QWidget*>(ui_->wordList), static_cast<QWidget*>(ui_->translationEdit),
          static_cast<QWidget*>(ui_->transcriptionEdit), static_cast<QWidget*>(ui_->infoButton),
          static_cast<QWidget*>(ui_->deleteButton), static_cast<QWidget*>(ui_->renameButton)}) {
        control->setEnabled(enabled);
    }
}

void CMainDialog::enableFilters(bool enabled) {
    ui_->themeFilterList->setEnabled(enabled);
    ui_->languageFilterList->setEnabled(enabled);
    ui_->knowledgeFilterList->setEnabled(enabled);
}

void CMainDialog::chooseThemeFilter() {
    filters_.themeFilter = currentRecordIndex(ui_->themeFilterList);
    RefilterWords();
}

void CMainDialog::chooseLanguageFilter() {
    filters_.languageFilter = currentRecordIndex(ui_->languageFilterList);
    RefilterWords();
}

void CMainDialog::chooseKnowledgeFilter() {
    filters_.knowledgeFilter = currentRecordIndex(ui_->knowledgeFilterList);
    RefilterWords();
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    // A context menu takes the focus only for a moment; the edit is not finished.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == ui_->translationEdit) {
            changeTranslation();
        } else if (watched == ui_->transcriptionEdit) {
            changeTranscription();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMainDialog::changeTranslation() {
    const int32_t index = selectedWordIndex();
    if (index < 0) {
        return;
    }
    QLineEdit* edit = ui_->translationEdit;
    const std::string typed = storedText(edit->text());
    if (isBlankTranslation(typed)) {
        store_.reporter().showError(kCantChangeTranslation, kTranslationMustHaveText);
        edit->setFocus();
        return;
    }
    // Text the user did not touch keeps its bytes, whatever encoding it came in.
    if (edit->isModified()) {
        setFieldText(dictionary().words[static_cast<std::size_t>(index)].translation, typed);
        edit->setModified(false);
    }
}

void CMainDialog::changeTranscription() {
    const int32_t index = selectedWordIndex();
    QLineEdit* edit = ui_->transcriptionEdit;
    if (index < 0 || !edit->isModified()) {
        return;
    }
    setFieldText(dictionary().words[static_cast<std::size_t>(index)].transcription,
                 storedText(edit->text()));
    edit->setModified(false);
}

void CMainDialog::moveToTheme() {
    const int32_t index = selectedWordIndex();
    const int32_t theme = currentRecordIndex(ui_->wordThemeList);
    if (index < 0 || theme < 0) {
        return;
    }
    dictionary().words[static_cast<std::size_t>(index)].themeIndex = theme;
    if (filters_.themeFilter != -1 && filters_.themeFilter != theme) {
        RefilterWords();
    }
}

void CMainDialog::moveToLanguage() {
    const int32_t index = selectedWordIndex();
    const int32_t language = currentRecordIndex(ui_->wordLanguageList);
    if (index < 0 || language < 0) {
        return;
    }
    dictionary().words[static_cast<std::size_t>(index)].languageIndex = language;
    if (filters_.languageFilter != -1 && filters_.languageFilter != language) {
        RefilterWords();
    }
}

void CMainDialog::newWord() {
    CNewWord dialog(dictionary(), store_.reporter(), store_.clock(), this);
    if (dialog.exec() != QDialog::Accepted) {
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
    if (index < 0) {
        return;
    }
    CRenameWord dialog(dictionary(), index, store_.reporter(), this);
    if (dialog.exec() == QDialog::Accepted) {
        RefilterWords();
    }
}

void CMainDialog::deleteWord() {
    const int32_t index = selectedWordIndex();
    if (index < 0) {
        return;
    }
    const std::string text(fieldText(dictionary().words[static_cast<std::size_t>(index)].word));
    if (!store_.reporter().askWarning("The word \"" + text + "\" will be deleted.", false)) {
        return;
    }
    lq::deleteWord(dictionary(), index, store_.reporter());
    if (!dictionary().words.empty()) {
        RefilterWords();
    } else {
        ResetView();
    }
}

void CMainDialog::wordInformation() {
    const int32_t index = selectedWordIndex();
    if (index < 0) {
        return;
    }
    CWordInformation dialog(dictionary(), index, this);
    dialog.exec();
}

// The lists are rebuilt whatever the dialog returned: it may have changed the tables and
// closed with Escape.
void CMainDialog::themes() {
    runThemesDialog(dictionary(), store_.reporter(), this);
    ResetView();
}

void CMainDialog::languages() {
    runLanguagesDialog(dictionary(), store_.reporter(), this);
    ResetView();
}

void CMainDialog::dictionaryInformation() {
    CDictionaryInformation dialog(dictionary(), this);
    dialog.exec();
}

// A report changes nothing the window shows, so nothing is refreshed afterwards.
void CMainDialog::report() {
    CReport dialog(dictionary(), store_.reporter(), store_.clock(), this);
    dialog.exec();
}

void CMainDialog::options() {
    COptions dialog(dictionary(), store_.reporter(), random_, this);
    if (dialog.exec() == QDialog::Accepted) {
        ResetView();
    }
}

// The new test counters show in the knowledge filter after the next refresh, not at once.
void CMainDialog::test() {
    startTest(dictionary(), random_, store_.clock(), store_.reporter(), this);
}

// The source is chosen by its folder; browsing moves the working folder, which is put back
// whatever the user does.
void CMainDialog::importWords() {
    const WorkingFolderGuard keep;
    CBrowse browse(keep.saved(), BrowseMode::Import, store_.reporter(), this);
    if (browse.exec() != QDialog::Accepted) {
        return;
    }
    CImportWords dialog(store_, joinFolder(browse.chosenFolder(), "Lexiquill.lqd"), this);
    if (dialog.openSource()) {
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
