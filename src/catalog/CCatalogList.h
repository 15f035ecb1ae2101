// The list dialog of one side ("Themes" or "Languages"): the names with the figures of the
// selected one, and the buttons that add, delete and rename entries.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CCatalogList;
}

namespace lq {

struct CatalogSide;
struct Dictionary;
class Reporter;

class CCatalogList : public QDialog {
    Q_OBJECT
  public:
    CCatalogList(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                 QWidget* parent = nullptr);
    ~CCatalogList() override;

  private:
    void refresh();
    void enableEntries(bool enabled);
    void showSelectedFigures();
    void newEntry();
    void deleteEntry();
    void renameEntry();
    // Refreshes after a sub-dialog that ended with OK.
    void refreshAfter(QDialog& dialog);

    std::unique_ptr<Ui::CCatalogList> ui_;
    const CatalogSide& side_;
    Dictionary& dictionary_;
    Reporter& reporter_;
};

}  // namespace lq
