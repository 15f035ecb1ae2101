// "New Theme" / "New Language": adds an entry under a name that is not blank and not taken.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CNewCatalogEntry;
}

namespace lq {

struct CatalogSide;
struct Dictionary;
class Reporter;

class CNewCatalogEntry : public QDialog {
    Q_OBJECT
  public:
    CNewCatalogEntry(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                     QWidget* parent = nullptr);
    ~CNewCatalogEntry() override;

  public slots:
    // Refuses a blank or taken name and stays open; otherwise adds the entry and closes.
    void accept() override;

  private:
    std::unique_ptr<Ui::CNewCatalogEntry> ui_;
    const CatalogSide& side_;
    Dictionary& dictionary_;
    Reporter& reporter_;
};

}  // namespace lq
