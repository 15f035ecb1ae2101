#include "report/CHtmlOptions.h"

#include "ui/Pictures.h"
#include "ui_CHtmlOptions.h"

namespace lq {

CHtmlOptions::CHtmlOptions(const ReportOptions& options, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CHtmlOptions>()), options_(options) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    fillNumbers(ui_->cellSpacingCombo, options_.cellSpacing);
    fillNumbers(ui_->cellPaddingCombo, options_.cellPadding);
    fillNumbers(ui_->borderCombo, options_.border);
    for (std::string_view face : htmlFontFaces) {
        ui_->fontFaceCombo->addItem(
            QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size())));
    }
    ui_->fontFaceCombo->setCurrentIndex(options_.fontIndex & (kHtmlFontFaceCount - 1));
    connect(ui_->okButton, &QPushButton::clicked, this, &CHtmlOptions::confirm);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CHtmlOptions::~CHtmlOptions() = default;

void CHtmlOptions::fillNumbers(QComboBox* list, int32_t value) {
    for (int i = 0; i <= kMaxTableValue; ++i) {
        list->addItem(QString::number(i));
    }
    list->setCurrentIndex(value & kMaxTableValue);
}

void CHtmlOptions::confirm() {
    options_.cellSpacing = ui_->cellSpacingCombo->currentIndex();
    options_.cellPadding = ui_->cellPaddingCombo->currentIndex();
    options_.border = ui_->borderCombo->currentIndex();
    options_.fontIndex = ui_->fontFaceCombo->currentIndex();
    accept();
}

}  // namespace lq
