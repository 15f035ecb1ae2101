#include "app/CWordInformation.h"

#include <algorithm>

#include "app/core/InfoText.h"
#include "store/Dictionary.h"
#include "store/Knowledge.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CWordInformation.h"

namespace lq {

namespace {

// The name at a table index; a damaged index shows nothing rather than reading outside.
template <typename Record>
QString nameAt(const RecordTable<Record>& records, int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < records.size()
               ? displayField(records[static_cast<std::size_t>(index)].name)
               : QString();
}

}  // namespace

CWordInformation::CWordInformation(const Dictionary& dictionary, int32_t wordIndex, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CWordInformation>()) {
    ui_->setupUi(this);
    setButtonPicture(ui_->okButton, "button-single-ok");
    connect(ui_->okButton, &QPushButton::clicked, this, &CWordInformation::accept);
    const WordRecord& word = dictionary.words.at(wordIndex);
    ui_->wordCaption->setText(QStringLiteral("%1 (%2,%3)")
                                  .arg(displayField(word.word),
                                       nameAt(dictionary.themes, word.themeIndex),
                                       nameAt(dictionary.languages, word.languageIndex)));
    // Three names of 31 characters must still show whole.
    const QString caption = ui_->wordCaption->text();
    ui_->wordCaption->setMinimumWidth(ui_->wordCaption->fontMetrics().horizontalAdvance(caption) +
                                      4 * ui_->wordCaption->height() / 3);
    ui_->wordCaption->setCursorPosition(0);
    showStatistics(word.testedCount, word.rightCount);
    if (word.testedCount != 0) {
        const int32_t percent = knowledgePercent(word);
        ui_->knowledgeBar->setValue(std::clamp(percent, 0, 100));
        ui_->knowledgeText->setText(QStringLiteral("%1%").arg(percent));
    } else {
        ui_->knowledgeBar->setValue(0);
        ui_->knowledgeText->setText(QStringLiteral("wasn't tested"));
    }
    ui_->createdField->setText(QString::fromStdString(formatDateTime(word.created)));
}

CWordInformation::~CWordInformation() = default;

void CWordInformation::showStatistics(int32_t tested, int32_t right) {
    ui_->testedField->setText(QString::number(tested));
    ui_->rightField->setText(QString::number(right));
    ui_->wrongField->setText(QString::number(int64_t{tested} - int64_t{right}));
}

}  // namespace lq
