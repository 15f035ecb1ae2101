#include "app/HelpPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace lq {

namespace {

constexpr auto kHelpDocument = "Help/index.htm";

}  // namespace

QString helpDocumentPath() {
    const QString local = QDir::current().absoluteFilePath(kHelpDocument);
    if (QFileInfo::exists(local)) {
        return local;
    }
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& installed :
         {programFolder.absoluteFilePath(QStringLiteral("../share/lexiquill/") + kHelpDocument),
          programFolder.absoluteFilePath(kHelpDocument)}) {
        if (QFileInfo::exists(installed)) {
            return QDir::cleanPath(installed);
        }
    }
    return local;
}

void openHelpPage(const UrlOpener& opener) {
    opener(QUrl::fromLocalFile(helpDocumentPath()));
}

HelpKeyFilter::HelpKeyFilter(std::function<void()> onHelp, QObject* parent)
    : QObject(parent), onHelp_(std::move(onHelp)) {}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto held = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                              Qt::AltModifier | Qt::MetaModifier);
        if (key->key() == Qt::Key_F1 && held == Qt::NoModifier) {
            onHelp_();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace lq
