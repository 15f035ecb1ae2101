#include "app/WordSearchField.h"

#include <QAction>
#include <QKeyEvent>

#include "store/Records.h"
#include "ui/Pictures.h"

namespace lq {

WordSearchField::WordSearchField(QWidget* parent)
    : QLineEdit(parent), findAction_(new QAction(picture("search"), "Find words", this)) {
    setPlaceholderText("Search words and translations");
    setClearButtonEnabled(true);
    findAction_->setObjectName("actionFindWords");
    findAction_->setShortcut(QKeySequence::Find);
    const QString shortcut = findAction_->shortcut().toString(QKeySequence::NativeText);
    findAction_->setToolTip("Find words (" + shortcut + ")");
    setToolTip("Find words by their text, translation or transcription (" + shortcut + ")");
    // No stored text is longer than a translation, so a longer search could find nothing.
    setMaxLength(kTranslationSize - 1);
    addAction(findAction_, QLineEdit::LeadingPosition);
    connect(findAction_, &QAction::triggered, this, &WordSearchField::takeFocus);
}

void WordSearchField::takeFocus() {
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void WordSearchField::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Escape && !text().isEmpty()) {
        // Only an empty field lets Escape through to the window, which then asks to leave.
        clear();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                  event->key() == Qt::Key_Down)) {
        emit listWanted();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace lq
