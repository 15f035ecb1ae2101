#include "app/UndoHistory.h"

#include <QAction>
#include <QUndoCommand>

#include "store/Dictionary.h"
#include "ui/TextCodec.h"

namespace lq {

// One step on the stack. It is pushed once the dictionary has taken it, so the redo that the
// push runs changes nothing.
class UndoStep : public QUndoCommand {
  public:
    UndoStep(UndoHistory& history, const QString& text, DictionaryChange change)
        : QUndoCommand(text),
          history_(history),
          change_(std::move(change)),
          wordsOnly_(change_.touchesOnlyWords()) {}

    void undo() override {
        change_.revert(history_.dictionary_);
        history_.stepped(wordsOnly_);
    }

    void redo() override {
        if (pushed_) {
            pushed_ = false;
            return;
        }
        change_.apply(history_.dictionary_);
        history_.stepped(wordsOnly_);
    }

  private:
    UndoHistory& history_;
    DictionaryChange change_;
    bool wordsOnly_;
    bool pushed_ = true;
};

QString menuText(const QString& text) {
    QString doubled = text;
    return doubled.replace('&', "&&");
}

UndoHistory::UndoHistory(Dictionary& dictionary, QObject* parent)
    : QObject(parent), dictionary_(dictionary), stack_(this) {
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::changed);
}

void UndoHistory::addStep(std::string name, DictionaryChange change) {
    if (change.empty()) {
        return;
    }
    stack_.push(new UndoStep(*this, displayText(name), std::move(change)));
}

QAction* UndoHistory::createUndoAction(QObject* parent) {
    return createAction(parent, "&Undo", true);
}

QAction* UndoHistory::createRedoAction(QObject* parent) {
    return createAction(parent, "&Redo", false);
}

QAction* UndoHistory::createAction(QObject* parent, const QString& prefix, bool undo) {
    auto* action = new QAction(prefix, parent);
    const auto showStep = [action, prefix](const QString& step) {
        action->setText(step.isEmpty() ? prefix : prefix + ' ' + menuText(step));
    };
    if (undo) {
        connect(&stack_, &QUndoStack::undoTextChanged, action, showStep);
        connect(&stack_, &QUndoStack::canUndoChanged, action, &QAction::setEnabled);
        connect(action, &QAction::triggered, this, &UndoHistory::undo);
        action->setEnabled(stack_.canUndo());
        showStep(stack_.undoText());
    } else {
        connect(&stack_, &QUndoStack::redoTextChanged, action, showStep);
        connect(&stack_, &QUndoStack::canRedoChanged, action, &QAction::setEnabled);
        connect(action, &QAction::triggered, this, &UndoHistory::redo);
        action->setEnabled(stack_.canRedo());
        showStep(stack_.redoText());
    }
    return action;
}

void UndoHistory::undo() {
    if (beforeStep_ && !beforeStep_()) {
        return;
    }
    stack_.undo();
}

void UndoHistory::redo() {
    if (beforeStep_ && !beforeStep_()) {
        return;
    }
    stack_.redo();
}

void UndoHistory::stepped(bool wordsOnly) {
    emit dictionaryStepped(wordsOnly);
}

}  // namespace lq
