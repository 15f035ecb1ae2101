#include "import/PlacementColumn.h"

#include <QButtonGroup>

#include "ui_PlacementColumn.h"

namespace lq {

const PlacementTexts kThemePlacementTexts{" Theme ", "Insert to existing theme:", "< no themes >",
                                          "If undefined theme encountered:", "Add theme as new"};
const PlacementTexts kLanguagePlacementTexts{
    " Language ", "Insert to existing language:", "< no languages >",
    "If undefined language encountered:", "Add language as new"};
const PlacementTexts kCsvThemePlacementTexts{" Theme ",
                                             "Insert to existing theme:",
                                             "< no themes >",
                                             "If undefined theme encountered:",
                                             "Add theme as new",
                                             "Skip the word",
                                             true};
const PlacementTexts kCsvLanguagePlacementTexts{" Language ",
                                                "Insert to existing language:",
                                                "< no languages >",
                                                "If undefined language encountered:",
                                                "Add language as new",
                                                "Skip the word",
                                                true};

PlacementColumn::PlacementColumn(QWidget* parent)
    : QGroupBox(parent), ui_(std::make_unique<Ui::PlacementColumn>()) {
    ui_->setupUi(this);
    // Each click on any of the four choices re-applies the rule; the button groups already
    // keep each pair exclusive.
    connect(ui_->sourceGroup, &QButtonGroup::buttonClicked, this,
            &PlacementColumn::applyEnablingRule);
    connect(ui_->undefinedGroup, &QButtonGroup::buttonClicked, this,
            &PlacementColumn::applyEnablingRule);
}

PlacementColumn::~PlacementColumn() = default;

void PlacementColumn::setUp(const PlacementTexts& texts, const std::vector<NamedIndex>& entries) {
    setTitle(QString::fromUtf8(texts.title));
    ui_->insertExistingRadio->setText(QString::fromUtf8(texts.insertExisting));
    ui_->undefinedLabel->setText(QString::fromUtf8(texts.undefined));
    ui_->addNewRadio->setText(QString::fromUtf8(texts.addNew));
    ui_->skipRadio->setText(QString::fromUtf8(texts.skip));
    targetForUnnamed_ = texts.targetForUnnamed;

    ui_->targetList->clear();
    hasEntries_ = !entries.empty();
    if (hasEntries_) {
        appendEntries(ui_->targetList, entries);
        ui_->targetList->setCurrentIndex(
            ui_->targetList->findData(static_cast<int32_t>(entries.size() - 1)));
        ui_->insertExistingRadio->setChecked(true);
        ui_->skipRadio->setChecked(true);
    } else {
        ui_->targetList->addItem(QString::fromUtf8(texts.noEntries), kNoIndex);
        ui_->insertExistingRadio->setEnabled(false);
        ui_->skipRadio->setEnabled(false);
        ui_->insertAsIsRadio->setChecked(true);
        ui_->addNewRadio->setChecked(true);
    }
    applyEnablingRule();
}

void PlacementColumn::applyEnablingRule() {
    const bool intoExisting = ui_->insertExistingRadio->isChecked();
    ui_->targetList->setEnabled(intoExisting || (targetForUnnamed_ && hasEntries_));
    ui_->undefinedLabel->setEnabled(!intoExisting);
    ui_->addNewRadio->setEnabled(!intoExisting);
    if (hasEntries_) {
        ui_->skipRadio->setEnabled(!intoExisting);
    }
}

Placement PlacementColumn::placement() const {
    if (ui_->insertExistingRadio->isChecked()) {
        return Placement::IntoExisting;
    }
    return ui_->addNewRadio->isChecked() ? Placement::AddNew : Placement::Skip;
}

void PlacementColumn::choose(Placement placement) {
    if (!hasEntries_) {
        return;  // only "Insert as is:" with "Add ... as new" is possible
    }
    ui_->insertExistingRadio->setChecked(placement == Placement::IntoExisting);
    ui_->insertAsIsRadio->setChecked(placement != Placement::IntoExisting);
    if (placement != Placement::IntoExisting) {
        ui_->addNewRadio->setChecked(placement == Placement::AddNew);
        ui_->skipRadio->setChecked(placement == Placement::Skip);
    }
    applyEnablingRule();
}

int32_t PlacementColumn::targetRecord() const {
    return hasEntries_ ? currentRecordIndex(ui_->targetList) : kNoIndex;
}

}  // namespace lq
