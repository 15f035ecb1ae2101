#include "selftest/COptions.h"

#include <QLineEdit>
#include <algorithm>
#include <string>
#include <vector>

#include "selftest/core/TestOptions.h"
#include "store/Dictionary.h"
#include "store/TextField.h"
#include "ui/CPassword.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_COptions.h"

namespace lq {

namespace {

constexpr int kReadoutIntervalMs = 100;
constexpr int32_t kAny = -1;

// "< doesn't matter >" first, then the names in their sorted order.
template <typename Record>
void fillFilterList(QComboBox* list, const RecordTable<Record>& records, int32_t selected) {
    list->clear();
    list->addItem(displayText(kAnyFilterText), kAny);
    appendEntries(list, sortedNames(records));
    // A filter that names no record shows as no filter.
    list->setCurrentIndex(std::max(0, list->findData(selected)));
}

// The first record of that name, as a name is what the user picked; -1 for "< doesn't matter >".
template <typename Record, typename Find>
int32_t chosenRecord(const QComboBox* list, const RecordTable<Record>& records, Find find) {
    const int32_t index = currentRecordIndex(list);
    if (index < 0 || static_cast<std::size_t>(index) >= records.size()) {
        return kAny;
    }
    return find(fieldText(records[static_cast<std::size_t>(index)].name));
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
      readoutTimer_(this) {
    ui_->setupUi(this);
    setButtonPicture(ui_->passwordButton, "password");
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    fillFilterLists();
    showSettings();
    connect(ui_->limitTimeCheck, &QCheckBox::toggled, this, &COptions::enableTimeLimit);
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
    fillFilterList(ui_->themeCombo, dictionary_.themes, header.testThemeFilter);
    fillFilterList(ui_->languageCombo, dictionary_.languages, header.testLanguageFilter);
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

void COptions::changePassword() {
    CPassword dialog(dictionary_.header, reporter_, random_, this);
    dialog.exec();
}

int32_t COptions::chosenTheme() const {
    return chosenRecord(ui_->themeCombo, dictionary_.themes,
                        [this](std::string_view name) { return findTheme(dictionary_, name); });
}

int32_t COptions::chosenLanguage() const {
    return chosenRecord(ui_->languageCombo, dictionary_.languages,
                        [this](std::string_view name) { return findLanguage(dictionary_, name); });
}

void COptions::confirm() {
    DictionaryHeader& header = dictionary_.header;
    header.testThemeFilter = chosenTheme();
    header.testLanguageFilter = chosenLanguage();
    header.testMode = ui_->namesRadio->isChecked() ? 0 : 1;
    header.testCountIndex = static_cast<int8_t>(ui_->testCountSlider->value());
    header.variantCountIndex = static_cast<int8_t>(ui_->variantCountSlider->value());
    header.timeLimitIndex = static_cast<int8_t>(ui_->timeLimitSlider->value());
    header.setLimitTestTime(ui_->limitTimeCheck->isChecked());
    header.setAskUpdateOnExit(ui_->askUpdateCheck->isChecked());
    accept();
}

}  // namespace lq
