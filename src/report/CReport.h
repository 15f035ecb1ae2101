// "Report": writes the dictionary's words to a text or HTML file.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

#include "report/core/ReportContent.h"
#include "report/core/ReportOptions.h"
#include "store/FileOps.h"
#include "store/WorkingFolder.h"

namespace Ui {
class CReport;
}

class QComboBox;

namespace lq {

class Clock;
class DictionaryFolder;
class Reporter;
struct Dictionary;

class CReport : public QDialog {
    Q_OBJECT
  public:
    // The file name suggested is for the day `clock` tells. Only a written report changes the
    // dictionary: its options go into the header. The open dictionary's own files in `ownFiles`
    // (nullptr when none is open) are never written.
    CReport(Dictionary& dictionary, const DictionaryFolder* ownFiles, Reporter& reporter,
            const Clock& clock, QWidget* parent = nullptr, FileOps& ops = FileOps::system());
    ~CReport() override;

  private:
    void fillFormats();
    void applyFormat(int position);
    void showFolder(const std::string& folder);
    std::string folder() const;
    ReportFilter chosenFilter() const;
    void editHtmlOptions();
    void browse();
    void save();

    // Browsing moves the working folder; whatever happens, it is put back when the dialog goes.
    WorkingFolderGuard savedFolder_;
    std::unique_ptr<Ui::CReport> ui_;
    Dictionary& dictionary_;
    const DictionaryFolder* ownFiles_;
    Reporter& reporter_;
    FileOps& ops_;
    ReportOptions options_;
    // The Path as bytes while it shows them unedited, so a folder name that is not UTF-8 keeps
    // its bytes.
    std::string folderBytes_;
    QString folderShown_;
};

}  // namespace lq
