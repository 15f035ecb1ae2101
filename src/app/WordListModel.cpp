#include "app/WordListModel.h"

#include "app/WordOrder.h"
#include "store/Dictionary.h"
#include "ui/TextCodec.h"

namespace lq {

void WordListModel::sortWords(const Dictionary& dictionary) {
    dictionary_ = &dictionary;
    sorted_.resize(dictionary.words.size());
    for (std::size_t i = 0; i < sorted_.size(); ++i) {
        sorted_[i] = static_cast<int32_t>(i);
    }
    sortByShownWord(dictionary, sorted_);
}

void WordListModel::useOrder(const Dictionary& dictionary, std::vector<int32_t> sorted) {
    dictionary_ = &dictionary;
    sorted_ = std::move(sorted);
}

void WordListModel::fill(const Dictionary& dictionary, const WordFilters& filters,
                         const TextSearch& search) {
    if (dictionary_ != &dictionary || sorted_.size() != dictionary.words.size()) {
        sortWords(dictionary);
    }
    std::vector<int32_t> rows = filteredWords(dictionary, sorted_, filters, search);
    // A search lists few of the words it was reserved for.
    rows.shrink_to_fit();
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void WordListModel::clear() {
    beginResetModel();
    rows_ = {};
    endResetModel();
}

int32_t WordListModel::wordIndexAt(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)] : kNoIndex;
}

int WordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
    const int32_t wordIndex = index.isValid() ? wordIndexAt(index.row()) : kNoIndex;
    // A word deleted a moment ago may still be listed until the list is refilled.
    if (wordIndex < 0 || dictionary_ == nullptr ||
        static_cast<std::size_t>(wordIndex) >= dictionary_->words.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return displayField(dictionary_->words[static_cast<std::size_t>(wordIndex)].word);
    }
    if (role == Qt::UserRole) {
        return wordIndex;
    }
    return {};
}

}  // namespace lq
