#include "app/CNewWord.h"

#include "app/core/WordChecks.h"
#include "store/ChangeLog.h"
#include "store/Clock.h"
#include "store/Edits.h"
#include "store/TextField.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CNewWord.h"

namespace lq {

namespace {

void fillAndSelectFirst(QListWidget* list, const std::vector<NamedIndex>& entries) {
    appendEntries(list, entries);
    list->setCurrentRow(0);
}

}  // namespace

CNewWord::CNewWord(Dictionary& dictionary, Reporter& reporter, const Clock& clock, ChangeLog& log,
                   QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CNewWord>()),
      dictionary_(dictionary),
      reporter_(reporter),
      clock_(clock),
      log_(log) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    ui_->wordEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    ui_->translationEdit->setValidator(new ByteLimitValidator(kTranslationSize - 1, this));
    ui_->transcriptionEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    fillAndSelectFirst(ui_->themeList, sortedNames(dictionary_.themes));
    fillAndSelectFirst(ui_->languageList, sortedNames(dictionary_.languages));
    connect(ui_->okButton, &QPushButton::clicked, this, &CNewWord::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CNewWord::reject);
}

CNewWord::~CNewWord() = default;

// The refused text is selected, so that typing replaces it.
void CNewWord::focusField(NewWordField field) {
    QLineEdit* edit = field == NewWordField::Word          ? ui_->wordEdit
                      : field == NewWordField::Translation ? ui_->translationEdit
                                                           : ui_->transcriptionEdit;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void CNewWord::accept() {
    const std::string word = storedText(ui_->wordEdit->text());
    const std::string translation = storedText(ui_->translationEdit->text());
    const std::string transcription = storedText(ui_->transcriptionEdit->text());
    if (const auto refusal = newWordRefusal(dictionary_, word, translation, transcription)) {
        reporter_.showError(kCantAddWord, refusal->howToFix);
        focusField(refusal->field);
        return;
    }
    const int32_t theme = currentRecordIndex(ui_->themeList);
    const int32_t language = currentRecordIndex(ui_->languageList);
    if (theme >= 0 && language >= 0) {
        WordRecord record{};
        record.created = clock_.localTime();
        record.themeIndex = theme;
        record.languageIndex = language;
        setFieldText(record.word, word);
        setFieldText(record.translation, translation);
        setFieldText(record.transcription, transcription);
        // A failure is shown by addWord; the dialog closes either way.
        ChangeRecorder recorder;
        addWord(dictionary_, record, reporter_, &recorder);
        log_.addStep("New word " + quotedName(word), recorder.take());
    }
    QDialog::accept();
}

}  // namespace lq
