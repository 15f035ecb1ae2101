#include "catalog/CatalogNames.h"

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <algorithm>
#include <vector>

#include "catalog/CatalogSide.h"
#include "ui/TextCodec.h"

namespace lq {

namespace {

struct Entry {
    QString text;
    int32_t index;
};

// Names equal but for case keep their table order, so the list never shuffles between refreshes.
std::vector<Entry> sortedEntries(const Dictionary& dictionary, const CatalogSide& side) {
    std::vector<Entry> entries;
    const auto count = static_cast<int32_t>(side.count(dictionary));
    entries.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        entries.push_back({displayText(side.name(dictionary, i)), i});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

}  // namespace

void fillCatalogNames(QListWidget* list, const Dictionary& dictionary, const CatalogSide& side) {
    for (const Entry& entry : sortedEntries(dictionary, side)) {
        auto* item = new QListWidgetItem(entry.text, list);
        item->setData(Qt::UserRole, entry.index);
    }
}

void fillCatalogNames(QComboBox* list, const Dictionary& dictionary, const CatalogSide& side) {
    for (const Entry& entry : sortedEntries(dictionary, side)) {
        list->addItem(entry.text, entry.index);
    }
}

int32_t currentEntryIndex(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item == nullptr ? -1 : item->data(Qt::UserRole).toInt();
}

int32_t currentEntryIndex(const QComboBox* list) {
    return list->currentIndex() < 0 ? -1 : list->currentData().toInt();
}

void selectEntryIndex(QComboBox* list, int32_t index) {
    list->setCurrentIndex(list->findData(index));
}

}  // namespace lq
