#include "catalog/CCatalogList.h"

#include "catalog/CCatalogEntryDialog.h"
#include "catalog/CatalogNames.h"
#include "catalog/core/CatalogSide.h"
#include "store/ChangeLog.h"
#include "ui/Pictures.h"
#include "ui_CCatalogList.h"

namespace lq {

namespace {
constexpr QSize kBannerSize(256, 64);
}

CCatalogList::CCatalogList(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                           QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::CCatalogList>()),
      side_(side),
      dictionary_(dictionary),
      reporter_(reporter),
      changeLog_(&ChangeLog::none()) {
    ui_->setupUi(this);
    setWindowTitle(side_.listTitle);
    ui_->bannerLabel->setPixmap(
        picture(side_.bannerPicture).pixmap(kBannerSize, devicePixelRatioF()));
    setButtonPicture(ui_->newButton, "word-new");
    setButtonPicture(ui_->deleteButton, "word-delete");
    setButtonPicture(ui_->renameButton, "word-rename");
    setButtonPicture(ui_->okButton, "button-ok");
    connect(ui_->nameList, &QListWidget::currentItemChanged, this,
            &CCatalogList::showSelectedFigures);
    connect(ui_->newButton, &QPushButton::clicked, this, &CCatalogList::newEntry);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &CCatalogList::deleteEntry);
    connect(ui_->renameButton, &QPushButton::clicked, this, &CCatalogList::renameEntry);
    connect(ui_->okButton, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

CCatalogList::~CCatalogList() = default;

void CCatalogList::refresh() {
    {
        // The figures are shown once, for the first entry, after the list is full.
        const QSignalBlocker quiet(ui_->nameList);
        ui_->nameList->clear();
        appendEntries(ui_->nameList, catalogEntries(dictionary_, side_));
    }
    const bool hasEntries = ui_->nameList->count() > 0;
    enableEntries(hasEntries);
    if (!hasEntries) {
        // The figures of an entry that is gone would mislead.
        ui_->totalWordsEdit->clear();
        ui_->knowledgeBar->setValue(0);
        return;
    }
    ui_->nameList->setCurrentRow(0);
    showSelectedFigures();
}

void CCatalogList::enableEntries(bool enabled) {
    ui_->nameList->setEnabled(enabled);
    ui_->totalWordsEdit->setEnabled(enabled);
    ui_->deleteButton->setEnabled(enabled);
    ui_->renameButton->setEnabled(enabled);
}

void CCatalogList::showSelectedFigures() {
    const int32_t index = currentRecordIndex(ui_->nameList);
    if (index < 0) {
        return;
    }
    const CatalogFigures figures = catalogFigures(dictionary_, side_, index);
    ui_->totalWordsEdit->setText(QString::number(figures.words));
    ui_->knowledgeBar->setValue(figures.averageKnowledge);
}

void CCatalogList::newEntry() {
    refreshAfter(*newEntryDialog(dictionary_, reporter_));
}

void CCatalogList::deleteEntry() {
    const int32_t index = currentRecordIndex(ui_->nameList);
    if (index >= 0) {
        refreshAfter(*deleteEntryDialog(dictionary_, index, reporter_));
    }
}

void CCatalogList::renameEntry() {
    const int32_t index = currentRecordIndex(ui_->nameList);
    if (index >= 0) {
        refreshAfter(*renameEntryDialog(dictionary_, index, reporter_));
    }
}

void CCatalogList::refreshAfter(CCatalogEntryDialog& dialog) {
    dialog.setChangeLog(*changeLog_);
    if (dialog.exec() == QDialog::Accepted) {
        refresh();
    }
}

}  // namespace lq
