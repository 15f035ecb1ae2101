// The main window's filter bar: the theme, language and knowledge lists that narrow the words.
#pragma once

#include <QGroupBox>
#include <memory>

#include "app/core/WordFilter.h"

class QComboBox;

namespace Ui {
class FilterBar;
}

namespace lq {

struct Dictionary;

class FilterBar : public QGroupBox {
    Q_OBJECT
  public:
    explicit FilterBar(QWidget* parent = nullptr);
    ~FilterBar() override;

    // Lets every word through again. Each list gets "< doesn't matter >" and, when `withNames`,
    // the dictionary's themes, languages and the knowledge bands after it.
    void reset(const Dictionary& dictionary, bool withNames);
    void enableLists(bool enabled);
    const WordFilters& filters() const { return filters_; }

  signals:
    // The user picked an entry; filters() holds the new choice.
    void filtersChanged();

  private:
    void choose(const QComboBox* list, int32_t WordFilters::*filter);

    std::unique_ptr<Ui::FilterBar> ui_;
    WordFilters filters_;
};

}  // namespace lq
