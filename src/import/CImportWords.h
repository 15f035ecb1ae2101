// "Import Words": merges the words of another dictionary file into the current dictionary.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "import/SlicedImport.h"
#include "import/core/ImportWords.h"
#include "store/Dictionary.h"

namespace Ui {
class CImportWords;
}

namespace lq {

class ChangeLog;
class DictionaryStore;

class CImportWords : public QDialog {
    Q_OBJECT
  public:
    // `sourcePath` names the other dictionary file; the current dictionary is the store's.
    CImportWords(DictionaryStore& store, std::string sourcePath, QWidget* parent = nullptr);
    ~CImportWords() override;

    // Loads the source, asking for its password when it has one, and fills the filters. False
    // (after the messages) when the source cannot be loaded or its password is not given; the
    // dialog is then not to be shown, and the current dictionary is untouched.
    bool openSource();

    // A slice of a run takes words for this long before the window gets its events again.
    void setSliceMilliseconds(qint64 milliseconds) { importer_.setSliceMilliseconds(milliseconds); }

    // While an import runs, closing (Escape, the close box, "&OK") stops it instead.
    void done(int result) override;

    bool importRunning() const { return importer_.running(); }

    // Each run, finished or stopped, becomes one step there; without a log it is not kept.
    void setChangeLog(ChangeLog& log) { changeLog_ = &log; }

  private:
    bool sourceUnlocked();
    void fillFilterLists();
    ImportOptions chosenOptions() const;
    void startImport();
    void showRunning(bool running);

    std::unique_ptr<Ui::CImportWords> ui_;
    DictionaryStore& store_;
    std::string sourcePath_;
    Dictionary source_;
    ChangeLog* changeLog_;
    // What the run does is recorded here; it must outlive the run, which works through it.
    SlicedImport<ImportRun> importer_;
};

}  // namespace lq
