#include <gtest/gtest.h>

#include <filesystem>

#include "app/LifecycleFixture.h"

namespace lq::test {
namespace {

using LifecycleTest = LifecycleFixture;

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
    TempFolder elsewhere;
    run([&](CMainDialog* window) {
        // Nowhere for a recovery copy either: the changes are saved where the user says.
        window->setFileChooser([&](QWidget*, const FileQuestion&) {
            return FileAnswer{QString::fromStdString(elsewhere.file("Lexiquill.lqd")), {}};
        });
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
    EXPECT_TRUE(std::filesystem::exists(elsewhere.file("Lexiquill.lqd")));
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
