#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/MainWindowFixture.h"

namespace lq::test {
namespace {

using MainWindowTest = MainWindowFixture;

const QString kAny = "< doesn't matter >";

// The controls a refresh enables or disables together.
const char* const kWordControls[] = {"wordThemeList",   "wordLanguageList",  "wordList",
                                     "translationEdit", "transcriptionEdit", "infoButton",
                                     "deleteButton",    "renameButton"};
const char* const kFilterLists[] = {"themeFilterList", "languageFilterList", "knowledgeFilterList"};

Dictionary fruit() {
    return makeDictionary({"English", "German"}, {"Food", "animals"},
                          {{.word = "cherry", .translation = "Kirsche"},
                           {.word = "apple", .translation = "Apfel", .transcription = "ˈæpəl"},
                           {.word = "Banana", .theme = 1, .language = 1}});
}

TEST_F(MainWindowTest, WindowWithoutWordsDisablesItsListsAndOffersNewOnlyWithBothTables) {
    struct Case {
        std::vector<std::string> languages;
        std::vector<std::string> themes;
        bool newEnabled;
    };
    const Case cases[] = {
        {{}, {}, false},
        {{"English"}, {}, false},
        {{}, {"Animals"}, false},
        {{"English"}, {"Animals"}, true},
    };
    for (const Case& c : cases) {
        open(makeDictionary(c.languages, c.themes, {}));
        for (const char* name : kWordControls) {
            EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
        }
        for (const char* name : kFilterLists) {
            EXPECT_FALSE(combo(name)->isEnabled()) << name;
            EXPECT_EQ(entries(combo(name)), QStringList{kAny}) << name;
        }
        EXPECT_EQ(counter(), "0 of 0");
        EXPECT_EQ(button("newButton")->isEnabled(), c.newEnabled)
            << c.languages.size() << " languages, " << c.themes.size() << " themes";
    }
}

TEST_F(MainWindowTest, MenuBarHoldsEveryCommandWithItsMnemonic) {
    open(fruit());
    EXPECT_EQ(window->windowTitle(), "Lexiquill");
    struct Case {
        const char* action;
        QString text;
        bool enabled;
    };
    const Case cases[] = {
        {"actionThemes", "&Themes...", true},
        {"actionLanguages", "&Languages...", true},
        {"actionImportWords", "Import &words...", true},
        {"actionExportWordsCsv", "Export words to a &CSV file...", true},
        {"actionImportWordsCsv", "Import words from a CS&V file...", true},
        {"actionReport", "&Report...", true},
        {"actionInformation", "&Information...", true},
        {"actionOptions", "&Options...", true},
        {"actionExit", "E&xit", true},
        {"actionUndo", "&Undo", false},
        {"actionRedo", "&Redo", false},
        {"actionTest", "&Test!", true},
        {"actionHelp", "&Help...", true},
        {"actionHowToUse", "How to &use...", true},
        {"actionAbout", "&About...", true},
    };
    for (const Case& c : cases) {
        const auto* action = child<QAction>(c.action);
        ASSERT_NE(action, nullptr) << c.action;
        EXPECT_EQ(action->text(), c.text);
        EXPECT_EQ(action->isEnabled(), c.enabled) << c.action;
    }
    auto* bar = child<QMenuBar>("menuBar");
    QStringList onBar;
    for (const QAction* action : bar->actions()) {
        onBar << action->text();
    }
    EXPECT_EQ(onBar, QStringList({"&File", "&Edit", "&Test!"}));
    // "&Help" sits in the bar's right-hand corner.
    auto* helpBar = qobject_cast<QMenuBar*>(bar->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(helpBar, nullptr);
    ASSERT_EQ(helpBar->actions().size(), 1);
    EXPECT_EQ(helpBar->actions().front()->text(), "&Help");
    QStringList file;
    for (const QAction* action : child<QMenu>("fileMenu")->actions()) {
        file << (action->isSeparator() ? "-" : action->text());
    }
    EXPECT_EQ(file,
              QStringList({"&Themes...", "&Languages...", "-", "Import &words...",
                           "Export words to a &CSV file...", "Import words from a CS&V file...",
                           "&Report...", "-", "&Information...", "&Options...", "-", "E&xit"}));
}

TEST_F(MainWindowTest, ListsSortIgnoringCaseWithDoesntMatterFirst) {
    open(makeDictionary({"russian", "English", "1st"}, {"zoo", "Animals", "_misc", "birds"},
                        {{"cherry"}, {"apple"}, {"Banana"}}));
    EXPECT_EQ(listedWords(), QStringList({"apple", "Banana", "cherry"}));
    EXPECT_EQ(selectedWord(), "apple");
    EXPECT_EQ(entries(combo("themeFilterList")),
              QStringList({kAny, "_misc", "Animals", "birds", "zoo"}));
    EXPECT_EQ(entries(combo("wordThemeList")), QStringList({"_misc", "Animals", "birds", "zoo"}));
    EXPECT_EQ(entries(combo("languageFilterList")),
              QStringList({kAny, "1st", "English", "russian"}));
    EXPECT_EQ(entries(combo("wordLanguageList")), QStringList({"1st", "English", "russian"}));
    EXPECT_EQ(entries(combo("knowledgeFilterList")),
              QStringList({kAny, "wasn't tested", "unknown (0-25%)", "badknown (25-50%)",
                           "wellknown (50-75%)", "goodknown (75-100%)", "100%-known (100%)"}));
    for (const char* name : kFilterLists) {
        EXPECT_EQ(combo(name)->currentText(), kAny) << name;
    }
}

TEST_F(MainWindowTest, FirstWordIsSelectedAfterEveryRefresh) {
    open(fruit());
    EXPECT_EQ(selectedWord(), "apple");
    EXPECT_EQ(edit("translationEdit")->text(), "Apfel");
    EXPECT_EQ(edit("transcriptionEdit")->text(), QString::fromUtf8("ˈæpəl"));

    const std::vector<std::pair<const char*, std::function<void()>>> refreshes = {
        {"RefilterWords", [&] { window->RefilterWords(); }},
        {"ResetView", [&] { window->ResetView(); }},
        {"knowledge filter", [&] { choose("knowledgeFilterList", "wasn't tested"); }},
        {"theme filter", [&] { choose("themeFilterList", kAny); }},
    };
    for (const auto& [name, refresh] : refreshes) {
        selectWord("cherry");
        ASSERT_EQ(edit("translationEdit")->text(), "Kirsche");
        refresh();
        EXPECT_EQ(listedWords(), QStringList({"apple", "Banana", "cherry"})) << name;
        EXPECT_EQ(selectedWord(), "apple") << name;
        EXPECT_EQ(edit("translationEdit")->text(), "Apfel") << name;
    }
}

TEST_F(MainWindowTest, SelectedWordShowsItsThemeAndLanguage) {
    open(fruit());
    selectWord("Banana");
    EXPECT_EQ(combo("wordThemeList")->currentText(), "animals");
    EXPECT_EQ(combo("wordLanguageList")->currentText(), "German");
    selectWord("cherry");
    EXPECT_EQ(combo("wordThemeList")->currentText(), "Food");
    EXPECT_EQ(combo("wordLanguageList")->currentText(), "English");
}

// 40 words: 12 in theme "Verbs" (4 of them German), 28 in "Nouns" (10 German).
Dictionary fortyWords() {
    std::vector<WordSpec> words;
    for (int i = 0; i < 40; ++i) {
        const bool verb = i < 12;
        const bool german = verb ? i < 4 : i < 22;
        words.push_back(
            {.word = "w" + std::to_string(i), .theme = verb ? 1 : 0, .language = german ? 1 : 0});
    }
    return makeDictionary({"English", "German"}, {"Nouns", "Verbs"}, words);
}

TEST_F(MainWindowTest, FiltersNarrowTheListAndEachKeepsTheOthers) {
    open(fortyWords());
    EXPECT_EQ(counter(), "40 of 40");
    struct Step {
        const char* list;
        QString entry;
        QString counter;
    };
    const Step steps[] = {
        {"themeFilterList", "Verbs", "12 of 40"}, {"languageFilterList", "German", "4 of 40"},
        {"themeFilterList", kAny, "14 of 40"},    {"languageFilterList", kAny, "40 of 40"},
        {"themeFilterList", "Nouns", "28 of 40"},
    };
    for (const Step& step : steps) {
        choose(step.list, step.entry);
        EXPECT_EQ(counter(), step.counter) << step.list << " " << step.entry.toStdString();
        EXPECT_EQ(listedWords().size(), step.counter.split(' ').front().toInt());
    }
}

TEST_F(MainWindowTest, FiltersThatLetNothingThroughDisableTheWordControlsOnly) {
    open(fortyWords());
    choose("knowledgeFilterList", "100%-known (100%)");
    EXPECT_EQ(counter(), "0 of 40");
    EXPECT_TRUE(listedWords().isEmpty());
    for (const char* name : kWordControls) {
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    }
    for (const char* name : kFilterLists) {
        EXPECT_TRUE(combo(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(button("newButton")->isEnabled());

    choose("knowledgeFilterList", kAny);
    EXPECT_EQ(counter(), "40 of 40");
    for (const char* name : kWordControls) {
        EXPECT_TRUE(child<QWidget>(name)->isEnabled()) << name;
    }
}

TEST_F(MainWindowTest, KnowledgeFilterListsTheWordsOfTheBandIncludingItsEdges) {
    open(makeDictionary({"English"}, {"Animals"},
                        {{.word = "quarter", .right = 1, .tested = 4},
                         {.word = "half", .right = 1, .tested = 2},
                         {.word = "never"},
                         {.word = "none", .right = 0, .tested = 3},
                         {.word = "all", .right = 5, .tested = 5}}));
    struct Case {
        QString band;
        QStringList listed;
    };
    const Case cases[] = {
        {"wasn't tested", {"never"}},
        {"unknown (0-25%)", {"none", "quarter"}},
        {"badknown (25-50%)", {"half", "quarter"}},
        {"wellknown (50-75%)", {"half"}},
        {"goodknown (75-100%)", {"all"}},
        {"100%-known (100%)", {"all"}},
    };
    for (const Case& c : cases) {
        choose("knowledgeFilterList", c.band);
        EXPECT_EQ(listedWords(), c.listed) << c.band.toStdString();
    }
}

TEST_F(MainWindowTest, MovingAWordOutOfTheFilteredThemeOrLanguageRefillsTheList) {
    struct Case {
        const char* filterList;
        QString filter;
        const char* wordList;
        QString moveTo;
        QStringList listed;
        QString selected;
    };
    const Case cases[] = {
        {"themeFilterList", "Food", "wordThemeList", "animals", {"cherry"}, "cherry"},
        {"themeFilterList",
         kAny,
         "wordThemeList",
         "animals",
         {"apple", "Banana", "cherry"},
         "apple"},
        {"languageFilterList", "English", "wordLanguageList", "German", {"cherry"}, "cherry"},
        {"languageFilterList",
         kAny,
         "wordLanguageList",
         "German",
         {"apple", "Banana", "cherry"},
         "apple"},
    };
    for (const Case& c : cases) {
        open(fruit());
        choose(c.filterList, c.filter);
        ASSERT_EQ(selectedWord(), "apple");
        choose(c.wordList, c.moveTo);
        EXPECT_EQ(listedWords(), c.listed) << c.filterList << " " << c.filter.toStdString();
        EXPECT_EQ(selectedWord(), c.selected);
        const WordRecord& apple = dictionary().words[1];
        EXPECT_EQ(
            std::string(c.wordList) == "wordThemeList" ? apple.themeIndex : apple.languageIndex, 1);
    }
}

TEST_F(MainWindowTest, HelpOpensTheHelpPageFromTheMenuAndWithF1Anywhere) {
    open(fruit());
    struct Case {
        const char* name;
        std::function<void()> act;
        bool opens;
    };
    const Case cases[] = {
        {"menu", [&] { child<QAction>("actionHelp")->trigger(); }, true},
        {"F1 in a field", [&] { QTest::keyClick(edit("translationEdit"), Qt::Key_F1); }, true},
        {"F1 in the list", [&] { QTest::keyClick(wordList(), Qt::Key_F1); }, true},
        {"Shift+F1", [&] { QTest::keyClick(wordList(), Qt::Key_F1, Qt::ShiftModifier); }, false},
        {"Ctrl+F1", [&] { QTest::keyClick(wordList(), Qt::Key_F1, Qt::ControlModifier); }, false},
        {"F2", [&] { QTest::keyClick(wordList(), Qt::Key_F2); }, false},
    };
    for (const Case& c : cases) {
        openedUrls.clear();
        c.act();
        ASSERT_EQ(openedUrls.size(), c.opens ? 1u : 0u) << c.name;
        if (c.opens) {
            EXPECT_TRUE(openedUrls.front().isLocalFile()) << c.name;
            EXPECT_TRUE(openedUrls.front().path().endsWith("/Help/index.htm"))
                << openedUrls.front().toString().toStdString();
        }
    }
}

TEST_F(MainWindowTest, F1InAnotherDialogOpensHelpToo) {
    open(fruit());
    whenModalOpens([](QWidget* information) {
        QTest::keyClick(information, Qt::Key_F1);
        clickButton(information, "okButton");
    });
    child<QAction>("actionInformation")->trigger();
    EXPECT_EQ(openedUrls.size(), 1u);
}

TEST_F(MainWindowTest, HelpPageInTheWorkingFolderIsOpenedByItsFullPath) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.path())));
    ASSERT_TRUE(QDir().mkpath("Help"));
    QFile page("Help/index.htm");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    open(fruit());
    child<QAction>("actionHelp")->trigger();
    QDir::setCurrent(previous);
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(QFileInfo(openedUrls.front().toLocalFile()).canonicalFilePath(),
              QFileInfo(QString::fromStdString(folder.file("Help/index.htm"))).canonicalFilePath());
}

TEST_F(MainWindowTest, HelpMenuShowsTheGuideAndTheAboutDialogWithItsLinks) {
    struct Case {
        const char* action;
        const char* title;
        const char* link;
        const char* target;
    };
    const Case cases[] = {
        {"actionHowToUse", "How to use", nullptr, nullptr},
        {"actionAbout", "About Lexiquill", "webLink", "https://lexiquill.org"},
        {"actionAbout", "About Lexiquill", "supportLink",
         "mailto:support@lexiquill.org?subject=Lexiquill%20Support"},
    };
    open(fruit());
    for (const Case& c : cases) {
        openedUrls.clear();
        QString shownTitle;
        whenModalOpens([&](QWidget* dialog) {
            shownTitle = dialog->windowTitle();
            if (c.link != nullptr) {
                auto* link = child<QWidget>(dialog, c.link);
                ASSERT_NE(link, nullptr) << c.link;
                QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
            }
            clickButton(dialog, "okButton");
        });
        child<QAction>(c.action)->trigger();
        EXPECT_EQ(shownTitle, c.title) << c.action;
        if (c.target != nullptr) {
            ASSERT_EQ(openedUrls.size(), 1u) << c.link;
            EXPECT_EQ(openedUrls.front().toString(QUrl::FullyEncoded), c.target);
        } else {
            EXPECT_TRUE(openedUrls.empty()) << c.action;
        }
    }
}

}  // namespace
}  // namespace lq::test
