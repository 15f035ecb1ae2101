// Undo and redo in the main window: every kind of change made through the window is one step
// that takes the dictionary back to its bytes before it and forward to its bytes after it.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QSlider>
#include <QTest>
#include <functional>

#include "app/MainWindowFixture.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

// The fixture's controls, open to the table of commands below.
class UndoTest : public MainWindowFixture {
  public:
    using MainWindowFixture::button;
    using MainWindowFixture::child;
    using MainWindowFixture::choose;
    using MainWindowFixture::edit;
    using MainWindowFixture::focus;
    using MainWindowFixture::selectWord;
    using MainWindowFixture::wordList;
    using TestStore::reporter;

  protected:
    // Shortcuts reach only the active window.
    void showActive() {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
};

// Two languages and three themes; cat and dog (Animals, German) can fill a test of two
// questions, and the test filters point past the first entry of each table.
Dictionary sixWords() {
    Dictionary d =
        makeDictionary({"English", "German"}, {"Food", "Drinks", "Animals"},
                       {{.word = "apple", .theme = 0, .language = 0, .right = 3, .tested = 4},
                        {.word = "cherry", .theme = 0, .language = 0},
                        {.word = "milk", .theme = 1, .language = 1},
                        {.word = "cat", .theme = 2, .language = 1, .translation = "Katze"},
                        {.word = "dog", .theme = 2, .language = 1, .translation = "Hund"},
                        {.word = "tea", .theme = 1, .language = 0}});
    d.header.testThemeFilter = 2;
    d.header.testLanguageFilter = 1;
    d.header.testCountIndex = 1;     // two questions
    d.header.variantCountIndex = 0;  // one wrong answer
    return d;
}

// Replaces what a field holds by typing, as the user does.
void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    typeText(edit, text);
}

// Runs one sub-dialog of a list dialog with `answer`, then closes the list.
std::function<void(QWidget*)> inList(const char* button, std::function<void(QWidget*)> answer) {
    return [=](QWidget* list) {
        whenModalOpens(answer);
        clickButton(list, button);
        QTest::keyClick(list, Qt::Key_Escape);
    };
}

struct Command {
    const char* name;
    std::function<void(UndoTest&)> run;
    QString step;  // the step's name as the Edit menu shows it
};

const Command kCommands[] = {
    {"NewWord",
     [](UndoTest& t) {
         whenModalOpens([](QWidget* w) {
             typeText(child<QLineEdit>(w, "wordEdit"), "date");
             typeText(child<QLineEdit>(w, "translationEdit"), "Dattel");
             typeText(child<QLineEdit>(w, "transcriptionEdit"), "deit");
             clickButton(w, "okButton");
         });
         t.button("newButton")->click();
     },
     "New word 'date'"},
    {"RenameWord",
     [](UndoTest& t) {
         t.selectWord("cherry");
         whenModalOpens([](QWidget* w) {
             retype(child<QLineEdit>(w, "newNameEdit"), "Cherry & co");
             clickButton(w, "okButton");
         });
         t.button("renameButton")->click();
     },
     "Rename word 'cherry' to 'Cherry && co'"},
    {"DeleteWord",
     [](UndoTest& t) {
         t.selectWord("apple");
         t.reporter.answers = {true};
         t.button("deleteButton")->click();
     },
     "Delete word 'apple'"},
    {"Translation",
     [](UndoTest& t) {
         t.selectWord("cat");
         t.focus(t.edit("translationEdit"));
         retype(t.edit("translationEdit"), "Kater");
         t.wordList()->setFocus(Qt::OtherFocusReason);
     },
     "Change translation of 'cat'"},
    {"Transcription",
     [](UndoTest& t) {
         t.selectWord("dog");
         t.focus(t.edit("transcriptionEdit"));
         retype(t.edit("transcriptionEdit"), "dOg");
         t.wordList()->setFocus(Qt::OtherFocusReason);
     },
     "Change transcription of 'dog'"},
    {"WordTheme",
     [](UndoTest& t) {
         t.selectWord("milk");
         t.choose("wordThemeList", "Food");
     },
     "Change theme of 'milk'"},
    {"WordLanguage",
     [](UndoTest& t) {
         t.selectWord("tea");
         t.choose("wordLanguageList", "German");
     },
     "Change language of 'tea'"},
    {"NewTheme",
     [](UndoTest& t) {
         whenModalOpens(inList("newButton", [](QWidget* w) {
             typeText(child<QLineEdit>(w, "nameEdit"), "Plants");
             clickButton(w, "okButton");
         }));
         t.child<QAction>("actionThemes")->trigger();
     },
     "New theme 'Plants'"},
    {"RenameLanguage",
     [](UndoTest& t) {
         // The list selects English, the first name.
         whenModalOpens(inList("renameButton", [](QWidget* w) {
             retype(child<QLineEdit>(w, "newNameEdit"), "British");
             clickButton(w, "okButton");
         }));
         t.child<QAction>("actionLanguages")->trigger();
     },
     "Rename language 'English' to 'British'"},
    {"DeleteThemeWithItsWords",
     [](UndoTest& t) {
         t.reporter.answers = {true};
         whenModalOpens(inList("deleteButton", [](QWidget* w) {
             auto* names = child<QComboBox>(w, "nameList");
             names->setCurrentIndex(names->findText("Food"));
             clickButton(w, "okButton");
         }));
         t.child<QAction>("actionThemes")->trigger();
     },
     "Delete theme 'Food'"},
    {"DeleteLanguageWithItsWords",
     [](UndoTest& t) {
         t.reporter.answers = {true};
         whenModalOpens(inList("deleteButton", [](QWidget* w) { clickButton(w, "okButton"); }));
         t.child<QAction>("actionLanguages")->trigger();
     },
     "Delete language 'English'"},
    {"StoppedTest",
     [](UndoTest& t) {
         whenModalOpens([](QWidget* w) {
             child<QListWidget>(w, "variantsList")->setCurrentRow(0);
             clickButton(w, "answerButton");
             QTest::keyClick(w, Qt::Key_Escape);
         });
         t.child<QAction>("actionTest")->trigger();
     },
     "Test answers"},
    {"Options",
     [](UndoTest& t) {
         whenModalOpens([](QWidget* w) {
             child<QSlider>(w, "testCountSlider")->setValue(7);
             clickButton(w, "okButton");
         });
         t.child<QAction>("actionOptions")->trigger();
     },
     "Change options"},
};

class UndoCommandTest : public UndoTest, public ::testing::WithParamInterface<Command> {};

TEST_P(UndoCommandTest, IsOneStepThatUndoAndRedoTakeBackAndForthByteForByte) {
    open(sixWords());
    QAction* undo = child<QAction>("actionUndo");
    QAction* redo = child<QAction>("actionRedo");
    const std::vector<uint8_t> before = dictionaryBytes(dictionary());
    const QStringList wordsBefore = listedWords();
    GetParam().run(*this);
    const std::vector<uint8_t> after = dictionaryBytes(dictionary());
    ASSERT_NE(after, before) << "the command changed nothing";
    const QStringList wordsAfter = listedWords();
    EXPECT_EQ(window->history().count(), 1);
    EXPECT_EQ(undo->text(), "&Undo " + GetParam().step);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    undo->trigger();
    EXPECT_EQ(dictionaryBytes(dictionary()), before);
    EXPECT_EQ(listedWords(), wordsBefore) << "the window shows the dictionary as it is";
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_EQ(redo->text(), "&Redo " + GetParam().step);
    EXPECT_TRUE(redo->isEnabled());

    redo->trigger();
    EXPECT_EQ(dictionaryBytes(dictionary()), after);
    EXPECT_EQ(listedWords(), wordsAfter);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, UndoCommandTest, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoTest, ASessionIsTakenBackStepByStepAndForwardAgain) {
    open(sixWords());
    showActive();
    std::vector<std::vector<uint8_t>> states{dictionaryBytes(dictionary())};
    for (const Command& command : kCommands) {
        command.run(*this);
        states.push_back(dictionaryBytes(dictionary()));
    }
    const auto steps = static_cast<int>(states.size()) - 1;
    ASSERT_EQ(window->history().count(), steps);
    for (int i = steps; i-- > 0;) {
        child<QAction>("actionUndo")->trigger();
        ASSERT_EQ(dictionaryBytes(dictionary()), states[static_cast<std::size_t>(i)])
            << "after undoing " << kCommands[i].name;
    }
    EXPECT_FALSE(child<QAction>("actionUndo")->isEnabled());
    // The dialogs of the commands took the activation with them.
    showActive();
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
        ASSERT_EQ(dictionaryBytes(dictionary()), states[static_cast<std::size_t>(i) + 1])
            << "after redoing " << kCommands[i].name;
    }
}

TEST_F(UndoTest, TheShortcutsUndoAndRedoAndAChangeAfterAnUndoDropsTheRedo) {
    open(sixWords());
    showActive();
    EXPECT_EQ(child<QAction>("actionUndo")->shortcuts(),
              QList<QKeySequence>{QKeySequence("Ctrl+Z")});
    EXPECT_EQ(child<QAction>("actionRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    window->show();
    const std::vector<uint8_t> before = dictionaryBytes(dictionary());
    selectWord("milk");
    choose("wordThemeList", "Food");
    const std::vector<uint8_t> moved = dictionaryBytes(dictionary());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dictionaryBytes(dictionary()), before);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dictionaryBytes(dictionary()), moved);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);

    selectWord("tea");
    choose("wordLanguageList", "German");
    EXPECT_FALSE(child<QAction>("actionRedo")->isEnabled());
    EXPECT_EQ(child<QAction>("actionUndo")->text(), "&Undo Change language of 'tea'");
    EXPECT_EQ(window->history().count(), 1);
}

TEST_F(UndoTest, ChangesThatChangeNothingAreNoSteps) {
    open(sixWords());
    selectWord("cat");
    focus(edit("translationEdit"));
    retype(edit("translationEdit"), "Katze");  // what it holds already
    wordList()->setFocus(Qt::OtherFocusReason);
    choose("wordThemeList", "Animals");
    whenModalOpens([](QWidget* w) { clickButton(w, "okButton"); });
    button("renameButton")->click();
    whenModalOpens([](QWidget* w) { clickButton(w, "okButton"); });
    child<QAction>("actionOptions")->trigger();
    EXPECT_EQ(window->history().count(), 0);
    EXPECT_FALSE(child<QAction>("actionUndo")->isEnabled());
}

TEST_F(UndoTest, AnUndoFirstTakesWhatIsStillBeingTyped) {
    open(sixWords());
    const std::vector<uint8_t> before = dictionaryBytes(dictionary());
    selectWord("cat");
    focus(edit("translationEdit"));
    retype(edit("translationEdit"), "Kater");
    window->history().undo();
    EXPECT_EQ(dictionaryBytes(dictionary()), before);
    EXPECT_EQ(child<QAction>("actionRedo")->text(), "&Redo Change translation of 'cat'");
    selectWord("cat");
    EXPECT_EQ(edit("translationEdit")->text(), "Katze");

    // A blank translation is refused, and nothing is undone under it.
    child<QAction>("actionRedo")->trigger();
    selectWord("cat");
    focus(edit("translationEdit"));
    edit("translationEdit")->selectAll();
    QTest::keyClick(edit("translationEdit"), Qt::Key_Delete);
    window->history().undo();
    ASSERT_EQ(reporter.errorMessages(), std::vector<std::string>{"Can't change translation."});
    EXPECT_TRUE(child<QAction>("actionUndo")->isEnabled());
    EXPECT_EQ(fieldText(dictionary().words[3].translation), "Kater");
}

}  // namespace
}  // namespace lq::test
