// What happens to the dictionary's files when something else touches them while the program
// runs: a second window, another program, a moved folder, a folder that can't take a copy.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "app/LifecycleFixture.h"
#include "app/RecoveryKeeper.h"
#include "store/DictionaryFolder.h"
#include "store/DictionaryLock.h"

namespace lq::test {
namespace {

namespace fs = std::filesystem;

const std::string kOpenElsewhere =
    "The dictionary is open in another Lexiquill window. Close that window first, then start "
    "Lexiquill again.";
const std::string kChangedQuestion =
    "Lexiquill.lqd was changed by another program after Lexiquill opened it. Replace it with the "
    "dictionary you have been working on?";
const std::string kLoseChanges =
    "Your changes have not been saved anywhere. Leave Lexiquill and lose them?";

class DictionaryFilesTest : public LifecycleFixture {
  protected:
    std::string copyPath() const { return folder.file(".Lexiquill.lqd.recovery"); }

    static std::string keptMessage(const std::string& copyPath) {
        return "Your changes are kept in \"" + copyPath +
               "\". The next start in that folder offers them back.";
    }

    static std::vector<std::string> wordsIn(const std::string& file) {
        Dictionary read;
        const std::vector<uint8_t> bytes = readBytes(file);
        EXPECT_EQ(decodeDictionary(bytes.data(), bytes.size(), read), LoadStatus::Loaded) << file;
        return wordTexts(read);
    }

    std::vector<std::string> warnings() const {
        std::vector<std::string> out;
        for (const auto& m : reporter.shown) {
            if (m.kind == ShownMessage::Kind::Warning) {
                out.push_back(m.message);
            }
        }
        return out;
    }
};

TEST_F(DictionaryFilesTest, ASecondStartOnTheSameDictionaryIsRefusedAndTouchesNothing) {
    writeDictionary(false);
    writeBytes(copyPath(), dictionaryBytes(lifecycleDictionary({{"date"}}, false)));
    const std::vector<uint8_t> copyBefore = readBytes(copyPath());
    TempFolder other;
    fs::create_symlink(path(), other.file("Lexiquill.lqd"));
    const std::string starts[] = {path(), other.file("Lexiquill.lqd")};
    // The first window holds the lock as long as it runs.
    const DictionaryFolder first(path());
    const DictionaryLock held(first);
    ASSERT_EQ(held.status(), DictionaryLock::Status::Held);
    for (const std::string& start : starts) {
        SCOPED_TRACE(start);
        reporter.shown.clear();
        CLexiquillApp second(start, reporter, clock);
        EXPECT_EQ(second.run(), 0);
        ASSERT_EQ(reporter.shown.size(), 1u);
        EXPECT_EQ(reporter.shown[0].message, "Can't load dictionary.");
        EXPECT_EQ(reporter.shown[0].howToFix, kOpenElsewhere);
        EXPECT_EQ(readBytes(path()), before);
        EXPECT_EQ(readBytes(copyPath()), copyBefore);
        EXPECT_FALSE(fs::exists(other.file(".Lexiquill.lqd.recovery")));
    }
}

TEST_F(DictionaryFilesTest, TheLockGoesWithItsHolder) {
    writeDictionary(false);
    { const DictionaryLock ended{DictionaryFolder(path())}; }
    run([](CMainDialog* window) { window->close(); });
    EXPECT_TRUE(windowOpened);
    EXPECT_TRUE(reporter.errorMessages().empty());
    EXPECT_TRUE(fs::exists(folder.file(".Lexiquill.lqd.lock")));
}

TEST_F(DictionaryFilesTest, AFileChangedByAnotherProgramIsReplacedOnlyAfterAsking) {
    const std::vector<uint8_t> others =
        dictionaryBytes(lifecycleDictionary({{"zucchini"}}, false));
    struct Case {
        const char* what;
        std::function<void(const std::string&)> meddle;
    };
    const Case cases[] = {
        {"replaced",
         [&](const std::string& file) {
             writeBytes(file + ".new", others);
             fs::rename(file + ".new", file);
         }},
        {"changed in place", [&](const std::string& file) { writeBytes(file, others); }},
        {"removed", [](const std::string& file) { fs::remove(file); }},
    };
    for (const Case& c : cases) {
        for (const bool replace : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (replace ? ", Yes" : ", No"));
            writeDictionary(false);
            fs::remove(copyPath());
            reporter.shown.clear();
            run([&](CMainDialog* window) {
                changeSomething(window);
                c.meddle(path());
                reporter.answers = {replace};
                window->close();
            });
            EXPECT_EQ(warnings().back(), kChangedQuestion);
            if (replace) {
                EXPECT_EQ(savedWords(), std::vector<std::string>{"cherry"});
                EXPECT_FALSE(fs::exists(copyPath()));
                continue;
            }
            EXPECT_EQ(fs::exists(path()), std::string(c.what) != "removed");
            if (fs::exists(path())) {
                EXPECT_EQ(readBytes(path()), others);
            }
            EXPECT_EQ(wordsIn(copyPath()), std::vector<std::string>{"cherry"});
            ASSERT_FALSE(reporter.informations().empty());
            EXPECT_EQ(reporter.informations().back().message,
                      keptMessage(fs::canonical(folder.path()).string() +
                                  "/.Lexiquill.lqd.recovery"));
        }
    }
}

TEST_F(DictionaryFilesTest, AnUnchangedFileIsSavedWithoutAsking) {
    writeDictionary(false);
    run([&](CMainDialog* window) {
        changeSomething(window);
        window->close();
    });
    EXPECT_EQ(savedWords(), std::vector<std::string>{"cherry"});
    const std::vector<std::string> asked = warnings();
    EXPECT_TRUE(std::find(asked.begin(), asked.end(), kChangedQuestion) == asked.end());
}

TEST_F(DictionaryFilesTest, AFolderRenamedWhileTheProgramRunsReceivesTheSave) {
    for (const bool recreated : {false, true}) {
        SCOPED_TRACE(recreated ? "renamed, and a new folder under the old name" : "renamed");
        const std::string start = folder.file("start");
        const std::string moved = folder.file("moved");
        fs::remove_all(start);
        fs::remove_all(moved);
        fs::create_directory(start);
        const std::vector<uint8_t> original =
            dictionaryBytes(lifecycleDictionary({{"apple"}, {"cherry"}}, false));
        const std::vector<uint8_t> newcomer =
            dictionaryBytes(lifecycleDictionary({{"zucchini"}}, false));
        writeBytes(start + "/Lexiquill.lqd", original);
        reporter.shown.clear();
        runAt(start + "/Lexiquill.lqd", [&](CMainDialog* window) {
            changeSomething(window);
            fs::rename(start, moved);
            if (recreated) {
                fs::create_directory(start);
                writeBytes(start + "/Lexiquill.lqd", newcomer);
            }
            window->close();
        });
        EXPECT_TRUE(warnings().empty() || warnings().back() != kChangedQuestion);
        EXPECT_EQ(wordsIn(moved + "/Lexiquill.lqd"), std::vector<std::string>{"cherry"});
        if (recreated) {
            EXPECT_EQ(readBytes(start + "/Lexiquill.lqd"), newcomer);
            EXPECT_FALSE(fs::exists(start + "/.Lexiquill.lqd.recovery"));
            EXPECT_FALSE(fs::exists(start + "/.Lexiquill.lqd.lock"));
        }
    }
}

// Without a folder for a copy, the changes go where the user says, or nowhere only on their word.
TEST_F(DictionaryFilesTest, AFailedSaveWithoutACopyOffersToSaveElsewhere) {
    TempFolder elsewhere;
    const std::string rescued = elsewhere.file("Lexiquill.lqd");
    struct Case {
        const char* what;
        std::vector<QString> chosen;  // the file dialog's answers in turn; empty: cancelled
        std::deque<bool> answers;     // to the question whether to lose the changes
        bool saved;
    };
    const Case cases[] = {
        {"saved at once", {QString::fromStdString(rescued)}, {}, true},
        {"cancelled, not left, then saved", {QString(), QString::fromStdString(rescued)}, {false},
         true},
        {"a folder that fails too, then saved",
         {QString::fromStdString(elsewhere.file("gone/Lexiquill.lqd")),
          QString::fromStdString(rescued)},
         {},
         true},
        {"cancelled and left", {QString()}, {true}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(rescued);
        fs::create_directory(folder.path());
        writeDictionary(false);
        reporter.shown.clear();
        std::vector<QString> titles;
        std::size_t asked = 0;
        run([&](CMainDialog* window) {
            window->setFileChooser([&](QWidget*, const FileQuestion& question) {
                titles.push_back(question.title);
                EXPECT_EQ(question.name, "Lexiquill.lqd");
                return FileAnswer{asked < c.chosen.size() ? c.chosen[asked++] : QString(), {}};
            });
            changeSomething(window);
            fs::remove_all(folder.path());
            reporter.answers = c.answers;
            window->close();
        });
        EXPECT_EQ(asked, c.chosen.size());
        ASSERT_FALSE(titles.empty());
        EXPECT_EQ(titles[0], "Save the dictionary elsewhere");
        EXPECT_EQ(fs::exists(rescued), c.saved);
        if (c.saved) {
            EXPECT_EQ(wordsIn(rescued), std::vector<std::string>{"cherry"});
        }
        const std::vector<std::string> questions = warnings();
        const bool askedToLose =
            std::find(questions.begin(), questions.end(), kLoseChanges) != questions.end();
        EXPECT_EQ(askedToLose, !c.answers.empty());
    }
}

TEST_F(DictionaryFilesTest, ACopyThatCantBeWrittenIsToldOnceUntilOneIsWrittenAgain) {
    writeDictionary(false);
    run([&](CMainDialog* window) {
        auto* keeper = window->findChild<RecoveryKeeper*>("recoveryKeeper");
        ASSERT_NE(keeper, nullptr);
        fs::create_directory(copyPath());  // a folder in the copy's place
        changeSomething(window);
        keeper->writeNow();
        const std::string expected =
            "Lexiquill can't keep a copy of your unsaved changes: a folder has the name \"" +
            fs::canonical(folder.path()).string() +
            "/.Lexiquill.lqd.recovery\". If Lexiquill ended unexpectedly now, they would be lost.";
        ASSERT_EQ(reporter.informations().size(), 1u);
        EXPECT_EQ(reporter.informations()[0].message, expected);
        keeper->writeNow();
        EXPECT_EQ(reporter.informations().size(), 1u) << "told once";
        fs::remove(copyPath());
        keeper->writeNow();
        EXPECT_TRUE(fs::is_regular_file(copyPath()));
        fs::remove(copyPath());
        fs::create_directory(copyPath());
        keeper->writeNow();
        EXPECT_EQ(reporter.informations().size(), 2u) << "told again after a success";
        fs::remove(copyPath());
        window->close();
    });
}

TEST_F(DictionaryFilesTest, AProtectedDictionaryIsSavedForItsOwnerOnly) {
    writeDictionary(false, "secret");
    ASSERT_EQ(::chmod(path().c_str(), 0644), 0);
    run([&](CMainDialog* window) {
        changeSomething(window);
        answerPrompt({}, "secret", "okButton");
        window->close();
    });
    struct stat status {};
    ASSERT_EQ(::stat(path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(savedWords(), std::vector<std::string>{"cherry"});
}

}  // namespace
}  // namespace lq::test
