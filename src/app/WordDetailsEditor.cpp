#include "app/WordDetailsEditor.h"

#include <QFocusEvent>
#include <string>

#include "app/core/WordChecks.h"
#include "store/ChangeLog.h"
#include "store/Dictionary.h"
#include "store/Edits.h"
#include "store/Reporter.h"
#include "store/TextField.h"
#include "ui/NameOrder.h"
#include "ui/TextCodec.h"
#include "ui_WordDetailsEditor.h"

namespace lq {

namespace {

void selectRecord(QComboBox* list, int32_t index) {
    list->setCurrentIndex(list->findData(index));
}

}  // namespace

WordDetailsEditor::WordDetailsEditor(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::WordDetailsEditor>()) {
    ui_->setupUi(this);
    ui_->translationEdit->setValidator(new ByteLimitValidator(kTranslationSize - 1, this));
    ui_->transcriptionEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    ui_->translationEdit->installEventFilter(this);
    ui_->transcriptionEdit->installEventFilter(this);
    connect(ui_->wordThemeList, &QComboBox::activated, this,
            [this] { moveWord(ui_->wordThemeList, &WordRecord::themeIndex, "Change theme of"); });
    connect(ui_->wordLanguageList, &QComboBox::activated, this, [this] {
        moveWord(ui_->wordLanguageList, &WordRecord::languageIndex, "Change language of");
    });
}

WordDetailsEditor::~WordDetailsEditor() {
    ui_->translationEdit->removeEventFilter(this);
    ui_->transcriptionEdit->removeEventFilter(this);
}

void WordDetailsEditor::setUp(Dictionary& dictionary, Reporter& reporter, ChangeLog& log,
                              std::function<int32_t()> selectedWord) {
    dictionary_ = &dictionary;
    reporter_ = &reporter;
    log_ = &log;
    selectedWord_ = std::move(selectedWord);
}

void WordDetailsEditor::stopEditing() {
    selectedWord_ = nullptr;
}

bool WordDetailsEditor::finishEditing() {
    if (ui_->translationEdit->isModified() && !changeTranslation()) {
        return false;
    }
    changeTranscription();
    return true;
}

int32_t WordDetailsEditor::editedWord() const {
    return selectedWord_ ? selectedWord_() : kNoIndex;
}

void WordDetailsEditor::fillNameLists(bool withNames) {
    ui_->wordThemeList->clear();
    ui_->wordLanguageList->clear();
    if (withNames) {
        appendEntries(ui_->wordThemeList, sortedNames(dictionary_->themes));
        appendEntries(ui_->wordLanguageList, sortedNames(dictionary_->languages));
    }
}

void WordDetailsEditor::showWord(int32_t index) {
    const WordRecord& word = dictionary_->words[static_cast<std::size_t>(index)];
    ui_->translationEdit->setText(displayField(word.translation));
    ui_->transcriptionEdit->setText(displayField(word.transcription));
    selectRecord(ui_->wordLanguageList, word.languageIndex);
    selectRecord(ui_->wordThemeList, word.themeIndex);
}

void WordDetailsEditor::enableEditing(bool enabled) {
    ui_->translationEdit->setEnabled(enabled);
    ui_->transcriptionEdit->setEnabled(enabled);
    ui_->wordThemeList->setEnabled(enabled);
    ui_->wordLanguageList->setEnabled(enabled);
}

bool WordDetailsEditor::eventFilter(QObject* watched, QEvent* event) {
    // A context menu takes the focus only for a moment; the edit is not finished.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == ui_->translationEdit) {
            changeTranslation();
        } else if (watched == ui_->transcriptionEdit) {
            changeTranscription();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool WordDetailsEditor::changeTranslation() {
    const int32_t index = editedWord();
    if (index < 0) {
        return true;
    }
    QLineEdit* edit = ui_->translationEdit;
    const std::string typed = storedText(edit->text());
    if (isBlankTranslation(typed)) {
        reporter_->showError(kCantChangeTranslation, kTranslationMustHaveText);
        edit->setFocus();
        return false;
    }
    // Text the user did not touch keeps its bytes, whatever encoding it came in.
    if (edit->isModified()) {
        WordRecord word = dictionary_->words[static_cast<std::size_t>(index)];
        setFieldText(word.translation, typed);
        edit->setModified(false);
        storeWord(index, word, "Change translation of");
    }
    return true;
}

void WordDetailsEditor::changeTranscription() {
    const int32_t index = editedWord();
    QLineEdit* edit = ui_->transcriptionEdit;
    if (index < 0 || !edit->isModified()) {
        return;
    }
    WordRecord word = dictionary_->words[static_cast<std::size_t>(index)];
    setFieldText(word.transcription, storedText(edit->text()));
    edit->setModified(false);
    storeWord(index, word, "Change transcription of");
}

void WordDetailsEditor::moveWord(const QComboBox* list, int32_t WordRecord::*field,
                                 const char* stepName) {
    const int32_t index = editedWord();
    const int32_t target = currentRecordIndex(list);
    if (index < 0 || target < 0) {
        return;
    }
    WordRecord word = dictionary_->words[static_cast<std::size_t>(index)];
    word.*field = target;
    storeWord(index, word, stepName);
    emit wordMoved(index);
}

void WordDetailsEditor::storeWord(int32_t index, const WordRecord& word, const char* stepName) {
    ChangeRecorder recorder;
    replaceWord(*dictionary_, index, word, &recorder);
    log_->addStep(std::string(stepName) + ' ' + quotedName(fieldText(word.word)), recorder.take());
}

}  // namespace lq
