// "Delete Theme" / "Delete Language": deletes an entry with all its words, after asking.
#pragma once

#include <cstdint>
#include <memory>

#include "catalog/CCatalogEntryDialog.h"

namespace Ui {
class CDeleteCatalogEntry;
}

namespace lq {

class CDeleteCatalogEntry : public CCatalogEntryDialog {
    Q_OBJECT
  public:
    ~CDeleteCatalogEntry() override;

  public slots:
    // Deletes once the user confirms; a declined question leaves the dialog open.
    void accept() override;

  protected:
    // `index` is the record of the name selected in the list dialog; the user may pick another.
    CDeleteCatalogEntry(const CatalogSide& side, Dictionary& dictionary, int32_t index,
                        Reporter& reporter, QWidget* parent);

  private:
    std::unique_ptr<Ui::CDeleteCatalogEntry> ui_;
};

}  // namespace lq
