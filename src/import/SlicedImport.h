// An import run driven a slice at a time from the event loop, so that the window keeps drawing
// and a stop gets through while the run itself dispatches nothing. It owns the run and the
// recording the run works through, so that a run, finished or stopped, becomes one step of the
// change log. `Run` is ImportRun or CsvImportRun: step(n), stop(), finished().
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "import/core/RecordingEdits.h"
#include "store/Reporter.h"

namespace lq {

// Passes everything on, and brings the progress up to date before a notice: a run shows its
// summary from inside its last step, which would otherwise find the bar a slice behind.
class ProgressFirstReporter final : public Reporter {
  public:
    ProgressFirstReporter(Reporter& shown, std::function<void()> showProgress)
        : shown_(shown), showProgress_(std::move(showProgress)) {}

    void showError(std::string_view message, std::string_view howToFix) override {
        shown_.showError(message, howToFix);
    }
    void showInformation(std::string_view message) override {
        showProgress_();
        shown_.showInformation(message);
    }
    bool askWarning(std::string_view message, bool yesNo) override {
        return shown_.askWarning(message, yesNo);
    }
    void showNewDictionary(std::string_view message) override { shown_.showNewDictionary(message); }

  private:
    Reporter& shown_;
    std::function<void()> showProgress_;
};

template <typename Run>
class SlicedImport {
  public:
    // A run's messages go to `reporter`. `showProgress` is told after each slice and before the
    // summary; `ended` once a run has ended and is gone, after its summary was shown.
    SlicedImport(Reporter& reporter, int32_t itemsBetweenClockReads,
                 std::function<void(const Run&)> showProgress, std::function<void()> ended)
        : reporter_(reporter,
                    [this] {
                        if (run_ != nullptr) {
                            showProgress_(*run_);
                        }
                    }),
          itemsBetweenClockReads_(itemsBetweenClockReads),
          showProgress_(std::move(showProgress)),
          ended_(std::move(ended)) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { runSlice(); });
    }

    // A slice takes items for this long before the window gets its events again.
    void setSliceMilliseconds(qint64 milliseconds) { sliceMilliseconds_ = milliseconds; }

    bool running() const { return run_ != nullptr; }
    const Run& run() const { return *run_; }

    // `makeRun(edits, reporter)` makes the run on the edits and reporter it is given; the edits
    // record it as the step `stepName`. Its first slice comes from the event loop.
    template <typename MakeRun>
    void start(ChangeLog& log, std::string stepName, MakeRun makeRun) {
        recording_ = std::make_unique<RecordingEdits>(log, std::move(stepName));
        run_ =
            makeRun(static_cast<DictionaryEdits&>(*recording_), static_cast<Reporter&>(reporter_));
        timer_.start(0);
    }

    // Ends a running import before its next slice: the run shows its summary and ends.
    void stop() {
        if (!running()) {
            return;
        }
        // No slice may start while the summary is shown.
        timer_.stop();
        run_->stop();
        end();
    }

  private:
    // Takes items until the slice's time is up; the summary shows from inside the last step.
    void runSlice() {
        QElapsedTimer slice;
        slice.start();
        while (!run_->step(itemsBetweenClockReads_) && slice.elapsed() < sliceMilliseconds_) {
        }
        // Told once a slice, not once an item: a bar repaints on every change.
        showProgress_(*run_);
        if (run_->finished()) {
            end();
        } else {
            timer_.start(0);
        }
    }

    // The run goes before its recording, which then hands the step to the log.
    void end() {
        run_.reset();
        recording_.reset();
        ended_();
    }

    ProgressFirstReporter reporter_;
    int32_t itemsBetweenClockReads_;
    std::function<void(const Run&)> showProgress_;
    std::function<void()> ended_;
    std::unique_ptr<RecordingEdits> recording_;
    std::unique_ptr<Run> run_;
    QTimer timer_;
    qint64 sliceMilliseconds_ = 30;
};

}  // namespace lq
