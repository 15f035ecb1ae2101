// The dialog "Import from a CSV file": what it detects, how the user corrects it, the run with
// its stop, and the refusals before it opens.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "import/CImportCsv.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"
#include "support/GuiFixture.h"
#include "support/ModalHelpers.h"
#include "support/TableCases.h"
#include "support/TestStore.h"

namespace lq::test {
namespace {

const std::string kSemicolonFile =
    "\xEF\xBB\xBFTranslation;Word;Notes\r\nhouse;Haus;n\r\ntree;Baum;m\r\nstreet;Straße;f\r\n";

class CsvDialogTest : public GuiFixture, protected TestStore {
  protected:
    void TearDown() override {
        dialog.reset();
        GuiFixture::TearDown();
    }

    bool open(const std::string& bytes,
              Dictionary current = makeDictionary({"German"}, {"Home", "Town"}, {{"Haus"}})) {
        store.currentDictionary = std::move(current);
        const std::string path = folder.file("words.csv");
        writeBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        dialog = std::make_unique<CImportCsv>(store, path);
        return dialog->openFile();
    }

    template <typename Widget>
    Widget* control(const char* name) {
        return child<Widget>(dialog.get(), name);
    }
    QComboBox* list(const char* name) { return control<QComboBox>(name); }
    QPushButton* importButton() { return control<QPushButton>("importButton"); }
    QTableWidget* preview() { return control<QTableWidget>("previewTable"); }

    // Chooses an entry as the user does, so that the dialog hears of it.
    void choose(const char* listName, const QString& text) {
        QComboBox* combo = list(listName);
        const int index = combo->findText(text, Qt::MatchExactly);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    QStringList headerLabels() {
        QStringList labels;
        for (int column = 0; column < preview()->columnCount(); ++column) {
            labels << preview()->horizontalHeaderItem(column)->text();
        }
        return labels;
    }

    std::vector<ShownMessage> informations() const { return reporter.informations(); }

    std::unique_ptr<CImportCsv> dialog;
};

TEST_F(CsvDialogTest, OpensWithWhatTheFileLooksLike) {
    ASSERT_TRUE(open(kSemicolonFile));
    EXPECT_EQ(dialog->windowTitle(), "Import from a CSV file");
    EXPECT_EQ(list("delimiterList")->currentText(), "Semicolon");
    EXPECT_EQ(list("encodingList")->currentText(), "UTF-8");
    EXPECT_TRUE(control<QCheckBox>("headerCheck")->isChecked());
    EXPECT_EQ(list("wordColumnList")->currentText(), "2: Word");
    EXPECT_EQ(list("translationColumnList")->currentText(), "1: Translation");
    EXPECT_EQ(list("transcriptionColumnList")->currentText(), "(none)");
    EXPECT_EQ(list("createdColumnList")->currentText(), "(none)");
    EXPECT_EQ(headerLabels(), (QStringList{"Translation", "Word", "Notes"}));
    ASSERT_EQ(preview()->rowCount(), 3);
    EXPECT_EQ(preview()->item(2, 1)->text(), "Straße");
    EXPECT_TRUE(importButton()->isEnabled());
    EXPECT_TRUE(importButton()->isDefault());
    // Named themes are matched and missing ones added; rows without one go to the target.
    EXPECT_TRUE(child<QRadioButton>(control<QWidget>("themeColumn"), "addNewRadio")->isChecked());
    EXPECT_TRUE(child<QComboBox>(control<QWidget>("themeColumn"), "targetList")->isEnabled());
}

TEST_F(CsvDialogTest, WordAndTranslationMustBeMapped) {
    ASSERT_TRUE(open(kSemicolonFile));
    choose("wordColumnList", "(none)");
    EXPECT_FALSE(importButton()->isEnabled());
    choose("wordColumnList", "3: Notes");
    EXPECT_TRUE(importButton()->isEnabled());
    choose("translationColumnList", "(none)");
    EXPECT_FALSE(importButton()->isEnabled());
}

TEST_F(CsvDialogTest, AnotherDelimiterReadsTheFileAgain) {
    ASSERT_TRUE(open(kSemicolonFile));
    choose("delimiterList", "Comma");
    EXPECT_EQ(preview()->columnCount(), 1);
    EXPECT_FALSE(control<QCheckBox>("headerCheck")->isChecked());
    EXPECT_EQ(preview()->rowCount(), 4);
    EXPECT_EQ(preview()->item(1, 0)->text(), "house;Haus;n");
    EXPECT_FALSE(importButton()->isEnabled()) << "one column holds no translation";
    choose("delimiterList", "Semicolon");
    EXPECT_EQ(list("wordColumnList")->currentText(), "2: Word");
    EXPECT_TRUE(importButton()->isEnabled());
}

TEST_F(CsvDialogTest, WithoutTheHeaderRowTheFirstRowIsData) {
    ASSERT_TRUE(open(kSemicolonFile));
    control<QCheckBox>("headerCheck")->click();
    EXPECT_EQ(headerLabels(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(preview()->rowCount(), 4);
    EXPECT_EQ(list("wordColumnList")->currentText(), "Column 2") << "the mapping stays";
    control<QCheckBox>("headerCheck")->click();
    EXPECT_EQ(list("wordColumnList")->currentText(), "2: Word");
}

TEST_F(CsvDialogTest, AnEncodingThatDoesNotFitIsSaidAndBlocksTheImport) {
    ASSERT_TRUE(
        open("Stra\xDF"
             "e;street\nM\xFC"
             "nze;coin\nT\xFC"
             "r;door\nsch\xF6"
             "n;nice\n"));
    EXPECT_EQ(list("encodingList")->currentText(), "WINDOWS-1252");
    EXPECT_EQ(preview()->item(0, 0)->text(), "Straße");
    choose("encodingList", "UTF-8");
    EXPECT_FALSE(control<QLabel>("statusLabel")->isHidden());
    EXPECT_FALSE(importButton()->isEnabled());
    choose("encodingList", "ISO-8859-15");
    EXPECT_TRUE(control<QLabel>("statusLabel")->isHidden());
    EXPECT_EQ(preview()->item(1, 0)->text(), "Münze");
    EXPECT_TRUE(importButton()->isEnabled());
}

TEST_F(CsvDialogTest, ImportRunsShowsTheSummaryAndCloses) {
    ASSERT_TRUE(open(kSemicolonFile));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    // The summary comes from inside the run's last slice; the bar behind it shows the whole.
    auto* progress = control<QProgressBar>("importProgress");
    int progressAtSummary = -1;
    reporter.whenInformed = [&] { progressAtSummary = progress->value(); };
    importButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);
    EXPECT_EQ(progressAtSummary, progress->maximum());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(wordTexts(store.currentDictionary),
              (std::vector<std::string>{"Haus", "Baum", "Straße"}));
    ASSERT_EQ(informations().size(), 1u);
    EXPECT_EQ(informations()[0].message.find("Rows read: 3\nWords added: 2 (now 3),"), 0u);
    EXPECT_NE(informations()[0].message.find("Line 2: The word is already in the dictionary."),
              std::string::npos);
}

TEST_F(CsvDialogTest, ChoicesReachTheRun) {
    ASSERT_TRUE(open("word,translation,theme\nHaus,house,Home\nTür,door,Rooms\n,x,Home\n"));
    QWidget* themes = control<QWidget>("themeColumn");
    child<QRadioButton>(themes, "skipRadio")->click();
    control<QCheckBox>("overwriteCheck")->click();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    importButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);
    EXPECT_EQ(wordTexts(store.currentDictionary), (std::vector<std::string>{"Haus"}));
    EXPECT_EQ(fieldText(store.currentDictionary.words[0].translation), "house");
    ASSERT_EQ(informations().size(), 1u);
    const std::string summary = informations()[0].message;
    EXPECT_NE(summary.find("overwritten: 1"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Line 3: The theme \"Rooms\" is not in the dictionary."),
              std::string::npos)
        << summary;
}

TEST_F(CsvDialogTest, CancelDuringARunStopsItShowsWhatItDidAndCloses) {
    constexpr int kRows = 3000;
    std::string text = "word,translation\n";
    for (int i = 0; i < kRows; ++i) {
        text += "word " + std::to_string(i) + ",translation\n";
    }
    ASSERT_TRUE(open(text, makeDictionary({"German"}, {"Home"}, {})));
    dialog->setSliceMilliseconds(0);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    importButton()->click();
    ASSERT_TRUE(dialog->importRunning());
    EXPECT_FALSE(importButton()->isEnabled());
    EXPECT_FALSE(control<QCheckBox>("overwriteCheck")->isEnabled()) << "choices rest in a run";
    QTRY_VERIFY_WITH_TIMEOUT(control<QProgressBar>("importProgress")->value() > 0, 10000);

    control<QPushButton>("cancelButton")->click();
    EXPECT_FALSE(dialog->importRunning());
    EXPECT_FALSE(dialog->isVisible());
    const std::size_t added = store.currentDictionary.words.size();
    EXPECT_GT(added, 0u);
    EXPECT_LT(added, static_cast<std::size_t>(kRows));
    ASSERT_EQ(informations().size(), 1u);
    EXPECT_NE(informations()[0].message.find("Words added: " + std::to_string(added) + " "),
              std::string::npos);
}

TEST_F(CsvDialogTest, WithoutThemesTheTargetsSayNoneAndRowsMustNameThem) {
    ASSERT_TRUE(open("Haus\thouse\n", makeDictionary({}, {}, {})));
    QWidget* themes = control<QWidget>("themeColumn");
    EXPECT_EQ(child<QComboBox>(themes, "targetList")->currentText(), "< no themes >");
    EXPECT_FALSE(child<QRadioButton>(themes, "insertExistingRadio")->isEnabled());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    importButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 10000);
    EXPECT_TRUE(store.currentDictionary.words.empty());
    ASSERT_EQ(informations().size(), 1u);
    EXPECT_NE(informations()[0].message.find("Line 1: The row names no theme"), std::string::npos);
}

TEST_F(CsvDialogTest, ABinaryFileIsRefusedBeforeTheDialogShows) {
    const std::vector<uint8_t> before = dictionaryBytes(makeDictionary({"German"}, {"Home"}, {}));
    EXPECT_FALSE(open(std::string("\x7F"
                                  "ELF\x02\x01\x01\0\0\0",
                                  10),
                      makeDictionary({"German"}, {"Home"}, {})));
    EXPECT_EQ(reporter.errorMessages(), (std::vector<std::string>{"Can't import words."}));
    EXPECT_EQ(dictionaryBytes(store.currentDictionary), before);
}

// A lost quote far down the file is named under the preview before the import, with the words
// the summary will use; the rows before it import as usual.
TEST_F(CsvDialogTest, AQuoteNeverClosedIsNotedUnderThePreviewAndInTheSummary) {
    std::string text = "word,translation\n";
    for (int line = 2; line < 50002; ++line) {
        text += "w" + std::to_string(line) + ",t\n";
    }
    text += "lost,\"quote\n";
    for (int line = 50003; line <= 100000; ++line) {
        text += "w" + std::to_string(line) + ",t\n";
    }
    ASSERT_TRUE(open(text, makeDictionary({"German"}, {"Home"}, {})));
    const std::string note =
        "Line 50002: a quote opened here is never closed, so the rest of the file was not read.";
    auto* status = control<QLabel>("statusLabel");
    EXPECT_FALSE(status->isHidden());
    EXPECT_EQ(status->text().toStdString(), note);
    EXPECT_EQ(preview()->rowCount(), 8);
    EXPECT_EQ(preview()->item(0, 0)->text(), "w2");
    EXPECT_TRUE(importButton()->isEnabled());

    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    importButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 30000);
    EXPECT_EQ(store.currentDictionary.words.size(), 50000u);
    ASSERT_EQ(informations().size(), 1u);
    EXPECT_NE(informations()[0].message.find("Rows refused: 1\n\n" + note), std::string::npos)
        << informations()[0].message;
}

// A file of one line of 50 MB used to freeze the dialog for 25 s before it showed. It runs under
// the suite's timeout; how quickly is for the CSV benchmark to measure.
TEST_F(CsvDialogTest, AFileOfOneEndlessLineOpensWithANoteAndNothingToImport) {
    ASSERT_TRUE(open(std::string(50'000'000, 'x')));
    EXPECT_EQ(control<QLabel>("statusLabel")->text(),
              "Line 1: a field that begins here is longer than 64 KiB, so the rest of the file was "
              "not read.");
    EXPECT_EQ(preview()->rowCount(), 0);
    EXPECT_FALSE(importButton()->isEnabled());
}

TEST_F(CsvDialogTest, ACellShowsAtMost200Characters) {
    ASSERT_TRUE(open("word,translation\n" + std::string(5000, 'w') + ",t\n"));
    const QString shown = preview()->item(0, 0)->text();
    EXPECT_EQ(shown.size(), 200);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE(control<QLabel>("statusLabel")->isHidden());
}

// Its zero high bytes used to refuse the file as no text before the dialog opened.
struct UnmarkedUtf16Case {
    const char* name;
    bool littleEndian;
    QString encoding;
};

class CsvDialogUtf16Test : public CsvDialogTest,
                           public ::testing::WithParamInterface<UnmarkedUtf16Case> {};

TEST_P(CsvDialogUtf16Test, AUtf16FileWithoutAMarkIsOfferedAsUtf16) {
    std::string bytes;
    for (const char16_t unit : std::u16string(u"Haus;house\r\nStraße;street\r\n")) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes += GetParam().littleEndian ? low : high;
        bytes += GetParam().littleEndian ? high : low;
    }
    ASSERT_TRUE(open(bytes));
    EXPECT_EQ(list("encodingList")->currentText(), GetParam().encoding);
    EXPECT_EQ(list("delimiterList")->currentText(), "Semicolon");
    ASSERT_EQ(preview()->rowCount(), 2);
    EXPECT_EQ(preview()->item(1, 0)->text(), "Straße");
    EXPECT_TRUE(importButton()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, CsvDialogUtf16Test,
                         ::testing::Values(UnmarkedUtf16Case{"LittleEndian", true, "UTF-16LE"},
                                           UnmarkedUtf16Case{"BigEndian", false, "UTF-16BE"}),
                         CaseName());

// Each mnemonic of the dialog opens one control.
TEST_F(CsvDialogTest, MnemonicsDoNotClash) {
    ASSERT_TRUE(open(kSemicolonFile));
    std::map<QChar, QString> seen;
    const auto note = [&](const QString& text) {
        const int at = text.indexOf('&');
        if (at >= 0 && at + 1 < text.size()) {
            const QChar key = text[at + 1].toLower();
            EXPECT_EQ(seen.count(key), 0u)
                << text.toStdString() << " and " << seen[key].toStdString();
            seen[key] = text;
        }
    };
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        note(label->text());
    }
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        note(button->text());
    }
    EXPECT_GE(seen.size(), 14u);
}

}  // namespace
}  // namespace lq::test
