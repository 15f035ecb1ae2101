// Helpers for driving real widgets in GUI tests.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace lq::test {

// Types text as a keyboard would, one key event per character. Unlike QTest::keyClicks this
// takes any script (Cyrillic, Greek, IPA).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

}  // namespace lq::test
