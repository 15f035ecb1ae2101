#include "ui/CHowToUse.h"

#include "ui/Pictures.h"
#include "ui_CHowToUse.h"

namespace lq {

namespace {

// The upper part ends in mid-sentence; the lower part goes on with it.
constexpr const char* kUpperText =
    "\t\tHow to use Lexiquill\n\n\tData organization:\nDictionary - is a file \"Lexiquill.lqd\". "
    "Programm has only one such file. Dictionary contain languages, themes and words. Languages "
    "and themes can be added anytime; word";

constexpr const char* kLowerText =
    "can be added only if present atlast one language and one theme. Adding a language or a "
    "theme will reserve 32 bytes of free disk space; word takes 160 bytes. So, for example, 1000 "
    "words will reserve 1000*160~160Kb.\n\n\tWork organization:\nAdd words as soon as necessary. "
    "When you added alot of words - you may test yourseft. Test can be customized by using "
    "File->Options dialog.\n\n\tPassword-protection organization:\nThe dictionary can be "
    "password-protected. By default it is not protected, but if you want to prevent alien access "
    "- you can set dictionary's password: use File->Options->Password button. In this case "
    "before saving dictionary Lexiquill will ask You for the password.\n\n\t\t\t\t\t\tHave a "
    "nice Lexiquill!";

}  // namespace

CHowToUse::CHowToUse(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CHowToUse>()) {
    ui_->setupUi(this);
    setLabelPicture(ui_->pictureLabel, "lexiquill", 64);
    setButtonPicture(ui_->okButton, "button-single-ok");
    ui_->upperText->setText(QString::fromUtf8(kUpperText));
    ui_->lowerText->setText(QString::fromUtf8(kLowerText));
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CHowToUse::~CHowToUse() = default;

}  // namespace lq
