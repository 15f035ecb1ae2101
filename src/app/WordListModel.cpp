#include "app/WordListModel.h"

namespace lq {

void WordListModel::setEntries(std::vector<NamedIndex> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int32_t WordListModel::wordIndexAt(int row) const {
    return row >= 0 && row < rowCount() ? entries_[static_cast<std::size_t>(row)].index : -1;
}

int WordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const NamedIndex& entry = entries_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        return entry.text;
    }
    if (role == Qt::UserRole) {
        return entry.index;
    }
    return {};
}

}  // namespace lq
