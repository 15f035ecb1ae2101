// The search field over the main window's word list: Ctrl+F comes to it from anywhere in the
// window, Escape empties it, and Enter or Down go on to the list it narrows.
#pragma once

#include <QLineEdit>

class QAction;

namespace lq {

class WordSearchField : public QLineEdit {
    Q_OBJECT
  public:
    explicit WordSearchField(QWidget* parent = nullptr);

    // The Ctrl+F command that brings the focus here, shown as the field's picture.
    QAction* findAction() const { return findAction_; }

  signals:
    // The user pressed Enter or Down to go on to the list.
    void listWanted();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void takeFocus();

    QAction* findAction_;
};

}  // namespace lq
