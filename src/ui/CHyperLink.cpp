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

CHyperLink::CHyperLink(QWidget* parent, HyperLinkOptions options)
    : QLabel(parent),
      opener_(desktopUrlOpener()),
      options_(options),
      backgroundColour_(palette().color(QPalette::Window)) {
    setFont(defaultLinkFont());
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

QSize CHyperLink::textSize() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()), metrics.height()};
}

QSize CHyperLink::autoSize() const {
    const QSize text = textSize();
    int width = text.width() + 2;
    const std::uint32_t flags = options_.iconFlags;
    if ((flags & (NormalIconLeft | HoverIconLeft | PressedIconLeft)) != 0 || options_.iconSpace) {
        width += kIconRoom;
    }
    if ((flags & (NormalIconRight | HoverIconRight | PressedIconRight)) != 0) {
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
        return {palette().color(QPalette::Dark), Qt::black};
    }
    if (mouseOver_) {
        const QColor& colour = pressed_ ? pressedColour_ : hoverColour_;
        return {colour, colour};
    }
    return {linkColour_, options_.underlineAlways ? linkColour_ : backgroundColour_};
}

void CHyperLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour_);
    if (autoSizePending_ && (options_.iconFlags & (NormalIcon | HoverIcon | PressedIcon)) != 0) {
        autoSizePending_ = false;
        resize(autoSize());
        painter.fillRect(rect(), backgroundColour_);
    }

    const QSize measured = textSize();
    const int x = options_.iconSpace ? kIconTextLeft : 1;
    const int top = (height() - measured.height()) / 2 + 1;
    const Look look = currentLook();
    painter.setPen(look.text);
    painter.drawText(x, top + QFontMetrics(font()).ascent(), text());
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
    if (options_.followLink && !url_.isEmpty() && opener_) {
        opener_(QUrl(url_, QUrl::TolerantMode));
    }
    emit clicked();
}

}  // namespace lq
