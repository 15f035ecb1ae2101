// "Rename Theme" / "Rename Language": gives an entry a new name in place, so its words and the
// test filter follow it.
#pragma once

#include <cstdint>
#include <memory>

#include "catalog/CCatalogEntryDialog.h"

namespace Ui {
class CRenameCatalogEntry;
}

namespace lq {

class CRenameCatalogEntry : public CCatalogEntryDialog {
    Q_OBJECT
  public:
    ~CRenameCatalogEntry() override;

  public slots:
    // Refuses a blank name or one that another entry has and stays open; otherwise renames.
    void accept() override;

  protected:
    // `index` is the record of the name selected in the list dialog.
    CRenameCatalogEntry(const CatalogSide& side, Dictionary& dictionary, int32_t index,
                        Reporter& reporter, QWidget* parent);

  private:
    std::unique_ptr<Ui::CRenameCatalogEntry> ui_;
    int32_t index_;
};

}  // namespace lq
