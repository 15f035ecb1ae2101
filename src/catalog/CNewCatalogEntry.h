// "New Theme" / "New Language": adds an entry under a name that is not blank and not taken.
#pragma once

#include <memory>

#include "catalog/CCatalogEntryDialog.h"

namespace Ui {
class CNewCatalogEntry;
}

namespace lq {

class CNewCatalogEntry : public CCatalogEntryDialog {
    Q_OBJECT
  public:
    ~CNewCatalogEntry() override;

  public slots:
    // Refuses a blank or taken name and stays open; otherwise adds the entry and closes.
    void accept() override;

  protected:
    CNewCatalogEntry(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                     QWidget* parent);

  private:
    std::unique_ptr<Ui::CNewCatalogEntry> ui_;
};

}  // namespace lq
