#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest/QTest>
#include <functional>

#include "CatalogFixture.h"
#include "NamedCatalogDialogs.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

using CatalogListTest = GuiFixture;

// What the list dialog shows.
struct Shown {
    QStringList names;
    QString current;  // the current entry's text
    QString totalWords;
    int knowledge;
    bool entriesEnabled;  // the list, the total field, "&Delete" and "&Rename"
};

Shown shownBy(const QWidget* dialog) {
    const auto* list = child<QListWidget>(dialog, "nameList");
    Shown shown;
    for (int i = 0; i < list->count(); ++i) {
        shown.names << list->item(i)->text();
    }
    shown.current = list->currentItem() != nullptr ? list->currentItem()->text() : QString();
    shown.totalWords = child<QLineEdit>(dialog, "totalWordsEdit")->text();
    shown.knowledge = child<QProgressBar>(dialog, "knowledgeBar")->value();
    const bool total = child<QLineEdit>(dialog, "totalWordsEdit")->isEnabled();
    const bool del = child<QPushButton>(dialog, "deleteButton")->isEnabled();
    const bool ren = child<QPushButton>(dialog, "renameButton")->isEnabled();
    EXPECT_TRUE(list->isEnabled() == total && total == del && del == ren)
        << "the list, the total field, Delete and Rename go together";
    shown.entriesEnabled = list->isEnabled();
    EXPECT_TRUE(child<QPushButton>(dialog, "newButton")->isEnabled());
    return shown;
}

void expectShown(const QWidget* dialog, const Shown& expected, const std::string& where) {
    const Shown shown = shownBy(dialog);
    EXPECT_EQ(shown.names, expected.names) << where;
    EXPECT_EQ(shown.current, expected.current) << where;
    EXPECT_EQ(shown.totalWords, expected.totalWords) << where;
    EXPECT_EQ(shown.knowledge, expected.knowledge) << where;
    EXPECT_EQ(shown.entriesEnabled, expected.entriesEnabled) << where;
}

// Clicks a button of the list dialog and lets `answer` deal with the dialog that it opens.
void openFromList(QWidget* list, const char* button, const std::function<void(QWidget*)>& answer) {
    whenModalOpens([&](QWidget* dialog) {
        answer(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the sub-dialog stayed open";
            clickButton(dialog, "cancelButton");
        }
    });
    clickButton(list, button);
}

void typeNewName(QWidget* dialog, const char* editName, const QString& name) {
    auto* edit = child<QLineEdit>(dialog, editName);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeText(edit, name);
    clickButton(dialog, "okButton");
}

TEST_F(CatalogListTest, EachNamedListShowsItsSide) {
    Dictionary d = makeDictionary({"English"}, {"Food"}, {});
    RecordingReporter reporter;
    const CThemes themes(d, reporter);
    const CLanguages languages(d, reporter);
    EXPECT_EQ(themes.windowTitle(), "Themes");
    EXPECT_EQ(shownBy(&themes).names, QStringList{"Food"});
    EXPECT_EQ(languages.windowTitle(), "Languages");
    EXPECT_EQ(shownBy(&languages).names, QStringList{"English"});
    for (const QWidget* dialog : std::vector<const QWidget*>{&themes, &languages}) {
        EXPECT_EQ(labelText(dialog, "totalWordsLabel"), "Total words includes");
        EXPECT_EQ(labelText(dialog, "knowledgeLabel"), "Average Knowledge");
        const auto* bar = child<QProgressBar>(dialog, "knowledgeBar");
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        const auto* ok = child<QPushButton>(dialog, "okButton");
        EXPECT_EQ(ok->text(), "&Ok");
        EXPECT_TRUE(ok->isDefault());
    }
}

TEST_F(CatalogListTest, EachSideRunsFromItsEntryPoint) {
    struct Case {
        int (*run)(Dictionary&, Reporter&, QWidget*, ChangeLog&);
        QString title;
    };
    const Case cases[] = {{&runThemesDialog, "Themes"}, {&runLanguagesDialog, "Languages"}};
    for (const Case& c : cases) {
        Dictionary d = makeDictionary({"English"}, {"Food"}, {});
        RecordingReporter reporter;
        QString title;
        whenModalOpens([&](QWidget* w) {
            title = w->windowTitle();
            clickButton(w, "okButton");
        });
        EXPECT_EQ(c.run(d, reporter, nullptr, ChangeLog::none()), QDialog::Accepted)
            << c.title.toStdString();
        EXPECT_EQ(title, c.title);
    }
}

TEST_F(CatalogListTest, AnEmptyTableDisablesAllButNewUntilAnEntryIsAdded) {
    for (const Side& s : kSides) {
        Dictionary d = dictionaryWith(*s.side, {});
        RecordingReporter reporter;
        const auto dialog = listDialog(*s.side, d, reporter);
        expectShown(dialog.get(), {{}, {}, {}, 0, false}, s.label);

        openFromList(dialog.get(), "newButton",
                     [](QWidget* w) { typeNewName(w, "nameEdit", "Food"); });
        expectShown(dialog.get(), {{"Food"}, "Food", "0", 0, true}, s.label);
    }
}

TEST_F(CatalogListTest, TheSelectedEntryShowsItsWordsAndPooledKnowledge) {
    for (const Side& s : kSides) {
        // Food: 1 right of 1 and 0 of 3 pool to 25, whatever its untested words.
        Dictionary d = dictionaryWith(*s.side, {"Food", "Animals"},
                                      {{0, 1, 1}, {0, 0, 3}, {0}, {0}, {1, 2, 3}});
        RecordingReporter reporter;
        const auto dialog = listDialog(*s.side, d, reporter);
        expectShown(dialog.get(), {{"Animals", "Food"}, "Animals", "1", 66, true}, s.label);
        child<QListWidget>(dialog.get(), "nameList")->setCurrentRow(1);
        expectShown(dialog.get(), {{"Animals", "Food"}, "Food", "4", 25, true}, s.label);
    }
}

TEST_F(CatalogListTest, NamesAreSortedWithoutRegardToCase) {
    for (const Side& s : kSides) {
        Dictionary d = dictionaryWith(*s.side, {"banana", "Apple", "cherry", "apple"});
        RecordingReporter reporter;
        const auto dialog = listDialog(*s.side, d, reporter);
        EXPECT_EQ(shownBy(dialog.get()).names, (QStringList{"Apple", "apple", "banana", "cherry"}))
            << s.label;
    }
}

// After every change that ends with OK the list is refilled and its first entry selected, not
// the entry that was just touched; a cancelled sub-dialog changes nothing.
TEST_F(CatalogListTest, EveryChangeSelectsTheFirstEntryAgain) {
    struct Case {
        const char* label;
        const char* button;
        std::deque<bool> answers;
        std::function<void(QWidget*)> answer;
        QStringList names;
        QString current;
    };
    const Case cases[] = {
        {"new",
         "newButton",
         {},
         [](QWidget* w) { typeNewName(w, "nameEdit", "Date"); },
         {"Apple", "Banana", "Cherry", "Date"},
         "Apple"},
        {"rename",
         "renameButton",
         {},
         [](QWidget* w) { typeNewName(w, "newNameEdit", "Zucchini"); },
         {"Apple", "Banana", "Zucchini"},
         "Apple"},
        {"rename to itself",
         "renameButton",
         {},
         [](QWidget* w) { clickButton(w, "okButton"); },
         {"Apple", "Banana", "Cherry"},
         "Apple"},
        {"delete",
         "deleteButton",
         {true},
         [](QWidget* w) { clickButton(w, "okButton"); },
         {"Apple", "Banana"},
         "Apple"},
        {"new cancelled",
         "newButton",
         {},
         [](QWidget* w) { clickButton(w, "cancelButton"); },
         {"Apple", "Banana", "Cherry"},
         "Cherry"},
        {"delete declined",
         "deleteButton",
         {false},
         [](QWidget* w) {
             clickButton(w, "okButton");
             clickButton(w, "cancelButton");
         },
         {"Apple", "Banana", "Cherry"},
         "Cherry"},
    };
    for (const Side& s : kSides) {
        for (const Case& c : cases) {
            Dictionary d = dictionaryWith(*s.side, {"Cherry", "Banana", "Apple"}, {{0}, {0}});
            RecordingReporter reporter;
            reporter.answers = c.answers;
            const auto dialog = listDialog(*s.side, d, reporter);
            child<QListWidget>(dialog.get(), "nameList")->setCurrentRow(2);  // Cherry
            openFromList(dialog.get(), c.button, c.answer);
            const Shown shown = shownBy(dialog.get());
            EXPECT_EQ(shown.names, c.names) << s.label << " " << c.label;
            EXPECT_EQ(shown.current, c.current) << s.label << " " << c.label;
            // The figures follow the selection: only Cherry holds words.
            EXPECT_EQ(shown.totalWords, c.current == "Cherry" ? "2" : "0")
                << s.label << " " << c.label;
        }
    }
}

// The figures of the deleted entry are cleared with it, not left behind the disabled list.
TEST_F(CatalogListTest, DeletingTheLastEntryEmptiesTheList) {
    for (const Side& s : kSides) {
        Dictionary d = dictionaryWith(*s.side, {"Food"}, {{0, 1, 4}});
        RecordingReporter reporter;
        reporter.answers = {true};
        const auto dialog = listDialog(*s.side, d, reporter);
        expectShown(dialog.get(), {{"Food"}, "Food", "1", 25, true}, s.label);
        openFromList(dialog.get(), "deleteButton", [](QWidget* w) { clickButton(w, "okButton"); });
        expectShown(dialog.get(), {{}, {}, {}, 0, false}, s.label);
        EXPECT_TRUE(d.words.empty()) << s.label;
    }
}

TEST_F(CatalogListTest, ACyrillicNameIsShownAndStoredAsTyped) {
    for (const Side& s : kSides) {
        Dictionary d = dictionaryWith(*s.side, {"Food"});
        RecordingReporter reporter;
        const auto dialog = listDialog(*s.side, d, reporter);
        openFromList(dialog.get(), "newButton",
                     [](QWidget* w) { typeNewName(w, "nameEdit", QString::fromUtf8("Еда")); });
        EXPECT_EQ(shownBy(dialog.get()).names, (QStringList{"Food", QString::fromUtf8("Еда")}))
            << s.label;
        EXPECT_EQ(namesOf(d, *s.side), (std::vector<std::string>{"Food", "Еда"})) << s.label;
    }
}

TEST_F(CatalogListTest, OkEnterAndEscapeCloseTheDialog) {
    struct Case {
        const char* label;
        std::function<void(QWidget*)> close;
        int result;
    };
    const Case cases[] = {
        {"Ok", [](QWidget* w) { clickButton(w, "okButton"); }, QDialog::Accepted},
        {"Enter", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, QDialog::Accepted},
        {"Escape", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, QDialog::Rejected},
    };
    for (const Side& s : kSides) {
        for (const Case& c : cases) {
            Dictionary d = dictionaryWith(*s.side, {"Food"});
            RecordingReporter reporter;
            const auto dialog = listDialog(*s.side, d, reporter);
            whenModalOpens(c.close);
            EXPECT_EQ(dialog->exec(), c.result) << s.label << " " << c.label;
        }
    }
}

}  // namespace
}  // namespace lq::test
