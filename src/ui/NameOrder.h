// Lists of names are shown sorted alphabetically without regard to letter case. Each entry
// keeps the index of its record, so a picked entry never has to be found again by its text.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

#include "store/RecordIndex.h"
#include "store/RecordTable.h"
#include "ui/TextCodec.h"

class QComboBox;
class QListWidget;

namespace lq {

struct NamedIndex {
    QString text;
    int32_t index;
};

// Case-insensitive order; names that differ only in case keep a fixed order among themselves.
bool lessIgnoringCase(QStringView left, QStringView right);
void sortIgnoringCase(std::vector<NamedIndex>& entries);

// A text to be sorted and the position of its item. The folded prefix orders most texts
// without touching the text itself, which keeps sorting 100,000 words quick.
struct OrderKey {
    uint64_t prefix;
    QStringView text;
    uint32_t item;
};
OrderKey orderKey(QStringView text, uint32_t item);
// Sorts by lessIgnoringCase of the texts.
void sortKeys(std::vector<OrderKey>& keys);

// The shown names of a theme or language table, sorted.
template <typename Record>
std::vector<NamedIndex> sortedNames(const RecordTable<Record>& records) {
    std::vector<NamedIndex> entries;
    entries.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        entries.push_back({displayField(records[i].name), static_cast<int32_t>(i)});
    }
    sortIgnoringCase(entries);
    return entries;
}

// Appends the entries in their order, each with its record index as item data.
void appendEntries(QComboBox* list, const std::vector<NamedIndex>& entries);
void appendEntries(QListWidget* list, const std::vector<NamedIndex>& entries);

// Where a filter list shows "< doesn't matter >": before the names, or sorted in among them.
enum class AnyEntry { First, SortedIn };

// Fills a filter list with "< doesn't matter >" (item data kNoIndex) and the entries in their
// order, and selects the entry of record `selected`, or "< doesn't matter >" when none has it.
void fillFilterList(QComboBox* list, std::vector<NamedIndex> entries, AnyEntry any,
                    int32_t selected = kNoIndex);

// The record index behind the current entry, or kNoIndex when nothing is selected.
int32_t currentRecordIndex(const QComboBox* list);
int32_t currentRecordIndex(const QListWidget* list);

}  // namespace lq
