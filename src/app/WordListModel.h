// The main window's word list. The shown texts lie end to end in one string and each row
// keeps the index of its word, so that 100,000 words fill, sort and free without a pause.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <vector>

namespace lq {

struct Dictionary;

class WordListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    // Lists the given words sorted by their shown text, ignoring case.
    void fill(const Dictionary& dictionary, const std::vector<int32_t>& wordIndexes);
    void clear();
    // The word index behind a row, or kNoIndex for a row outside the list.
    int32_t wordIndexAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    struct Row {
        uint32_t offset;
        uint32_t length;
        int32_t wordIndex;
    };
    QString texts_;
    std::vector<Row> rows_;
};

}  // namespace lq
