// Answering the modal dialogs that the code under test opens with exec().
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace lq::test {

// The object name of the timers that wait for a modal dialog to answer.
inline constexpr const char* kModalWatcherName = "modalWatcher";

// Runs `answer` on the next modal dialog that opens after this call, from inside its exec()
// loop. To answer a chain (a dialog whose OK opens an error box), register the next answer
// inside the previous one, before the click that opens it. A dialog that never opens fails the
// test after `timeoutMs`, or when the test ends (see endModalWatchers).
inline void whenModalOpens(std::function<void(QWidget*)> answer, int timeoutMs = 5000) {
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    timer->setObjectName(kModalWatcherName);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [=]() {
        QWidget* now = QApplication::activeModalWidget();
        if (now != nullptr && now != before.data()) {
            timer->stop();
            timer->deleteLater();
            answer(now);
        } else if (clock.elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog opened";
        }
    });
    timer->start(5);
}

// Ends the waits of a test that is over: a dialog still awaited never opened, and its answer
// must not be given to a dialog of the next test.
inline void endModalWatchers() {
    for (QTimer* timer : qApp->findChildren<QTimer*>(kModalWatcherName)) {
        if (timer->isActive()) {
            ADD_FAILURE() << "a modal dialog was awaited and never opened";
        }
        delete timer;
    }
}

// Clicks the named button (by objectName) of the dialog.
inline void clickButton(QWidget* dialog, const char* objectName) {
    auto* button = dialog->findChild<QAbstractButton*>(objectName);
    ASSERT_NE(button, nullptr) << "no button " << objectName << " in "
                               << dialog->windowTitle().toStdString();
    button->click();
}

// The visible top-level windows; a test's cleanup expects none left behind.
inline int openWindowCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            ++count;
        }
    }
    return count;
}

}  // namespace lq::test
