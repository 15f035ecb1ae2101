// Runs the real program over a folder and changes the dictionary through its main window, for
// scripts/save-robustness.sh, which kills it, starts it again, and changes its files meanwhile.
//   lq_recovery_driver prepare FOLDER WORDS EXPECTED [PASSWORD]
//                               a dictionary of WORDS words in FOLDER (protected by PASSWORD if
//                               given), and in EXPECTED what the changes make of it
//   lq_recovery_driver change FOLDER    the changes, then waits to be killed
//   lq_recovery_driver restore FOLDER   answers Yes to the recovery question, then leaves (which
//                                       saves); 3 when not asked
//   lq_recovery_driver exit FOLDER      the changes, waits for their copy, leaves
//   lq_recovery_driver hold FOLDER [ANSWER...]
//                               the changes, then leaves on SIGUSR1; every question is answered
//                               Yes unless an ANSWER says otherwise:
//                                 keep-theirs      No to replacing a file another program changed
//                                 keep-trying      No to leaving with the changes lost
//                                 choose=PATH      the next file dialog picks PATH (an empty PATH
//                                                  cancels, as does a dialog with no answer left)
//                                 password=PW      typed into the password prompt at the exit
//                                 set-password=PW  set through Options before the changes
// Every mode that runs the program ends with 4 when its main window never opened. Each message
// goes to stderr as a line "error: ", "fix: ", "information: ", "asked: " or "file dialog: "
// followed by its text; "changed" follows the changes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/CLexiquillApp.h"
#include "app/CMainDialog.h"
#include "app/RecoveryKeeper.h"
#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Edits.h"
#include "store/Protection.h"
#include "store/RecoveryCopy.h"
#include "store/TestRandom.h"
#include "store/TextField.h"
#include "ui/Pictures.h"

namespace lq {
namespace {

constexpr std::string_view kRestoreQuestion = "Lexiquill was not closed properly last time.";
constexpr std::string_view kChangedOnDisk = "was changed by another program";
constexpr std::string_view kLoseChanges = "Your changes have not been saved anywhere.";

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

void log(std::string_view kind, std::string_view text) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(kind.size()), kind.data(),
                 static_cast<int>(text.size()), text.data());
}

// How the user answers; by default Yes to everything.
struct Answers {
    bool replaceChangedFile = true;
    bool loseChanges = true;
    std::deque<std::string> chosenPaths;
    std::string password;     // at the exit's prompt
    std::string newPassword;  // set through Options
};

// Answers every question as `answers` say, writes every message on stderr, and notes whether the
// recovery question was among them.
class AnsweringReporter : public Reporter {
  public:
    explicit AnsweringReporter(const Answers& answers = {}) : answers_(answers) {}

    void showError(std::string_view message, std::string_view howToFix) override {
        log("error", message);
        log("fix", howToFix);
    }
    void showInformation(std::string_view message) override { log("information", message); }
    bool askWarning(std::string_view message, bool) override {
        log("asked", message);
        askedToRestore = askedToRestore || startsWith(message, kRestoreQuestion);
        if (message.find(kChangedOnDisk) != std::string_view::npos) {
            return answers_.replaceChangedFile;
        }
        return startsWith(message, kLoseChanges) ? answers_.loseChanges : true;
    }
    void showNewDictionary(std::string_view message) override { log("new dictionary", message); }

    bool askedToRestore = false;

  private:
    Answers answers_;
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
Dictionary prepared(int wordCount, const std::string& password) {
    Dictionary d;
    d.header = newDictionaryHeader(NoonClock().localTime());
    d.header.setAskUpdateOnExit(false);
    if (!password.empty()) {
        TestRandom random;
        scramblePassword(d.header, password);
        setProtection(d.header, true, random);
    }
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
    AnsweringReporter reporter;
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

int prepare(const char* folder, int wordCount, const char* expectedPath,
            const std::string& password) {
    const Dictionary d = prepared(wordCount, password);
    if (!password.empty() && !isProtected(d.header)) {
        std::fprintf(stderr, "the password did not protect the dictionary\n");
        return 1;
    }
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

// Runs `answer` on the next modal dialog that opens after this call, from inside its exec() loop;
// one that has not opened after ten seconds of the program's event loop ends the driver with 5.
void whenModalOpens(const char* what, std::function<void(QWidget*)> answer) {
    constexpr qint64 kTimeoutMs = 10000;
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        QWidget* now = QApplication::activeModalWidget();
        if (now != nullptr && now != before.data()) {
            timer->stop();
            timer->deleteLater();
            answer(now);
        } else if (clock->elapsed() > kTimeoutMs) {
            std::fprintf(stderr, "%s never opened\n", what);
            std::exit(5);
        }
    });
    timer->start(5);
}

// The dialog's widget of that name; a dialog without it ends the driver with 5.
template <typename Widget>
Widget* child(QWidget* dialog, const char* name) {
    auto* found = dialog->findChild<Widget*>(name);
    if (found == nullptr) {
        std::fprintf(stderr, "no %s in \"%s\"\n", name, qPrintable(dialog->windowTitle()));
        std::exit(5);
    }
    return found;
}

void click(QWidget* dialog, const char* button) {
    child<QPushButton>(dialog, button)->click();
}

void type(QWidget* dialog, const char* edit, const std::string& text) {
    child<QLineEdit>(dialog, edit)->setText(QString::fromStdString(text));
}

// File > Options > Password, as the user sets a password.
void setPassword(CMainDialog* window, const std::string& password) {
    whenModalOpens("Options", [password](QWidget* options) {
        whenModalOpens("the password dialog", [password](QWidget* dialog) {
            child<QCheckBox>(dialog, "protectionCheck")->setChecked(true);
            type(dialog, "newPasswordEdit", password);
            type(dialog, "repeatPasswordEdit", password);
            click(dialog, "okButton");
        });
        click(options, "passwordButton");
        click(options, "okButton");
    });
    child<QAction>(window, "actionOptions")->trigger();
}

// Runs the program; `inWindow` acts once its main window is open. 4 when it never opened.
int runProgram(const char* folder, AnsweringReporter& reporter,
               const std::function<void(CMainDialog*)>& inWindow) {
    NoonClock clock;
    CLexiquillApp app(dictionaryIn(folder), reporter, clock);
    app.setUrlOpener([](const QUrl&) {});
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<CMainDialog*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            std::fprintf(stderr, "the main window did not open\n");
            std::exit(2);
        }
        opened = true;
        inWindow(window);
    });
    const int status = app.run();
    return opened ? status : 4;
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

volatile std::sig_atomic_t leaveSignalled = 0;

void signalLeave(int) {
    leaveSignalled = 1;
}

// The changes, then the user leaves when the script says so: another program or the user may
// change the folder meanwhile.
int hold(const char* folder, const Answers& answers) {
    AnsweringReporter reporter(answers);
    return runProgram(folder, reporter, [&](CMainDialog* window) {
        auto chosen = std::make_shared<std::deque<std::string>>(answers.chosenPaths);
        window->setFileChooser([chosen](QWidget*, const FileQuestion& question) {
            log("file dialog", question.title.toStdString());
            FileAnswer answer;
            if (!chosen->empty()) {
                answer.path = QString::fromStdString(chosen->front());
                chosen->pop_front();
            }
            return answer;
        });
        if (!answers.newPassword.empty()) {
            setPassword(window, answers.newPassword);
        }
        changeThroughTheWindow(window);
        auto* poll = new QTimer(window);
        QObject::connect(poll, &QTimer::timeout, window, [window, poll, answers] {
            if (leaveSignalled == 0) {
                return;
            }
            poll->stop();
            if (!answers.password.empty()) {
                whenModalOpens("the password prompt", [answers](QWidget* prompt) {
                    type(prompt, "passwordEdit", answers.password);
                    click(prompt, "okButton");
                });
            }
            window->close();
        });
        poll->start(20);
    });
}

bool readAnswers(int count, char** given, Answers& answers) {
    for (int i = 0; i < count; ++i) {
        const std::string answer = given[i];
        const auto equals = answer.find('=');
        const std::string key = answer.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : answer.substr(equals + 1);
        if (answer == "keep-theirs") {
            answers.replaceChangedFile = false;
        } else if (answer == "keep-trying") {
            answers.loseChanges = false;
        } else if (key == "choose" && equals != std::string::npos) {
            answers.chosenPaths.push_back(value);
        } else if (key == "password" && !value.empty()) {
            answers.password = value;
        } else if (key == "set-password" && !value.empty()) {
            answers.newPassword = value;
        } else {
            std::fprintf(stderr, "unknown answer %s\n", answer.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace lq

int main(int argc, char** argv) {
    using namespace lq;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "prepare" && (argc == 5 || argc == 6)) {
        return prepare(argv[2], std::atoi(argv[3]), argv[4], argc == 6 ? argv[5] : "");
    }
    Answers answers;
    if (mode == "hold") {
        if (!readAnswers(argc - 3, argv + 3, answers)) {
            return 64;
        }
        // From the start, so that an early signal is never the default one that kills.
        std::signal(SIGUSR1, signalLeave);
    }
    if ((argc != 3 && mode != "hold") ||
        (mode != "change" && mode != "restore" && mode != "exit" && mode != "hold")) {
        std::fprintf(stderr, "usage: see the top of RecoveryDriver.cpp\n");
        return 64;
    }
    QApplication application(argc, argv);
    initResources();
    const char* folder = argv[2];
    if (mode == "hold") {
        return hold(folder, answers);
    }
    AnsweringReporter reporter;
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
    return reporter.askedToRestore || status == 4 ? status : 3;
}
