#include "ui/Pictures.h"

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <cstring>

// Q_INIT_RESOURCE declares a function of the global namespace, so it cannot sit inside lq.
static void initLexiquillResources() {
    Q_INIT_RESOURCE(lexiquill);
}

namespace lq {

namespace {

struct ThemeName {
    const char* picture;
    const char* theme;
};

// Only pictures whose meaning a standard icon carries. The dialog buttons keep their own
// pictures so that OK, Cancel, Yes, No and the single OK stay distinguishable.
constexpr ThemeName kThemeNames[] = {
    {"error", "dialog-error"},     {"information", "dialog-information"},
    {"warning", "dialog-warning"}, {"password", "dialog-password"},
    {"exit", "application-exit"},  {"button-save", "document-save"},
    {"word-new", "list-add"},      {"word-delete", "edit-delete"},
    {"search", "edit-find"},
};

const char* themeName(const char* name) {
    for (const ThemeName& entry : kThemeNames) {
        if (std::strcmp(entry.picture, name) == 0) {
            return entry.theme;
        }
    }
    return nullptr;
}

}  // namespace

void initResources() {
    initLexiquillResources();
}

QIcon picture(const char* name) {
    const QIcon own(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name)));
    const char* theme = themeName(name);
    return theme != nullptr ? QIcon::fromTheme(QLatin1String(theme), own) : own;
}

void setButtonPicture(QAbstractButton* button, const char* name) {
    button->setIcon(picture(name));
}

void setLabelPicture(QLabel* label, const char* name, int size) {
    label->setPixmap(picture(name).pixmap(QSize(size, size), label->devicePixelRatioF()));
    label->setFixedSize(size, size);
}

}  // namespace lq
