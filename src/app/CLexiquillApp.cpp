#include "app/CLexiquillApp.h"

#include "app/CMainDialog.h"
#include "app/DialogReporter.h"
#include "app/RecoveryKeeper.h"
#include "store/Protection.h"
#include "ui/CPasswordProtection.h"

namespace lq {

CLexiquillApp::CLexiquillApp(std::string dictionaryPath)
    : dialogReporter_(std::make_unique<DialogReporter>()),
      reporter_(*dialogReporter_),
      clock_(systemClock_),
      store_(std::move(dictionaryPath), reporter_, clock_) {}

CLexiquillApp::CLexiquillApp(std::string dictionaryPath, Reporter& reporter, const Clock& clock)
    : reporter_(reporter), clock_(clock), store_(std::move(dictionaryPath), reporter_, clock_) {}

CLexiquillApp::~CLexiquillApp() = default;

int CLexiquillApp::run() {
    CMainDialog window(store_, random_);
    window.setUrlOpener(urlOpener_);
    if (dialogReporter_) {
        dialogReporter_->setParentWidget(&window);
    }
    // A child of the window, where tests find it.
    RecoveryKeeper recovery(store_, reporter_, &window);
    const bool restored = recovery.offerRestore();
    if (restored) {
        window.ResetView();
    }
    // A failed load has shown its message; the window then never opens and nothing is saved.
    if (restored || window.loadDictionary()) {
        recovery.watch(window.history());
        seedRandom();
        window.exec();
        const bool saveFailed = window.updateOnExit() && !saveOnExit(window);
        recovery.finish(saveFailed);
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

bool CLexiquillApp::saveOnExit(CMainDialog& window) {
    if (isProtected(store_.currentDictionary.header)) {
        CPasswordProtection prompt(store_.currentDictionary.header, reporter_, &window);
        if (prompt.exec() != QDialog::Accepted) {
            return true;  // the user chose to leave without saving
        }
    }
    if (!store_.saveDictionary()) {
        reporter_.showError("Error saving dictionary.",
                            "Changes not saved. I/O error occures. Try to remove "
                            "write-protection.");
        return false;
    }
    return true;
}

}  // namespace lq
