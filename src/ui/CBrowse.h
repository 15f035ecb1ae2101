// "Browse": the program's own folder chooser. It navigates by changing the working folder and
// returns the folder that is current when the user presses OK.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class CBrowse;
}

class QListWidgetItem;

namespace lq {

class Reporter;

enum class BrowseMode {
    Report = 0,  // any folder may be chosen
    Import = 1,  // only a folder that holds another dictionary file
};

class CBrowse : public QDialog {
    Q_OBJECT
  public:
    // Makes `startFolder` the working folder (staying where it is when that folder cannot be
    // entered) and puts it back when the dialog closes. The opener still keeps its own folder
    // with a WorkingFolderGuard, as the starting folder need not be the one it had.
    CBrowse(const std::string& startFolder, BrowseMode mode, Reporter& reporter,
            QWidget* parent = nullptr);
    ~CBrowse() override;

    // The folder that was current at OK; empty before.
    const std::string& chosenFolder() const { return chosenFolder_; }

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillVolumes();
    void refreshFolder();
    void selectVolumeOfFolder(const std::string& folder);
    void listFolders();
    bool folderCanBeChosen(const std::string& folder) const;
    void openFolder(QListWidgetItem* item);
    void goTo(const QString& location);
    void changeVolume(int position);
    void confirm();

    std::unique_ptr<Ui::CBrowse> ui_;
    BrowseMode mode_;
    Reporter& reporter_;
    std::string homeFolder_;
    std::string chosenFolder_;
};

}  // namespace lq
