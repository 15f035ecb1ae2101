#include "app/NameOrder.h"

#include <QComboBox>
#include <QListWidget>
#include <algorithm>

namespace lq {

bool lessIgnoringCase(const QString& left, const QString& right) {
    const int order = QString::compare(left, right, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : left < right;
}

void sortIgnoringCase(std::vector<NamedIndex>& entries) {
    std::sort(entries.begin(), entries.end(), [](const NamedIndex& a, const NamedIndex& b) {
        return lessIgnoringCase(a.text, b.text);
    });
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
    return list->currentIndex() < 0 ? -1 : list->currentData().toInt();
}

int32_t currentRecordIndex(const QListWidget* list) {
    // The current entry, not the selection: a Ctrl+click can empty the selection, but there is
    // always a current entry once the list has one.
    const QListWidgetItem* item = list->currentItem();
    return item == nullptr ? -1 : item->data(Qt::UserRole).toInt();
}

}  // namespace lq
