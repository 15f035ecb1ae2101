#include "catalog/CNewCatalogEntry.h"

#include "catalog/CatalogSide.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CNewCatalogEntry.h"

namespace lq {

CNewCatalogEntry::CNewCatalogEntry(const CatalogSide& side, Dictionary& dictionary,
                                   Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CNewCatalogEntry>()),
      side_(side),
      dictionary_(dictionary),
      reporter_(reporter) {
    ui_->setupUi(this);
    setWindowTitle(side_.newTitle);
    ui_->nameFrame->setTitle(side_.nameFrame);
    ui_->nameEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    connect(ui_->okButton, &QPushButton::clicked, this, &CNewCatalogEntry::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &CNewCatalogEntry::reject);
}

CNewCatalogEntry::~CNewCatalogEntry() = default;

void CNewCatalogEntry::accept() {
    const std::string name = storedText(ui_->nameEdit->text());
    if (const auto refusal = refuseNewName(dictionary_, side_, name)) {
        reporter_.showError(refusal->message, refusal->howToFix);
        return;
    }
    // The store shows its own failure; the dialog has done its part either way.
    side_.add(dictionary_, name, reporter_);
    QDialog::accept();
}

}  // namespace lq
