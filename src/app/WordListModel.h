// The main window's word list. A row is the index of its word and nothing else: the shown text
// is read from the record when the view asks for it, so that 100,000 listed words cost four
// bytes each.
#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <vector>

namespace lq {

struct Dictionary;

class WordListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    // Lists the given words of the dictionary sorted by their shown text, ignoring case. The
    // dictionary must outlive the list or its next fill.
    void fill(const Dictionary& dictionary, std::vector<int32_t> wordIndexes);
    void clear();
    // The word index behind a row, or kNoIndex for a row outside the list.
    int32_t wordIndexAt(int row) const;
    // The listed words, top to bottom.
    const std::vector<int32_t>& listedWords() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    const Dictionary* dictionary_ = nullptr;
    std::vector<int32_t> rows_;
};

}  // namespace lq
