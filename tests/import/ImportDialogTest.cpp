#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "import/CImportWords.h"
#include "import/ImportFixture.h"
#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Protection.h"
#include "store/TestRandom.h"
#include "store/TextField.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/TestStore.h"

namespace lq::test {
namespace {

// A control of the dialog, inside the named placement column when one is given.
template <typename Widget>
Widget* findIn(QWidget* dialog, const char* name, const char* column = nullptr) {
    return child<Widget>(column != nullptr ? child<QWidget>(dialog, column) : dialog, name);
}

// Clicks on the round mark, as a user does; the button reaches further than its text.
void clickRadio(QWidget* dialog, const char* column, const char* name) {
    auto* radio = findIn<QRadioButton>(dialog, name, column);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
}

// Picks an entry as the user does.
void pick(QWidget* dialog, const char* listName, const char* column, const QString& text) {
    auto* combo = findIn<QComboBox>(dialog, listName, column);
    const int index = combo->findText(text, Qt::MatchExactly);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
}

// The current dictionary lives in the store; the source is written to a file of its own.
class ImportDialogTest : public GuiFixture, protected TestStore {
  protected:
    void TearDown() override {
        dialog.reset();
        GuiFixture::TearDown();
    }

    void writeSource(const Dictionary& source) {
        writeBytes(sourcePath(), dictionaryBytes(source));
    }
    std::string sourcePath() const { return folder.file("source.lqd"); }

    // Opens the dialog over `current` and `source`, without showing it yet.
    bool open(Dictionary current, const Dictionary& source) {
        writeSource(source);
        return openWritten(std::move(current));
    }
    bool openWritten(Dictionary current) {
        store.currentDictionary = std::move(current);
        store.dictionaryLoaded = true;
        dialog = std::make_unique<CImportWords>(store, sourcePath());
        return dialog->openSource();
    }

    template <typename Widget>
    Widget* child(const char* name, const char* column = nullptr) {
        return findIn<Widget>(dialog.get(), name, column);
    }
    QRadioButton* radio(const char* column, const char* name) {
        return child<QRadioButton>(name, column);
    }
    QComboBox* list(const char* name, const char* column = nullptr) {
        return child<QComboBox>(name, column);
    }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QCheckBox* check(const char* name) { return child<QCheckBox>(name); }
    QProgressBar* progress() { return child<QProgressBar>("importProgress"); }

    static QStringList entries(const QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
        return texts;
    }

    // Runs an import from the shown dialog and waits until it has finished.
    void runImport() {
        dialog->show();
        button("importButton")->click();
        EXPECT_TRUE(dialog->importRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->importRunning(), 20000);
    }

    std::vector<ShownMessage> informations() const { return reporter.informations(); }

    std::unique_ptr<CImportWords> dialog;
};

// What one placement column shows: the target list and which choices are checked and enabled.
struct ColumnState {
    QStringList targets;
    QString target;
    bool insertExistingChecked, insertExistingEnabled;
    bool listEnabled;
    bool undefinedEnabled;
    bool skipChecked, skipEnabled;
    bool addNewChecked, addNewEnabled;
};

struct OpeningCase {
    const char* name;
    std::vector<std::string> languages;
    std::vector<std::string> themes;
    ColumnState themeColumn;
    ColumnState languageColumn;
};

// With entries: the last record of the table is the target, whatever its place in the order.
const ColumnState kThemesExist{
    {"Animals", "colours", "Food"}, "colours", true, true, true, false, true, false, false, false};
const ColumnState kLanguagesExist{
    {"English", "French"}, "English", true, true, true, false, true, false, false, false};
const ColumnState kNoThemes{
    {"< no themes >"}, "< no themes >", false, false, false, true, false, false, true, true};
const ColumnState kNoLanguages{
    {"< no languages >"}, "< no languages >", false, false, false, true, false, false, true, true};

class ImportDialogOpeningTest : public ImportDialogTest,
                                public ::testing::WithParamInterface<OpeningCase> {
  protected:
    void expectColumn(const char* column, const ColumnState& expected, std::size_t recordCount) {
        SCOPED_TRACE(column);
        EXPECT_EQ(entries(list("targetList", column)), expected.targets);
        EXPECT_EQ(list("targetList", column)->currentText(), expected.target);
        if (recordCount > 0) {
            EXPECT_EQ(list("targetList", column)->currentData().toInt(),
                      static_cast<int>(recordCount) - 1)
                << "the last record is the target";
        }
        EXPECT_EQ(list("targetList", column)->isEnabled(), expected.listEnabled);
        EXPECT_EQ(radio(column, "insertExistingRadio")->isChecked(),
                  expected.insertExistingChecked);
        EXPECT_EQ(radio(column, "insertExistingRadio")->isEnabled(),
                  expected.insertExistingEnabled);
        EXPECT_EQ(radio(column, "insertAsIsRadio")->isChecked(), !expected.insertExistingChecked);
        EXPECT_TRUE(radio(column, "insertAsIsRadio")->isEnabled());
        EXPECT_EQ(child<QLabel>("undefinedLabel", column)->isEnabled(), expected.undefinedEnabled);
        EXPECT_EQ(radio(column, "skipRadio")->isChecked(), expected.skipChecked);
        EXPECT_EQ(radio(column, "skipRadio")->isEnabled(), expected.skipEnabled);
        EXPECT_EQ(radio(column, "addNewRadio")->isChecked(), expected.addNewChecked);
        EXPECT_EQ(radio(column, "addNewRadio")->isEnabled(), expected.addNewEnabled);
    }
};

TEST_P(ImportDialogOpeningTest, ShowsTheCurrentDictionarysEntriesAndTheSourcesFilters) {
    const OpeningCase& c = GetParam();
    ASSERT_TRUE(open(
        makeDictionary(c.languages, c.themes, {}),
        makeDictionary({"German", "English"}, {"Zoo", "animals", "10 Tools"}, {{"Hund", 0, 0}})));
    EXPECT_EQ(dialog->windowTitle(), "Import Words");
    expectColumn("themeColumn", c.themeColumn, c.themes.size());
    expectColumn("languageColumn", c.languageColumn, c.languages.size());
    EXPECT_EQ(entries(list("themeFilterList")),
              (QStringList{"10 Tools", "< doesn't matter >", "animals", "Zoo"}));
    EXPECT_EQ(list("themeFilterList")->currentText(), "< doesn't matter >");
    EXPECT_EQ(entries(list("languageFilterList")),
              (QStringList{"< doesn't matter >", "English", "German"}));
    EXPECT_EQ(list("languageFilterList")->currentText(), "< doesn't matter >");
    for (const char* flag : {"keepTestDataCheck", "keepCreationDateCheck", "overwriteCheck"}) {
        EXPECT_FALSE(check(flag)->isChecked()) << flag;
    }
    dialog->show();
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_TRUE(button("importButton")->isEnabled());
    EXPECT_TRUE(button("importButton")->isDefault());
    EXPECT_FALSE(dialog->importRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ImportDialogOpeningTest,
    ::testing::Values(
        OpeningCase{"BothTables",
                    {"French", "English"},
                    {"colours", "Animals", "Food", "colours"},
                    {{"Animals", "colours", "colours", "Food"},
                     "colours",
                     true,
                     true,
                     true,
                     false,
                     true,
                     false,
                     false,
                     false},
                    kLanguagesExist},
        OpeningCase{"NoThemes", {"French", "English"}, {}, kNoThemes, kLanguagesExist},
        OpeningCase{"NoLanguages", {}, {"Animals", "Food", "colours"}, kThemesExist, kNoLanguages},
        OpeningCase{"NeitherTable", {}, {}, kNoThemes, kNoLanguages}),
    CaseName());

// A click on a placement choice and what the column's controls are enabled for afterwards.
struct ClickStep {
    const char* radio;
    bool listEnabled;
    bool otherChoicesEnabled;  // the static, "Skip" and "Add ... as new"
    bool skipChecked;
    bool addNewChecked;
};

TEST_F(ImportDialogTest, EveryPlacementClickReappliesTheEnablingRuleInItsOwnColumnOnly) {
    ASSERT_TRUE(open(makeDictionary({"English"}, {"Animals"}, {}),
                     makeDictionary({"English"}, {"Animals"}, {})));
    dialog->show();
    const std::vector<ClickStep> steps{
        {"insertAsIsRadio", false, true, true, false},
        {"addNewRadio", false, true, false, true},
        {"skipRadio", false, true, true, false},
        {"addNewRadio", false, true, false, true},
        {"insertExistingRadio", true, false, false, true},
        {"insertAsIsRadio", false, true, false, true},
        {"insertExistingRadio", true, false, false, true},
    };
    for (const char* column : {"themeColumn", "languageColumn"}) {
        const char* other =
            std::string_view(column) == "themeColumn" ? "languageColumn" : "themeColumn";
        for (const ClickStep& step : steps) {
            SCOPED_TRACE(std::string(column) + " " + step.radio);
            clickRadio(dialog.get(), column, step.radio);
            EXPECT_TRUE(radio(column, step.radio)->isChecked());
            EXPECT_EQ(list("targetList", column)->isEnabled(), step.listEnabled);
            EXPECT_EQ(child<QLabel>("undefinedLabel", column)->isEnabled(),
                      step.otherChoicesEnabled);
            EXPECT_EQ(radio(column, "skipRadio")->isEnabled(), step.otherChoicesEnabled);
            EXPECT_EQ(radio(column, "addNewRadio")->isEnabled(), step.otherChoicesEnabled);
            EXPECT_EQ(radio(column, "skipRadio")->isChecked(), step.skipChecked);
            EXPECT_EQ(radio(column, "addNewRadio")->isChecked(), step.addNewChecked);
            // The other column keeps its opening state.
            EXPECT_TRUE(radio(other, "insertExistingRadio")->isChecked());
            EXPECT_TRUE(list("targetList", other)->isEnabled());
        }
    }
}

TEST_F(ImportDialogTest, WithoutEntriesSkipStaysDisabledWhateverIsClicked) {
    ASSERT_TRUE(open(makeDictionary({}, {}, {}), makeDictionary({"English"}, {"Animals"}, {})));
    dialog->show();
    for (const char* column : {"themeColumn", "languageColumn"}) {
        for (const char* name :
             {"insertExistingRadio", "skipRadio", "insertAsIsRadio", "addNewRadio"}) {
            SCOPED_TRACE(std::string(column) + " " + name);
            clickRadio(dialog.get(), column, name);
            EXPECT_TRUE(radio(column, "insertAsIsRadio")->isChecked());
            EXPECT_TRUE(radio(column, "addNewRadio")->isChecked());
            EXPECT_FALSE(radio(column, "skipRadio")->isEnabled());
            EXPECT_FALSE(list("targetList", column)->isEnabled());
        }
    }
}

// A source that can't be used ends the dialog before it shows, and nothing changes.
struct RefusedSourceCase {
    const char* name;
    std::function<void(const std::string& path)> writeSource;
    // Typed and confirmed in the password prompt, which is then cancelled; "" cancels at once.
    std::optional<std::string> typedPassword;
    std::vector<ShownMessage> messages;
};

const char* const kDamagedHint =
    "The dictionary file is damaged: its records don't match its header. Import from another "
    "dictionary, or from a good copy of this one.";
const char* const kReadHint = "Disk input/output error. Can't open dictionary file for reading.";
const char* const kNotAFileHint =
    "The name Lexiquill.lqd in that folder is taken by something that is not a dictionary file "
    "(a folder, a pipe, a socket or a device). Import from another folder.";

Dictionary protectedSource() {
    Dictionary source = makeDictionary({"English"}, {"Animals"}, {{"cat"}});
    TestRandom random;
    scramblePassword(source.header, "secret");
    setProtection(source.header, true, random);
    EXPECT_TRUE(isProtected(source.header)) << "the draw happened to give the unprotected code";
    return source;
}

class ImportDialogRefusedSourceTest : public ImportDialogTest,
                                      public ::testing::WithParamInterface<RefusedSourceCase> {};

TEST_P(ImportDialogRefusedSourceTest, ClosesWithTheCurrentDictionaryUntouched) {
    const RefusedSourceCase& c = GetParam();
    c.writeSource(sourcePath());
    const Dictionary current = makeDictionary({"English"}, {"Animals"}, {{"dog"}});
    if (c.typedPassword) {
        whenModalOpens([&](QWidget* prompt) {
            EXPECT_EQ(labelText(prompt, "messageText"), "Type correct password for accessing.");
            if (!c.typedPassword->empty()) {
                typeText(test::child<QLineEdit>(prompt, "passwordEdit"),
                         QString::fromStdString(*c.typedPassword));
                clickButton(prompt, "okButton");
            }
            if (prompt->isVisible()) {
                clickButton(prompt, "cancelButton");
            }
        });
    }
    EXPECT_FALSE(openWritten(current));
    EXPECT_EQ(reporter.shown, c.messages);
    EXPECT_EQ(dictionaryBytes(store.currentDictionary), dictionaryBytes(current));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ImportDialogRefusedSourceTest,
    ::testing::Values(
        RefusedSourceCase{"Missing",
                          [](const std::string&) {},
                          std::nullopt,
                          {{ShownMessage::Kind::Error, "Can't load the dictionary.", kReadHint}}},
        RefusedSourceCase{
            "Damaged",
            [](const std::string& path) {
                std::vector<uint8_t> bytes =
                    dictionaryBytes(makeDictionary({"English"}, {"Animals"}, {{"cat"}, {"dog"}}));
                bytes.resize(bytes.size() - 100);  // the last word is cut short
                writeBytes(path, bytes);
            },
            std::nullopt,
            {{ShownMessage::Kind::Error, "Can't load the dictionary.", kDamagedHint}}},
        // A pipe used to keep the dialog waiting for ever in open().
        RefusedSourceCase{
            "Pipe",
            [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); },
            std::nullopt,
            {{ShownMessage::Kind::Error, "Can't load the dictionary.", kNotAFileHint}}},
        RefusedSourceCase{
            "WrongPassword",
            [](const std::string& path) { writeBytes(path, dictionaryBytes(protectedSource())); },
            "guess",
            {{ShownMessage::Kind::Error, "Invalid password.",
              "The password is invalid. Enter valid password."}}},
        RefusedSourceCase{
            "PasswordNotGiven",
            [](const std::string& path) { writeBytes(path, dictionaryBytes(protectedSource())); },
            "",
            {}}),
    CaseName());

TEST_F(ImportDialogTest, TheRightPasswordOpensAProtectedSource) {
    writeSource(protectedSource());
    whenModalOpens([](QWidget* prompt) {
        typeText(test::child<QLineEdit>(prompt, "passwordEdit"), "secret");
        clickButton(prompt, "okButton");
    });
    ASSERT_TRUE(openWritten(makeDictionary({"English"}, {"Animals"}, {})));
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(entries(list("themeFilterList")), (QStringList{"< doesn't matter >", "Animals"}));
    runImport();
    EXPECT_EQ(wordTexts(store.currentDictionary), std::vector<std::string>{"cat"});
}

// How the dialog's controls reach the run: each row sets them as a user would and checks where
// the source's words end up.
struct RunCase {
    const char* name;
    std::function<void(QWidget* dialog)> choose;
    std::vector<std::string> words;       // the current dictionary's words afterwards
    std::vector<std::string> wordThemes;  // each word's theme name
    std::vector<std::string> themes;
};

class ImportDialogRunTest : public ImportDialogTest,
                            public ::testing::WithParamInterface<RunCase> {};

std::vector<std::string> wordThemeNames(const Dictionary& dictionary) {
    std::vector<std::string> names;
    for (const WordRecord& word : dictionary.words) {
        names.emplace_back(fieldText(dictionary.themes.at(word.themeIndex).name));
    }
    return names;
}

TEST_P(ImportDialogRunTest, TheChosenOptionsDecideWhereTheWordsGo) {
    const RunCase& c = GetParam();
    // The current dictionary knows Animals and English; the source adds Food and German.
    ASSERT_TRUE(open(makeDictionary({"French", "English"}, {"Colours", "Animals"}, {{"rouge"}}),
                     fourWordSource()));
    c.choose(dialog.get());
    runImport();
    EXPECT_EQ(wordTexts(store.currentDictionary), c.words);
    EXPECT_EQ(wordThemeNames(store.currentDictionary), c.wordThemes);
    EXPECT_EQ(themeNames(store.currentDictionary), c.themes);
    EXPECT_EQ(dialog->isVisible(), true) << "a finished run leaves the dialog open";
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ImportDialogRunTest,
    ::testing::Values(RunCase{"OpeningChoicesPutEverythingIntoTheLastTheme",
                              [](QWidget*) {},
                              {"rouge", "cat", "Hund", "Brot", "apple"},
                              {"Colours", "Animals", "Animals", "Animals", "Animals"},
                              {"Colours", "Animals"}},
                      RunCase{"ChosenTargetTheme",
                              [](QWidget* d) { pick(d, "targetList", "themeColumn", "Colours"); },
                              {"rouge", "cat", "Hund", "Brot", "apple"},
                              {"Colours", "Colours", "Colours", "Colours", "Colours"},
                              {"Colours", "Animals"}},
                      RunCase{"AsIsSkippingUnknownThemes",
                              [](QWidget* d) { clickRadio(d, "themeColumn", "insertAsIsRadio"); },
                              {"rouge", "cat", "Hund"},
                              {"Colours", "Animals", "Animals"},
                              {"Colours", "Animals"}},
                      RunCase{"AsIsAddingUnknownThemes",
                              [](QWidget* d) {
                                  clickRadio(d, "themeColumn", "insertAsIsRadio");
                                  clickRadio(d, "themeColumn", "addNewRadio");
                              },
                              {"rouge", "cat", "Hund", "Brot", "apple"},
                              {"Colours", "Animals", "Animals", "Food", "Food"},
                              {"Colours", "Animals", "Food"}},
                      RunCase{"ThemeFilter",
                              [](QWidget* d) { pick(d, "themeFilterList", nullptr, "Food"); },
                              {"rouge", "Brot", "apple"},
                              {"Colours", "Animals", "Animals"},
                              {"Colours", "Animals"}},
                      RunCase{"LanguageFilter",
                              [](QWidget* d) { pick(d, "languageFilterList", nullptr, "German"); },
                              {"rouge", "Hund", "Brot"},
                              {"Colours", "Animals", "Animals"},
                              {"Colours", "Animals"}}),
    CaseName());

TEST_F(ImportDialogTest, TheFlagsTravelWithTheWordsAndTheSummaryClosesEachRun) {
    Dictionary source = makeDictionary({"English"}, {"Animals"}, {{"cat", 0, 0, 3, 4}});
    source.words[0].created = SYSTEMTIME{2001, 2, 0, 3, 4, 5, 6, 7};
    Dictionary current = makeDictionary({"English"}, {"Animals"}, {{"cat", 0, 0, 1, 1}});
    ASSERT_TRUE(open(current, source));
    // The summary comes from inside the run's last slice; the bar behind it shows the whole.
    std::vector<int> progressAtSummaries;
    reporter.whenInformed = [&] { progressAtSummaries.push_back(progress()->value()); };

    runImport();  // the same word is already there and overwriting is off
    EXPECT_EQ(store.currentDictionary.words.size(), 1u);
    EXPECT_EQ(store.currentDictionary.words[0].testedCount, 1);

    check("keepTestDataCheck")->click();
    check("keepCreationDateCheck")->click();
    check("overwriteCheck")->click();
    runImport();
    ASSERT_EQ(store.currentDictionary.words.size(), 1u);
    EXPECT_EQ(store.currentDictionary.words[0].rightCount, 3);
    EXPECT_EQ(store.currentDictionary.words[0].testedCount, 4);
    EXPECT_EQ(store.currentDictionary.words[0].created.year, 2001);

    check("keepTestDataCheck")->click();
    check("keepCreationDateCheck")->click();
    runImport();
    ASSERT_EQ(store.currentDictionary.words.size(), 1u);
    EXPECT_EQ(store.currentDictionary.words[0].testedCount, 0);
    EXPECT_EQ(store.currentDictionary.words[0].created.year, clock.now.year);

    const std::vector<ShownMessage> summaries = informations();
    ASSERT_EQ(summaries.size(), 3u);
    EXPECT_EQ(summaries[0].message,
              "Total words added:\t   0 (now 1), overwritten: 0\nTotal themes added:\t   0 (now "
              "1)\nTotal languages added:\t   0 (now 1)");
    EXPECT_EQ(summaries[1].message,
              "Total words added:\t   1 (now 1), overwritten: 1\nTotal themes added:\t   0 (now "
              "1)\nTotal languages added:\t   0 (now 1)");
    EXPECT_EQ(summaries[2].message, summaries[1].message);
    EXPECT_EQ(progressAtSummaries, (std::vector<int>{1, 1, 1}));
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_TRUE(button("importButton")->isEnabled());
}

// Starts importing kLongRunWords words one small slice per turn of the event loop, and waits
// until the first slice is done.
constexpr int kLongRunWords = 2000;

class ImportDialogStopTest : public ImportDialogTest {
  protected:
    void startLongRun() {
        std::vector<WordSpec> words;
        for (int i = 0; i < kLongRunWords; ++i) {
            words.push_back({"word " + std::to_string(i)});
        }
        ASSERT_TRUE(open(makeDictionary({"English"}, {"Animals"}, {}),
                         makeDictionary({"English"}, {"Animals"}, words)));
        dialog->setSliceMilliseconds(0);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        button("importButton")->click();
        ASSERT_TRUE(dialog->importRunning());
        QTRY_VERIFY_WITH_TIMEOUT(progress()->value() > 0, 10000);
    }
};

TEST_F(ImportDialogStopTest, OkDuringARunStopsItAndTheSummaryTellsWhatItDid) {
    startLongRun();
    EXPECT_TRUE(progress()->isVisible());
    EXPECT_EQ(progress()->maximum(), kLongRunWords);
    EXPECT_FALSE(button("importButton")->isEnabled());
    EXPECT_FALSE(check("overwriteCheck")->isEnabled()) << "options rest while a run goes";

    button("okButton")->click();
    EXPECT_TRUE(dialog->isVisible()) << "OK during a run only asks it to stop";
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->importRunning(), 10000);

    const std::size_t added = store.currentDictionary.words.size();
    EXPECT_GT(added, 0u);
    EXPECT_LT(added, static_cast<std::size_t>(kLongRunWords));
    ASSERT_EQ(informations().size(), 1u);
    const std::string summary = informations()[0].message;
    const std::string lead = "Total words added:\t";
    ASSERT_EQ(summary.substr(0, lead.size()), lead);
    EXPECT_EQ(std::stoul(summary.substr(lead.size(), 4)), added);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_TRUE(check("overwriteCheck")->isEnabled());

    // Idle again: OK closes.
    button("okButton")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ImportDialogStopTest, EscapeDuringARunStopsItInsteadOfClosing) {
    startLongRun();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->importRunning(), 10000);
    EXPECT_LT(store.currentDictionary.words.size(), static_cast<std::size_t>(kLongRunWords));
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
}

}  // namespace
}  // namespace lq::test
