#include "ui/UrlOpener.h"

#include <QDesktopServices>

namespace lq {

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

}  // namespace lq
