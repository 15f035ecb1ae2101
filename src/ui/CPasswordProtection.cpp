#include "ui/CPasswordProtection.h"

#include "store/Protection.h"
#include "store/Reporter.h"
#include "ui/MessageText.h"
#include "ui/PasswordEdit.h"
#include "ui/Pictures.h"
#include "ui_CPasswordProtection.h"

namespace lq {

CPasswordProtection::CPasswordProtection(const DictionaryHeader& header, Reporter& reporter,
                                         QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CPasswordProtection>()),
      header_(header),
      reporter_(reporter) {
    ui_->setupUi(this);
    limitPasswordEdit(ui_->passwordEdit);
    setLabelPicture(ui_->pictureLabel, "password", 48);
    setButtonPicture(ui_->okButton, "button-save");
    setButtonPicture(ui_->cancelButton, "button-exit");
    connect(ui_->okButton, &QPushButton::clicked, this, &CPasswordProtection::check);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CPasswordProtection::~CPasswordProtection() = default;

void CPasswordProtection::setAccessForm(const QString& message) {
    ui_->messageText->setText(firstCharacters(message, kAccessMessageLength));
    ui_->okButton->setText(QStringLiteral("&OK"));
    ui_->cancelButton->setText(QStringLiteral("&Cancel"));
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
}

void CPasswordProtection::check() {
    if (verifyPassword(header_, readPassword(ui_->passwordEdit))) {
        accept();
        return;
    }
    reporter_.showError("Invalid password.", "The password is invalid. Enter valid password.");
    // Ready for the next try: typing replaces the wrong password.
    ui_->passwordEdit->selectAll();
    ui_->passwordEdit->setFocus();
}

}  // namespace lq
