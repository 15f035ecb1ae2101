#include "import/CImportWords.h"

#include <algorithm>

#include "store/ChangeLog.h"
#include "store/DictionaryImage.h"
#include "store/DictionaryStore.h"
#include "store/Protection.h"
#include "ui/CPasswordProtection.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui_CImportWords.h"

namespace lq {

namespace {

// Words taken between two looks at the slice's clock, and so the least a slice takes.
constexpr int32_t kWordsBetweenClockReads = 64;

// The load's own hints for a damaged file or a name taken by something else speak of the
// program's own dictionary; a source is only to be left alone.
std::string_view sourceLoadHint(LoadStatus status) {
    switch (status) {
        case LoadStatus::Damaged:
            return "The dictionary file is damaged: its records don't match its header. Import "
                   "from another dictionary, or from a good copy of this one.";
        case LoadStatus::NotAFile:
            return "The name Lexiquill.lqd in that folder is taken by something that is not a "
                   "dictionary file (a folder, a pipe, a socket or a device). Import from another "
                   "folder.";
        default:
            return loadFailureHint(status);
    }
}

}  // namespace

CImportWords::CImportWords(DictionaryStore& store, std::string sourcePath, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CImportWords>()),
      store_(store),
      sourcePath_(std::move(sourcePath)),
      changeLog_(&ChangeLog::none()),
      importer_(
          store_.reporter(), kWordsBetweenClockReads,
          [this](const ImportRun& run) { ui_->importProgress->setValue(run.wordsTaken()); },
          [this] { showRunning(false); }) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->importButton, "button-import");
    const Dictionary& current = store_.currentDictionary;
    ui_->themeColumn->setUp(kThemePlacementTexts, sortedNames(current.themes));
    ui_->languageColumn->setUp(kLanguagePlacementTexts, sortedNames(current.languages));

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
    fillFilterList(ui_->themeFilterList, sortedNames(source_.themes), AnyEntry::SortedIn);
    fillFilterList(ui_->languageFilterList, sortedNames(source_.languages), AnyEntry::SortedIn);
}

ImportOptions CImportWords::chosenOptions() const {
    // A picked entry stands for its name, so each maps to the first record of that name.
    const Dictionary& current = store_.currentDictionary;
    ImportOptions options;
    options.themeFilter = firstNamedAs(source_.themes, currentRecordIndex(ui_->themeFilterList));
    options.languageFilter =
        firstNamedAs(source_.languages, currentRecordIndex(ui_->languageFilterList));
    options.themePlacement = ui_->themeColumn->placement();
    options.targetTheme = firstNamedAs(current.themes, ui_->themeColumn->targetRecord());
    options.languagePlacement = ui_->languageColumn->placement();
    options.targetLanguage = firstNamedAs(current.languages, ui_->languageColumn->targetRecord());
    options.keepTestData = ui_->keepTestDataCheck->isChecked();
    options.keepCreationDate = ui_->keepCreationDateCheck->isChecked();
    options.overwriteExisting = ui_->overwriteCheck->isChecked();
    return options;
}

void CImportWords::startImport() {
    if (importRunning()) {
        return;
    }
    importer_.start(
        *changeLog_, "Import words", [this](DictionaryEdits& edits, Reporter& reporter) {
            return std::make_unique<ImportRun>(source_, store_.currentDictionary, chosenOptions(),
                                               reporter, store_.clock(), edits);
        });
    ui_->importProgress->setRange(0, std::max(importer_.run().totalWords(), 1));
    ui_->importProgress->setValue(0);
    showRunning(true);
}

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
        importer_.stop();
        return;
    }
    QDialog::done(result);
}

}  // namespace lq
