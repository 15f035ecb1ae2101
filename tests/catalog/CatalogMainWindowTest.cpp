#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QtTest/QTest>
#include <functional>

#include "app/MainWindowFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"

namespace lq::test {
namespace {

using CatalogMainWindowTest = MainWindowFixture;

const QString kAny = "< doesn't matter >";

// The menu command of each side and the main window's lists of its names.
struct MainWindowSide {
    const char* label;
    const char* action;
    const char* filterList;
    const char* wordList;  // the selected word's own theme or language
    QStringList names;     // as the test dictionary holds them, sorted
    QString keptWord;      // the word left when the second name goes with its word
};

const MainWindowSide kMainWindowSides[] = {
    {"themes", "actionThemes", "themeFilterList", "wordThemeList", {"Animals", "Food"}, "cat"},
    {"languages",
     "actionLanguages",
     "languageFilterList",
     "wordLanguageList",
     {"English", "German"},
     "apple"},
};

// apple: Food, English; cat: Animals, German.
Dictionary twoWords() {
    return makeDictionary(
        {"English", "German"}, {"Food", "Animals"},
        {{.word = "apple", .theme = 0, .language = 0}, {.word = "cat", .theme = 1, .language = 1}});
}

// Runs a sub-dialog from the list dialog with `answer`, then closes the list with `close`.
void inListDialog(QWidget* list, const char* button, const std::function<void(QWidget*)>& answer,
                  Qt::Key closeKey) {
    if (button != nullptr) {
        whenModalOpens(answer);
        clickButton(list, button);
    }
    QTest::keyClick(list, closeKey);
}

TEST_F(CatalogMainWindowTest, TheWindowIsRebuiltWhenTheListDialogCloses) {
    struct Case {
        const char* label;
        const char* button;  // none: the list dialog is closed at once
        std::function<void(QWidget*)> answer;
        Qt::Key closeKey;
        bool secondDeleted;
        bool plantsAdded;
    };
    const Case cases[] = {
        {"new, then Ok", "newButton",
         [](QWidget* w) {
             typeText(child<QLineEdit>(w, "nameEdit"), "Plants");
             clickButton(w, "okButton");
         },
         Qt::Key_Return, false, true},
        {"delete, then Escape", "deleteButton",
         [](QWidget* w) {
             auto* names = child<QComboBox>(w, "nameList");
             names->setCurrentIndex(names->count() - 1);  // the second of the two
             clickButton(w, "okButton");
         },
         Qt::Key_Escape, true, false},
        {"nothing, then Escape", nullptr, {}, Qt::Key_Escape, false, false},
    };
    for (const MainWindowSide& side : kMainWindowSides) {
        for (const Case& c : cases) {
            open(twoWords());
            reporter.answers = {true};
            choose(side.filterList, side.names.back());  // cleared by the rebuild
            whenModalOpens([&](QWidget* list) {
                EXPECT_EQ(list->parentWidget(), window.get());
                inListDialog(list, c.button, c.answer, c.closeKey);
            });
            child<QAction>(side.action)->trigger();

            QStringList names = side.names;
            if (c.secondDeleted) {
                names.removeLast();
            }
            if (c.plantsAdded) {
                names.append("Plants");
            }
            const std::string where = std::string(side.label) + " " + c.label;
            EXPECT_EQ(entries(combo(side.filterList)), QStringList{kAny} + names) << where;
            EXPECT_EQ(combo(side.filterList)->currentText(), kAny) << where;
            EXPECT_EQ(entries(combo(side.wordList)), names) << where;
            EXPECT_EQ(listedWords(),
                      c.secondDeleted ? QStringList{side.keptWord} : QStringList({"apple", "cat"}))
                << where;
            window.reset();
        }
    }
}

}  // namespace
}  // namespace lq::test
