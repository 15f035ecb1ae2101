#include "selftest/CTest.h"

#include <QListWidgetItem>
#include <string>
#include <utility>
#include <vector>

#include "selftest/CTestResults.h"
#include "selftest/core/TestOptions.h"
#include "store/Reporter.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CTest.h"

namespace lq {

namespace {

constexpr int kTickMs = 1000;
constexpr int kStatusPictureSize = 32;
constexpr const char* kNoTime = "--:--";
// An entry keeps the bytes of its answer, so that it is judged by those and not by the text
// shown for them.
constexpr int kAnswerBytesRole = Qt::UserRole;

QString twoDigits(int32_t count) {
    return QString::fromStdString(formatTwoDigits(static_cast<uint32_t>(count)));
}

QString counterText(int32_t current, int32_t total) {
    return twoDigits(current) + QLatin1Char('/') + twoDigits(total);
}

// The offered texts in the list's order, each with its position among `offered`.
std::vector<NamedIndex> listOrder(const std::vector<std::string>& offered) {
    std::vector<NamedIndex> entries;
    for (std::size_t i = 0; i < offered.size(); ++i) {
        entries.push_back({displayText(offered[i]), static_cast<int32_t>(i)});
    }
    sortIgnoringCase(entries);
    return entries;
}

}  // namespace

CTest::CTest(Dictionary& dictionary, TestWords testWords, TestRandom& random, const Clock& clock,
             Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CTest>()),
      dictionary_(dictionary),
      reporter_(reporter),
      run_(dictionary, std::move(testWords), random, clock),
      clockTimer_(this) {
    ui_->setupUi(this);
    setLabelPicture(ui_->counterPicture, "test-questions", kStatusPictureSize);
    setLabelPicture(ui_->clockPicture, "test-clock", kStatusPictureSize);
    setButtonPicture(ui_->answerButton, "button-answer");
    ui_->clock->setText(QLatin1String(kNoTime));
    showFilters();
    connect(ui_->variantsList, &QListWidget::itemSelectionChanged, this, &CTest::enableAnswer);
    connect(ui_->variantsList, &QListWidget::itemDoubleClicked, this, &CTest::answerWith);
    connect(ui_->answerButton, &QPushButton::clicked, this, &CTest::answerSelected);
    clockTimer_.setObjectName("clockTimer");
    connect(&clockTimer_, &QTimer::timeout, this, &CTest::tick);
    const DictionaryHeader& header = dictionary_.header;
    countdown_.start(header.limitTestTime(), timeLimitSeconds(header));
    if (header.limitTestTime()) {
        clockTimer_.start(kTickMs);
        tick();
    }
    showQuestion();
}

CTest::~CTest() = default;

void CTest::showFilters() {
    ui_->themeField->setText(displayText(themeFilterText(dictionary_)));
    ui_->languageField->setText(displayText(languageFilterText(dictionary_)));
}

void CTest::showQuestion() {
    ui_->questionCounter->setText(counterText(run_.questionIndex() + 1, run_.questionCount()));
    ui_->questionField->setText(displayText(run_.questionText()));
    showAnswers();
    ui_->answerButton->setEnabled(false);
}

void CTest::showAnswers() {
    QListWidget* list = ui_->variantsList;
    list->clear();
    const std::vector<std::string> offered = run_.offeredAnswers();
    for (const NamedIndex& entry : listOrder(offered)) {
        auto* item = new QListWidgetItem(entry.text, list);
        item->setData(kAnswerBytesRole,
                      QByteArray::fromStdString(offered[static_cast<std::size_t>(entry.index)]));
    }
}

void CTest::enableAnswer() {
    ui_->answerButton->setEnabled(!ui_->variantsList->selectedItems().isEmpty());
}

void CTest::answerSelected() {
    const QList<QListWidgetItem*> selected = ui_->variantsList->selectedItems();
    if (!selected.isEmpty()) {
        answerWith(selected.front());
    }
}

void CTest::answerWith(const QListWidgetItem* item) {
    if (item == nullptr || run_.finished()) {
        return;
    }
    run_.answer(item->data(kAnswerBytesRole).toByteArray().toStdString());
    if (run_.finished()) {
        finish();
    } else {
        showQuestion();
    }
}

void CTest::tick() {
    switch (countdown_.tick()) {
        case TestCountdown::Tick::Nothing:
            break;
        case TestCountdown::Tick::Shown:
            ui_->clock->setText(QString::fromStdString(
                formatMinutesSeconds(static_cast<uint32_t>(countdown_.secondsLeft()))));
            break;
        case TestCountdown::Tick::TimeUp:
            timeUp();
            break;
    }
}

void CTest::timeUp() {
    reporter_.showInformation("Sorry, but time is up!");
    finish();
}

void CTest::finish() {
    accept();
    CTestResults results(run_.rightAnswers(), run_.questionCount(), parentWidget());
    results.exec();
}

void CTest::done(int result) {
    // The clock goes with the window, whichever way it closes.
    clockTimer_.stop();
    QDialog::done(result);
}

}  // namespace lq
