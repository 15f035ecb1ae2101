#include "app/CInformation.h"

#include "ui/MessageText.h"
#include "ui/Pictures.h"
#include "ui_CInformation.h"

namespace lq {

CInformation::CInformation(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CInformation>()) {
    ui_->setupUi(this);
    setLabelPicture(ui_->pictureLabel, "information", 48);
    setButtonPicture(ui_->okButton, "button-single-ok");
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CInformation::~CInformation() = default;

void CInformation::SetMessage(const QString& message) {
    ui_->messageText->setText(
        fittedMessage(message, "void CInformation::SetMessage() { TO LONG INFO MESSAGE! }"));
    fitLongestLine(ui_->messageText);
}

void CInformation::setLook(const QString& title, const char* pictureName, int pictureSize,
                           int textColumns) {
    setWindowTitle(title);
    setLabelPicture(ui_->pictureLabel, pictureName, pictureSize);
    ui_->messageText->setMinimumWidth(ui_->messageText->fontMetrics().averageCharWidth() *
                                      textColumns);
}

}  // namespace lq
