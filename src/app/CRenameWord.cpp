#include "app/CRenameWord.h"

#include "app/core/WordChecks.h"
#include "store/ChangeLog.h"
#include "store/Edits.h"
#include "store/TextField.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CRenameWord.h"

namespace lq {

CRenameWord::CRenameWord(Dictionary& dictionary, int32_t wordIndex, Reporter& reporter,
                         ChangeLog& log, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CRenameWord>()),
      dictionary_(dictionary),
      wordIndex_(wordIndex),
      reporter_(reporter),
      log_(log) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    const QString current = displayField(dictionary_.words.at(wordIndex_).word);
    ui_->oldNameEdit->setText(current);
    ui_->newNameEdit->setText(current);
    ui_->newNameEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    // Typing replaces the name at once; the old name beside it is only there to be read.
    ui_->newNameEdit->setFocus(Qt::OtherFocusReason);
    ui_->newNameEdit->selectAll();
    connect(ui_->okButton, &QPushButton::clicked, this, &CRenameWord::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CRenameWord::reject);
}

CRenameWord::~CRenameWord() = default;

void CRenameWord::accept() {
    WordRecord& word = dictionary_.words.at(wordIndex_);
    // An untouched name keeps its bytes, whatever encoding it came in.
    const std::string newName = ui_->newNameEdit->isModified()
                                    ? storedText(ui_->newNameEdit->text())
                                    : std::string(fieldText(word.word));
    if (const auto refusal = renameRefusal(dictionary_, wordIndex_, newName)) {
        reporter_.showError(kCantRenameWord, *refusal);
        ui_->newNameEdit->setFocus(Qt::OtherFocusReason);
        ui_->newNameEdit->selectAll();
        return;
    }
    const std::string oldName(fieldText(word.word));
    ChangeRecorder recorder;
    renameWord(dictionary_, wordIndex_, newName, &recorder);
    log_.addStep("Rename word " + quotedName(oldName) + " to " + quotedName(newName),
                 recorder.take());
    QDialog::accept();
}

}  // namespace lq
