// Choosing a file to write or to read: the desktop's file dialog, or an answer that a test puts
// in its place so that no real file dialog ever opens in a test.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace lq {

struct FileQuestion {
    QString title;
    QString folder;
    QString name;         // suggested; empty when reading
    QStringList filters;  // the first is selected
    bool forSaving = false;
};

struct FileAnswer {
    QString path;  // empty when the user cancelled
    QString filter;
};

using FileChooser = std::function<FileAnswer(QWidget* parent, const FileQuestion& question)>;

// QFileDialog; saving asks before an existing file is replaced.
FileChooser desktopFileChooser();

}  // namespace lq
