#include "catalog/CDeleteCatalogEntry.h"

#include "catalog/CatalogNames.h"
#include "catalog/CatalogSide.h"
#include "ui/Pictures.h"
#include "ui_CDeleteCatalogEntry.h"

namespace lq {

CDeleteCatalogEntry::CDeleteCatalogEntry(const CatalogSide& side, Dictionary& dictionary,
                                         int32_t index, Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CDeleteCatalogEntry>()),
      side_(side),
      dictionary_(dictionary),
      reporter_(reporter) {
    ui_->setupUi(this);
    setWindowTitle(side_.deleteTitle);
    ui_->selectLabel->setText(side_.selectLabel);
    appendEntries(ui_->nameList, catalogEntries(dictionary_, side_));
    ui_->nameList->setCurrentIndex(ui_->nameList->findData(index));
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    connect(ui_->okButton, &QPushButton::clicked, this, &CDeleteCatalogEntry::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CDeleteCatalogEntry::reject);
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
    side_.remove(dictionary_, name, reporter_);
    QDialog::accept();
}

}  // namespace lq
