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

class CLexiquillApp {
  public:
    // The program itself: messages in the message dialogs, the system's clock. The path is
    // resolved once, before anything can change the working folder.
    explicit CLexiquillApp(std::string dictionaryPath);
    CLexiquillApp(std::string dictionaryPath, Reporter& reporter, const Clock& clock);
    ~CLexiquillApp();

    // Runs the main window until the user leaves; the returned value ends the process.
    int run();

    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    TestRandom& random() { return random_; }

  private:
    void seedRandom();
    // False when a save was tried and failed.
    bool saveOnExit(CMainDialog& window);

    SystemClock systemClock_;
    std::unique_ptr<DialogReporter> dialogReporter_;
    Reporter& reporter_;
    const Clock& clock_;
    TestRandom random_;
    DictionaryStore store_;
    UrlOpener urlOpener_ = desktopUrlOpener();
};

}  // namespace lq
