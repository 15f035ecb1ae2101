#include "import/CImportWords.h"

#include <QElapsedTimer>
#include <algorithm>

#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Protection.h"
#include "store/TextField.h"
#include "ui/CPasswordProtection.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui_CImportWords.h"

namespace lq {

namespace {

// Words taken between two looks at the slice's clock, and so the least a slice takes.
constexpr int32_t kWordsBetweenClockReads = 64;

// The load's own hint for a damaged file speaks of the program's own dictionary; a damaged
// source is only to be left alone.
std::string_view sourceLoadHint(LoadStatus status) {
    if (status == LoadStatus::Damaged) {
        return "The dictionary file is damaged: its records don't match its header. Import from "
               "another dictionary, or from a good copy of this one.";
    }
    return loadFailureHint(status);
}

// The first record whose name holds the same bytes as record `picked`, the one behind a list's
// entry; -1 for "< doesn't matter >" and for a list without records.
template <typename Record, typename Find>
int32_t firstRecordNamedAsPicked(int32_t picked, const RecordTable<Record>& records, Find find) {
    if (picked < 0 || static_cast<std::size_t>(picked) >= records.size()) {
        return kAnyRecord;
    }
    return find(fieldText(records[static_cast<std::size_t>(picked)].name));
}

}  // namespace

CImportWords::CImportWords(DictionaryStore& store, std::string sourcePath, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CImportWords>()),
      store_(store),
      sourcePath_(std::move(sourcePath)) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->importButton, "button-import");
    const Dictionary& current = store_.currentDictionary;
    ui_->themeColumn->setUp(kThemePlacementTexts, sortedNames(current.themes));
    ui_->languageColumn->setUp(kLanguagePlacementTexts, sortedNames(current.languages));

    sliceTimer_.setSingleShot(true);
    connect(&sliceTimer_, &QTimer::timeout, this, &CImportWords::runSlice);
    connect(ui_->importButton, &QPushButton::clicked, this, &CImportWords::startImport);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

CImportWords::~CImportWords() = default;

bool CImportWords::openSource() {
    const LoadStatus status = store_.loadDictionary(sourcePath_, source_);
    if (status != LoadStatus::Loaded) {
        store_.reporter().showError("Can't load the dictionary.", sourceLoadHint(status));
        source_ = Dictionary();
        return false;
    }
    if (!sourceUnlocked()) {
        source_ = Dictionary();
        return false;
    }
    fillFilterLists();
    return true;
}

bool CImportWords::sourceUnlocked() {
    if (!isProtected(source_.header)) {
        return true;
    }
    CPasswordProtection prompt(source_.header, store_.reporter(), parentWidget());
    prompt.setAccessForm(QStringLiteral("Type correct password for accessing."));
    return prompt.exec() == QDialog::Accepted;
}

void CImportWords::fillFilterLists() {
    fillSortedFilterList(ui_->themeFilterList, source_.themes);
    fillSortedFilterList(ui_->languageFilterList, source_.languages);
}

ImportOptions CImportWords::chosenOptions() const {
    const Dictionary& current = store_.currentDictionary;
    const auto findSourceTheme = [this](std::string_view name) { return findTheme(source_, name); };
    const auto findSourceLanguage = [this](std::string_view name) {
        return findLanguage(source_, name);
    };
    const auto findCurrentTheme = [&current](std::string_view name) {
        return findTheme(current, name);
    };
    const auto findCurrentLanguage = [&current](std::string_view name) {
        return findLanguage(current, name);
    };

    ImportOptions options;
    options.themeFilter = firstRecordNamedAsPicked(currentRecordIndex(ui_->themeFilterList),
                                                   source_.themes, findSourceTheme);
    options.languageFilter = firstRecordNamedAsPicked(currentRecordIndex(ui_->languageFilterList),
                                                      source_.languages, findSourceLanguage);
    options.themePlacement = ui_->themeColumn->placement();
    options.targetTheme = firstRecordNamedAsPicked(ui_->themeColumn->targetRecord(), current.themes,
                                                   findCurrentTheme);
    options.languagePlacement = ui_->languageColumn->placement();
    options.targetLanguage = firstRecordNamedAsPicked(ui_->languageColumn->targetRecord(),
                                                      current.languages, findCurrentLanguage);
    options.keepTestData = ui_->keepTestDataCheck->isChecked();
    options.keepCreationDate = ui_->keepCreationDateCheck->isChecked();
    options.overwriteExisting = ui_->overwriteCheck->isChecked();
    return options;
}

void CImportWords::startImport() {
    if (importRunning()) {
        return;
    }
    stopRequested_ = false;
    ImportProgress& progress = *this;
    run_ = std::make_unique<ImportRun>(source_, store_.currentDictionary, chosenOptions(),
                                       store_.reporter(), store_.clock(), progress);
    ui_->importProgress->setRange(0, std::max(run_->totalWords(), 1));
    ui_->importProgress->setValue(0);
    showRunning(true);
    sliceTimer_.start(0);
}

// Takes words until the slice's time is up; the summary shows from inside the last step.
void CImportWords::runSlice() {
    QElapsedTimer slice;
    slice.start();
    while (!run_->step(kWordsBetweenClockReads) && slice.elapsed() < sliceMilliseconds_) {
    }
    ui_->importProgress->setValue(run_->wordsTaken());
    if (!run_->finished()) {
        sliceTimer_.start(0);
        return;
    }
    run_.reset();
    showRunning(false);
}

// The bar is set from the run once a slice, not once a word: a bar repaints on every change.
void CImportWords::advance() {}

// The options do not change a run once it has started, so they rest while it goes.
void CImportWords::showRunning(bool running) {
    ui_->importProgress->setVisible(running);
    ui_->importButton->setEnabled(!running);
    ui_->filterGroup->setEnabled(!running);
    ui_->themeColumn->setEnabled(!running);
    ui_->languageColumn->setEnabled(!running);
    ui_->keepTestDataCheck->setEnabled(!running);
    ui_->keepCreationDateCheck->setEnabled(!running);
    ui_->overwriteCheck->setEnabled(!running);
    setButtonPicture(ui_->okButton, running ? "button-cancel" : "button-ok");
    if (running) {
        ui_->okButton->setFocus();
    } else {
        ui_->importButton->setFocus();
    }
}

void CImportWords::done(int result) {
    if (importRunning()) {
        stopRequested_ = true;
        return;
    }
    QDialog::done(result);
}

}  // namespace lq
