#include "catalog/CCatalogEntryDialog.h"

#include <QPushButton>

#include "store/ChangeLog.h"
#include "ui/Pictures.h"

namespace lq {

CCatalogEntryDialog::CCatalogEntryDialog(const CatalogSide& side, Dictionary& dictionary,
                                         Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      side_(side),
      dictionary_(dictionary),
      reporter_(reporter),
      changeLog_(&ChangeLog::none()) {}

void CCatalogEntryDialog::setUpButtons(QPushButton* okButton, QPushButton* cancelButton) {
    setButtonPicture(okButton, "button-ok");
    setButtonPicture(cancelButton, "button-cancel");
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace lq
