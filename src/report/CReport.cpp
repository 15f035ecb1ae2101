#include "report/CReport.h"

#include "report/CHtmlOptions.h"
#include "report/core/ReportSave.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"
#include "ui/CBrowse.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CReport.h"

namespace lq {

CReport::CReport(Dictionary& dictionary, const DictionaryFolder* ownFiles, Reporter& reporter,
                 const Clock& clock, QWidget* parent, FileOps& ops)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CReport>()),
      dictionary_(dictionary),
      ownFiles_(ownFiles),
      reporter_(reporter),
      ops_(ops),
      options_(unpackReportOptions(dictionary.header)) {
    ui_->setupUi(this);
    setButtonPicture(ui_->saveButton, "button-save");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    fillFilterList(ui_->themeCombo, sortedNames(dictionary_.themes), AnyEntry::SortedIn);
    fillFilterList(ui_->languageCombo, sortedNames(dictionary_.languages), AnyEntry::SortedIn);
    fillFormats();
    ui_->fileNameEdit->setText(displayText(defaultReportName(clock)));
    showFolder(savedFolder_.saved());

    connect(ui_->formatCombo, &QComboBox::currentIndexChanged, this, &CReport::applyFormat);
    connect(ui_->advancedButton, &QPushButton::clicked, this, &CReport::editHtmlOptions);
    connect(ui_->browseButton, &QPushButton::clicked, this, &CReport::browse);
    connect(ui_->saveButton, &QPushButton::clicked, this, &CReport::save);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CReport::~CReport() = default;

void CReport::fillFormats() {
    ui_->formatCombo->addItem(QStringLiteral("HTML (.html)"));
    ui_->formatCombo->addItem(QStringLiteral("Text (.txt)"));
    const int position = static_cast<int>(options_.format);
    ui_->formatCombo->setCurrentIndex(position);
    applyFormat(position);
}

void CReport::applyFormat(int position) {
    options_.format =
        position == static_cast<int>(ReportFormat::Text) ? ReportFormat::Text : ReportFormat::Html;
    const bool html = options_.format == ReportFormat::Html;
    setLabelPicture(ui_->formatPicture, html ? "report-html" : "report-text", 48);
    ui_->advancedButton->setEnabled(html);
}

void CReport::showFolder(const std::string& folder) {
    folderBytes_ = folder;
    folderShown_ = displayText(folder);
    ui_->pathEdit->setText(folderShown_);
}

std::string CReport::folder() const {
    const QString shown = ui_->pathEdit->text();
    return shown == folderShown_ ? folderBytes_ : storedText(shown);
}

ReportFilter CReport::chosenFilter() const {
    return {firstNamedAs(dictionary_.themes, currentRecordIndex(ui_->themeCombo)),
            firstNamedAs(dictionary_.languages, currentRecordIndex(ui_->languageCombo))};
}

void CReport::editHtmlOptions() {
    CHtmlOptions dialog(options_, this);
    if (dialog.exec() == QDialog::Accepted) {
        options_ = dialog.options();
    }
}

void CReport::browse() {
    const WorkingFolderGuard keep;
    CBrowse dialog(folder(), BrowseMode::Report, reporter_, this);
    if (dialog.exec() == QDialog::Accepted) {
        showFolder(dialog.chosenFolder());
    }
}

// The folder comes from Path alone: a name holding "/" would send the report into another
// folder than the one shown.
void CReport::save() {
    const QString name = ui_->fileNameEdit->text();
    if (name.contains(QLatin1Char('/'))) {
        reporter_.showError("Can't save report.",
                            "The file name \"" + storedText(name) +
                                "\" holds \"/\". Put the folder in Path and the name alone in "
                                "Filename.");
        return;
    }
    const ReportRequest request{folder(), storedText(name), chosenFilter(), options_};
    if (saveReport(dictionary_, request, ownFiles_, reporter_, ops_)) {
        accept();
    }
}

}  // namespace lq
