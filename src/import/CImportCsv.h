// "Import from a CSV file": shows the first rows of a CSV or tab-separated file, lets the user
// correct how it is read (delimiter, encoding, header row, which column is which field) and where
// its words go, and imports them.
#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "import/SlicedImport.h"
#include "import/core/CsvFile.h"
#include "import/core/CsvImport.h"

class QComboBox;

namespace Ui {
class CImportCsv;
}

namespace lq {

class ChangeLog;
class DictionaryStore;

class CImportCsv : public QDialog {
    Q_OBJECT
  public:
    // `path` names the file; the current dictionary is the store's.
    CImportCsv(DictionaryStore& store, std::string path, QWidget* parent = nullptr);
    ~CImportCsv() override;

    // Reads the file and sets the controls to what it looks like. False (after the message)
    // when it can't be read or is not text; the dialog is then not to be shown.
    bool openFile();
    // Where a run goes as one undoable step; by default nowhere.
    void setChangeLog(ChangeLog& log) { changeLog_ = &log; }

    // A slice of a run takes rows for this long before the window gets its events again.
    void setSliceMilliseconds(qint64 milliseconds) { importer_.setSliceMilliseconds(milliseconds); }

    // While an import runs, closing (Escape, the close box, "Cancel") stops it; the summary of
    // what was done shows and the dialog closes.
    void done(int result) override;

    bool importRunning() const { return importer_.running(); }

  private:
    void fillChoiceLists();
    void encodingChosen();
    void delimiterChosen();
    void headerToggled();
    void showLayout(const CsvLayout& layout);
    void showStatus();
    void showPreview();
    void fillColumnLists();
    void enableImport();
    CsvLayout chosenLayout() const;
    CsvImportOptions chosenOptions() const;
    QComboBox* columnList(CsvField field) const;

    void startImport();
    void showProgress(const CsvImportRun& run);
    void runEnded();
    void showRunning(bool running);

    std::unique_ptr<Ui::CImportCsv> ui_;
    std::array<QComboBox*, kCsvFieldCount> columnLists_{};
    DictionaryStore& store_;
    std::string path_;
    CsvFile file_;
    std::vector<std::vector<std::string>> preview_;
    std::string previewNote_;  // where and why reading the file ends early; empty when it does not
    ChangeLog* changeLog_;
    SlicedImport<CsvImportRun> importer_;
};

}  // namespace lq
