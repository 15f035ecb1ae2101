// The recovery copy across runs of the program: written a moment after a change, removed on
// every normal end, kept after a failed save, and offered back after a run that did not end.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <QAction>
#include <QListWidget>
#include <QTimer>
#include <filesystem>

#include "app/LifecycleFixture.h"
#include "app/RecoveryKeeper.h"
#include "store/RecoveryCopy.h"

namespace lq::test {
namespace {

const std::string kQuestion =
    "Lexiquill was not closed properly last time. Restore the changes that were not saved?";
const std::string kDamaged =
    "The copy of the changes that were not saved last time is damaged and cannot be restored. "
    "It has been discarded.";

class RecoveryTest : public LifecycleFixture {
  protected:
    std::string copyPath() const { return folder.file(".Lexiquill.lqd.recovery"); }
    bool copyExists() const { return std::filesystem::exists(copyPath()); }

    static RecoveryKeeper* keeper(CMainDialog* window) {
        auto* found = window->findChild<RecoveryKeeper*>("recoveryKeeper");
        EXPECT_NE(found, nullptr);
        return found;
    }

    // What the run that did not end had made of the dictionary: apple gone, date added.
    static Dictionary changed(bool askUpdateOnExit, const std::string& password = {}) {
        return lifecycleDictionary({{"cherry"}, {"date"}}, askUpdateOnExit, password);
    }

    // Leaves a copy as a run that was killed does: written after the dictionary file was.
    void leaveCopy(const std::vector<uint8_t>& bytes, time_t copyTime = 2000) {
        writeBytes(copyPath(), bytes);
        const timespec copyTimes[2] = {{copyTime, 0}, {copyTime, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, copyPath().c_str(), copyTimes, 0), 0);
        if (std::filesystem::exists(path())) {
            const timespec fileTimes[2] = {{1000, 0}, {1000, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, path().c_str(), fileTimes, 0), 0);
        }
    }

    std::vector<std::string> copiedWords() {
        Dictionary copied;
        const std::vector<uint8_t> bytes = readBytes(copyPath());
        EXPECT_EQ(decodeDictionary(bytes.data(), bytes.size(), copied), LoadStatus::Loaded);
        return wordTexts(copied);
    }
};

TEST_F(RecoveryTest, ChangesAreCopiedAMomentAfterTheLastOneUntilNoneIsLeft) {
    writeDictionary(false);
    run([&](CMainDialog* window) {
        RecoveryKeeper* recovery = keeper(window);
        EXPECT_FALSE(recovery->writePending());
        changeSomething(window);
        EXPECT_TRUE(recovery->writePending());
        EXPECT_FALSE(copyExists()) << "written a moment later, not at once";
        recovery->writeNow();
        EXPECT_EQ(copiedWords(), std::vector<std::string>{"cherry"});
        EXPECT_EQ(std::filesystem::status(copyPath()).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        EXPECT_EQ(readBytes(path()), before) << "the file itself is written on exit";
        child<QAction>(window, "actionUndo")->trigger();
        EXPECT_TRUE(recovery->writePending());
        recovery->writeNow();
        EXPECT_FALSE(copyExists()) << "the undo left nothing unsaved";
        window->close();
    });
    EXPECT_FALSE(copyExists());
}

// The timer hands the copy to a child process and the window goes on; changes made while it
// writes get a copy of their own after it, never one that an older write overtakes.
TEST_F(RecoveryTest, TheTimersCopyIsWrittenInTheBackgroundAndFollowsLaterChanges) {
    writeDictionary(false);
    run([&](CMainDialog* window) {
        RecoveryKeeper* recovery = keeper(window);
        auto* timer = window->findChild<QTimer*>("recoveryTimer");
        ASSERT_NE(timer, nullptr);
        changeSomething(window);  // apple goes
        timer->start(0);
        QTRY_VERIFY_WITH_TIMEOUT(recovery->writing() || copyExists(), 5000);
        // cherry goes too, perhaps while the first copy is still being written
        reporter.answers = {true};
        child<QPushButton>(window, "deleteButton")->click();
        timer->start(0);
        QTRY_VERIFY_WITH_TIMEOUT(!recovery->writing() && !recovery->writePending(), 5000);
        EXPECT_EQ(copiedWords(), std::vector<std::string>{});
        window->close();
    });
    EXPECT_FALSE(copyExists());
}

// A test counts each answer in the dictionary at once and becomes a step only at its end; a
// kill in the middle of a test keeps the answers given so far.
TEST_F(RecoveryTest, TheAnswersOfATestUnderWayAreCopied) {
    // Enough words for a test, each with its own translation, so that every question has wrong
    // answers to offer.
    std::vector<WordSpec> words;
    for (int i = 1; i <= 12; ++i) {
        const std::string word = "word " + std::to_string(i);
        words.push_back({.word = word, .translation = "translation " + std::to_string(i)});
    }
    writeBytes(path(), dictionaryBytes(lifecycleDictionary(words, false)));
    const auto copiedAnswers = [&] {
        Dictionary copied;
        const std::vector<uint8_t> bytes = readBytes(copyPath());
        EXPECT_EQ(decodeDictionary(bytes.data(), bytes.size(), copied), LoadStatus::Loaded);
        int32_t answers = 0;
        for (const WordRecord& word : copied.words) {
            answers += word.testedCount;
        }
        return answers;
    };
    run([&](CMainDialog* window) {
        RecoveryKeeper* recovery = keeper(window);
        whenModalOpens([&](QWidget* test) {
            child<QListWidget>(test, "variantsList")->setCurrentRow(0);
            clickButton(test, "answerButton");
            EXPECT_TRUE(recovery->writePending());
            recovery->writeNow();
            EXPECT_TRUE(copyExists());
            EXPECT_EQ(copiedAnswers(), 1);
            QTest::keyClick(test, Qt::Key_Escape);
        });
        child<QAction>(window, "actionTest")->trigger();
        recovery->writeNow();
        EXPECT_EQ(copiedAnswers(), 1) << "the test's step keeps the copy";
        window->close();
    });
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryTest, EveryNormalEndRemovesTheCopySavedOrNot) {
    struct Case {
        const char* name;
        bool ask;
        std::string password;
        std::function<void()> answers;
        bool saved;
    };
    const Case cases[] = {
        {"saved without a question", false, {}, [] {}, true},
        {"left without updating", true, {}, [] { answerExit("okButton", false); }, false},
        {"left from the password prompt", true, "secret",
         [] {
             answerExit("okButton", true);
             answerPrompt({}, "secret", "cancelButton");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeDictionary(c.ask, c.password);
        run([&](CMainDialog* window) {
            changeSomething(window);
            keeper(window)->writeNow();
            EXPECT_TRUE(copyExists());
            c.answers();
            window->close();
        });
        EXPECT_FALSE(copyExists());
        if (c.saved) {
            EXPECT_EQ(savedWords(), std::vector<std::string>{"cherry"});
        } else {
            EXPECT_EQ(readBytes(path()), before);
        }
    }
}

TEST_F(RecoveryTest, AFailedSaveKeepsTheCopyWithTheLatestChanges) {
    // The dictionary is reached through a link; its folder goes while the program runs.
    std::filesystem::create_directory(folder.file("kept"));
    const std::string target = folder.file("kept/real.lqd");
    writeBytes(target, dictionaryBytes(makeDictionary({"English"}, {"Food"}, {{"apple"}})));
    std::filesystem::create_symlink("kept/real.lqd", path());
    run([&](CMainDialog* window) {
        whenModalOpens([](QWidget* w) {
            typeText(child<QLineEdit>(w, "wordEdit"), "date");
            typeText(child<QLineEdit>(w, "translationEdit"), "Dattel");
            typeText(child<QLineEdit>(w, "transcriptionEdit"), "deit");
            clickButton(w, "okButton");
        });
        child<QPushButton>(window, "newButton")->click();
        EXPECT_TRUE(keeper(window)->writePending());
        std::filesystem::remove_all(folder.file("kept"));
        // The file is gone from under the link: the user is asked, and says to save.
        reporter.answers = {true};
        answerExit("okButton", true);
        window->close();
    });
    EXPECT_EQ(reporter.errorMessages(),
              (std::vector<std::string>{"Can't save dictionary.", "Error saving dictionary."}));
    ASSERT_TRUE(copyExists()) << "beside the link";
    EXPECT_EQ(copiedWords(), (std::vector<std::string>{"apple", "date"}));
    ASSERT_FALSE(reporter.informations().empty());
    EXPECT_EQ(reporter.informations().back().message,
              "Your changes are kept in \"" + std::filesystem::canonical(folder.path()).string() +
                  "/.Lexiquill.lqd.recovery\". The next start in that folder offers them back.");
}

TEST_F(RecoveryTest, ACopyLeftByARunThatDidNotEndIsOfferedAndRestored) {
    writeDictionary(false);
    const Dictionary unsaved = changed(false);
    leaveCopy(dictionaryBytes(unsaved));
    reporter.answers = {true};
    run([&](CMainDialog* window) {
        EXPECT_EQ(child<QLineEdit>(window, "wordCounter")->text(), "2 of 2");
        EXPECT_FALSE(child<QAction>(window, "actionUndo")->isEnabled());
        EXPECT_EQ(readBytes(path()), before) << "the file is written on exit only";
        // The restored changes are still unsaved, so their copy stays.
        keeper(window)->writeNow();
        EXPECT_TRUE(copyExists());
        window->close();
    });
    ASSERT_FALSE(reporter.shown.empty());
    EXPECT_EQ(reporter.shown[0], (ShownMessage{ShownMessage::Kind::Warning, kQuestion, {}, true}));
    EXPECT_EQ(readBytes(path()), dictionaryBytes(unsaved));
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryTest, NoDiscardsTheCopyAndLoadsTheFile) {
    writeDictionary(false);
    leaveCopy(dictionaryBytes(changed(false)));
    reporter.answers = {false};
    run([&](CMainDialog* window) {
        EXPECT_FALSE(copyExists());
        EXPECT_EQ(child<QLineEdit>(window, "wordCounter")->text(), "2 of 2");
        window->close();
    });
    EXPECT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(savedWords(), (std::vector<std::string>{"apple", "cherry"}));
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryTest, ACopyThatCannotBeRestoredIsDiscardedWithANoticeOrSilently) {
    struct Case {
        const char* name;
        std::vector<uint8_t> copy;
        time_t copyTime;  // the file's time is 1000
        std::vector<ShownMessage> shown;
    };
    std::vector<uint8_t> cut = dictionaryBytes(changed(false));
    cut.resize(cut.size() - 10);
    const Case cases[] = {
        {"damaged",
         {'L', 'Q', 'D', 0, 1, 2},
         2000,
         {{ShownMessage::Kind::Information, kDamaged, {}}}},
        {"cut short", cut, 2000, {{ShownMessage::Kind::Information, kDamaged, {}}}},
        {"older than the file", dictionaryBytes(changed(false)), 500, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reporter.shown.clear();
        writeDictionary(false);
        leaveCopy(c.copy, c.copyTime);
        run([&](CMainDialog* window) {
            EXPECT_FALSE(copyExists());
            EXPECT_EQ(child<QLineEdit>(window, "wordCounter")->text(), "2 of 2");
            window->close();
        });
        EXPECT_EQ(reporter.shown, c.shown);
        EXPECT_EQ(savedWords(), (std::vector<std::string>{"apple", "cherry"}));
    }
}

TEST_F(RecoveryTest, WithoutADictionaryFileTheCopyIsOfferedBeforeANewOneIsMade) {
    const Dictionary unsaved = changed(false);
    leaveCopy(dictionaryBytes(unsaved));
    reporter.answers = {true};
    run([&](CMainDialog* window) {
        EXPECT_FALSE(std::filesystem::exists(path()));
        window->close();
    });
    ASSERT_EQ(reporter.shown.size(), 1u) << "no New dictionary notice";
    EXPECT_EQ(reporter.shown[0].message, kQuestion);
    EXPECT_EQ(readBytes(path()), dictionaryBytes(unsaved));
}

TEST_F(RecoveryTest, ARestoredProtectedDictionaryIsSavedOnlyThroughThePasswordPrompt) {
    writeDictionary(true, "secret");
    const Dictionary unsaved = changed(true, "secret");
    leaveCopy(dictionaryBytes(unsaved));
    reporter.answers = {true};
    run([&](CMainDialog* window) {
        answerExit("okButton", true);
        answerPrompt({"wrong"}, "secret", "okButton");
        window->close();
    });
    EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{"Invalid password."});
    EXPECT_EQ(readBytes(path()), dictionaryBytes(unsaved));
    EXPECT_FALSE(copyExists());
}

}  // namespace
}  // namespace lq::test
