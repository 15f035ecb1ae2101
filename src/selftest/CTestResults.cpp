#include "selftest/CTestResults.h"

#include "selftest/core/TestOptions.h"
#include "selftest/core/TestResults.h"
#include "ui/Pictures.h"
#include "ui_CTestResults.h"

namespace lq {

namespace {
constexpr int kFaceSize = 96;
constexpr qreal kSmallTextScale = 0.85;
}  // namespace

CTestResults::CTestResults(int32_t rightAnswers, int32_t questionCount, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CTestResults>()) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-single-ok");
    const int32_t percent = percentRight(rightAnswers, questionCount);
    ui_->correctField->setText(QString::fromStdString(formatCount(uint32_t(rightAnswers))));
    ui_->incorrectField->setText(
        QString::fromStdString(formatCount(uint32_t(questionCount - rightAnswers))));
    ui_->knowledgeBar->setValue(percent);
    ui_->percentText->setText(QStringLiteral("%1%").arg(percent));
    QFont small = ui_->percentText->font();
    small.setPointSizeF(small.pointSizeF() * kSmallTextScale);
    ui_->percentText->setFont(small);
    setLabelPicture(ui_->pictureLabel, facePictureName(resultPicture(percent)).constData(),
                    kFaceSize);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CTestResults::~CTestResults() = default;

QByteArray CTestResults::facePictureName(int picture) {
    return QStringLiteral("face-%1").arg(picture, 2, 10, QLatin1Char('0')).toLatin1();
}

}  // namespace lq
