#include "selftest/CTestResults.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidgetItem>
#include <algorithm>

#include "selftest/core/TestOptions.h"
#include "selftest/core/TestResults.h"
#include "ui/Pictures.h"
#include "ui_CTestResults.h"

namespace lq {

namespace {
constexpr int kFaceSize = 96;
constexpr qreal kSmallTextScale = 0.85;
// The review grows with its texts up to this width, and shows this many rows at least and at
// most before it scrolls.
constexpr int kReviewMaxWidth = 720;
constexpr int kReviewMinRows = 3;
constexpr int kReviewMaxRows = 10;
constexpr int kReviewColumns = 3;
constexpr int kColumnGap = 16;

// What an unanswered question shows in place of an answer; set in italics, so that it can't be
// taken for an answer that was typed.
QTreeWidgetItem* reviewItem(const CTestResults::MistakeRow& mistake) {
    auto* item = new QTreeWidgetItem({mistake.question,
                                      mistake.given.value_or(QStringLiteral("not answered")),
                                      mistake.rightAnswer});
    if (!mistake.given) {
        QFont italic = item->font(1);
        italic.setItalic(true);
        item->setFont(1, italic);
    }
    return item;
}

// Wide enough for every text, and as tall as its rows, within the limits above.
void fitToContents(QTreeWidget* list) {
    int width = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < kReviewColumns; ++column) {
        list->resizeColumnToContents(column);
        list->setColumnWidth(column, list->columnWidth(column) + kColumnGap);
        width += list->columnWidth(column);
    }
    const int rows = std::clamp(list->topLevelItemCount(), kReviewMinRows, kReviewMaxRows);
    const int height = 2 * list->frameWidth() + list->header()->sizeHint().height() +
                       rows * list->sizeHintForRow(0);
    list->setMinimumWidth(std::min(width, kReviewMaxWidth));
    list->setFixedHeight(
        height + (width > kReviewMaxWidth ? list->horizontalScrollBar()->sizeHint().height() : 0));
}

}  // namespace

CTestResults::CTestResults(int32_t rightAnswers, int32_t questionCount, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CTestResults>()) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-single-ok");
    setButtonPicture(ui_->repeatButton, "button-repeat");
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
    showReview(false);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->repeatButton, &QPushButton::clicked, this, [this]() { done(RepeatMistakes); });
}

CTestResults::~CTestResults() = default;

void CTestResults::showMistakes(const std::vector<MistakeRow>& mistakes) {
    QTreeWidget* list = ui_->mistakesList;
    list->clear();
    for (const MistakeRow& mistake : mistakes) {
        list->addTopLevelItem(reviewItem(mistake));
    }
    if (!mistakes.empty()) {
        fitToContents(list);
    }
    showReview(!mistakes.empty());
}

void CTestResults::showReview(bool shown) {
    ui_->mistakesLabel->setVisible(shown);
    ui_->mistakesList->setVisible(shown);
    ui_->repeatButton->setVisible(shown);
}

QByteArray CTestResults::facePictureName(int picture) {
    return QStringLiteral("face-%1").arg(picture, 2, 10, QLatin1Char('0')).toLatin1();
}

}  // namespace lq
