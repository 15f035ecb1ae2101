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
    CTest(Dictionary& dictionary, TestWords testWords, TestRandom& random, const Clock& clock,
          Reporter& reporter, QWidget* parent = nullptr);
    ~CTest() override;

    const TestRun& run() const { return run_; }

  public slots:
    // The clock's second; the timer calls it once a second while the time is limited.
    void tick();
    void done(int result) override;

  private:
    void showFilters();
    void showQuestion();
    void showAnswers();
    void enableAnswer();
    void answerSelected();
    void answerWith(const QListWidgetItem* item);
    void timeUp();
    void finish();

    std::unique_ptr<Ui::CTest> ui_;
    Dictionary& dictionary_;
    Reporter& reporter_;
    TestRun run_;
    TestCountdown countdown_;
    QTimer clockTimer_;
};

}  // namespace lq
