#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "selftest/COptions.h"
#include "store/Protection.h"
#include "store/TestRandom.h"
#include "support/GuiFixture.h"
#include "support/GuiHelpers.h"
#include "support/ModalHelpers.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

QString fieldText(const QWidget* dialog, const char* name) {
    const auto* field = child<QLineEdit>(dialog, name);
    return field != nullptr ? field->text() : QString();
}

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

bool sameHeader(const DictionaryHeader& a, const DictionaryHeader& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class OptionsDialogTest : public GuiFixture {
  protected:
    Dictionary dictionary = makeDictionary({}, {}, {});
    RecordingReporter reporter;
    TestRandom random;
};

TEST_F(OptionsDialogTest, ShowsTheTextsOfEveryControl) {
    COptions dialog(dictionary, reporter, random);
    EXPECT_EQ(dialog.windowTitle(), "Options");
    EXPECT_EQ(child<QGroupBox>(&dialog, "dictionaryGroup")->title(), " Dictionary ");
    EXPECT_EQ(child<QGroupBox>(&dialog, "testGroup")->title(), " Test ");
    const std::pair<const char*, const char*> labels[] = {
        {"passwordText", "Here you can set/change\ndictionary' password"},
        {"testWordsText", "Testing word have to be gotten with following:"},
        {"themeLabel", "Theme"},
        {"languageLabel", "Language"},
        {"testModeLabel", "Test mode:"},
        {"testCountLabel", "Number of tests:"},
        {"variantCountLabel", "Number of variant-words:"},
    };
    for (const auto& [name, text] : labels) {
        EXPECT_EQ(labelText(&dialog, name), text) << name;
    }
    const std::pair<const char*, const char*> buttons[] = {
        {"passwordButton", "&Password"},
        {"askUpdateCheck", "Ask \"Update dictionary?\" while exiting application"},
        {"namesRadio", "Names"},
        {"translationsRadio", "Translations"},
        {"limitTimeCheck", "Limit time:"},
        {"okButton", "&OK"},
        {"cancelButton", "&Cancel"},
    };
    for (const auto& [name, text] : buttons) {
        const auto* button = child<QAbstractButton>(&dialog, name);
        EXPECT_EQ(button->text(), text) << name;
    }
    for (const char* name : {"passwordButton", "okButton", "cancelButton"}) {
        EXPECT_FALSE(child<QPushButton>(&dialog, name)->icon().isNull()) << name;
    }
    EXPECT_TRUE(child<QPushButton>(&dialog, "okButton")->isDefault());
    for (const char* name : {"themeCombo", "languageCombo"}) {
        EXPECT_FALSE(child<QComboBox>(&dialog, name)->isEditable()) << name;
    }
    for (const char* name : {"testCountField", "variantCountField", "timeLimitField"}) {
        EXPECT_TRUE(child<QLineEdit>(&dialog, name)->isReadOnly()) << name;
        EXPECT_EQ(child<QLineEdit>(&dialog, name)->alignment(), Qt::AlignCenter) << name;
    }
}

TEST_F(OptionsDialogTest, ANewDictionaryShowsTheDefaults) {
    COptions dialog(dictionary, reporter, random);
    for (const char* name : {"themeCombo", "languageCombo"}) {
        EXPECT_EQ(entries(child<QComboBox>(&dialog, name)), QStringList{"< doesn't matter >"});
        EXPECT_EQ(child<QComboBox>(&dialog, name)->currentText(), "< doesn't matter >");
    }
    EXPECT_TRUE(child<QRadioButton>(&dialog, "namesRadio")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(&dialog, "translationsRadio")->isChecked());
    EXPECT_EQ(fieldText(&dialog, "testCountField"), "10");
    EXPECT_EQ(fieldText(&dialog, "variantCountField"), "4");
    EXPECT_EQ(fieldText(&dialog, "timeLimitField"), "01:00");
    EXPECT_FALSE(child<QCheckBox>(&dialog, "limitTimeCheck")->isChecked());
    EXPECT_FALSE(child<QSlider>(&dialog, "timeLimitSlider")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(&dialog, "timeLimitField")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(&dialog, "askUpdateCheck")->isChecked());
    for (const char* name : {"testCountSlider", "variantCountSlider", "timeLimitSlider"}) {
        EXPECT_EQ(child<QSlider>(&dialog, name)->minimum(), 0) << name;
        EXPECT_EQ(child<QSlider>(&dialog, name)->maximum(), 15) << name;
    }
}

TEST_F(OptionsDialogTest, ReadOutsFollowTheSlidersOnTheNextRefresh) {
    struct Case {
        const char* slider;
        const char* field;
        int position;
        const char* shown;
    };
    const Case cases[] = {
        {"testCountSlider", "testCountField", 0, "1"},
        {"testCountSlider", "testCountField", 15, "80"},
        {"variantCountSlider", "variantCountField", 0, "1"},
        {"variantCountSlider", "variantCountField", 15, "16"},
        {"timeLimitSlider", "timeLimitField", 0, "00:10"},
        {"timeLimitSlider", "timeLimitField", 3, "01:30"},
        {"timeLimitSlider", "timeLimitField", 15, "30:00"},  // disabled, still shown
    };
    COptions dialog(dictionary, reporter, random);
    const auto* timer = child<QTimer>(&dialog, "readoutTimer");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
    for (const Case& c : cases) {
        child<QSlider>(&dialog, c.slider)->setValue(c.position);
        dialog.refreshReadouts();
        EXPECT_EQ(fieldText(&dialog, c.field), c.shown) << c.slider << " at " << c.position;
    }
}

TEST_F(OptionsDialogTest, LimitTimeEnablesTheTimeSlider) {
    dictionary.header.setLimitTestTime(true);
    COptions dialog(dictionary, reporter, random);
    auto* check = child<QCheckBox>(&dialog, "limitTimeCheck");
    EXPECT_TRUE(check->isChecked());
    for (const bool enabled : {true, false, true}) {
        if (check->isChecked() != enabled) {
            check->click();
        }
        EXPECT_EQ(child<QSlider>(&dialog, "timeLimitSlider")->isEnabled(), enabled);
        EXPECT_EQ(child<QLineEdit>(&dialog, "timeLimitField")->isEnabled(), enabled);
    }
}

TEST_F(OptionsDialogTest, FilterListsAreSortedAndShowTheStoredFilter) {
    struct Case {
        const char* name;
        int32_t themeFilter;
        int32_t languageFilter;
        const char* theme;
        const char* language;
    };
    const Case cases[] = {
        {"any", -1, -1, "< doesn't matter >", "< doesn't matter >"},
        {"by index", 2, 0, "birds", "German"},
        {"other indexes", 0, 1, "verbs", "english"},
        {"index past the table", 7, 9, "< doesn't matter >", "< doesn't matter >"},
    };
    dictionary = makeDictionary({"German", "english"}, {"verbs", "Animals", "birds"}, {});
    for (const Case& c : cases) {
        dictionary.header.testThemeFilter = c.themeFilter;
        dictionary.header.testLanguageFilter = c.languageFilter;
        COptions dialog(dictionary, reporter, random);
        const auto* themes = child<QComboBox>(&dialog, "themeCombo");
        const auto* languages = child<QComboBox>(&dialog, "languageCombo");
        EXPECT_EQ(entries(themes),
                  (QStringList{"< doesn't matter >", "Animals", "birds", "verbs"}));
        EXPECT_EQ(entries(languages), (QStringList{"< doesn't matter >", "english", "German"}));
        EXPECT_EQ(themes->currentText(), c.theme) << c.name;
        EXPECT_EQ(languages->currentText(), c.language) << c.name;
    }
}

TEST_F(OptionsDialogTest, OkStoresEveryControl) {
    dictionary = makeDictionary({"German", "english"}, {"verbs", "Animals", "Animals"}, {});
    dictionary.header.optionFlags |= 0x80;  // a bit of no setting here stays as it is
    COptions dialog(dictionary, reporter, random);
    child<QComboBox>(&dialog, "themeCombo")->setCurrentIndex(2);  // the second "Animals"
    child<QComboBox>(&dialog, "languageCombo")->setCurrentText("German");
    child<QRadioButton>(&dialog, "translationsRadio")->click();
    child<QSlider>(&dialog, "testCountSlider")->setValue(15);
    child<QSlider>(&dialog, "variantCountSlider")->setValue(0);
    child<QSlider>(&dialog, "timeLimitSlider")->setValue(4);  // kept with the limit off
    child<QCheckBox>(&dialog, "askUpdateCheck")->click();
    dialog.show();
    clickButton(&dialog, "okButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    const DictionaryHeader& header = dictionary.header;
    EXPECT_EQ(header.testThemeFilter, 1);  // a name picked maps to its first record
    EXPECT_EQ(header.testLanguageFilter, 0);
    EXPECT_EQ(header.testMode, 1);
    EXPECT_EQ(header.testCountIndex, 15);
    EXPECT_EQ(header.variantCountIndex, 0);
    EXPECT_EQ(header.timeLimitIndex, 4);
    EXPECT_FALSE(header.limitTestTime());
    EXPECT_FALSE(header.askUpdateOnExit());
    EXPECT_EQ(header.optionFlags, 0x80);
    EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(OptionsDialogTest, OkWithNothingChangedKeepsTheHeader) {
    struct Case {
        const char* name;
        int32_t themeFilter;
        uint8_t testMode;
        bool limit;
    };
    const Case cases[] = {
        {"defaults", -1, 0, false},
        {"a theme, translations, limited", 1, 1, true},
    };
    for (const Case& c : cases) {
        dictionary = makeDictionary({"English"}, {"verbs", "Animals"}, {});
        dictionary.header.testThemeFilter = c.themeFilter;
        dictionary.header.testMode = c.testMode;
        dictionary.header.setLimitTestTime(c.limit);
        const DictionaryHeader before = dictionary.header;
        COptions dialog(dictionary, reporter, random);
        dialog.show();
        clickButton(&dialog, "okButton");
        EXPECT_TRUE(sameHeader(dictionary.header, before)) << c.name;
    }
}

TEST_F(OptionsDialogTest, CancelEscapeAndCloseChangeNothing) {
    const std::function<void(COptions&)> leaves[] = {
        [](COptions& d) { clickButton(&d, "cancelButton"); },
        [](COptions& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](COptions& d) { d.close(); },
    };
    dictionary = makeDictionary({"English"}, {"verbs"}, {});
    const DictionaryHeader before = dictionary.header;
    for (const auto& leave : leaves) {
        COptions dialog(dictionary, reporter, random);
        child<QComboBox>(&dialog, "themeCombo")->setCurrentText("verbs");
        child<QRadioButton>(&dialog, "translationsRadio")->click();
        child<QSlider>(&dialog, "testCountSlider")->setValue(0);
        child<QCheckBox>(&dialog, "limitTimeCheck")->click();
        child<QCheckBox>(&dialog, "askUpdateCheck")->click();
        dialog.show();
        leave(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(sameHeader(dictionary.header, before));
    }
}

TEST_F(OptionsDialogTest, APasswordChangeStaysAfterCancel) {
    COptions dialog(dictionary, reporter, random);
    child<QSlider>(&dialog, "testCountSlider")->setValue(0);
    dialog.show();
    bool passwordDialogSeen = false;
    whenModalOpens([&](QWidget* password) {
        passwordDialogSeen = password->windowTitle() == "Password";
        child<QCheckBox>(password, "protectionCheck")->click();
        typeText(child<QLineEdit>(password, "newPasswordEdit"), "secret");
        typeText(child<QLineEdit>(password, "repeatPasswordEdit"), "secret");
        clickButton(password, "okButton");
    });
    clickButton(&dialog, "passwordButton");
    EXPECT_TRUE(passwordDialogSeen);
    EXPECT_TRUE(dialog.isVisible());
    clickButton(&dialog, "cancelButton");
    EXPECT_TRUE(isProtected(dictionary.header));
    EXPECT_TRUE(verifyPassword(dictionary.header, "secret"));
    EXPECT_EQ(dictionary.header.testCountIndex, 5);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].message, "New password successfuly installed/changed.");
}

const char* const kMatchChecks[] = {"ignoreCaseCheck", "ignoreAccentsCheck",
                                    "ignorePunctuationCheck"};

TEST_F(OptionsDialogTest, AnswersChooseFromVariantsInANewDictionary) {
    COptions dialog(dictionary, reporter, random);
    EXPECT_EQ(child<QGroupBox>(&dialog, "answersGroup")->title(), " Answers ");
    const std::pair<const char*, const char*> buttons[] = {
        {"variantsRadio", "Choose from &variants"},
        {"typedRadio", "&Type the answer"},
        {"ignoreCaseCheck", "Ignore &letter case"},
        {"ignoreAccentsCheck", "Ignore &accents"},
        {"ignorePunctuationCheck", "Ignore p&unctuation and spacing"},
    };
    for (const auto& [name, text] : buttons) {
        EXPECT_EQ(child<QAbstractButton>(&dialog, name)->text(), text) << name;
    }
    EXPECT_TRUE(child<QRadioButton>(&dialog, "variantsRadio")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(&dialog, "typedRadio")->isChecked());
    for (const char* name : kMatchChecks) {
        EXPECT_FALSE(child<QCheckBox>(&dialog, name)->isChecked()) << name;
        EXPECT_FALSE(child<QCheckBox>(&dialog, name)->isEnabled()) << name;
    }
}

TEST_F(OptionsDialogTest, NoTwoControlsShareAMnemonic) {
    COptions dialog(dictionary, reporter, random);
    QMap<QChar, QString> owners;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        const QString text = button->text();
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= text.size()) {
            continue;
        }
        const QChar key = text.at(at + 1).toLower();
        EXPECT_FALSE(owners.contains(key))
            << text.toStdString() << " and " << owners.value(key).toStdString();
        owners.insert(key, text);
    }
    EXPECT_GE(owners.size(), 8);  // the three buttons and the five answer settings
}

TEST_F(OptionsDialogTest, TheLeniencySettingsAreForTypedAnswersOnly) {
    COptions dialog(dictionary, reporter, random);
    dialog.show();
    for (const bool typed : {true, false, true}) {
        child<QRadioButton>(&dialog, typed ? "typedRadio" : "variantsRadio")->click();
        EXPECT_NE(child<QRadioButton>(&dialog, "variantsRadio")->isChecked(), typed);
        for (const char* name : kMatchChecks) {
            EXPECT_EQ(child<QCheckBox>(&dialog, name)->isEnabled(), typed) << name;
        }
    }
    clickButton(&dialog, "cancelButton");
}

TEST_F(OptionsDialogTest, AnswerSettingsShowAndStoreTheirOwnBits) {
    struct Case {
        const char* name;
        uint8_t flagsBefore;
        bool typed;
        bool ignoreCase;
        bool ignoreAccents;
        bool ignorePunctuation;
        uint8_t flagsAfter;
    };
    const Case cases[] = {
        {"type, exactly", 0xC3, true, false, false, false, 0xC7},
        {"type, everything ignored", 0xC3, true, true, true, true, 0xFF},
        {"type, accents only", 0x00, true, false, true, false, 0x14},
        {"back to variants keeps the leniency", 0xFF, false, true, true, true, 0xFB},
        {"everything cleared", 0xFF, false, false, false, false, 0xC3},
    };
    for (const Case& c : cases) {
        dictionary.header.optionFlags = c.flagsBefore;
        COptions dialog(dictionary, reporter, random);
        // What is stored shows first.
        EXPECT_EQ(child<QRadioButton>(&dialog, "typedRadio")->isChecked(),
                  (c.flagsBefore & kTypedAnswersBit) != 0)
            << c.name;
        EXPECT_EQ(child<QCheckBox>(&dialog, "ignoreCaseCheck")->isChecked(),
                  (c.flagsBefore & kIgnoreLetterCaseBit) != 0)
            << c.name;
        child<QRadioButton>(&dialog, "typedRadio")->setChecked(true);  // the checks are enabled
        child<QCheckBox>(&dialog, "ignoreCaseCheck")->setChecked(c.ignoreCase);
        child<QCheckBox>(&dialog, "ignoreAccentsCheck")->setChecked(c.ignoreAccents);
        child<QCheckBox>(&dialog, "ignorePunctuationCheck")->setChecked(c.ignorePunctuation);
        child<QRadioButton>(&dialog, c.typed ? "typedRadio" : "variantsRadio")->setChecked(true);
        dialog.show();
        clickButton(&dialog, "okButton");
        EXPECT_EQ(int(dictionary.header.optionFlags), int(c.flagsAfter)) << c.name;
    }
}

TEST_F(OptionsDialogTest, CancelKeepsTheAnswerSettings) {
    dictionary.header.setIgnoreAccents(true);
    const DictionaryHeader before = dictionary.header;
    COptions dialog(dictionary, reporter, random);
    child<QRadioButton>(&dialog, "typedRadio")->click();
    child<QCheckBox>(&dialog, "ignoreCaseCheck")->click();
    child<QCheckBox>(&dialog, "ignoreAccentsCheck")->click();
    dialog.show();
    clickButton(&dialog, "cancelButton");
    EXPECT_TRUE(sameHeader(dictionary.header, before));
}

}  // namespace
}  // namespace lq::test
