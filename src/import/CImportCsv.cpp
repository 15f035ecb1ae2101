#include "import/CImportCsv.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "import/PlacementColumn.h"
#include "import/core/TextFileEncoding.h"
#include "store/ChangeLog.h"
#include "store/DictionaryStore.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui_CImportCsv.h"

namespace lq {

namespace {

// The data rows the preview shows, below the header row when there is one.
constexpr std::size_t kPreviewRows = 8;
// A file may have any number of columns; the lists offer as many as a row keeps.
constexpr std::size_t kMaxColumns = kMaxCsvColumns;
// Rows taken between two looks at the slice's clock, and so the least a slice takes.
constexpr int32_t kRowsBetweenClockReads = 64;
constexpr int kProgressSteps = 1000;

struct DelimiterEntry {
    const char* text;
    char delimiter;
};
constexpr DelimiterEntry kDelimiterEntries[] = {
    {"Comma", kComma}, {"Semicolon", kSemicolon}, {"Tab", kTab}};

}  // namespace

CImportCsv::CImportCsv(DictionaryStore& store, std::string path, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CImportCsv>()),
      store_(store),
      path_(std::move(path)),
      changeLog_(&ChangeLog::none()),
      importer_(
          store_.reporter(), kRowsBetweenClockReads,
          [this](const CsvImportRun& run) { showProgress(run); }, [this] { runEnded(); }) {
    ui_->setupUi(this);
    setButtonPicture(ui_->importButton, "button-import");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    columnLists_ = {ui_->wordColumnList,   ui_->translationColumnList, ui_->transcriptionColumnList,
                    ui_->themeColumnList,  ui_->languageColumnList,    ui_->rightColumnList,
                    ui_->testedColumnList, ui_->createdColumnList};
    const Dictionary& current = store_.currentDictionary;
    ui_->themeColumn->setUp(kCsvThemePlacementTexts, sortedNames(current.themes));
    ui_->languageColumn->setUp(kCsvLanguagePlacementTexts, sortedNames(current.languages));
    // Named themes and languages are taken by name, and missing ones added, unless told else.
    ui_->themeColumn->choose(Placement::AddNew);
    ui_->languageColumn->choose(Placement::AddNew);
    ui_->previewTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ui_->previewTable->verticalHeader()->setVisible(false);
    // Rows as tight as the text, so that the preview shows all its rows without scrolling.
    ui_->previewTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    connect(ui_->importButton, &QPushButton::clicked, this, &CImportCsv::startImport);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->encodingList, &QComboBox::activated, this, &CImportCsv::encodingChosen);
    connect(ui_->delimiterList, &QComboBox::activated, this, &CImportCsv::delimiterChosen);
    connect(ui_->headerCheck, &QCheckBox::toggled, this, &CImportCsv::headerToggled);
    for (QComboBox* list : columnLists_) {
        connect(list, &QComboBox::activated, this, &CImportCsv::enableImport);
    }
}

CImportCsv::~CImportCsv() = default;

QComboBox* CImportCsv::columnList(CsvField field) const {
    return columnLists_[static_cast<std::size_t>(field)];
}

bool CImportCsv::openFile() {
    if (!file_.open(path_, store_.reporter())) {
        return false;
    }
    fillChoiceLists();
    showLayout(file_.layout());
    return true;
}

void CImportCsv::fillChoiceLists() {
    for (const DelimiterEntry& entry : kDelimiterEntries) {
        ui_->delimiterList->addItem(QString::fromUtf8(entry.text), int{entry.delimiter});
    }
    for (const std::string& encoding : offeredEncodings(file_.encoding())) {
        ui_->encodingList->addItem(QString::fromStdString(encoding));
    }
    ui_->encodingList->setCurrentText(QString::fromStdString(file_.encoding()));
}

void CImportCsv::encodingChosen() {
    try {
        file_.decodeAs(ui_->encodingList->currentText().toStdString());
    } catch (const std::bad_alloc&) {
        // The file then has no text, and says so.
    }
    showLayout(layoutWithDelimiter(file_.text(), chosenLayout().delimiter));
}

void CImportCsv::delimiterChosen() {
    showLayout(layoutWithDelimiter(file_.text(), chosenLayout().delimiter));
}

// A first row that names columns maps them; otherwise the mapping stays as the user left it.
void CImportCsv::headerToggled() {
    showPreview();
    fillColumnLists();
    if (ui_->headerCheck->isChecked()) {
        const CsvLayout named = layoutWithDelimiter(file_.text(), chosenLayout().delimiter);
        if (named.headerRow) {
            for (std::size_t field = 0; field < kCsvFieldCount; ++field) {
                columnLists_[field]->setCurrentIndex(
                    columnLists_[field]->findData(named.columns[field]));
            }
        }
    }
    enableImport();
}

void CImportCsv::showLayout(const CsvLayout& layout) {
    ui_->delimiterList->setCurrentIndex(ui_->delimiterList->findData(int{layout.delimiter}));
    {
        const QSignalBlocker quiet(ui_->headerCheck);
        ui_->headerCheck->setChecked(layout.headerRow);
    }
    try {
        CsvPreview preview = csvPreview(file_.text(), layout.delimiter, kPreviewRows + 1);
        preview_ = std::move(preview.rows);
        previewNote_ = std::move(preview.note);
    } catch (const std::bad_alloc&) {
        preview_.clear();
        previewNote_.clear();
    }
    showStatus();
    showPreview();
    fillColumnLists();
    for (std::size_t field = 0; field < kCsvFieldCount; ++field) {
        const int item = columnLists_[field]->findData(layout.columns[field]);
        columnLists_[field]->setCurrentIndex(std::max(item, 0));
    }
    enableImport();
}

// Under the preview: why the file is no text in the chosen encoding, or where its reading ends
// before its end, as the import's summary will name it.
void CImportCsv::showStatus() {
    const QString status =
        !file_.decoded()
            ? QStringLiteral("The file is not text in this encoding. Choose another one.")
            : QString::fromStdString(previewNote_);
    ui_->statusLabel->setText(status);
    ui_->statusLabel->setVisible(!status.isEmpty());
}

void CImportCsv::showPreview() {
    QTableWidget* table = ui_->previewTable;
    table->clear();
    std::size_t columns = 0;
    for (const auto& row : preview_) {
        columns = std::max(columns, row.size());
    }
    columns = std::min(columns, kMaxColumns);
    const bool header = ui_->headerCheck->isChecked() && !preview_.empty();
    const std::size_t first = header ? 1 : 0;
    const std::size_t rows =
        std::min(preview_.size() - std::min(preview_.size(), first), kPreviewRows);
    table->setColumnCount(static_cast<int>(columns));
    table->setRowCount(static_cast<int>(rows));
    QStringList labels;
    for (std::size_t column = 0; column < columns; ++column) {
        labels << (header && column < preview_[0].size()
                       ? QString::fromStdString(preview_[0][column])
                       : QString::number(column + 1));
    }
    table->setHorizontalHeaderLabels(labels);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<std::string>& cells = preview_[first + row];
        for (std::size_t column = 0; column < cells.size() && column < columns; ++column) {
            table->setItem(static_cast<int>(row), static_cast<int>(column),
                           new QTableWidgetItem(QString::fromStdString(cells[column])));
        }
    }
    table->resizeColumnsToContents();
    for (std::size_t column = 0; column < columns; ++column) {
        table->setColumnWidth(static_cast<int>(column),
                              std::min(table->columnWidth(static_cast<int>(column)), 200));
    }
}

// Each list offers "(none)" and every column, by its name when the first row gives one.
void CImportCsv::fillColumnLists() {
    std::size_t columns = 0;
    for (const auto& row : preview_) {
        columns = std::max(columns, row.size());
    }
    columns = std::min(columns, kMaxColumns);
    const bool header = ui_->headerCheck->isChecked() && !preview_.empty();
    for (QComboBox* list : columnLists_) {
        const QVariant kept = list->currentData();
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItem(QStringLiteral("(none)"), kNoColumn);
        for (std::size_t column = 0; column < columns; ++column) {
            QString text = QStringLiteral("Column %1").arg(column + 1);
            if (header && column < preview_[0].size() && !preview_[0][column].empty()) {
                text = QStringLiteral("%1: %2")
                           .arg(column + 1)
                           .arg(QString::fromStdString(preview_[0][column]));
            }
            list->addItem(text, static_cast<int>(column));
        }
        list->setCurrentIndex(std::max(list->findData(kept), 0));
    }
}

// Word and translation must come from somewhere.
void CImportCsv::enableImport() {
    const CsvLayout layout = chosenLayout();
    ui_->importButton->setEnabled(file_.decoded() && !importRunning() &&
                                  columnOf(layout.columns, CsvField::Word) != kNoColumn &&
                                  columnOf(layout.columns, CsvField::Translation) != kNoColumn);
}

CsvLayout CImportCsv::chosenLayout() const {
    CsvLayout layout;
    const QVariant delimiter = ui_->delimiterList->currentData();
    layout.delimiter = delimiter.isValid() ? static_cast<char>(delimiter.toInt()) : kComma;
    layout.headerRow = ui_->headerCheck->isChecked();
    for (std::size_t field = 0; field < kCsvFieldCount; ++field) {
        const QVariant column = columnLists_[field]->currentData();
        layout.columns[field] = column.isValid() ? column.toInt() : kNoColumn;
    }
    return layout;
}

CsvImportOptions CImportCsv::chosenOptions() const {
    // A picked entry stands for its name, so each maps to the first record of that name.
    const Dictionary& current = store_.currentDictionary;
    CsvImportOptions options;
    options.themePlacement = ui_->themeColumn->placement();
    options.targetTheme = firstNamedAs(current.themes, ui_->themeColumn->targetRecord());
    options.languagePlacement = ui_->languageColumn->placement();
    options.targetLanguage = firstNamedAs(current.languages, ui_->languageColumn->targetRecord());
    options.overwriteExisting = ui_->overwriteCheck->isChecked();
    options.shortenLongTexts = ui_->shortenCheck->isChecked();
    return options;
}

void CImportCsv::startImport() {
    if (importRunning() || !ui_->importButton->isEnabled()) {
        return;
    }
    importer_.start(*changeLog_, "Import words from a CSV file",
                    [this](DictionaryEdits& edits, Reporter& reporter) {
                        return std::make_unique<CsvImportRun>(
                            file_.text(), chosenLayout(), store_.currentDictionary, chosenOptions(),
                            reporter, store_.clock(), edits);
                    });
    ui_->importProgress->setRange(0, kProgressSteps);
    ui_->importProgress->setValue(0);
    showRunning(true);
}

void CImportCsv::showProgress(const CsvImportRun& run) {
    const std::size_t total = std::max<std::size_t>(run.totalBytes(), 1);
    ui_->importProgress->setValue(
        static_cast<int>(static_cast<double>(run.bytesRead()) / total * kProgressSteps));
}

// The summary has been shown; the dialog has done its work.
void CImportCsv::runEnded() {
    showRunning(false);
    QDialog::done(QDialog::Accepted);
}

// The choices do not change a run once it has started, so they rest while it goes.
void CImportCsv::showRunning(bool running) {
    ui_->importProgress->setVisible(running);
    ui_->fileGroup->setEnabled(!running);
    ui_->columnsGroup->setEnabled(!running);
    ui_->themeColumn->setEnabled(!running);
    ui_->languageColumn->setEnabled(!running);
    ui_->overwriteCheck->setEnabled(!running);
    ui_->shortenCheck->setEnabled(!running);
    enableImport();
    if (running) {
        ui_->cancelButton->setFocus();
    }
}

void CImportCsv::done(int result) {
    if (importRunning()) {
        importer_.stop();
        return;
    }
    QDialog::done(result);
}

}  // namespace lq
