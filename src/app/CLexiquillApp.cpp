#include "app/CLexiquillApp.h"

#include "app/CMainDialog.h"
#include "app/DialogReporter.h"
#include "app/RecoveryKeeper.h"
#include "app/StartupRead.h"
#include "store/AtomicFile.h"
#include "store/DictionaryLock.h"
#include "store/Protection.h"
#include "ui/CPasswordProtection.h"

#include <QDir>
#include <QFile>

namespace lq {

namespace {

constexpr std::string_view kOpenElsewhere =
    "The dictionary is open in another Lexiquill window. Close that window first, then start "
    "Lexiquill again.";
constexpr std::string_view kSaveElsewhereTitle = "Save the dictionary elsewhere";
constexpr std::string_view kLoseChanges =
    "Your changes have not been saved anywhere. Leave Lexiquill and lose them?";

std::string changedOnDiskQuestion(std::string_view name) {
    std::string text(name);
    text += " was changed by another program after Lexiquill opened it. Replace it with the "
            "dictionary you have been working on?";
    return text;
}

std::string changesKeptMessage(const std::string& copyPath) {
    return "Your changes are kept in \"" + copyPath +
           "\". The next start in that folder offers them back.";
}

}  // namespace

CLexiquillApp::CLexiquillApp(StartupRead& startup)
    : dialogReporter_(std::make_unique<DialogReporter>()),
      reporter_(*dialogReporter_),
      clock_(systemClock_),
      store_(startup.takeFolder(), reporter_, clock_),
      lock_(startup.takeLock()),
      startup_(&startup) {}

CLexiquillApp::CLexiquillApp(std::string dictionaryPath, Reporter& reporter, const Clock& clock)
    : reporter_(reporter), clock_(clock), store_(std::move(dictionaryPath), reporter_, clock_) {}

CLexiquillApp::~CLexiquillApp() = default;

int CLexiquillApp::run() {
    if (!lockDictionary()) {
        return 0;
    }
    CMainDialog window(store_, random_);
    window.setUrlOpener(urlOpener_);
    if (dialogReporter_) {
        dialogReporter_->setParentWidget(&window);
    }
    std::optional<ReadAhead> readAhead;
    if (startup_ != nullptr) {
        readAhead = startup_->takeRead();
    }
    // A child of the window, where tests find it.
    RecoveryKeeper recovery(store_, reporter_, &window);
    const bool restored = recovery.offerRestore();
    if (restored) {
        window.ResetView();
    } else if (readAhead) {
        store_.useReadAhead(std::move(readAhead->file));
        window.presetWordOrder(std::move(readAhead->order));
    }
    // A failed load has shown its message; the window then never opens and nothing is saved.
    if (restored || window.loadDictionary()) {
        recovery.watch(window.history());
        seedRandom();
        window.exec();
        const ExitSave saved = window.updateOnExit() ? saveOnExit(window) : ExitSave::Done;
        if (saved == ExitSave::NotReplaced ||
            (saved == ExitSave::Failed && recovery.unsavedChanges())) {
            rescueChanges(window, recovery);
        } else {
            recovery.finish();
        }
    }
    if (dialogReporter_) {
        dialogReporter_->setParentWidget(nullptr);
    }
    store_.currentDictionary = Dictionary{};
    return 0;
}

// Setting a password draws from the generator, so it must not start the same in every run.
void CLexiquillApp::seedRandom() {
    random_.seed(static_cast<uint32_t>(clock_.secondsSinceEpoch()));
    random_.draw();
}

bool CLexiquillApp::lockDictionary() {
    if (!lock_) {
        lock_ = std::make_unique<DictionaryLock>(store_.folder());
    }
    if (lock_->status() == DictionaryLock::Status::HeldElsewhere) {
        reporter_.showError("Can't load dictionary.", kOpenElsewhere);
        return false;
    }
    return true;
}

CLexiquillApp::ExitSave CLexiquillApp::saveOnExit(CMainDialog& window) {
    if (store_.changedOnDisk() &&
        !reporter_.askWarning(changedOnDiskQuestion(store_.folder().dictionaryName()), true)) {
        return ExitSave::NotReplaced;
    }
    if (isProtected(store_.currentDictionary.header)) {
        CPasswordProtection prompt(store_.currentDictionary.header, reporter_, &window);
        if (prompt.exec() != QDialog::Accepted) {
            return ExitSave::Done;  // the user chose to leave without saving
        }
    }
    if (!store_.saveDictionary()) {
        reporter_.showError("Error saving dictionary.",
                            "Changes not saved. I/O error occures. Try to remove "
                            "write-protection.");
        return ExitSave::Failed;
    }
    return ExitSave::Done;
}

void CLexiquillApp::rescueChanges(CMainDialog& window, RecoveryKeeper& recovery) {
    if (recovery.keep()) {
        reporter_.showInformation(changesKeptMessage(recovery.copy().path()));
        return;
    }
    while (!saveElsewhere(window)) {
        if (reporter_.askWarning(kLoseChanges, true)) {
            return;
        }
    }
}

// False when the user cancelled the file dialog; a save that fails is told and asked again.
bool CLexiquillApp::saveElsewhere(CMainDialog& window) {
    const QString name = QString::fromUtf8(store_.folder().dictionaryName());
    while (true) {
        const FileAnswer answer = window.fileChooser()(
            // Not the working folder: it may be the one that went away.
            &window, {QString::fromUtf8(kSaveElsewhereTitle), QDir::homePath(), name,
                      {QStringLiteral("Lexiquill dictionaries (*.lqd)")}, true});
        if (answer.path.isEmpty()) {
            return false;
        }
        if (store_.saveDictionaryAs(QFile::encodeName(answer.path).toStdString())) {
            return true;
        }
    }
}

}  // namespace lq
