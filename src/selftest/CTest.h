// "Test": asks the questions of one test, one at a time, against the clock when the time is
// limited, and ends with the results.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "selftest/core/TestCountdown.h"
#include "selftest/core/TestRun.h"

namespace Ui {
class CTest;
}

class QListWidgetItem;

namespace lq {

class Reporter;

class CTest : public QDialog {
    Q_OBJECT
  public:
    // Every answer counts in `dictionary` at once; ending early keeps the answers given.
    // `reporter` tells the user when the time is up. All references must outlive the dialog.
    // The header's answer settings decide whether answers are picked from variants or typed.
    CTest(Dictionary& dictionary, TestWords testWords, TestRandom& random, const Clock& clock,
          Reporter& reporter, QWidget* parent = nullptr);
    ~CTest() override;

    const TestRun& run() const { return run_; }
    // The words to ask again when the learner chose to repeat the mistakes from the results;
    // empty otherwise.
    const TestWords& wordsToRepeat() const { return wordsToRepeat_; }

  signals:
    // An answer has just been counted in the dictionary.
    void answerCounted();

  public slots:
    // The clock's second; the timer calls it once a second while the time is limited.
    void tick();
    void done(int result) override;

  protected:
    // The digit keys 1 to 9 in the variants list answer with the entry at that place.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showAnswerWay();
    void showFilters();
    void showQuestion();
    void showAnswers();
    void clearTypedAnswer();
    void enableAnswer();
    void answerSelected();
    void answerWith(const QListWidgetItem* item);
    void answerTyped();
    void showRightAnswer(const QString& rightAnswer);
    void nextQuestion();
    void timeUp();
    void finish();

    std::unique_ptr<Ui::CTest> ui_;
    Dictionary& dictionary_;
    Reporter& reporter_;
    TestRun run_;
    TestCountdown countdown_;
    QTimer clockTimer_;
    const bool typed_;
    // A wrong typed answer shows the right one until the learner moves on.
    bool showingRightAnswer_ = false;
    TestWords wordsToRepeat_;
};

}  // namespace lq
