// One column of the import dialog: where imported words take their theme (or language) from.
// The theme and language columns are the same control with the texts of their side.
#pragma once

#include <QGroupBox>
#include <cstdint>
#include <memory>
#include <vector>

#include "import/core/ImportWords.h"
#include "ui/NameOrder.h"

namespace Ui {
class PlacementColumn;
}

namespace lq {

struct PlacementTexts {
    const char* title;           // " Theme "
    const char* insertExisting;  // "Insert to existing theme:"
    const char* noEntries;       // "< no themes >"
    const char* undefined;       // "If undefined theme encountered:"
    const char* addNew;          // "Add theme as new"
    const char* skip = "Skip (don't add word)";
    // The target list also takes the words that name no theme, whatever is chosen above it, so
    // it stays enabled (the CSV import's rows may name none).
    bool targetForUnnamed = false;
};

extern const PlacementTexts kThemePlacementTexts;
extern const PlacementTexts kLanguagePlacementTexts;
extern const PlacementTexts kCsvThemePlacementTexts;
extern const PlacementTexts kCsvLanguagePlacementTexts;

class PlacementColumn : public QGroupBox {
    Q_OBJECT
  public:
    explicit PlacementColumn(QWidget* parent = nullptr);
    ~PlacementColumn() override;

    // The opening state for the current dictionary's entries (sorted names with their record
    // indexes): the last record is the target, and an unmatched entry is skipped. Without
    // entries only "Insert as is:" with "Add ... as new" remains possible.
    void setUp(const PlacementTexts& texts, const std::vector<NamedIndex>& entries);

    Placement placement() const;
    // Checks the choices for the placement, where the column allows it.
    void choose(Placement placement);
    // The record behind the target list, or kNoIndex when the dictionary had no entries.
    int32_t targetRecord() const;

  private:
    void applyEnablingRule();

    std::unique_ptr<Ui::PlacementColumn> ui_;
    bool hasEntries_ = false;
    bool targetForUnnamed_ = false;
};

}  // namespace lq
