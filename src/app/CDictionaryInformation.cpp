#include "app/CDictionaryInformation.h"

#include "app/core/InfoText.h"
#include "store/Dictionary.h"
#include "store/Protection.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CDictionaryInformation.h"

namespace lq {

CDictionaryInformation::CDictionaryInformation(const Dictionary& dictionary, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CDictionaryInformation>()) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-single-ok");
    connect(ui_->okButton, &QPushButton::clicked, this, &CDictionaryInformation::accept);
    const DictionaryHeader& header = dictionary.header;
    ui_->typeField->setText(displayText(std::string_view(header.signature, 3)));
    ui_->createdField->setText(QString::fromStdString(formatDateTime(header.created)));
    ui_->languageCountField->setText(QString::number(dictionary.languages.size()));
    ui_->themeCountField->setText(QString::number(dictionary.themes.size()));
    ui_->wordCountField->setText(QString::number(dictionary.words.size()));
    ui_->protectionField->setText(isProtected(header) ? QStringLiteral("< enabled >")
                                                      : QStringLiteral("< disabled >"));
    ui_->fileSizeField->setText(QString::number(fileSize(dictionary)));
}

CDictionaryInformation::~CDictionaryInformation() = default;

}  // namespace lq
