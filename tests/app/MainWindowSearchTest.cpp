#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "app/MainWindowFixture.h"
#include "support/GuiHelpers.h"
#include "support/TableCases.h"

namespace lq::test {
namespace {

// "Müsli" is stored in Windows-1252, as a dictionary written on Windows holds it.
Dictionary breakfast() {
    return makeDictionary(
        {"English", "German"}, {"Fruit", "Drinks"},
        {{.word = "cherry", .translation = "Kirsche", .transcription = "ˈtʃeri"},
         {.word = "apple", .translation = "Apfel", .transcription = "ˈæpəl"},
         {.word = "Banana",
          .theme = 0,
          .language = 1,
          .translation = "Banane",
          .transcription = "bəˈnɑːnə"},
         {.word = "crème",
          .theme = 1,
          .right = 4,
          .tested = 4,
          .translation = "Sahne",
          .transcription = "krɛm"},
         {.word = "M\xFCsli",
          .theme = 1,
          .language = 1,
          .translation = "muesli",
          .transcription = "ˈmyːsli"},
         {.word = "pineapple", .translation = "Ananas", .transcription = "ˈpaɪnæpəl"}});
}

struct SearchCase {
    const char* name;
    QString typed;
    QStringList listed;
    QString counter;
};

const SearchCase kSearchCases[] = {
    {"ByTheStartOfAWord", "ban", {"Banana"}, "1 of 6"},
    {"ByPartOfAWord", "apple", {"apple", "pineapple"}, "2 of 6"},
    {"ByPartOfATranslation", "irsch", {"cherry"}, "1 of 6"},
    {"ByATranscription", "tʃ", {"cherry"}, "1 of 6"},
    {"LetterCaseIgnored", "APFEL", {"apple"}, "1 of 6"},
    {"AccentsIgnored", "creme", {"crème"}, "1 of 6"},
    {"AccentsTypedIgnoredToo", "ÁPPLE", {"apple", "pineapple"}, "2 of 6"},
    {"Windows1252WordAsShown", "MUSLI", {"Müsli"}, "1 of 6"},
    {"AnyOfTheThreeTexts", "an", {"Banana", "pineapple"}, "2 of 6"},
    {"NothingFound", "grape", {}, "0 of 6"},
};

class MainWindowSearchTest : public MainWindowFixture,
                             public ::testing::WithParamInterface<SearchCase> {};

TEST_P(MainWindowSearchTest, TypingNarrowsTheListAndSelectsTheFirstWordFound) {
    const SearchCase& c = GetParam();
    open(breakfast());
    QLineEdit* search = edit("searchEdit");
    focus(search);
    typeText(search, c.typed);
    EXPECT_EQ(listedWords(), c.listed);
    EXPECT_EQ(counter(), c.counter);
    EXPECT_EQ(wordList()->isEnabled(), !c.listed.isEmpty());
    EXPECT_TRUE(search->isEnabled()) << "the search can always be changed";
    if (!c.listed.isEmpty()) {
        EXPECT_EQ(selectedWord(), c.listed.front());
    }
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(Cases, MainWindowSearchTest, ::testing::ValuesIn(kSearchCases),
                         CaseName{});

using MainWindowSearchFieldTest = MainWindowFixture;

TEST_F(MainWindowSearchFieldTest, ShowsWhatToTypeAndItsShortcut) {
    open(breakfast());
    QLineEdit* search = edit("searchEdit");
    EXPECT_EQ(search->placeholderText(), "Search words and translations");
    EXPECT_TRUE(search->toolTip().contains("Ctrl+F")) << search->toolTip().toStdString();
    auto* find = child<QAction>("actionFindWords");
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
}

TEST_F(MainWindowSearchFieldTest, WorksTogetherWithEachFilter) {
    struct Case {
        const char* filter;
        QString entry;
        QString typed;
        QStringList listed;
    };
    const Case cases[] = {
        {"themeFilterList", "Drinks", "e", {"crème", "Müsli"}},
        {"themeFilterList", "Fruit", "e", {"apple", "Banana", "cherry", "pineapple"}},
        {"languageFilterList", "German", "an", {"Banana"}},
        {"knowledgeFilterList", "100%-known (100%)", "e", {"crème"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        open(breakfast());
        // The filter first and then the search, and the other way round, list the same.
        choose(c.filter, c.entry);
        typeText(edit("searchEdit"), c.typed);
        EXPECT_EQ(listedWords(), c.listed);
        EXPECT_EQ(counter(), QString("%1 of 6").arg(c.listed.size()));
        EXPECT_EQ(selectedWord(), c.listed.front());

        open(breakfast());
        typeText(edit("searchEdit"), c.typed);
        choose(c.filter, c.entry);
        EXPECT_EQ(listedWords(), c.listed);
        EXPECT_EQ(edit("searchEdit")->text(), c.typed) << "a filter keeps the search";
    }
}

TEST_F(MainWindowSearchFieldTest, ResetViewClearsTheSearchWithTheFilters) {
    open(breakfast());
    choose("themeFilterList", "Fruit");
    typeText(edit("searchEdit"), "apple");
    ASSERT_EQ(listedWords().size(), 2);
    window->ResetView();
    EXPECT_EQ(edit("searchEdit")->text(), "");
    EXPECT_EQ(listedWords().size(), 6);
    EXPECT_EQ(counter(), "6 of 6");
}

TEST_F(MainWindowSearchFieldTest, IsDisabledWithoutWords) {
    open(makeDictionary({"English"}, {"Fruit"}, {}));
    EXPECT_FALSE(edit("searchEdit")->isEnabled());
}

TEST_F(MainWindowSearchFieldTest, EscapeClearsTheSearchAndOnlyAnEmptyOneLeavesTheWindow) {
    open(breakfast());
    dictionary().header.setAskUpdateOnExit(false);  // leaving then closes without a question
    QLineEdit* search = edit("searchEdit");
    focus(search);
    typeText(search, "ban");
    ASSERT_EQ(listedWords(), QStringList{"Banana"});

    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(search->text(), "");
    EXPECT_EQ(listedWords().size(), 6);
    EXPECT_TRUE(window->isVisible()) << "Escape in a search in progress does not leave";

    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible()) << "Escape in an empty search leaves as before";
    EXPECT_EQ(window->result(), QDialog::Rejected);
}

TEST_F(MainWindowSearchFieldTest, EnterAndDownGoOnToTheList) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Down}) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        open(breakfast());
        QLineEdit* search = edit("searchEdit");
        focus(search);
        typeText(search, "apple");
        // Enter here opens no word information: a dialog would keep the test from going on.
        QTest::keyClick(search, key);
        EXPECT_EQ(window->focusWidget(), wordList());
        EXPECT_EQ(selectedWord(), "apple");
        EXPECT_EQ(search->text(), "apple");
        window->hide();
    }
}

TEST_F(MainWindowSearchFieldTest, CtrlFBringsTheFocusToTheSearchWithItsTextSelected) {
    open(breakfast());
    QLineEdit* search = edit("searchEdit");
    typeText(search, "apple");
    focus(wordList());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(wordList(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->focusWidget(), search);
    EXPECT_EQ(search->selectedText(), "apple");
    window->hide();
}

}  // namespace
}  // namespace lq::test
