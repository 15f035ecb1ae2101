// Opening a URL: the desktop's default viewer, or a recorder that a test puts in its place.
#pragma once

#include <QUrl>
#include <functional>

namespace lq {

using UrlOpener = std::function<void(const QUrl&)>;

UrlOpener desktopUrlOpener();

}  // namespace lq
