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

}  // namespace lq
