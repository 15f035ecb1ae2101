// The names of one side's table in the lists of the dialogs: sorted without regard to letter
// case, each entry carrying its record's index, so that a picked entry is never looked up again
// by the text it shows (a Windows-1252 name would not survive the round trip).
#pragma once

#include <cstdint>

class QComboBox;
class QListWidget;

namespace lq {

struct CatalogSide;
struct Dictionary;

void fillCatalogNames(QListWidget* list, const Dictionary& dictionary, const CatalogSide& side);
void fillCatalogNames(QComboBox* list, const Dictionary& dictionary, const CatalogSide& side);

// The record index behind the current entry, or -1 when there is none.
int32_t currentEntryIndex(const QListWidget* list);
int32_t currentEntryIndex(const QComboBox* list);

// Makes the entry of the given record index the current one.
void selectEntryIndex(QComboBox* list, int32_t index);

}  // namespace lq
