// The message dialogs hold each text as if in a buffer of 1024 characters: a text that would
// not fit is never cut, a fixed notice is shown in its place.
#pragma once

#include <QString>

namespace lq {

constexpr qsizetype kMessageBufferSize = 1024;

QString fittedMessage(const QString& text, const char* replacement);

// At most `count` characters from the start of the text; a character is never split.
QString firstCharacters(const QString& text, qsizetype count);

}  // namespace lq
