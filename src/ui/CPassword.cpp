#include "ui/CPassword.h"

#include "store/Protection.h"
#include "store/Reporter.h"
#include "ui/PasswordEdit.h"
#include "ui/Pictures.h"
#include "ui_CPassword.h"

namespace lq {

namespace {
constexpr const char* kCantSet = "Can't set/change password-protection.";
}

CPassword::CPassword(DictionaryHeader& header, Reporter& reporter, TestRandom& random,
                     QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CPassword>()),
      header_(header),
      reporter_(reporter),
      random_(random) {
    ui_->setupUi(this);
    for (QLineEdit* edit :
         {ui_->currentPasswordEdit, ui_->newPasswordEdit, ui_->repeatPasswordEdit}) {
        limitPasswordEdit(edit);
    }
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    showCurrentPassword();
    connect(ui_->protectionCheck, &QCheckBox::toggled, this, &CPassword::enableNewPassword);
    connect(ui_->okButton, &QPushButton::clicked, this, &CPassword::confirm);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CPassword::~CPassword() = default;

void CPassword::showCurrentPassword() {
    const bool protectedNow = isProtected(header_);
    if (!protectedNow) {
        ui_->currentPasswordEdit->setEchoMode(QLineEdit::Normal);
        ui_->currentPasswordEdit->setText(QStringLiteral("< not installed >"));
        ui_->currentPasswordEdit->setEnabled(false);
    }
    ui_->protectionCheck->setChecked(protectedNow);
    enableNewPassword(protectedNow);
}

void CPassword::enableNewPassword(bool enabled) {
    ui_->newPasswordEdit->setEnabled(enabled);
    ui_->repeatPasswordEdit->setEnabled(enabled);
}

void CPassword::confirm() {
    if (!currentPasswordAccepted()) {
        reporter_.showError(kCantSet, "Invalid old password. Type correct password.");
        return;
    }
    if (ui_->protectionCheck->isChecked()) {
        installNewPassword();
    } else {
        removeProtection();
    }
}

bool CPassword::currentPasswordAccepted() const {
    return !isProtected(header_) || verifyPassword(header_, readPassword(ui_->currentPasswordEdit));
}

void CPassword::installNewPassword() {
    const std::string password = readPassword(ui_->newPasswordEdit);
    if (password != readPassword(ui_->repeatPasswordEdit)) {
        reporter_.showError(
            kCantSet, "New password and repeated password not identical. Try to be more serious.");
        return;
    }
    scramblePassword(header_, password);
    setProtection(header_, true, random_);
    reporter_.showInformation("New password successfuly installed/changed.");
    accept();
}

void CPassword::removeProtection() {
    setProtection(header_, false, random_);
    reporter_.showInformation("No password-protection.");
    accept();
}

}  // namespace lq
