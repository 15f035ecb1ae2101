#include "app/MessageText.h"

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

QString firstCharacters(const QString& text, qsizetype count) {
    qsizetype units = 0;
    for (qsizetype characters = 0; units < text.size() && characters < count; ++characters) {
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    }
    return text.left(units);
}

}  // namespace lq
