// The program run as main() runs it, in a temporary folder, with its messages recorded and its
// windows answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "app/CLexiquillApp.h"
#include "app/CMainDialog.h"
#include "store/DictionaryImage.h"
#include "store/Protection.h"
#include "support/FixedClock.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {

class LifecycleFixture : public GuiFixture {
  protected:
    std::string path() const { return folder.file("Lexiquill.lqd"); }

    // English and Food with these words; protected by the password unless it is empty.
    static Dictionary lifecycleDictionary(const std::vector<WordSpec>& words, bool askUpdateOnExit,
                                          const std::string& password = {}) {
        Dictionary d = makeDictionary({"English"}, {"Food"}, words);
        d.header.setAskUpdateOnExit(askUpdateOnExit);
        if (!password.empty()) {
            TestRandom random;
            scramblePassword(d.header, password);
            setProtection(d.header, true, random);
            EXPECT_TRUE(isProtected(d.header));
        }
        return d;
    }

    void writeDictionary(bool askUpdateOnExit, const std::string& password = {}) {
        writeBytes(path(), dictionaryBytes(lifecycleDictionary({{"apple"}, {"cherry"}},
                                                               askUpdateOnExit, password)));
        before = readBytes(path());
    }

    // Runs the program; `inWindow` acts in the main window once it is open and must leave it.
    void run(std::function<void(CMainDialog*)> inWindow) { runAt(path(), std::move(inWindow)); }
    void runAt(const std::string& dictionaryPath, std::function<void(CMainDialog*)> inWindow) {
        CLexiquillApp app(dictionaryPath, reporter, clock);
        app.setUrlOpener([](const QUrl&) {});
        whenModalOpens([&](QWidget* window) {
            auto* main = qobject_cast<CMainDialog*>(window);
            ASSERT_NE(main, nullptr) << "the main window opened first";
            windowOpened = true;
            inWindow(main);
        });
        EXPECT_EQ(app.run(), 0);
    }

    // Deletes the selected word (apple), a change that a save writes.
    void changeSomething(CMainDialog* window) {
        reporter.answers = {true};
        child<QPushButton>(window, "deleteButton")->click();
    }

    std::vector<std::string> savedWords() {
        Dictionary saved;
        const std::vector<uint8_t> bytes = readBytes(path());
        EXPECT_EQ(decodeDictionary(bytes.data(), bytes.size(), saved), LoadStatus::Loaded);
        return wordTexts(saved);
    }

    TempFolder folder;
    RecordingReporter reporter;
    FixedClock clock;
    std::vector<uint8_t> before;
    bool windowOpened = false;
};

// Answers the Exit dialog that leaving the window opens.
inline void answerExit(const char* button, bool update) {
    whenModalOpens([=](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Exit");
        child<QCheckBox>(dialog, "updateDictionaryCheck")->setChecked(update);
        clickButton(dialog, button);
    });
}

// Tries each password in the prompt with "&Save", then leaves it with `lastButton`.
inline void answerPrompt(std::vector<QString> wrong, const QString& last, const char* lastButton) {
    whenModalOpens([=](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Password protection");
        auto* edit = child<QLineEdit>(dialog, "passwordEdit");
        for (const QString& password : wrong) {
            edit->clear();
            typeText(edit, password);
            clickButton(dialog, "okButton");
            EXPECT_TRUE(dialog->isVisible()) << "a wrong password keeps the prompt open";
        }
        edit->clear();
        typeText(edit, last);
        clickButton(dialog, lastButton);
        EXPECT_FALSE(dialog->isVisible());
    });
}

}  // namespace lq::test
