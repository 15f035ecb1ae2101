#include "ui/CHyperLink.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace lq {

namespace {

constexpr int kIconRoom = 19;      // an icon and the gap after it
constexpr int kIconTextLeft = 20;  // where the text starts beside a left icon
constexpr int kMinimumHeight = 18;

constexpr int kDefaultTextHeight = 14;

QFont defaultLinkFont() {
    // Arial or the face standing in for it, at the largest size whose line is still 14 pixels
    // high, so that the underline falls inside the link.
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    for (int pixels = kDefaultTextHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= kDefaultTextHeight) {
            break;
        }
    }
    return font;
}

}  // namespace

CHyperLink::CHyperLink(QWidget* parent)
    : QLabel(parent),
      opener_(desktopUrlOpener()),
      linkFont_(defaultLinkFont()),
      backgroundColour_(palette().color(QPalette::Window)) {
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

CHyperLink::~CHyperLink() = default;

void CHyperLink::SetURL(const QString& url) {
    url_ = url;
    setToolTip(url);
}

void CHyperLink::setOpener(UrlOpener opener) {
    opener_ = std::move(opener);
}

void CHyperLink::setLinkFont(const QFont& font) {
    linkFont_ = font;
    updateGeometry();
    update();
}

void CHyperLink::setUnderlineAlways(bool always) {
    underlineAlways_ = always;
    update();
}

void CHyperLink::setIconSpace(bool reserve) {
    iconSpace_ = reserve;
    updateGeometry();
    update();
}

void CHyperLink::setIcons(const QIcon& normal, const QIcon& hover, const QIcon& pressed) {
    normalIcon_ = normal;
    hoverIcon_ = hover;
    pressedIcon_ = pressed;
    update();
}

void CHyperLink::setIconFlags(std::uint32_t flags) {
    iconFlags_ = flags;
    updateGeometry();
    update();
}

QSize CHyperLink::textSize() const {
    const QFontMetrics metrics(linkFont_);
    return {metrics.horizontalAdvance(text()), metrics.height()};
}

QSize CHyperLink::autoSize() const {
    const QSize text = textSize();
    int width = text.width() + 2;
    if ((iconFlags_ & (NormalIconLeft | HoverIconLeft | PressedIconLeft)) != 0 || iconSpace_) {
        width += kIconRoom;
    }
    if ((iconFlags_ & (NormalIconRight | HoverIconRight | PressedIconRight)) != 0) {
        width += kIconRoom;
    }
    return {width, std::max(text.height() + 2, kMinimumHeight)};
}

QSize CHyperLink::sizeHint() const {
    return autoSize();
}

QSize CHyperLink::minimumSizeHint() const {
    return autoSize();
}

CHyperLink::Look CHyperLink::currentLook() const {
    if (!isEnabled()) {
        return {palette().color(QPalette::Dark), Qt::black, nullptr, 0, 0, 0};
    }
    if (mouseOver_ && !pressed_) {
        return {hoverColour_, hoverColour_, &hoverIcon_, HoverIcon, HoverIconLeft, HoverIconRight};
    }
    if (mouseOver_) {
        return {pressedColour_, pressedColour_,  &pressedIcon_,
                PressedIcon,    PressedIconLeft, PressedIconRight};
    }
    return {linkColour_,    underlineAlways_ ? linkColour_ : backgroundColour_,
            &normalIcon_,   NormalIcon,
            NormalIconLeft, NormalIconRight};
}

void CHyperLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(linkFont_);
    painter.fillRect(rect(), backgroundColour_);
    if (autoSizePending_ && (iconFlags_ & (NormalIcon | HoverIcon | PressedIcon)) != 0) {
        autoSizePending_ = false;
        resize(autoSize());
        painter.fillRect(rect(), backgroundColour_);
    }

    const QSize measured = textSize();
    const int clientHeight = height();
    const int iconTop = (clientHeight - kIconSize) / 2 + 1;
    int x = iconSpace_ ? kIconTextLeft : 1;
    const Look look = currentLook();
    const bool hasIcon = look.icon != nullptr && !look.icon->isNull() && (iconFlags_ & look.used);
    if (hasIcon && (iconFlags_ & look.left) != 0) {
        look.icon->paint(&painter, QRect(1, iconTop, kIconSize, kIconSize));
        x = kIconTextLeft;
    }
    if (hasIcon && (iconFlags_ & look.right) != 0) {
        look.icon->paint(&painter, QRect(measured.width() + x + 3, iconTop, kIconSize, kIconSize));
    }

    const int top = (clientHeight - measured.height()) / 2 + 1;
    painter.setPen(look.text);
    painter.drawText(x, top + QFontMetrics(linkFont_).ascent(), text());
    if (measured.width() > 0) {
        painter.setPen(QPen(look.underline, 1));
        painter.drawLine(x, top + measured.height(), x + measured.width() - 1,
                         top + measured.height());
    }
}

void CHyperLink::enterLink(bool buttonDown) {
    if (mouseOver_) {
        return;
    }
    mouseOver_ = true;
    pressed_ = buttonDown;
    update();
}

void CHyperLink::showLinkCursor() {
    if (isEnabled()) {
        setCursor(Qt::PointingHandCursor);
    }
}

void CHyperLink::enterEvent(QEnterEvent* event) {
    showLinkCursor();
    enterLink((QGuiApplication::mouseButtons() & Qt::LeftButton) != 0);
    QLabel::enterEvent(event);
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    showLinkCursor();
    enterLink((event->buttons() & Qt::LeftButton) != 0);
}

void CHyperLink::leaveEvent(QEvent* event) {
    if (isEnabled()) {
        unsetCursor();
    }
    mouseOver_ = false;
    pressed_ = false;
    update();
    QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    showLinkCursor();
    pressed_ = true;
    update();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    showLinkCursor();
    pressed_ = false;
    update();
    // A press dragged off the link is taken back, as with any other button.
    if (isEnabled() && rect().contains(event->position().toPoint())) {
        follow();
    }
}

void CHyperLink::follow() {
    if (followLink_ && !url_.isEmpty() && opener_) {
        opener_(QUrl(url_, QUrl::TolerantMode));
    }
    emit clicked();
}

}  // namespace lq
