#include "ui/CAbout.h"

#include "ui/Pictures.h"
#include "ui/ProjectLinks.h"
#include "ui_CAbout.h"

namespace lq {

CAbout::CAbout(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CAbout>()) {
    ui_->setupUi(this);
    ui_->logoLabel->setPixmap(picture("lexiquill-banner").pixmap(QSize(360, 72)));
    setLabelPicture(ui_->pictureLabel, "lexiquill", 64);
    setButtonPicture(ui_->okButton, "button-single-ok");
    ui_->webLink->setText(QLatin1String(kWebAddress));
    ui_->webLink->SetURL(QLatin1String(kWebAddress));
    ui_->supportLink->setText(QLatin1String(kSupportAddress));
    ui_->supportLink->SetURL(QLatin1String(kSupportMailUrl));
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CAbout::~CAbout() = default;

void CAbout::setUrlOpener(const UrlOpener& opener) {
    ui_->webLink->setOpener(opener);
    ui_->supportLink->setOpener(opener);
}

}  // namespace lq
