#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QTest>

#include "app/MainWindowFixture.h"
#include "store/TextField.h"
#include "support/GuiHelpers.h"

namespace lq::test {
namespace {

using MainWindowKeyboardTest = MainWindowFixture;

Dictionary fruit() {
    return makeDictionary({"English", "German"}, {"Food", "animals"},
                          {{.word = "cherry", .translation = "Kirsche"},
                           {.word = "apple", .translation = "Apfel"},
                           {.word = "Banana", .theme = 1, .language = 1}});
}

TEST_F(MainWindowKeyboardTest, DeleteKeyInTheListAsksAndDeletesOnlyOnOk) {
    struct Case {
        const char* name;
        bool answer;
        std::vector<std::string> left;
        QStringList listed;
    };
    const Case cases[] = {
        {"ok", true, {"cherry", "Banana"}, {"Banana", "cherry"}},
        {"cancel", false, {"cherry", "apple", "Banana"}, {"apple", "Banana", "cherry"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(fruit());
        reporter.shown.clear();
        reporter.answers = {c.answer};
        ASSERT_EQ(selectedWord(), "apple");
        QTest::keyClick(wordList(), Qt::Key_Delete);
        EXPECT_EQ(reporter.shown,
                  std::vector<ShownMessage>(
                      {{ShownMessage::Kind::Warning, "The word \"apple\" will be deleted.", {}}}));
        EXPECT_EQ(wordTexts(dictionary()), c.left);
        EXPECT_EQ(listedWords(), c.listed);
    }
}

TEST_F(MainWindowKeyboardTest, DeleteKeyDeletesTheWordFoundAndKeepsTheSearch) {
    open(fruit());
    typeText(edit("searchEdit"), "ban");
    reporter.answers = {true};
    QTest::keyClick(wordList(), Qt::Key_Delete);
    EXPECT_EQ(wordTexts(dictionary()), (std::vector<std::string>{"cherry", "apple"}));
    EXPECT_EQ(edit("searchEdit")->text(), "ban");
    EXPECT_EQ(listedWords(), QStringList());
    EXPECT_EQ(counter(), "0 of 2");
}

TEST_F(MainWindowKeyboardTest, DeleteKeyWithAModifierOrInAFieldDeletesNothing) {
    open(fruit());
    reporter.answers = {true};
    QTest::keyClick(wordList(), Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(edit("translationEdit"), Qt::Key_Delete);
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(dictionary().words.size(), 3u);
}

TEST_F(MainWindowKeyboardTest, ShortcutsShowWhereTheirCommandsAre) {
    open(fruit());
    EXPECT_EQ(child<QAction>("actionHelp")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(button("deleteButton")->toolTip().contains("(Del)"))
        << button("deleteButton")->toolTip().toStdString();
}

TEST_F(MainWindowKeyboardTest, RenameOpensWithTheNewNameSelectedAndReturnsThereAfterARefusal) {
    open(fruit());
    whenModalOpens([&](QWidget* dialog) {
        auto* newName = child<QLineEdit>(dialog, "newNameEdit");
        EXPECT_EQ(dialog->focusWidget(), newName);
        EXPECT_EQ(newName->selectedText(), "apple");
        // Typing goes straight into the new name.
        typeText(dialog->focusWidget(), "cherry");
        EXPECT_EQ(newName->text(), "cherry");
        child<QLineEdit>(dialog, "oldNameEdit")->setFocus();
        clickButton(dialog, "okButton");  // refused: another word's name
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), newName);
        EXPECT_EQ(newName->selectedText(), "cherry");
        clickButton(dialog, "cancelButton");
    });
    button("renameButton")->click();
    EXPECT_EQ(reporter.errorMessages(), std::vector<std::string>{"Can't rename word."});
}

struct NewWordTyping {
    QString word;
    QString translation;
    QString transcription;
};

void typeNewWord(QWidget* dialog, const NewWordTyping& input) {
    for (auto [name, text] : {std::pair{"wordEdit", input.word},
                              {"translationEdit", input.translation},
                              {"transcriptionEdit", input.transcription}}) {
        auto* field = child<QLineEdit>(dialog, name);
        field->clear();
        typeText(field, text);
    }
}

TEST_F(MainWindowKeyboardTest, NewWordRefusalPutsTheFocusInTheFieldAtFault) {
    struct Case {
        NewWordTyping input;
        const char* atFault;
    };
    const Case cases[] = {
        {{"", "Birne", "p"}, "wordEdit"},
        {{"pear", "?", "p"}, "translationEdit"},
        {{"pear", "Birne", ""}, "transcriptionEdit"},
        {{"apple", "Apfel", "a"}, "wordEdit"},  // the word exists
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.atFault);
        open(fruit());
        whenModalOpens([&](QWidget* dialog) {
            typeNewWord(dialog, c.input);
            child<QListWidget>(dialog, "themeList")->setFocus();
            clickButton(dialog, "okButton");
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), child<QLineEdit>(dialog, c.atFault));
            clickButton(dialog, "cancelButton");
        });
        button("newButton")->click();
        EXPECT_EQ(dictionary().words.size(), 3u);
    }
}

TEST_F(MainWindowKeyboardTest, AfterNewWordTheFocusIsBackInTheWordList) {
    for (const char* closeWith : {"okButton", "cancelButton"}) {
        SCOPED_TRACE(closeWith);
        open(fruit());
        focus(edit("translationEdit"));
        whenModalOpens([&](QWidget* dialog) {
            typeNewWord(dialog, {"pear", "Birne", "pɛə"});
            clickButton(dialog, closeWith);
        });
        button("newButton")->click();
        EXPECT_EQ(window->focusWidget(), wordList());
        EXPECT_EQ(edit("translationEdit")->selectedText(), "");
        window->hide();
    }
}

}  // namespace
}  // namespace lq::test
