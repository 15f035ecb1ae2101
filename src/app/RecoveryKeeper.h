// Keeps the recovery copy while the dictionary in memory holds changes its file does not: the
// copy is written a moment after the last change and removed when the program ends normally.
// At start-up, a copy left by a run that did not end so is offered back.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>

#include "store/CopyWriter.h"
#include "store/RecoveryCopy.h"

namespace lq {

class DictionaryStore;
class Reporter;
class UndoHistory;

// The notice shown when the copy can't be written, with the reason in words.
std::string cantKeepCopyMessage(int error, const std::string& copyPath);

class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    // How long after the last change the copy is written.
    static constexpr int kDelayMilliseconds = 2000;

    RecoveryKeeper(DictionaryStore& store, Reporter& reporter, QObject* parent = nullptr);

    // Before the dictionary is loaded: a copy newer than the file is offered, a damaged one is
    // discarded with a notice, an old one silently. True when the user took the copy, which is
    // then the dictionary in memory; its file is still written only on exit.
    bool offerRestore();
    // Keeps the copy in step with the changes in `history` from now on.
    void watch(const UndoHistory& history);

    // Writes the copy now while there are unsaved changes, and removes it when there are none,
    // and waits until it is done. Tests call it instead of waiting for the timer.
    void writeNow();
    bool writePending() const { return timer_.isActive(); }
    // A copy is being written in the background.
    bool writing() const { return writer_.running(); }

    // The program ends normally and the changes were saved or given up: the copy goes.
    void finish();
    // The program ends without its changes in the dictionary file (the save failed, or the user
    // would not replace a file another program wrote): the copy is brought up to date and kept
    // for the next start. False when it could not be written.
    bool keep();

    // The dictionary in memory holds changes that its file does not.
    bool unsavedChanges() const;

    const RecoveryCopy& copy() const { return copy_; }

  private:
    // The timer's work: the copy is written by a child process while the window goes on.
    void startWriting();
    void writeEnded();
    void stopWriting();
    void tell(int error);

    DictionaryStore& store_;
    Reporter& reporter_;
    RecoveryCopy copy_;
    const UndoHistory* history_ = nullptr;
    // The dictionary in memory came from the copy, so it differs from its file from the start.
    bool restored_ = false;
    // The dictionary has changed ahead of a step the history has not got yet.
    bool stepPending_ = false;
    // A failure to write the copy has been told; the next is told again only after a success.
    bool failureTold_ = false;
    QTimer timer_;
    CopyWriter writer_;
    std::unique_ptr<QSocketNotifier> writeDone_;
    // Changes came while a copy was being written: another follows it.
    bool rewrite_ = false;
};

}  // namespace lq
