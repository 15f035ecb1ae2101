// The list dialog of one side ("Themes" or "Languages"): the names with the figures of the
// selected one, and the buttons that add, delete and rename entries. CThemes and CLanguages
// are the two lists; each opens its own side's New, Rename and Delete dialogs.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

namespace Ui {
class CCatalogList;
}

namespace lq {

class CCatalogEntryDialog;
class ChangeLog;
struct CatalogSide;
struct Dictionary;
class Reporter;

class CCatalogList : public QDialog {
    Q_OBJECT
  public:
    ~CCatalogList() override;

    // Each new, renamed or deleted entry becomes a step there; without a log it is not kept.
    void setChangeLog(ChangeLog& log) { changeLog_ = &log; }

  protected:
    CCatalogList(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                 QWidget* parent);

    // The side's own sub-dialogs over this list; `index` is the selected entry's record.
    virtual std::unique_ptr<CCatalogEntryDialog> newEntryDialog(Dictionary& dictionary,
                                                                Reporter& reporter) = 0;
    virtual std::unique_ptr<CCatalogEntryDialog> renameEntryDialog(Dictionary& dictionary,
                                                                   int32_t index,
                                                                   Reporter& reporter) = 0;
    virtual std::unique_ptr<CCatalogEntryDialog> deleteEntryDialog(Dictionary& dictionary,
                                                                   int32_t index,
                                                                   Reporter& reporter) = 0;

  private:
    void refresh();
    void enableEntries(bool enabled);
    void showSelectedFigures();
    void newEntry();
    void deleteEntry();
    void renameEntry();
    // Runs a sub-dialog over this list's log; refreshes when it ended with OK.
    void refreshAfter(CCatalogEntryDialog& dialog);

    std::unique_ptr<Ui::CCatalogList> ui_;
    const CatalogSide& side_;
    Dictionary& dictionary_;
    Reporter& reporter_;
    ChangeLog* changeLog_;
};

}  // namespace lq
