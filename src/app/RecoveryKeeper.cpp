#include "app/RecoveryKeeper.h"

#include "app/UndoHistory.h"
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
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
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
    timer_.stop();
    if (!unsavedChanges()) {
        copy_.remove();
        return;
    }
    // A copy that cannot be written now is tried again after the next change.
    if (write()) {
        failureTold_ = false;
    } else if (!failureTold_) {
        failureTold_ = true;
        reporter_.showInformation(cantKeepCopyMessage(copy_.writeError(), copy_.path()));
    }
}

bool RecoveryKeeper::write() {
    return copy_.write(store_.currentDictionary);
}

void RecoveryKeeper::finish() {
    timer_.stop();
    copy_.remove();
}

bool RecoveryKeeper::keep() {
    timer_.stop();
    return write();
}

}  // namespace lq
