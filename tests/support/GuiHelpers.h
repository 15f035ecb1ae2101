// Helpers for driving real widgets in GUI tests.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QString>
#include <QTest>
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

// Double-clicks the entry with exactly this text; the list must be showing. False when the list
// has no such entry.
inline bool doubleClickItem(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.size() != 1) {
        return false;
    }
    if (!QTest::qWaitForWindowExposed(list->window())) {
        return false;
    }
    list->scrollToItem(found.front());
    const QPoint centre = list->visualItemRect(found.front()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    return true;
}

}  // namespace lq::test
