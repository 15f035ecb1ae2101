#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "app/MainWindowFixture.h"
#include "store/TextField.h"
#include "support/GuiHelpers.h"

namespace lq::test {
namespace {

using WordCommandsTest = MainWindowFixture;

Dictionary fruit() {
    return makeDictionary({"English", "German"}, {"Food", "animals"},
                          {{.word = "cherry", .translation = "Kirsche"},
                           {.word = "apple", .translation = "Apfel"},
                           {.word = "Banana", .theme = 1, .language = 1}});
}

QLineEdit* field(QWidget* dialog, const char* name) {
    return child<QLineEdit>(dialog, name);
}

void typeInto(QWidget* dialog, const char* name, const QString& text) {
    QLineEdit* edit = field(dialog, name);
    edit->selectAll();
    edit->del();
    typeText(edit, text);
}

ShownMessage error(std::string message, std::string howToFix) {
    return {ShownMessage::Kind::Error, std::move(message), std::move(howToFix)};
}

struct NewWordInput {
    QString word;
    QString translation;
    QString transcription;
};

// Fills the new word dialog and presses OK; a refused dialog is then left with Cancel.
// Returns whether the dialog closed on OK.
bool addThroughDialog(QPushButton* newButton, const NewWordInput& input, const QString& theme = {},
                      const QString& language = {}) {
    bool closedOnOk = false;
    whenModalOpens([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "New Word");
        typeInto(dialog, "wordEdit", input.word);
        typeInto(dialog, "translationEdit", input.translation);
        typeInto(dialog, "transcriptionEdit", input.transcription);
        for (auto [list, name] : {std::pair{"themeList", theme}, {"languageList", language}}) {
            if (!name.isEmpty()) {
                auto* widget = child<QListWidget>(dialog, list);
                widget->setCurrentItem(widget->findItems(name, Qt::MatchExactly).front());
            }
        }
        clickButton(dialog, "okButton");
        closedOnOk = !dialog->isVisible();
        if (!closedOnOk) {
            clickButton(dialog, "cancelButton");
        }
    });
    newButton->click();
    return closedOnOk;
}

TEST_F(WordCommandsTest, NewWordRefusesTheFirstFailingFieldAndStaysOpen) {
    const std::string blank = "is blank, it must include atlast 1 character.";
    struct Case {
        NewWordInput input;
        std::string howToFix;
    };
    const Case cases[] = {
        {{"", "", ""}, "Field \"The word\" " + blank},
        {{"pear", "", "p"}, "Field \"Translation\" " + blank},
        {{"pear", "?", "p"}, "Field \"Translation\" " + blank},
        {{"pear", "?Birne", "p"}, "Field \"Translation\" " + blank},
        {{"pear", "Birne", ""}, "Field \"Transcription\" " + blank},
        {{"apple", "Apfel", "a"}, "Such word already exist."},
    };
    for (const Case& c : cases) {
        open(fruit());
        reporter.shown.clear();
        EXPECT_FALSE(addThroughDialog(button("newButton"), c.input)) << c.howToFix;
        EXPECT_EQ(reporter.shown, std::vector{error("Can't add word.", c.howToFix)});
        EXPECT_EQ(dictionary().words.size(), 3u);
    }
}

TEST_F(WordCommandsTest, NewWordIsAddedWithItsThemeLanguageAndTime) {
    struct Case {
        NewWordInput input;
        std::string stored;
        QString first;  // selected after the refresh: the first of the list, not the new word
    };
    const Case cases[] = {
        {{"Apple", "Apfel", "a"}, "Apple", "Apple"},  // differs from "apple" only in case
        {{"pear", "Birne?", "p"}, "pear", "apple"},   // "?" later in the text is a text
        {{QString(31, 'w'), QString(63, 't'), QString(31, 's')}, std::string(31, 'w'), "apple"},
    };
    for (const Case& c : cases) {
        open(fruit());
        EXPECT_TRUE(addThroughDialog(button("newButton"), c.input, "animals", "German"));
        ASSERT_EQ(dictionary().words.size(), 4u);
        const WordRecord& added = dictionary().words.back();
        EXPECT_EQ(fieldText(added.word), c.stored);
        EXPECT_EQ(fieldText(added.translation), c.input.translation.toUtf8().toStdString());
        EXPECT_EQ(fieldText(added.transcription), c.input.transcription.toUtf8().toStdString());
        EXPECT_EQ(added.themeIndex, 1);
        EXPECT_EQ(added.languageIndex, 1);
        EXPECT_EQ(added.testedCount, 0);
        EXPECT_EQ(added.rightCount, 0);
        EXPECT_EQ(added.created.year, clock.now.year);
        EXPECT_EQ(added.created.second, clock.now.second);
        EXPECT_EQ(counter(), "4 of 4");
        EXPECT_EQ(selectedWord(), c.first);
        EXPECT_EQ(listedWords().front(), c.first);
    }
}

TEST_F(WordCommandsTest, EntryFieldsRefuseTheKeystrokeBeyondTheirBytes) {
    open(fruit());
    whenModalOpens([](QWidget* dialog) {
        struct Case {
            const char* field;
            int bytes;
        };
        for (const Case& c :
             {Case{"wordEdit", 31}, {"translationEdit", 63}, {"transcriptionEdit", 31}}) {
            typeInto(dialog, c.field, QString(c.bytes + 5, 'x'));
            EXPECT_EQ(field(dialog, c.field)->text().size(), c.bytes) << c.field;
        }
        clickButton(dialog, "cancelButton");
    });
    button("newButton")->click();
    EXPECT_EQ(dictionary().words.size(), 3u);
}

TEST_F(WordCommandsTest, FirstWordResetsTheView) {
    open(makeDictionary({"English"}, {"Animals"}, {}));
    ASSERT_FALSE(wordList()->isEnabled());
    EXPECT_TRUE(addThroughDialog(button("newButton"), {"cat", "Katze", "kat"}));
    EXPECT_TRUE(wordList()->isEnabled());
    EXPECT_TRUE(combo("themeFilterList")->isEnabled());
    EXPECT_EQ(entries(combo("themeFilterList")), QStringList({"< doesn't matter >", "Animals"}));
    EXPECT_EQ(listedWords(), QStringList{"cat"});
    EXPECT_EQ(counter(), "1 of 1");
    EXPECT_EQ(edit("translationEdit")->text(), "Katze");
}

// Opens the rename dialog for the selected word, types a name unless it is null, presses OK
// and leaves a refused dialog with Cancel. Returns whether it closed on OK.
bool renameThroughDialog(QPushButton* renameButton, const QString& newName) {
    bool closedOnOk = false;
    whenModalOpens([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Rename Word");
        EXPECT_EQ(field(dialog, "oldNameEdit")->text(), field(dialog, "newNameEdit")->text());
        EXPECT_TRUE(field(dialog, "oldNameEdit")->isReadOnly());
        if (!newName.isNull()) {
            typeInto(dialog, "newNameEdit", newName);
        }
        clickButton(dialog, "okButton");
        closedOnOk = !dialog->isVisible();
        if (!closedOnOk) {
            clickButton(dialog, "cancelButton");
        }
    });
    renameButton->click();
    return closedOnOk;
}

TEST_F(WordCommandsTest, RenameRefusesABlankNameAndAnotherWordsName) {
    struct Case {
        QString newName;
        std::string howToFix;
    };
    const Case cases[] = {
        {"", "Name of the word must include at last 1 character."},
        {"cherry", "Such word already defined. Enter another name or edit existing."},
    };
    for (const Case& c : cases) {
        open(fruit());
        reporter.shown.clear();
        EXPECT_FALSE(renameThroughDialog(button("renameButton"), c.newName));
        EXPECT_EQ(reporter.shown, std::vector{error("Can't rename word.", c.howToFix)});
        EXPECT_EQ(wordTexts(dictionary()), (std::vector<std::string>{"cherry", "apple", "Banana"}));
    }
}

TEST_F(WordCommandsTest, RenameStoresTheNewNameAndRefillsTheList) {
    struct Case {
        QString newName;  // null: OK without typing
        std::string stored;
        QStringList listed;
    };
    const Case cases[] = {
        {QString(), "apple", {"apple", "Banana", "cherry"}},
        {"apple", "apple", {"apple", "Banana", "cherry"}},
        {"Cherry", "Cherry", {"Banana", "Cherry", "cherry"}},
        {QString(31, 'z'), std::string(31, 'z'), {"Banana", "cherry", QString(31, 'z')}},
    };
    for (const Case& c : cases) {
        open(fruit());
        EXPECT_TRUE(renameThroughDialog(button("renameButton"), c.newName));
        EXPECT_TRUE(reporter.shown.empty());
        EXPECT_EQ(fieldText(dictionary().words[1].word), c.stored);
        EXPECT_EQ(listedWords(), c.listed);
        EXPECT_EQ(selectedWord(), c.listed.front());
    }
}

TEST_F(WordCommandsTest, DeleteAsksFirstAndRefreshesByWhatRemains) {
    struct Case {
        std::vector<WordSpec> words;
        bool answer;
        std::vector<std::string> remaining;
        QString counter;
    };
    const Case cases[] = {
        {{{"cherry"}, {"apple"}}, false, {"cherry", "apple"}, "2 of 2"},
        {{{"cherry"}, {"apple"}}, true, {"cherry"}, "1 of 1"},
        {{{"apple"}}, true, {}, "0 of 0"},
    };
    for (const Case& c : cases) {
        open(makeDictionary({"English"}, {"Food"}, c.words));
        reporter.shown.clear();
        reporter.answers = {c.answer};
        button("deleteButton")->click();
        ASSERT_EQ(reporter.shown.size(), 1u);
        EXPECT_EQ(reporter.shown[0].kind, ShownMessage::Kind::Warning);
        EXPECT_EQ(reporter.shown[0].message, "The word \"apple\" will be deleted.");
        EXPECT_FALSE(reporter.shown[0].yesNo);
        EXPECT_EQ(wordTexts(dictionary()), c.remaining);
        EXPECT_EQ(counter(), c.counter);
        EXPECT_EQ(wordList()->isEnabled(), !c.remaining.empty());
        EXPECT_EQ(combo("themeFilterList")->isEnabled(), !c.remaining.empty());
    }
}

TEST_F(WordCommandsTest, TranslationLeftBlankIsRefusedAndKeepsTheFocus) {
    struct Case {
        QString typed;
        std::string stored;
        bool refused;
    };
    const Case cases[] = {
        {"", "Apfel", true},
        {"?", "Apfel", true},
        {"?Apfel", "Apfel", true},
        {"Apfel?", "Apfel?", false},
        {QString(63, 'a'), std::string(63, 'a'), false},
    };
    for (const Case& c : cases) {
        open(fruit());
        reporter.shown.clear();
        QLineEdit* translation = edit("translationEdit");
        focus(translation);
        typeInto(window.get(), "translationEdit", c.typed);
        wordList()->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(fieldText(dictionary().words[1].translation), c.stored);
        if (c.refused) {
            EXPECT_EQ(reporter.shown, std::vector{error("Can't change translation.",
                                                        "Translation must include at last 1 "
                                                        "character.")});
            EXPECT_EQ(QApplication::focusWidget(), translation);
            EXPECT_EQ(translation->text(), c.typed) << "the field keeps what was typed";
        } else {
            EXPECT_TRUE(reporter.shown.empty());
        }
        window->hide();
    }
}

// A window torn down while an edit is pending (not closed, so with no last focus change while
// it is whole) takes nothing from the field and refuses nothing: its parts are already gone.
TEST_F(WordCommandsTest, WindowTornDownWhileEditingChangesNothing) {
    open(fruit());
    focus(edit("translationEdit"));
    typeInto(window.get(), "translationEdit", "");
    reporter.shown.clear();
    window.reset();
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(fieldText(dictionary().words[1].translation), "Apfel");
}

TEST_F(WordCommandsTest, TranscriptionIsStoredWhateverItHolds) {
    for (const QString& typed : {QString(), QString("?"), QString::fromUtf8("ˈæpəl")}) {
        open(fruit());
        focus(edit("transcriptionEdit"));
        typeInto(window.get(), "transcriptionEdit", typed);
        button("infoButton")->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(fieldText(dictionary().words[1].transcription), typed.toUtf8().toStdString());
        EXPECT_TRUE(reporter.shown.empty());
        window->hide();
    }
}

TEST_F(WordCommandsTest, EditIsAppliedToTheWordSelectedWhileTyping) {
    open(fruit());
    focus(edit("translationEdit"));
    typeInto(window.get(), "translationEdit", "Apfelbaum");
    // The list takes the focus before the click changes the selection.
    wordList()->setFocus(Qt::MouseFocusReason);
    selectWord("cherry");
    EXPECT_EQ(fieldText(dictionary().words[1].translation), "Apfelbaum");
    EXPECT_EQ(fieldText(dictionary().words[0].translation), "Kirsche");
    EXPECT_EQ(edit("translationEdit")->text(), "Kirsche");
    window->hide();
}

// Runs `act` and reports the caption of the word information dialog it opened.
QString captionOfInformationOpenedBy(const std::function<void()>& act) {
    QString caption;
    whenModalOpens([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Word Information");
        caption = field(dialog, "wordCaption")->text();
        clickButton(dialog, "okButton");
    });
    act();
    return caption;
}

TEST_F(WordCommandsTest, InfoButtonDoubleClickAndEnterShowTheSelectedWord) {
    open(fruit());
    focus(wordList());
    selectWord("Banana");
    const QString banana = "Banana (animals,German)";
    EXPECT_EQ(captionOfInformationOpenedBy([&] { button("infoButton")->click(); }), banana);
    EXPECT_EQ(captionOfInformationOpenedBy(
                  [&] { emit wordList()->doubleClicked(wordList()->currentIndex()); }),
              banana);
    EXPECT_EQ(captionOfInformationOpenedBy([&] { QTest::keyClick(window.get(), Qt::Key_Return); }),
              banana);
    EXPECT_TRUE(window->isVisible()) << "Enter must not close the window";
    window->hide();
}

TEST_F(WordCommandsTest, EnterAppliesThePendingTranslationBeforeTheInformation) {
    open(fruit());
    focus(edit("translationEdit"));
    typeInto(window.get(), "translationEdit", "Apfelbaum");
    bool storedBeforeInformation = false;
    captionOfInformationOpenedBy([&] { QTest::keyClick(edit("translationEdit"), Qt::Key_Return); });
    storedBeforeInformation = fieldText(dictionary().words[1].translation) == "Apfelbaum";
    EXPECT_TRUE(storedBeforeInformation);
    EXPECT_TRUE(window->isVisible());
    window->hide();
}

TEST_F(WordCommandsTest, CyrillicWordCanBeTypedListedRenamedAndFoundAgain) {
    open(makeDictionary({"Русский"}, {"Животные"}, {{"apple"}}));
    EXPECT_TRUE(addThroughDialog(
        button("newButton"),
        {QString::fromUtf8("кот"), QString::fromUtf8("γάτα"), QString::fromUtf8("kɔt")}));
    const int32_t cat = findWord(dictionary(), "кот");
    ASSERT_NE(cat, kNoIndex);
    EXPECT_EQ(fieldText(dictionary().words[cat].translation), "γάτα");
    EXPECT_EQ(fieldText(dictionary().words[cat].transcription), "kɔt");
    EXPECT_EQ(listedWords(), QStringList({"apple", QString::fromUtf8("кот")}));

    selectWord(QString::fromUtf8("кот"));
    EXPECT_EQ(edit("translationEdit")->text(), QString::fromUtf8("γάτα"));
    EXPECT_EQ(combo("wordThemeList")->currentText(), QString::fromUtf8("Животные"));
    // Sixteen two-byte letters would need 32 bytes: the last keystroke is refused.
    whenModalOpens([](QWidget* dialog) {
        typeInto(dialog, "newNameEdit", QString(16, QChar(0x0436)));
        EXPECT_EQ(field(dialog, "newNameEdit")->text(), QString(15, QChar(0x0436)));
        typeInto(dialog, "newNameEdit", QString::fromUtf8("кошка"));
        clickButton(dialog, "okButton");
    });
    button("renameButton")->click();
    EXPECT_EQ(findWord(dictionary(), "кот"), kNoIndex);
    EXPECT_EQ(findWord(dictionary(), "кошка"), cat);
    EXPECT_EQ(listedWords(), QStringList({"apple", QString::fromUtf8("кошка")}));
    choose("themeFilterList", QString::fromUtf8("Животные"));
    EXPECT_EQ(counter(), "2 of 2");
}

TEST_F(WordCommandsTest, Windows1252NamesAreFoundAndKeepTheirBytes) {
    // "naïve" and "Café" as a dictionary written on Windows holds them.
    const std::string naive = "na\xEFve";
    const std::string cafe = "Caf\xE9";
    open(makeDictionary({"English"}, {"Food", cafe},
                        {{.word = "apple"},
                         {.word = naive,
                          .theme = 1,
                          .translation = "na\xEF"
                                         "f",
                          .transcription = "na\xEF"}}));
    const QString shownNaive = QString::fromUtf8("naïve");
    EXPECT_EQ(listedWords(), QStringList({"apple", shownNaive}));
    choose("themeFilterList", QString::fromUtf8("Café"));
    EXPECT_EQ(listedWords(), QStringList{shownNaive});
    EXPECT_EQ(edit("translationEdit")->text(), QString::fromUtf8("naïf"));
    EXPECT_EQ(combo("wordThemeList")->currentText(), QString::fromUtf8("Café"));

    // Leaving the untouched fields and renaming to the unchanged name keep the bytes.
    focus(edit("translationEdit"));
    edit("transcriptionEdit")->setFocus(Qt::TabFocusReason);
    wordList()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(renameThroughDialog(button("renameButton"), QString()));
    const WordRecord& word = dictionary().words[1];
    EXPECT_EQ(fieldText(word.word), naive);
    EXPECT_EQ(fieldText(word.translation),
              "na\xEF"
              "f");
    EXPECT_EQ(fieldText(word.transcription), "na\xEF");
    EXPECT_TRUE(reporter.shown.empty());

    reporter.answers = {true};
    button("deleteButton")->click();
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].message, "The word \"" + naive + "\" will be deleted.");
    EXPECT_EQ(wordTexts(dictionary()), std::vector<std::string>{"apple"});
    window->hide();
}

}  // namespace
}  // namespace lq::test
