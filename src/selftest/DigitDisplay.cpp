#include "selftest/DigitDisplay.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace lq {

namespace {

// Pixels at the natural size; a larger widget scales the drawing.
constexpr int kHeight = 30;
constexpr int kDigitWidth = 18;
constexpr int kNarrowWidth = 10;
constexpr int kPadding = 4;
constexpr qreal kStroke = 3.2;

const QColor kPanel(0x1d, 0x26, 0x21);
const QColor kLit(0x6c, 0xf0, 0x8c);
const QColor kUnlit(0x27, 0x34, 0x2d);

// Seven segments: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle. Bit i stands for segment 'a' + i.
enum Segment { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

constexpr std::array<int, 10> kDigitSegments = {
    A | B | C | D | E | F,      // 0
    B | C,                      // 1
    A | B | G | E | D,          // 2
    A | B | G | C | D,          // 3
    F | G | B | C,              // 4
    A | F | G | C | D,          // 5
    A | F | G | E | D | C,      // 6
    A | B | C,                  // 7
    A | B | C | D | E | F | G,  // 8
    A | B | C | D | F | G,      // 9
};

bool isNarrow(QChar c) {
    return c == QLatin1Char(':');
}

int placeWidth(QChar c) {
    return isNarrow(c) ? kNarrowWidth : kDigitWidth;
}

int segmentsOf(QChar c) {
    if (c.isDigit() && c.digitValue() >= 0 && c.digitValue() <= 9) {
        return kDigitSegments[static_cast<std::size_t>(c.digitValue())];
    }
    return c == QLatin1Char('-') ? G : 0;
}

void drawSegments(QPainter& painter, qreal left, int lit) {
    const qreal x0 = left + 4;
    const qreal x1 = left + kDigitWidth - 4;
    const qreal y0 = kPadding + 2;
    const qreal y1 = kHeight / 2.0;
    const qreal y2 = kHeight - kPadding - 2;
    const std::array<std::pair<QPointF, QPointF>, 7> lines = {{
        {{x0 + 1.5, y0}, {x1 - 1.5, y0}},  // a
        {{x1, y0 + 1.5}, {x1, y1 - 1.5}},  // b
        {{x1, y1 + 1.5}, {x1, y2 - 1.5}},  // c
        {{x0 + 1.5, y2}, {x1 - 1.5, y2}},  // d
        {{x0, y1 + 1.5}, {x0, y2 - 1.5}},  // e
        {{x0, y0 + 1.5}, {x0, y1 - 1.5}},  // f
        {{x0 + 1.5, y1}, {x1 - 1.5, y1}},  // g
    }};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool on = (lit & (1 << i)) != 0;
        painter.setPen(QPen(on ? kLit : kUnlit, kStroke, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(lines[i].first, lines[i].second);
    }
}

void drawColon(QPainter& painter, qreal left) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLit);
    const qreal x = left + kNarrowWidth / 2.0;
    painter.drawEllipse(QPointF(x, kHeight * 0.34), 1.9, 1.9);
    painter.drawEllipse(QPointF(x, kHeight * 0.66), 1.9, 1.9);
}

void drawSlash(QPainter& painter, qreal left) {
    painter.setPen(QPen(kLit, kStroke, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(left + kDigitWidth - 5, kPadding + 2),
                     QPointF(left + 5, kHeight - kPadding - 2));
}

}  // namespace

DigitDisplay::DigitDisplay(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DigitDisplay::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        setAccessibleName(text);
        updateGeometry();
        update();
    }
}

QSize DigitDisplay::sizeHint() const {
    int width = 2 * kPadding;
    for (const QChar c : text_) {
        width += placeWidth(c);
    }
    return {width, kHeight};
}

void DigitDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize natural = sizeHint();
    painter.scale(width() / qreal(natural.width()), height() / qreal(natural.height()));
    QPainterPath panel;
    panel.addRoundedRect(QRectF(0, 0, natural.width(), natural.height()), 4, 4);
    painter.fillPath(panel, kPanel);
    qreal left = kPadding;
    for (const QChar c : text_) {
        if (c == QLatin1Char(':')) {
            drawColon(painter, left);
        } else if (c == QLatin1Char('/')) {
            drawSlash(painter, left);
        } else {
            drawSegments(painter, left, segmentsOf(c));
        }
        left += placeWidth(c);
    }
}

}  // namespace lq
