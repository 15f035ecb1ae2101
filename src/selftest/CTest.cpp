#include "selftest/CTest.h"

#include <QKeyEvent>
#include <QListWidgetItem>
#include <string>
#include <utility>
#include <vector>

#include "selftest/CTestResults.h"
#include "selftest/core/TestOptions.h"
#include "selftest/core/TestReview.h"
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
constexpr int kRightAnswerLines = 2;
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

// 0 to 8 for the keys 1 to 9 (of the main keys or the keypad, without other modifiers); -1 for
// any other key.
int listPlaceOfKey(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return -1;
    }
    return key.key() >= Qt::Key_1 && key.key() <= Qt::Key_9 ? key.key() - Qt::Key_1 : -1;
}

// The results' review: what each question that went wrong asked and wanted.
std::vector<CTestResults::MistakeRow> reviewOf(const Dictionary& dictionary,
                                               const std::vector<Mistake>& mistakes) {
    const uint8_t mode = dictionary.header.testMode;
    std::vector<CTestResults::MistakeRow> rows;
    for (const Mistake& mistake : mistakes) {
        const WordRecord& word = dictionary.words.at(static_cast<std::size_t>(mistake.word));
        CTestResults::MistakeRow row{displayText(questionText(word, mode)), std::nullopt,
                                     displayText(answerText(word, mode))};
        if (mistake.given) {
            row.given = displayText(*mistake.given);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

CTest::CTest(Dictionary& dictionary, TestWords testWords, TestRandom& random, const Clock& clock,
             Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CTest>()),
      dictionary_(dictionary),
      reporter_(reporter),
      run_(dictionary, std::move(testWords), random, clock),
      clockTimer_(this),
      typed_(dictionary.header.typedAnswers()) {
    ui_->setupUi(this);
    setLabelPicture(ui_->counterPicture, "test-questions", kStatusPictureSize);
    setLabelPicture(ui_->clockPicture, "test-clock", kStatusPictureSize);
    setButtonPicture(ui_->answerButton, "button-answer");
    ui_->clock->setText(QLatin1String(kNoTime));
    showFilters();
    showAnswerWay();
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

// Either the variants list or the field for a typed answer, with what the learner uses on it.
void CTest::showAnswerWay() {
    ui_->variantsLabel->setVisible(!typed_);
    ui_->variantsList->setVisible(!typed_);
    ui_->typedAnswerLabel->setVisible(typed_);
    ui_->typedAnswerEdit->setVisible(typed_);
    ui_->rightAnswerText->setVisible(typed_);
    if (typed_) {
        ui_->rightAnswerText->setMinimumHeight(ui_->rightAnswerText->fontMetrics().lineSpacing() *
                                               kRightAnswerLines);
        connect(ui_->typedAnswerEdit, &QLineEdit::textChanged, this, &CTest::enableAnswer);
        connect(ui_->answerButton, &QPushButton::clicked, this, &CTest::answerTyped);
    } else {
        ui_->variantsList->setToolTip(
            QStringLiteral("The keys 1 to 9 answer with the entry at that place."));
        ui_->variantsList->installEventFilter(this);
        connect(ui_->variantsList, &QListWidget::itemSelectionChanged, this, &CTest::enableAnswer);
        connect(ui_->variantsList, &QListWidget::itemDoubleClicked, this, &CTest::answerWith);
        connect(ui_->answerButton, &QPushButton::clicked, this, &CTest::answerSelected);
    }
}

void CTest::showFilters() {
    ui_->themeField->setText(displayText(themeFilterText(dictionary_)));
    ui_->languageField->setText(displayText(languageFilterText(dictionary_)));
}

void CTest::showQuestion() {
    ui_->questionCounter->setText(counterText(run_.questionIndex() + 1, run_.questionCount()));
    ui_->questionField->setText(displayText(run_.questionText()));
    if (typed_) {
        clearTypedAnswer();
    } else {
        showAnswers();
    }
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

void CTest::clearTypedAnswer() {
    showingRightAnswer_ = false;
    ui_->rightAnswerText->clear();
    ui_->typedAnswerEdit->clear();
    ui_->typedAnswerEdit->setReadOnly(false);
    ui_->typedAnswerEdit->setFocus();
}

void CTest::enableAnswer() {
    if (typed_) {
        ui_->answerButton->setEnabled(showingRightAnswer_ ||
                                      !ui_->typedAnswerEdit->text().trimmed().isEmpty());
    } else {
        ui_->answerButton->setEnabled(!ui_->variantsList->selectedItems().isEmpty());
    }
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
    emit answerCounted();
    nextQuestion();
}

// Enter or "&Answer": judges the typed text, or, while a right answer is shown, moves on.
void CTest::answerTyped() {
    if (showingRightAnswer_) {
        nextQuestion();  // the last answer may have been the wrong one: then this finishes
        return;
    }
    const QString typed = ui_->typedAnswerEdit->text();
    if (typed.trimmed().isEmpty() || run_.finished()) {
        return;
    }
    const QString rightAnswer = displayText(run_.rightAnswerText());
    const bool right = run_.answerTyped(storedText(typed));
    emit answerCounted();
    if (right) {
        nextQuestion();
    } else {
        showRightAnswer(rightAnswer);
    }
}

void CTest::showRightAnswer(const QString& rightAnswer) {
    showingRightAnswer_ = true;
    ui_->typedAnswerEdit->setReadOnly(true);
    ui_->rightAnswerText->setText(QStringLiteral("Right answer: %1").arg(rightAnswer));
    enableAnswer();
}

void CTest::nextQuestion() {
    if (run_.finished()) {
        finish();
    } else {
        showQuestion();
    }
}

bool CTest::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->variantsList && event->type() == QEvent::KeyPress) {
        const int place = listPlaceOfKey(*static_cast<QKeyEvent*>(event));
        if (place >= 0) {
            answerWith(ui_->variantsList->item(place));  // none past the last entry
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
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
    const std::vector<Mistake> mistakes = mistakesOf(run_);
    CTestResults results(run_.rightAnswers(), run_.questionCount(), parentWidget());
    results.showMistakes(reviewOf(dictionary_, mistakes));
    if (results.exec() == CTestResults::RepeatMistakes) {
        wordsToRepeat_ = wordsOf(mistakes);
    }
}

void CTest::done(int result) {
    // The clock goes with the window, whichever way it closes.
    clockTimer_.stop();
    QDialog::done(result);
}

}  // namespace lq
