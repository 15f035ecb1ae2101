#include "catalog/CDeleteCatalogEntry.h"

#include "catalog/CatalogNames.h"
#include "catalog/core/CatalogSide.h"
#include "store/ChangeLog.h"
#include "ui_CDeleteCatalogEntry.h"

namespace lq {

CDeleteCatalogEntry::CDeleteCatalogEntry(const CatalogSide& side, Dictionary& dictionary,
                                         int32_t index, Reporter& reporter, QWidget* parent)
    : CCatalogEntryDialog(side, dictionary, reporter, parent),
      ui_(std::make_unique<Ui::CDeleteCatalogEntry>()) {
    ui_->setupUi(this);
    setWindowTitle(side_.deleteTitle);
    ui_->selectLabel->setText(side_.selectLabel);
    appendEntries(ui_->nameList, catalogEntries(dictionary_, side_));
    ui_->nameList->setCurrentIndex(ui_->nameList->findData(index));
    setUpButtons(ui_->okButton, ui_->cancelButton);
}

CDeleteCatalogEntry::~CDeleteCatalogEntry() = default;

void CDeleteCatalogEntry::accept() {
    const int32_t index = currentRecordIndex(ui_->nameList);
    if (index < 0) {
        return;
    }
    // The record's own bytes, so that a name in any encoding is the one deleted.
    const std::string name(side_.name(dictionary_, index));
    if (!reporter_.askWarning(deleteQuestion(side_, name), false)) {
        return;
    }
    // The store shows its own failure; the dialog has done its part either way.
    ChangeRecorder recorder;
    side_.remove(dictionary_, name, reporter_, &recorder);
    changeLog_->addStep(deleteStepName(side_, name), recorder.take());
    QDialog::accept();
}

}  // namespace lq
