// The message dialogs hold each text as if in a buffer of 1024 characters: a text that would
// not fit is never cut, a fixed notice is shown in its place.
#pragma once

#include <QString>

class QLabel;

namespace lq {

constexpr qsizetype kMessageBufferSize = 1024;

QString fittedMessage(const QString& text, const char* replacement);

// Widens a word-wrapping label so that each line of its text fits unbroken, up to half the
// screen's width; longer lines still wrap. Tabulated lines (the import summary) stay readable.
void fitLongestLine(QLabel* label);

// At most `count` characters from the start of the text; a character is never split.
QString firstCharacters(const QString& text, qsizetype count);

}  // namespace lq
