#include "selftest/COptions.h"

#include <QLineEdit>
#include <string>

#include "selftest/core/TestOptions.h"
#include "store/ChangeLog.h"
#include "store/Dictionary.h"
#include "store/Protection.h"
#include "ui/CPassword.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui_COptions.h"

namespace lq {

namespace {

constexpr int kReadoutIntervalMs = 100;

std::string passwordStepName(const DictionaryHeader& before, const DictionaryHeader& now) {
    if (isProtected(before) == isProtected(now)) {
        return "Change password";
    }
    return isProtected(now) ? "Set password" : "Remove password";
}

DictionaryChange headerChange(const DictionaryHeader& before, const DictionaryHeader& now) {
    ChangeRecorder recorder;
    recorder.headerReplaced(before, now);
    return recorder.take();
}

void showIfChanged(QLineEdit* field, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (field->text() != shown) {
        field->setText(shown);
    }
}

}  // namespace

COptions::COptions(Dictionary& dictionary, Reporter& reporter, TestRandom& random, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::COptions>()),
      dictionary_(dictionary),
      reporter_(reporter),
      random_(random),
      changeLog_(&ChangeLog::none()),
      readoutTimer_(this) {
    ui_->setupUi(this);
    setButtonPicture(ui_->passwordButton, "password");
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    fillFilterLists();
    showSettings();
    connect(ui_->limitTimeCheck, &QCheckBox::toggled, this, &COptions::enableTimeLimit);
    connect(ui_->typedRadio, &QRadioButton::toggled, this, &COptions::enableMatchSettings);
    connect(ui_->passwordButton, &QPushButton::clicked, this, &COptions::changePassword);
    connect(ui_->okButton, &QPushButton::clicked, this, &COptions::confirm);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    readoutTimer_.setObjectName("readoutTimer");
    connect(&readoutTimer_, &QTimer::timeout, this, &COptions::refreshReadouts);
    readoutTimer_.start(kReadoutIntervalMs);
    refreshReadouts();
}

COptions::~COptions() = default;

void COptions::fillFilterLists() {
    const DictionaryHeader& header = dictionary_.header;
    // A filter that names no record shows as no filter.
    fillFilterList(ui_->themeCombo, sortedNames(dictionary_.themes), AnyEntry::First,
                   header.testThemeFilter);
    fillFilterList(ui_->languageCombo, sortedNames(dictionary_.languages), AnyEntry::First,
                   header.testLanguageFilter);
}

void COptions::showSettings() {
    const DictionaryHeader& header = dictionary_.header;
    ui_->namesRadio->setChecked(header.testMode == 0);
    ui_->translationsRadio->setChecked(header.testMode != 0);
    ui_->testCountSlider->setValue(header.testCountIndex);
    ui_->variantCountSlider->setValue(header.variantCountIndex);
    ui_->timeLimitSlider->setValue(header.timeLimitIndex);
    ui_->limitTimeCheck->setChecked(header.limitTestTime());
    ui_->askUpdateCheck->setChecked(header.askUpdateOnExit());
    enableTimeLimit(header.limitTestTime());
    showAnswerSettings();
}

void COptions::showAnswerSettings() {
    const DictionaryHeader& header = dictionary_.header;
    ui_->variantsRadio->setChecked(!header.typedAnswers());
    ui_->typedRadio->setChecked(header.typedAnswers());
    ui_->ignoreCaseCheck->setChecked(header.ignoreLetterCase());
    ui_->ignoreAccentsCheck->setChecked(header.ignoreAccents());
    ui_->ignorePunctuationCheck->setChecked(header.ignorePunctuation());
    enableMatchSettings(header.typedAnswers());
}

// Leniency matters only for a typed answer; a picked one is always one of the offered texts.
void COptions::enableMatchSettings(bool enabled) {
    ui_->ignoreCaseCheck->setEnabled(enabled);
    ui_->ignoreAccentsCheck->setEnabled(enabled);
    ui_->ignorePunctuationCheck->setEnabled(enabled);
}

void COptions::enableTimeLimit(bool enabled) {
    ui_->timeLimitSlider->setEnabled(enabled);
    ui_->timeLimitField->setEnabled(enabled);
}

void COptions::refreshReadouts() {
    showIfChanged(ui_->testCountField,
                  formatCount(static_cast<uint32_t>(testCountAt(ui_->testCountSlider->value()))));
    showIfChanged(
        ui_->variantCountField,
        formatCount(static_cast<uint32_t>(variantCountAt(ui_->variantCountSlider->value()))));
    showIfChanged(ui_->timeLimitField, formatMinutesSeconds(static_cast<uint32_t>(
                                           timeLimitSecondsAt(ui_->timeLimitSlider->value()))));
}

// The password takes effect at once, whatever becomes of the dialog, so it is a step of its own.
void COptions::changePassword() {
    const DictionaryHeader before = dictionary_.header;
    CPassword dialog(dictionary_.header, reporter_, random_, this);
    dialog.exec();
    changeLog_->addStep(passwordStepName(before, dictionary_.header),
                        headerChange(before, dictionary_.header));
}

int32_t COptions::chosenTheme() const {
    return firstNamedAs(dictionary_.themes, currentRecordIndex(ui_->themeCombo));
}

int32_t COptions::chosenLanguage() const {
    return firstNamedAs(dictionary_.languages, currentRecordIndex(ui_->languageCombo));
}

void COptions::confirm() {
    DictionaryHeader& header = dictionary_.header;
    const DictionaryHeader before = header;
    header.testThemeFilter = chosenTheme();
    header.testLanguageFilter = chosenLanguage();
    header.testMode = ui_->namesRadio->isChecked() ? 0 : 1;
    header.testCountIndex = static_cast<int8_t>(ui_->testCountSlider->value());
    header.variantCountIndex = static_cast<int8_t>(ui_->variantCountSlider->value());
    header.timeLimitIndex = static_cast<int8_t>(ui_->timeLimitSlider->value());
    header.setLimitTestTime(ui_->limitTimeCheck->isChecked());
    header.setAskUpdateOnExit(ui_->askUpdateCheck->isChecked());
    storeAnswerSettings();
    changeLog_->addStep("Change options", headerChange(before, header));
    accept();
}

void COptions::storeAnswerSettings() {
    DictionaryHeader& header = dictionary_.header;
    header.setTypedAnswers(ui_->typedRadio->isChecked());
    header.setIgnoreLetterCase(ui_->ignoreCaseCheck->isChecked());
    header.setIgnoreAccents(ui_->ignoreAccentsCheck->isChecked());
    header.setIgnorePunctuation(ui_->ignorePunctuationCheck->isChecked());
}

}  // namespace lq
