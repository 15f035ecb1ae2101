#include "app/RecoveryKeeper.h"

#include "app/UndoHistory.h"

#include <utility>
#include "store/DictionaryStore.h"
#include "store/FileErrorReason.h"

namespace lq {

namespace {

constexpr std::string_view kRestoreQuestion =
    "Lexiquill was not closed properly last time. Restore the changes that were not saved?";
constexpr std::string_view kDamagedCopy =
    "The copy of the changes that were not saved last time is damaged and cannot be restored. "
    "It has been discarded.";

}  // namespace

std::string cantKeepCopyMessage(int error, const std::string& copyPath) {
    return "Lexiquill can't keep a copy of your unsaved changes: " +
           fileErrorReason(error, copyPath) +
           ". If Lexiquill ended unexpectedly now, they would be lost.";
}

RecoveryKeeper::RecoveryKeeper(DictionaryStore& store, Reporter& reporter, QObject* parent)
    : QObject(parent),
      store_(store),
      reporter_(reporter),
      copy_(store.folder()),
      timer_(this) {
    setObjectName("recoveryKeeper");
    timer_.setObjectName("recoveryTimer");
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::startWriting);
}

bool RecoveryKeeper::offerRestore() {
    if (copy_.state() != RecoveryCopy::State::Newer) {
        // None, one from before the file was last saved, or a file this program did not write
        // (which goes only when it is the user's own).
        copy_.remove();
        return false;
    }
    Dictionary restored;
    if (copy_.read(restored) != LoadStatus::Loaded) {
        reporter_.showInformation(kDamagedCopy);
        copy_.remove();
        return false;
    }
    if (!reporter_.askWarning(kRestoreQuestion, true)) {
        copy_.remove();
        return false;
    }
    store_.currentDictionary = std::move(restored);
    store_.dictionaryLoaded = true;
    store_.rememberFileOnDisk();
    restored_ = true;
    return true;
}

void RecoveryKeeper::watch(const UndoHistory& history) {
    history_ = &history;
    // Each change starts the wait afresh, so a run of quick edits is written once.
    connect(&history, &UndoHistory::changed, &timer_, [this] {
        stepPending_ = false;  // the step has come, and the history tells the rest
        timer_.start(kDelayMilliseconds);
    });
    // A test's answers are in the dictionary long before its step: they are copied as they come.
    connect(&history, &UndoHistory::stepPending, &timer_, [this] {
        stepPending_ = true;
        timer_.start(kDelayMilliseconds);
    });
}

bool RecoveryKeeper::unsavedChanges() const {
    return restored_ || stepPending_ || (history_ != nullptr && !history_->isClean());
}

void RecoveryKeeper::writeNow() {
    startWriting();
    while (writer_.running()) {
        writeEnded();
    }
}

void RecoveryKeeper::startWriting() {
    timer_.stop();
    if (writer_.running()) {
        // One write at a time, so an older copy can never land after a newer one.
        rewrite_ = true;
        return;
    }
    if (!unsavedChanges()) {
        copy_.remove();
        return;
    }
    writer_.start(copy_, store_.currentDictionary);
    if (!writer_.running()) {
        tell(writer_.finish());
        return;
    }
    writeDone_ = std::make_unique<QSocketNotifier>(writer_.doneFd(), QSocketNotifier::Read);
    connect(writeDone_.get(), &QSocketNotifier::activated, this, &RecoveryKeeper::writeEnded);
}

void RecoveryKeeper::writeEnded() {
    writeDone_.reset();
    tell(writer_.finish());
    if (std::exchange(rewrite_, false)) {
        startWriting();
    }
}

// A copy that cannot be written now is tried again after the next change.
void RecoveryKeeper::tell(int error) {
    if (error == 0) {
        failureTold_ = false;
    } else if (!failureTold_) {
        failureTold_ = true;
        reporter_.showInformation(cantKeepCopyMessage(error, copy_.path()));
    }
}

// What a write under way makes of the copy no longer matters, but it must not land afterwards.
void RecoveryKeeper::stopWriting() {
    timer_.stop();
    writeDone_.reset();
    rewrite_ = false;
    writer_.finish();
}

void RecoveryKeeper::finish() {
    stopWriting();
    copy_.remove();
}

bool RecoveryKeeper::keep() {
    stopWriting();
    return copy_.write(store_.currentDictionary);
}

}  // namespace lq
