#include "ui/FileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace lq {

FileChooser desktopFileChooser() {
    return [](QWidget* parent, const FileQuestion& question) {
        const QString filters = question.filters.join(QStringLiteral(";;"));
        FileAnswer answer;
        answer.filter = question.filters.value(0);
        if (question.forSaving) {
            answer.path = QFileDialog::getSaveFileName(
                parent, question.title, QDir(question.folder).filePath(question.name), filters,
                &answer.filter);
        } else {
            answer.path = QFileDialog::getOpenFileName(parent, question.title, question.folder,
                                                       filters, &answer.filter);
        }
        return answer;
    };
}

}  // namespace lq
