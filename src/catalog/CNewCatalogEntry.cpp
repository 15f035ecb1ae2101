#include "catalog/CNewCatalogEntry.h"

#include "catalog/core/CatalogSide.h"
#include "store/ChangeLog.h"
#include "ui/TextCodec.h"
#include "ui_CNewCatalogEntry.h"

namespace lq {

CNewCatalogEntry::CNewCatalogEntry(const CatalogSide& side, Dictionary& dictionary,
                                   Reporter& reporter, QWidget* parent)
    : CCatalogEntryDialog(side, dictionary, reporter, parent),
      ui_(std::make_unique<Ui::CNewCatalogEntry>()) {
    ui_->setupUi(this);
    setWindowTitle(side_.newTitle);
    ui_->nameFrame->setTitle(side_.nameFrame);
    ui_->nameEdit->setValidator(new ByteLimitValidator(kNameSize - 1, this));
    setUpButtons(ui_->okButton, ui_->cancelButton);
}

CNewCatalogEntry::~CNewCatalogEntry() = default;

void CNewCatalogEntry::accept() {
    const std::string name = storedText(ui_->nameEdit->text());
    if (const auto refusal = refuseNewName(dictionary_, side_, name)) {
        reporter_.showError(refusal->message, refusal->howToFix);
        return;
    }
    // The store shows its own failure; the dialog has done its part either way.
    ChangeRecorder recorder;
    side_.add(dictionary_, name, reporter_, &recorder);
    changeLog_->addStep(newStepName(side_, name), recorder.take());
    QDialog::accept();
}

}  // namespace lq
