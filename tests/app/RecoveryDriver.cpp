// Runs the real program over a folder and changes the dictionary through its main window, for
// scripts/save-robustness.sh, which kills it and starts it again.
//   lq_recovery_driver prepare FOLDER WORDS EXPECTED  a dictionary of WORDS words in FOLDER, and
//                                                     in EXPECTED what the changes make of it
//   lq_recovery_driver change FOLDER                  the changes, then waits to be killed
//   lq_recovery_driver restore FOLDER                 answers Yes to the recovery question, then
//                                                     leaves (which saves); 3 when not asked
//   lq_recovery_driver exit FOLDER                    the changes, waits for their copy, leaves
// Prints "changed" on stderr once the changes are made.
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/CLexiquillApp.h"
#include "app/CMainDialog.h"
#include "app/RecoveryKeeper.h"
#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/RecoveryCopy.h"
#include "store/TextField.h"
#include "ui/Pictures.h"

namespace lq {
namespace {

constexpr std::string_view kRestoreQuestion = "Lexiquill was not closed properly last time.";

// Answers every question with Yes and notes whether the recovery question was among them.
class YesReporter : public Reporter {
  public:
    void showError(std::string_view message, std::string_view) override { print(message); }
    void showInformation(std::string_view message) override { print(message); }
    bool askWarning(std::string_view message, bool) override {
        askedToRestore =
            askedToRestore || message.substr(0, kRestoreQuestion.size()) == kRestoreQuestion;
        return true;
    }
    void showNewDictionary(std::string_view message) override { print(message); }

    bool askedToRestore = false;

  private:
    static void print(std::string_view message) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
    }
};

class NoonClock : public Clock {
  public:
    SYSTEMTIME localTime() const override { return {2024, 5, 5, 3, 12, 0, 0, 0}; }
    int64_t secondsSinceEpoch() const override { return 1715774400; }
};

std::string dictionaryIn(const char* folder) {
    return DictionaryStore::ownFilePathIn(folder);
}

// Words w00000, w00001, ... in theme 0 and language 0, so the list shows them in table order.
Dictionary prepared(int wordCount) {
    Dictionary d;
    d.header = newDictionaryHeader(NoonClock().localTime());
    d.header.setAskUpdateOnExit(false);
    d.languages = {makeLanguageRecord("English"), makeLanguageRecord("German")};
    d.themes = {makeThemeRecord("Food"), makeThemeRecord("Animals")};
    for (int i = 0; i < wordCount; ++i) {
        WordRecord word{};
        char text[16];
        std::snprintf(text, sizeof text, "w%05d", i);
        setFieldText(word.word, text);
        setFieldText(word.translation, std::string("t") + text);
        word.created = NoonClock().localTime();
        d.words.push_back(word);
    }
    return d;
}

// What the window's changes below make of the prepared dictionary, done by the store alone: the
// first word deleted (the last takes its place), then the word listed first after that, w00001,
// moved to the other theme and the other language.
Dictionary changedByTheWindow(Dictionary d) {
    YesReporter reporter;
    deleteWord(d, 0, reporter);
    d.words[1].themeIndex = 1;
    d.words[1].languageIndex = 1;
    return d;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

int prepare(const char* folder, int wordCount, const char* expectedPath) {
    const Dictionary d = prepared(wordCount);
    return writeFile(dictionaryIn(folder), dictionaryBytes(d)) &&
                   writeFile(expectedPath, dictionaryBytes(changedByTheWindow(d)))
               ? 0
               : 1;
}

// Picks an entry of one of the window's lists as the user does.
void pick(CMainDialog* window, const char* listName, const QString& text) {
    auto* list = window->findChild<QComboBox*>(listName);
    const int index = list->findText(text);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void changeThroughTheWindow(CMainDialog* window) {
    window->findChild<QPushButton*>("deleteButton")->click();
    pick(window, "wordThemeList", "Animals");
    pick(window, "wordLanguageList", "German");
    std::fprintf(stderr, "changed\n");
}

// Runs the program; `inWindow` acts once its main window is open.
int runProgram(const char* folder, YesReporter& reporter,
               const std::function<void(CMainDialog*)>& inWindow) {
    NoonClock clock;
    CLexiquillApp app(dictionaryIn(folder), reporter, clock);
    app.setUrlOpener([](const QUrl&) {});
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<CMainDialog*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            std::fprintf(stderr, "the main window did not open\n");
            std::exit(2);
        }
        inWindow(window);
    });
    return app.run();
}

// Leaves once the recovery copy of the changes is there, as a user who goes on working would.
void leaveOnceCopied(CMainDialog* window, const RecoveryCopy& copy) {
    auto* poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [window, &copy] {
        if (copy.exists()) {
            window->close();
        }
    });
    poll->start(100);
}

}  // namespace
}  // namespace lq

int main(int argc, char** argv) {
    using namespace lq;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "prepare" && argc == 5) {
        return prepare(argv[2], std::atoi(argv[3]), argv[4]);
    }
    if (argc != 3 || (mode != "change" && mode != "restore" && mode != "exit")) {
        std::fprintf(stderr, "usage: see the top of RecoveryDriver.cpp\n");
        return 64;
    }
    QApplication application(argc, argv);
    initResources();
    const char* folder = argv[2];
    YesReporter reporter;
    if (mode == "change") {
        // The program goes on until it is killed.
        return runProgram(folder, reporter, changeThroughTheWindow);
    }
    if (mode == "exit") {
        const DictionaryFolder held(dictionaryIn(folder));
        const RecoveryCopy copy(held);
        return runProgram(folder, reporter, [&](CMainDialog* window) {
            changeThroughTheWindow(window);
            leaveOnceCopied(window, copy);
        });
    }
    const int status = runProgram(folder, reporter, [](CMainDialog* window) { window->close(); });
    return reporter.askedToRestore ? status : 3;
}
