#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

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
namespace {

class LifecycleTest : public GuiFixture {
  protected:
    std::string path() const { return folder.file("Lexiquill.lqd"); }

    void writeDictionary(bool askUpdateOnExit, const std::string& password = {}) {
        Dictionary d = makeDictionary({"English"}, {"Food"}, {{"apple"}, {"cherry"}});
        d.header.setAskUpdateOnExit(askUpdateOnExit);
        if (!password.empty()) {
            TestRandom random;
            scramblePassword(d.header, password);
            setProtection(d.header, true, random);
            ASSERT_TRUE(isProtected(d.header));
        }
        writeBytes(path(), dictionaryBytes(d));
        before = readBytes(path());
    }

    // Runs the program; `inWindow` acts in the main window once it is open and must leave it.
    void run(std::function<void(CMainDialog*)> inWindow) {
        CLexiquillApp app(path(), reporter, clock);
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
void answerExit(const char* button, bool update) {
    whenModalOpens([=](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Exit");
        child<QCheckBox>(dialog, "updateDictionaryCheck")->setChecked(update);
        clickButton(dialog, button);
    });
}

// Tries each password in the prompt with "&Save", then leaves it with `lastButton`.
void answerPrompt(std::vector<QString> wrong, const QString& last, const char* lastButton) {
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

TEST_F(LifecycleTest, FirstRunInAnEmptyFolderAnnouncesAndCreatesTheDictionary) {
    run([](CMainDialog* window) {
        EXPECT_EQ(window->windowTitle(), "Lexiquill");
        EXPECT_FALSE(child<QPushButton>(window, "newButton")->isEnabled());
        answerExit("okButton", false);
        window->close();
    });
    EXPECT_TRUE(windowOpened);
    ASSERT_FALSE(reporter.shown.empty());
    EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::NewDictionary);
    EXPECT_EQ(reporter.shown[0].message.substr(0, 46),
              "Dictionary file \"Lexiquill.lqd\" not found.\nNew");
    EXPECT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(readBytes(path()).size(), 64u);
}

TEST_F(LifecycleTest, LeavingAsksWhenTheHeaderSaysSoAndSavesOnlyWithUpdate) {
    struct Case {
        const char* name;
        bool ask;
        std::function<void(CMainDialog*)> leave;
        bool saved;
    };
    const Case cases[] = {
        {"Yes with Update", true,
         [](CMainDialog* w) {
             answerExit("okButton", true);
             w->close();
         },
         true},
        {"Yes without Update", true,
         [](CMainDialog* w) {
             answerExit("okButton", false);
             child<QAction>(w, "actionExit")->trigger();
         },
         false},
        {"Escape, then Yes", true,
         [](CMainDialog* w) {
             answerExit("okButton", true);
             QTest::keyClick(w, Qt::Key_Escape);
         },
         true},
        {"No keeps the window open, the next Exit asks again", true,
         [](CMainDialog* w) {
             answerExit("cancelButton", true);
             child<QAction>(w, "actionExit")->trigger();
             EXPECT_TRUE(w->isVisible());
             answerExit("okButton", true);
             child<QAction>(w, "actionExit")->trigger();
         },
         true},
        {"no question", false, [](CMainDialog* w) { w->close(); }, true},
    };
    for (const Case& c : cases) {
        writeDictionary(c.ask);
        run([&](CMainDialog* window) {
            changeSomething(window);
            c.leave(window);
        });
        if (c.saved) {
            EXPECT_EQ(savedWords(), std::vector<std::string>{"cherry"}) << c.name;
        } else {
            EXPECT_EQ(readBytes(path()), before) << c.name;
        }
    }
}

TEST_F(LifecycleTest, ProtectedDictionaryIsSavedOnlyAfterTheRightPassword) {
    struct Case {
        const char* name;
        std::function<void()> answer;
        bool saved;
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {"right password", [] { answerPrompt({}, "secret", "okButton"); }, true, {}},
        {"wrong, then right",
         [] {
             answerPrompt({"Secret", "secre", "secret!"}, "secret", "okButton");
         },
         true,
         {"Invalid password.", "Invalid password.", "Invalid password."}},
        {"Exit in the prompt", [] { answerPrompt({}, "secret", "cancelButton"); }, false, {}},
    };
    for (const Case& c : cases) {
        writeDictionary(true, "secret");
        reporter.shown.clear();
        run([&](CMainDialog* window) {
            changeSomething(window);
            reporter.shown.clear();
            answerExit("okButton", true);
            c.answer();
            window->close();
        });
        EXPECT_EQ(reporter.errorMessages(), c.errors) << c.name;
        if (c.saved) {
            EXPECT_EQ(savedWords(), std::vector<std::string>{"cherry"}) << c.name;
        } else {
            EXPECT_EQ(readBytes(path()), before) << c.name;
        }
    }
}

TEST_F(LifecycleTest, FailedSaveShowsTheStoresMessageAndThenItsOwn) {
    writeDictionary(false);
    run([&](CMainDialog* window) {
        changeSomething(window);
        std::filesystem::remove_all(folder.path());
        window->close();
    });
    const std::vector<std::string> expected = {"Can't save dictionary.",
                                               "Error saving dictionary."};
    EXPECT_EQ(reporter.errorMessages(), expected);
    ASSERT_EQ(reporter.shown.size(), 3u);
    EXPECT_EQ(reporter.shown[2].howToFix,
              "Changes not saved. I/O error occures. Try to remove write-protection.");
}

TEST_F(LifecycleTest, FailedLoadNeverOpensTheWindowAndSavesNothing) {
    Dictionary d = makeDictionary({"English"}, {"Food"}, {{"apple"}});
    std::vector<uint8_t> bytes = dictionaryBytes(d);
    bytes[28] = 0x7F;  // a word count the file cannot hold
    writeBytes(path(), bytes);
    CLexiquillApp app(path(), reporter, clock);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{"Can't load dictionary."});
    EXPECT_EQ(readBytes(path()), bytes);
}

TEST_F(LifecycleTest, GeneratorIsSeededFromTheClockAndOneDrawDiscarded) {
    writeDictionary(false);
    CLexiquillApp app(path(), reporter, clock);
    int drawn = -1;
    whenModalOpens([&](QWidget* window) {
        drawn = app.random().draw();
        window->close();
    });
    app.run();
    TestRandom expected;
    expected.seed(static_cast<uint32_t>(clock.seconds));
    expected.draw();
    EXPECT_EQ(drawn, expected.draw());
}

}  // namespace
}  // namespace lq::test
