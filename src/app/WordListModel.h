// The main window's word list: shown texts with the index of each word, set in one go so that
// a list of 100,000 words fills without a pause.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "app/NameOrder.h"

namespace lq {

class WordListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(std::vector<NamedIndex> entries);
    void clear() { setEntries({}); }
    // The word index behind a row, or -1 for a row outside the list.
    int32_t wordIndexAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    std::vector<NamedIndex> entries_;
};

}  // namespace lq
