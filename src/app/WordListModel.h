// The main window's word list. A row is the index of its word and nothing else: the shown text
// is read from the record when the view asks for it, so that 100,000 listed words cost four
// bytes each, and four more for the order of all words that every fill picks from.
#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <vector>

#include "app/core/WordFilter.h"

namespace lq {

class WordListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    // Puts every word of the dictionary in the order of its shown text, ignoring case: needed
    // again whenever words were added, deleted or renamed. The dictionary must outlive the list.
    void sortWords(const Dictionary& dictionary);
    // Takes every word's index in that order, sorted elsewhere.
    void useOrder(const Dictionary& dictionary, std::vector<int32_t> sorted);
    // Lists the words that pass the filters and the search, in the sorted order. A dictionary
    // whose words are not the sorted ones is sorted first.
    void fill(const Dictionary& dictionary, const WordFilters& filters, const TextSearch& search);
    void clear();
    // The word index behind a row, or kNoIndex for a row outside the list.
    int32_t wordIndexAt(int row) const;
    // The listed words, top to bottom.
    const std::vector<int32_t>& listedWords() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    const Dictionary* dictionary_ = nullptr;
    std::vector<int32_t> sorted_;  // every word, so that a new search or filter needs no sort
    std::vector<int32_t> rows_;
};

}  // namespace lq
