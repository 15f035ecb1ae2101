// The steps the dictionary has taken, on Qt's undo stack. Each step holds only what it changed
// (a DictionaryChange); undo takes it back, redo takes it again, and the window is told to show
// the dictionary afresh. A step taken after an undo drops the steps that could be redone.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <string>

#include "store/ChangeLog.h"

class QAction;

namespace lq {

struct Dictionary;

class UndoHistory : public QObject, public ChangeLog {
    Q_OBJECT
  public:
    explicit UndoHistory(Dictionary& dictionary, QObject* parent = nullptr);

    void addStep(std::string name, DictionaryChange change) override;
    void stepUnderWay() override { emit stepPending(); }

    // "&Undo" and "&Redo", each followed by the name of the step it would take back or again,
    // and disabled while there is none.
    QAction* createUndoAction(QObject* parent);
    QAction* createRedoAction(QObject* parent);

    // Runs before each undo or redo, to finish a change still being typed (it becomes a step
    // of its own); when it returns false, nothing is undone or redone.
    void setBeforeStep(std::function<bool()> beforeStep) { beforeStep_ = std::move(beforeStep); }

    void undo();
    void redo();
    bool canUndo() const { return stack_.canUndo(); }
    bool canRedo() const { return stack_.canRedo(); }
    // Whether the dictionary is as it was when the history began: no step taken, or every one
    // taken back.
    bool isClean() const { return stack_.isClean(); }
    int count() const { return stack_.count(); }

  signals:
    // An undo or redo changed the dictionary; `wordsOnly` when only word records changed.
    void dictionaryStepped(bool wordsOnly);
    // A step was added, undone or redone.
    void changed();
    // The dictionary has changed ahead of a step that has not been added yet.
    void stepPending();

  private:
    QAction* createAction(QObject* parent, const QString& prefix, bool undo);
    void stepped(bool wordsOnly);

    Dictionary& dictionary_;
    QUndoStack stack_;
    std::function<bool()> beforeStep_;

    friend class UndoStep;
};

// A step's name as a menu shows it: ampersands doubled, so that none becomes a mnemonic.
QString menuText(const QString& text);

}  // namespace lq
