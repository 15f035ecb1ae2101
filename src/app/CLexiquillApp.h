// The program's life around its main window: the dictionary is loaded when the window opens
// and saved, if the user agrees, when it closes. Meanwhile a recovery copy keeps the changes
// that are not saved yet.
#pragma once

#include <memory>
#include <string>

#include "app/HelpPage.h"
#include "store/Clock.h"
#include "store/DictionaryStore.h"
#include "store/TestRandom.h"

namespace lq {

class CMainDialog;
class DialogReporter;
class DictionaryLock;
class RecoveryKeeper;
class StartupRead;

class CLexiquillApp {
  public:
    // The program as main() starts it: messages in the message dialogs, the system's clock; the
    // folder, the lock and the dictionary's read come from the start-up's reader, which must
    // outlive run().
    explicit CLexiquillApp(StartupRead& startup);
    // The dictionary's path is resolved once, before anything can change the working folder.
    CLexiquillApp(std::string dictionaryPath, Reporter& reporter, const Clock& clock);
    ~CLexiquillApp();

    // Runs the main window until the user leaves; the returned value ends the process.
    int run();

    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    TestRandom& random() { return random_; }

  private:
    enum class ExitSave {
        Done,         // saved, or the user chose to leave without saving
        Failed,       // the save was tried and failed
        NotReplaced,  // the user kept the file another program wrote
    };

    // False, after the message, when another Lexiquill has the dictionary open.
    bool lockDictionary();
    void seedRandom();
    ExitSave saveOnExit(CMainDialog& window);
    // The changes did not reach the dictionary file: they go into the recovery copy or, when it
    // can't be written, wherever the user saves them; only the user's word drops them.
    void rescueChanges(CMainDialog& window, RecoveryKeeper& recovery);
    bool saveElsewhere(CMainDialog& window);

    SystemClock systemClock_;
    std::unique_ptr<DialogReporter> dialogReporter_;
    Reporter& reporter_;
    const Clock& clock_;
    TestRandom random_;
    DictionaryStore store_;
    // Held from start-up to the end of the process.
    std::unique_ptr<DictionaryLock> lock_;
    StartupRead* startup_ = nullptr;
    UrlOpener urlOpener_ = desktopUrlOpener();
};

}  // namespace lq
