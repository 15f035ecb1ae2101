#include "ui/HelpPage.h"

#include <QDir>
#include <QFileInfo>

namespace lq {

const char* installedHelpPage() {
    return LQ_INSTALLED_HELP_PAGE;
}

QUrl helpPageUrl(const QString& programFolder) {
    const QFileInfo local(QDir::current().filePath(QLatin1String(kLocalHelpPage)));
    const QFileInfo installed(QDir(programFolder).filePath(QLatin1String(installedHelpPage())));
    if (!local.isFile() && installed.isFile()) {
        return QUrl::fromLocalFile(installed.canonicalFilePath());
    }
    return QUrl::fromLocalFile(local.absoluteFilePath());
}

}  // namespace lq
