#include "app/WordListModel.h"

#include "store/Dictionary.h"
#include "ui/NameOrder.h"
#include "ui/TextCodec.h"

namespace lq {

void WordListModel::fill(const Dictionary& dictionary, const std::vector<int32_t>& wordIndexes) {
    QString texts;
    texts.reserve(static_cast<qsizetype>(wordIndexes.size()) * 12);
    std::vector<Row> unsorted;
    unsorted.reserve(wordIndexes.size());
    for (const int32_t index : wordIndexes) {
        const QString text = displayField(dictionary.words[static_cast<std::size_t>(index)].word);
        unsorted.push_back(
            {static_cast<uint32_t>(texts.size()), static_cast<uint32_t>(text.size()), index});
        texts += text;
    }
    std::vector<OrderKey> keys;
    keys.reserve(unsorted.size());
    for (std::size_t i = 0; i < unsorted.size(); ++i) {
        const QStringView text = QStringView(texts).mid(unsorted[i].offset, unsorted[i].length);
        keys.push_back(orderKey(text, static_cast<uint32_t>(i)));
    }
    sortKeys(keys);
    std::vector<Row> rows;
    rows.reserve(keys.size());
    for (const OrderKey& key : keys) {
        rows.push_back(unsorted[key.item]);
    }
    beginResetModel();
    texts_ = std::move(texts);
    rows_ = std::move(rows);
    endResetModel();
}

void WordListModel::clear() {
    beginResetModel();
    texts_.clear();
    rows_.clear();
    endResetModel();
}

int32_t WordListModel::wordIndexAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].wordIndex : kNoIndex;
}

int WordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        return QString(texts_.constData() + row.offset, row.length);
    }
    if (role == Qt::UserRole) {
        return row.wordIndex;
    }
    return {};
}

}  // namespace lq
