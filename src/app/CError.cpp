#include "app/CError.h"

#include "ui/MessageText.h"
#include "ui/Pictures.h"
#include "ui_CError.h"

namespace lq {

CError::CError(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CError>()) {
    ui_->setupUi(this);
    setLabelPicture(ui_->pictureLabel, "error", 48);
    setButtonPicture(ui_->okButton, "button-single-ok");
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CError::~CError() = default;

void CError::SetMessages(const QString& message, const QString& howToFix) {
    ui_->messageText->setText(
        fittedMessage(message, "void CError::SetMessages() { TO LONG ERROR MESSAGE! }"));
    ui_->howToFixText->setText(
        fittedMessage(howToFix, "void CError::SetMessages() { TO LONG HOW-TO-FIX MESSAGE! }"));
}

}  // namespace lq
