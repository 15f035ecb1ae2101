#include "ui/NameOrder.h"

#include <QComboBox>
#include <QListWidget>
#include <algorithm>

namespace lq {

bool lessIgnoringCase(QStringView left, QStringView right) {
    const int order = left.compare(right, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : left.compare(right, Qt::CaseSensitive) < 0;
}

// The first four case-folded UTF-16 units, most significant first.
OrderKey orderKey(QStringView text, uint32_t item) {
    uint64_t prefix = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        prefix <<= 16;
        if (i < text.size()) {
            prefix |= text.at(i).toCaseFolded().unicode();
        }
    }
    return {prefix, text, item};
}

void sortKeys(std::vector<OrderKey>& keys) {
    std::sort(keys.begin(), keys.end(), [](const OrderKey& a, const OrderKey& b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : lessIgnoringCase(a.text, b.text);
    });
}

void sortIgnoringCase(std::vector<NamedIndex>& entries) {
    std::vector<OrderKey> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        keys.push_back(orderKey(entries[i].text, static_cast<uint32_t>(i)));
    }
    sortKeys(keys);
    std::vector<NamedIndex> sorted;
    sorted.reserve(entries.size());
    for (const OrderKey& key : keys) {
        sorted.push_back(std::move(entries[key.item]));
    }
    entries = std::move(sorted);
}

void appendEntries(QComboBox* list, const std::vector<NamedIndex>& entries) {
    for (const NamedIndex& entry : entries) {
        list->addItem(entry.text, entry.index);
    }
}

void appendEntries(QListWidget* list, const std::vector<NamedIndex>& entries) {
    for (const NamedIndex& entry : entries) {
        auto* item = new QListWidgetItem(entry.text, list);
        item->setData(Qt::UserRole, entry.index);
    }
}

int32_t currentRecordIndex(const QComboBox* list) {
    return list->currentIndex() < 0 ? kNoIndex : list->currentData().toInt();
}

int32_t currentRecordIndex(const QListWidget* list) {
    // The current entry, not the selection: a Ctrl+click can empty the selection, but there is
    // always a current entry once the list has one.
    const QListWidgetItem* item = list->currentItem();
    return item == nullptr ? kNoIndex : item->data(Qt::UserRole).toInt();
}

void fillFilterList(QComboBox* list, std::vector<NamedIndex> entries, AnyEntry any,
                    int32_t selected) {
    NamedIndex anyEntry{displayText(kAnyFilterText), kNoIndex};
    if (any == AnyEntry::First) {
        entries.insert(entries.begin(), std::move(anyEntry));
    } else {
        entries.push_back(std::move(anyEntry));
        sortIgnoringCase(entries);
    }
    list->clear();
    appendEntries(list, entries);
    const int shown = list->findData(selected);
    list->setCurrentIndex(shown >= 0 ? shown : list->findData(kNoIndex));
}

}  // namespace lq
