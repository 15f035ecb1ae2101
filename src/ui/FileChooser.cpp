#include "ui/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace lq {

namespace {

// Qt's own file dialog, where no desktop dialog stands in for it, gives its size, type and date
// columns fixed widths that cut their texts short ("13....KiB"); they are fitted to their
// texts instead, and the name takes the rest.
constexpr QSize kLeastSize(760, 480);

void fitDetailColumns(QFileDialog& dialog) {
    auto* details = dialog.findChild<QTreeView*>();
    if (details == nullptr) {
        return;
    }
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

}  // namespace

FileChooser desktopFileChooser() {
    return [](QWidget* parent, const FileQuestion& question) {
        QFileDialog dialog(parent, question.title, question.folder);
        dialog.setAcceptMode(question.forSaving ? QFileDialog::AcceptSave
                                                : QFileDialog::AcceptOpen);
        dialog.setFileMode(question.forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilters(question.filters);
        dialog.selectNameFilter(question.filters.value(0));
        if (question.forSaving) {
            dialog.selectFile(QDir(question.folder).filePath(question.name));
        }
        fitDetailColumns(dialog);
        dialog.resize(dialog.sizeHint().expandedTo(kLeastSize));
        FileAnswer answer;
        if (dialog.exec() == QDialog::Accepted) {
            answer.path = dialog.selectedFiles().value(0);
            answer.filter = dialog.selectedNameFilter();
        }
        return answer;
    };
}

}  // namespace lq
