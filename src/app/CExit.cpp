#include "app/CExit.h"

#include "ui/Pictures.h"
#include "ui_CExit.h"

namespace lq {

CExit::CExit(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CExit>()) {
    ui_->setupUi(this);
    setLabelPicture(ui_->pictureLabel, "exit", 48);
    setButtonPicture(ui_->okButton, "button-yes");
    setButtonPicture(ui_->cancelButton, "button-no");
    connect(ui_->okButton, &QPushButton::clicked, this, &CExit::confirm);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CExit::~CExit() = default;

void CExit::confirm() {
    updateDictionary_ = ui_->updateDictionaryCheck->isChecked();
    accept();
}

}  // namespace lq
