#include <gtest/gtest.h>
#include <QtTest/QTest>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <functional>
#include <memory>
#include <optional>

#include "CatalogFixture.h"
#include "NamedCatalogDialogs.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

using CatalogEntryDialogsTest = GuiFixture;
using Kind = ShownMessage::Kind;

const std::string k31(31, 'x');
const std::string k32(32, 'x');

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// Empties an edit as a user would, so that it counts as edited.
void eraseText(QLineEdit* edit) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
}

struct Outcome {
    int result = -1;
    bool stayedOpen = false;  // after OK
};

// Runs the dialog, lets `act` fill it in and presses OK; a dialog still open is then cancelled.
Outcome confirm(QDialog& dialog, const std::function<void(QWidget*)>& act) {
    Outcome run;
    whenModalOpens([&](QWidget* d) {
        act(d);
        clickButton(d, "okButton");
        run.stayedOpen = d->isVisible();
        if (run.stayedOpen) {
            clickButton(d, "cancelButton");
        }
    });
    run.result = dialog.exec();
    return run;
}

enum class Refused { No, Blank, Taken };

std::vector<ShownMessage> expectedErrors(Refused refused, const char* message, const char* blank,
                                         const char* taken) {
    if (refused == Refused::No) {
        return {};
    }
    return {{Kind::Error, message, refused == Refused::Blank ? blank : taken}};
}

TEST_F(CatalogEntryDialogsTest, EachNamedDialogShowsTheTextsOfItsSide) {
    struct Case {
        std::function<std::unique_ptr<QDialog>(Dictionary&, Reporter&)> make;
        QString title;
        std::vector<std::pair<const char*, QString>> labels;  // label or frame objectName, text
    };
    const Case cases[] = {
        {[](Dictionary& d, Reporter& r) { return std::make_unique<CNewTheme>(d, r); },
         "New Theme",
         {{"nameFrame", " Theme' name "}}},
        {[](Dictionary& d, Reporter& r) { return std::make_unique<CNewLanguage>(d, r); },
         "New Language",
         {{"nameFrame", " Language' name "}}},
        {[](Dictionary& d, Reporter& r) { return std::make_unique<CRenameTheme>(d, 0, r); },
         "Rename Theme",
         {{"oldNameLabel", "Old theme' name"}, {"newNameLabel", "New theme' name"}}},
        {[](Dictionary& d, Reporter& r) { return std::make_unique<CRenameLanguage>(d, 0, r); },
         "Rename Language",
         {{"oldNameLabel", "Old language' name"}, {"newNameLabel", "New language' name"}}},
        {[](Dictionary& d, Reporter& r) { return std::make_unique<CDeleteTheme>(d, 0, r); },
         "Delete Theme",
         {{"selectLabel", "Select theme"}}},
        {[](Dictionary& d, Reporter& r) { return std::make_unique<CDeleteLanguage>(d, 0, r); },
         "Delete Language",
         {{"selectLabel", "Select language"}}},
    };
    Dictionary d = makeDictionary({"English"}, {"Food"}, {});
    RecordingReporter reporter;
    for (const Case& c : cases) {
        const std::unique_ptr<QDialog> dialog = c.make(d, reporter);
        EXPECT_EQ(dialog->windowTitle(), c.title);
        for (const auto& [name, text] : c.labels) {
            auto* frame = dialog->findChild<QGroupBox*>(name);
            const QString shown = frame != nullptr ? frame->title() : labelText(dialog.get(), name);
            EXPECT_EQ(shown, text) << c.title.toStdString() << " " << name;
        }
        EXPECT_EQ(child<QAbstractButton>(dialog.get(), "okButton")->text(), "&OK");
        EXPECT_EQ(child<QAbstractButton>(dialog.get(), "cancelButton")->text(), "&Cancel");
    }
}

TEST_F(CatalogEntryDialogsTest, NewAddsAFreeNameAndRefusesBlankOrTakenOnes) {
    struct Case {
        const char* label;
        QString typed;
        Refused refused;
        std::vector<std::string> names;  // after the run
    };
    const Case cases[] = {
        {"taken", "Food", Refused::Taken, {"Food"}},
        {"other case", "food", Refused::No, {"Food", "food"}},
        {"blank", "", Refused::Blank, {"Food"}},
        {"blanks count", " Food", Refused::No, {"Food", " Food"}},
        {"31 characters", QString::fromStdString(k31), Refused::No, {"Food", k31}},
        {"32nd character refused", QString::fromStdString(k32), Refused::No, {"Food", k31}},
        {"Cyrillic", QString::fromUtf8("Еда"), Refused::No, {"Food", "Еда"}},
        {"Cyrillic up to the last whole letter",
         QString::fromUtf8("Ж").repeated(16),
         Refused::No,
         {"Food", repeated("Ж", 15)}},
    };
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        for (const Case& c : cases) {
            Dictionary d = dictionaryWith(side, {"Food"}, {{0}});
            RecordingReporter reporter;
            const auto dialog = newDialog(side, d, reporter);
            const Outcome run = confirm(
                *dialog, [&](QWidget* w) { typeText(child<QLineEdit>(w, "nameEdit"), c.typed); });
            const bool refused = c.refused != Refused::No;
            EXPECT_EQ(run.stayedOpen, refused) << s.label << " " << c.label;
            EXPECT_EQ(run.result, refused ? QDialog::Rejected : QDialog::Accepted)
                << s.label << " " << c.label;
            EXPECT_EQ(reporter.shown,
                      expectedErrors(c.refused, side.cantAdd, side.blankOnAdd, side.alreadyDefined))
                << s.label << " " << c.label;
            EXPECT_EQ(namesOf(d, side), c.names) << s.label << " " << c.label;
            EXPECT_EQ(wordEntries(d, side), std::vector<int32_t>{0}) << s.label << " " << c.label;
        }
    }
}

TEST_F(CatalogEntryDialogsTest, CancelAddsNothing) {
    for (const Side& s : kSides) {
        Dictionary d = dictionaryWith(*s.side, {"Food"});
        RecordingReporter reporter;
        const auto dialog = newDialog(*s.side, d, reporter);
        whenModalOpens([](QWidget* w) {
            typeText(child<QLineEdit>(w, "nameEdit"), "Drinks");
            clickButton(w, "cancelButton");
        });
        EXPECT_EQ(dialog->exec(), QDialog::Rejected) << s.label;
        EXPECT_EQ(namesOf(d, *s.side), std::vector<std::string>{"Food"}) << s.label;
        EXPECT_TRUE(reporter.shown.empty()) << s.label;
    }
}

TEST_F(CatalogEntryDialogsTest, RenameChangesTheNameInPlaceUnlessAnotherEntryHasIt) {
    struct Case {
        const char* label;
        std::optional<QString> typed;  // none: the new name is left as it started
        Refused refused;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"untouched", std::nullopt, Refused::No, {"Food", "Drinks"}},
        {"retyped itself", "Food", Refused::No, {"Food", "Drinks"}},
        {"case only", "FOOD", Refused::No, {"FOOD", "Drinks"}},
        {"another's name", "Drinks", Refused::Taken, {"Food", "Drinks"}},
        {"blank", "", Refused::Blank, {"Food", "Drinks"}},
        {"31 characters", QString::fromStdString(k31), Refused::No, {k31, "Drinks"}},
        {"32nd character refused", QString::fromStdString(k32), Refused::No, {k31, "Drinks"}},
        {"Cyrillic", QString::fromUtf8("Напитки"), Refused::No, {"Напитки", "Drinks"}},
    };
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        for (const Case& c : cases) {
            // The words and the test filter refer to the entry by index and must stay with it.
            Dictionary d = dictionaryWith(side, {"Food", "Drinks"}, {{0}, {1}, {0}});
            d.header.testThemeFilter = d.header.testLanguageFilter = 0;
            RecordingReporter reporter;
            const auto dialog = renameDialog(side, d, 0, reporter);
            const Outcome run = confirm(*dialog, [&](QWidget* w) {
                auto* edit = child<QLineEdit>(w, "newNameEdit");
                EXPECT_EQ(child<QLineEdit>(w, "oldNameEdit")->text(), "Food");
                EXPECT_TRUE(child<QLineEdit>(w, "oldNameEdit")->isReadOnly());
                EXPECT_EQ(edit->text(), "Food");
                if (c.typed) {
                    eraseText(edit);
                    typeText(edit, *c.typed);
                }
            });
            const bool refused = c.refused != Refused::No;
            EXPECT_EQ(run.stayedOpen, refused) << s.label << " " << c.label;
            EXPECT_EQ(run.result, refused ? QDialog::Rejected : QDialog::Accepted)
                << s.label << " " << c.label;
            EXPECT_EQ(reporter.shown, expectedErrors(c.refused, side.cantRename, side.blankOnRename,
                                                     side.alreadyDefined))
                << s.label << " " << c.label;
            EXPECT_EQ(namesOf(d, side), c.names) << s.label << " " << c.label;
            EXPECT_EQ(wordEntries(d, side), (std::vector<int32_t>{0, 1, 0}))
                << s.label << " " << c.label;
            EXPECT_EQ(d.header.testThemeFilter, 0) << s.label << " " << c.label;
            EXPECT_EQ(d.header.testLanguageFilter, 0) << s.label << " " << c.label;
        }
    }
}

TEST_F(CatalogEntryDialogsTest, DeleteAsksAndActsOnlyOnOk) {
    struct Case {
        const char* label;
        int32_t passed;      // the entry selected in the list dialog
        const char* picked;  // the entry picked in the drop-down list, if another
        std::deque<bool> answers;
        int result;
        std::vector<std::string> askedAbout;  // one question per OK
        std::vector<std::string> names;
        std::vector<int32_t> wordEntries;
    };
    const Case cases[] = {
        {"confirmed", 0, nullptr, {true}, QDialog::Accepted, {"Food"}, {"Apples", "Zebra"}, {1, 0}},
        {"declined, then cancelled",
         0,
         nullptr,
         {false},
         QDialog::Rejected,
         {"Food"},
         {"Food", "Apples", "Zebra"},
         {0, 1, 2, 0}},
        {"declined, then confirmed",
         0,
         nullptr,
         {false, true},
         QDialog::Accepted,
         {"Food", "Food"},
         {"Apples", "Zebra"},
         {1, 0}},
        {"another picked",
         0,
         "Zebra",
         {true},
         QDialog::Accepted,
         {"Zebra"},
         {"Food", "Apples"},
         {0, 1, 0}},
        {"another entry passed in",
         1,
         nullptr,
         {true},
         QDialog::Accepted,
         {"Apples"},
         {"Food", "Zebra"},
         {0, 0, 1}},
    };
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        for (const Case& c : cases) {
            // Food holds words 0 and 3, Apples word 1, Zebra word 2.
            Dictionary d = dictionaryWith(side, {"Food", "Apples", "Zebra"}, {{0}, {1}, {2}, {0}});
            RecordingReporter reporter;
            reporter.answers = c.answers;
            const auto dialog = deleteDialog(side, d, c.passed, reporter);
            int result = -1;
            whenModalOpens([&](QWidget* w) {
                auto* list = child<QComboBox>(w, "nameList");
                EXPECT_FALSE(list->isEditable());
                EXPECT_EQ(list->currentText().toStdString(), namesOf(d, side)[c.passed]);
                if (c.picked != nullptr) {
                    list->setCurrentIndex(list->findText(c.picked));
                }
                for (std::size_t i = 0; i < c.askedAbout.size() && w->isVisible(); ++i) {
                    clickButton(w, "okButton");
                }
                if (w->isVisible()) {
                    clickButton(w, "cancelButton");
                }
            });
            result = dialog->exec();
            std::vector<ShownMessage> asked;
            for (const std::string& name : c.askedAbout) {
                asked.push_back({Kind::Warning, deleteQuestion(side, name), {}, false});
            }
            EXPECT_EQ(result, c.result) << s.label << " " << c.label;
            EXPECT_EQ(reporter.shown, asked) << s.label << " " << c.label;
            EXPECT_EQ(namesOf(d, side), c.names) << s.label << " " << c.label;
            EXPECT_EQ(wordEntries(d, side), c.wordEntries) << s.label << " " << c.label;
        }
    }
}

TEST_F(CatalogEntryDialogsTest, TheDeleteListIsSortedWithoutRegardToCase) {
    for (const Side& s : kSides) {
        Dictionary d = dictionaryWith(*s.side, {"banana", "Cherry", "apple", "Apple"});
        RecordingReporter reporter;
        const auto dialog = deleteDialog(*s.side, d, 1, reporter);
        auto* list = child<QComboBox>(dialog.get(), "nameList");
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) {
            shown << list->itemText(i);
        }
        EXPECT_EQ(shown, (QStringList{"Apple", "apple", "banana", "Cherry"})) << s.label;
        EXPECT_EQ(list->currentText(), "Cherry") << s.label;
    }
}

// A name written on Windows is not UTF-8; it shows as Windows-1252 and keeps its bytes.
TEST_F(CatalogEntryDialogsTest, AWindows1252NameCanBeRenamedAndDeleted) {
    const std::string cafe = "Caf\xe9";
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        struct Case {
            const char* label;
            std::optional<QString> typed;
            std::vector<std::string> names;
        };
        const Case renames[] = {
            {"untouched", std::nullopt, {"Bar", cafe}},
            {"renamed", "Bistro", {"Bar", "Bistro"}},
            {"accent typed", QString::fromUtf8("Café"), {"Bar", "Café"}},
        };
        for (const Case& c : renames) {
            Dictionary d = dictionaryWith(side, {"Bar", cafe});
            RecordingReporter reporter;
            const auto dialog = renameDialog(side, d, 1, reporter);
            const Outcome run = confirm(*dialog, [&](QWidget* w) {
                EXPECT_EQ(child<QLineEdit>(w, "oldNameEdit")->text(), QString::fromUtf8("Café"));
                if (c.typed) {
                    auto* edit = child<QLineEdit>(w, "newNameEdit");
                    eraseText(edit);
                    typeText(edit, *c.typed);
                }
            });
            EXPECT_EQ(run.result, QDialog::Accepted) << s.label << " " << c.label;
            EXPECT_EQ(namesOf(d, side), c.names) << s.label << " " << c.label;
        }

        Dictionary d = dictionaryWith(side, {"Bar", cafe}, {{1}, {0}});
        RecordingReporter reporter;
        reporter.answers = {true};
        const auto dialog = deleteDialog(side, d, 1, reporter);
        const Outcome run = confirm(*dialog, [](QWidget* w) {
            EXPECT_EQ(child<QComboBox>(w, "nameList")->currentText(), QString::fromUtf8("Café"));
        });
        EXPECT_EQ(run.result, QDialog::Accepted) << s.label;
        EXPECT_EQ(
            reporter.shown,
            (std::vector<ShownMessage>{{Kind::Warning, deleteQuestion(side, cafe), {}, false}}))
            << s.label;
        EXPECT_EQ(namesOf(d, side), std::vector<std::string>{"Bar"}) << s.label;
        EXPECT_EQ(wordEntries(d, side), std::vector<int32_t>{0}) << s.label;
    }
}

}  // namespace
}  // namespace lq::test
