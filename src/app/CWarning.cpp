#include "app/CWarning.h"

#include "ui/MessageText.h"
#include "ui/Pictures.h"
#include "ui_CWarning.h"

namespace lq {

CWarning::CWarning(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CWarning>()) {
    ui_->setupUi(this);
    setLabelPicture(ui_->pictureLabel, "warning", 48);
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CWarning::~CWarning() = default;

void CWarning::SetMessage(const QString& message, bool yesNo) {
    // The replacement names the information dialog; it is shown as it has always read.
    ui_->messageText->setText(
        fittedMessage(message, "void CInformation::SetMessage() { TO LONG IINFO MESSAGE! }"));
    ui_->okButton->setText(yesNo ? QStringLiteral("&Yes") : QStringLiteral("&OK"));
    ui_->cancelButton->setText(yesNo ? QStringLiteral("&No") : QStringLiteral("&Cancel"));
    setButtonPicture(ui_->okButton, yesNo ? "button-yes" : "button-ok");
    setButtonPicture(ui_->cancelButton, yesNo ? "button-no" : "button-cancel");
}

}  // namespace lq
