#include "app/FilterBar.h"

#include <vector>

#include "store/Dictionary.h"
#include "store/Knowledge.h"
#include "ui/NameOrder.h"
#include "ui/TextCodec.h"
#include "ui_FilterBar.h"

namespace lq {

namespace {

// The bands in their own order, from untested to well known.
std::vector<NamedIndex> knowledgeBands() {
    std::vector<NamedIndex> bands;
    for (int32_t band = 0; band < kKnowledgeBandCount; ++band) {
        bands.push_back({displayText(knowledgeBandName(static_cast<KnowledgeBand>(band))), band});
    }
    return bands;
}

}  // namespace

FilterBar::FilterBar(QWidget* parent) : QGroupBox(parent), ui_(std::make_unique<Ui::FilterBar>()) {
    ui_->setupUi(this);
    connect(ui_->themeFilterList, &QComboBox::activated, this,
            [this] { choose(ui_->themeFilterList, &WordFilters::themeFilter); });
    connect(ui_->languageFilterList, &QComboBox::activated, this,
            [this] { choose(ui_->languageFilterList, &WordFilters::languageFilter); });
    connect(ui_->knowledgeFilterList, &QComboBox::activated, this,
            [this] { choose(ui_->knowledgeFilterList, &WordFilters::knowledgeFilter); });
}

FilterBar::~FilterBar() = default;

void FilterBar::reset(const Dictionary& dictionary, bool withNames) {
    filters_ = WordFilters{};
    fillFilterList(ui_->themeFilterList,
                   withNames ? sortedNames(dictionary.themes) : std::vector<NamedIndex>{},
                   AnyEntry::First);
    fillFilterList(ui_->languageFilterList,
                   withNames ? sortedNames(dictionary.languages) : std::vector<NamedIndex>{},
                   AnyEntry::First);
    fillFilterList(ui_->knowledgeFilterList,
                   withNames ? knowledgeBands() : std::vector<NamedIndex>{}, AnyEntry::First);
}

void FilterBar::enableLists(bool enabled) {
    ui_->themeFilterList->setEnabled(enabled);
    ui_->languageFilterList->setEnabled(enabled);
    ui_->knowledgeFilterList->setEnabled(enabled);
}

// A change of one filter leaves the other two as they are.
void FilterBar::choose(const QComboBox* list, int32_t WordFilters::*filter) {
    filters_.*filter = currentRecordIndex(list);
    emit filtersChanged();
}

}  // namespace lq
