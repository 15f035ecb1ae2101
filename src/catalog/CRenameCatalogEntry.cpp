#include "catalog/CRenameCatalogEntry.h"

#include "catalog/core/CatalogSide.h"
#include "store/ChangeLog.h"
#include "ui/TextCodec.h"
#include "ui_CRenameCatalogEntry.h"

namespace lq {

CRenameCatalogEntry::CRenameCatalogEntry(const CatalogSide& side, Dictionary& dictionary,
                                         int32_t index, Reporter& reporter, QWidget* parent)
    : CCatalogEntryDialog(side, dictionary, reporter, parent),
      ui_(std::make_unique<Ui::CRenameCatalogEntry>()),
      index_(index) {
    ui_->setupUi(this);
    setWindowTitle(side_.renameTitle);
    ui_->oldNameLabel->setText(side_.oldNameLabel);
    ui_->newNameLabel->setText(side_.newNameLabel);
    const QString oldName = displayText(side_.name(dictionary_, index_));
    ui_->oldNameEdit->setText(oldName);
    ui_->newNameEdit->setText(oldName);
    ui_->newNameEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    ui_->newNameEdit->selectAll();
    setUpButtons(ui_->okButton, ui_->cancelButton);
}

CRenameCatalogEntry::~CRenameCatalogEntry() = default;

void CRenameCatalogEntry::accept() {
    // An untouched name keeps its bytes, whatever encoding it came in.
    const std::string name = ui_->newNameEdit->isModified()
                                 ? storedText(ui_->newNameEdit->text())
                                 : std::string(side_.name(dictionary_, index_));
    if (const auto refusal = refuseRename(dictionary_, side_, index_, name)) {
        reporter_.showError(refusal->message, refusal->howToFix);
        return;
    }
    const std::string oldName(side_.name(dictionary_, index_));
    ChangeRecorder recorder;
    side_.rename(dictionary_, index_, name, &recorder);
    changeLog_->addStep(renameStepName(side_, oldName, name), recorder.take());
    QDialog::accept();
}

}  // namespace lq
