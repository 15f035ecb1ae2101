#include "ui/MessageText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace lq {

namespace {

// Characters, not UTF-16 units: a letter outside the basic plane counts once.
qsizetype characterCount(const QString& text) {
    qsizetype count = 0;
    for (const QChar unit : text) {
        count += unit.isLowSurrogate() ? 0 : 1;
    }
    return count;
}

}  // namespace

QString fittedMessage(const QString& text, const char* replacement) {
    return characterCount(text) < kMessageBufferSize ? text : QString::fromLatin1(replacement);
}

void fitLongestLine(QLabel* label) {
    // A selectable label lays its text out as a text document does, whose tab stops lie further
    // apart than a font's own, so the lines are measured the same way.
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    document.setPlainText(label->text());
    const int longest = static_cast<int>(std::ceil(document.idealWidth()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int widest = screen != nullptr ? screen->availableGeometry().width() / 2 : 640;
    // A little slack: the label's own margins and rounding would otherwise wrap the last word.
    label->setMinimumWidth(std::max(label->minimumWidth(), std::min(longest + 4, widest)));
}

QString firstCharacters(const QString& text, qsizetype count) {
    qsizetype units = 0;
    for (qsizetype characters = 0; units < text.size() && characters < count; ++characters) {
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    }
    return text.left(units);
}

}  // namespace lq
