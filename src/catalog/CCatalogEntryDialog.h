// What the new, rename and delete dialogs of a theme or language share: the side they work on,
// the dictionary, the reporter, the log their changes go to, and their OK and Cancel buttons.
#pragma once

#include <QDialog>

class QPushButton;

namespace lq {

class ChangeLog;
struct CatalogSide;
struct Dictionary;
class Reporter;

class CCatalogEntryDialog : public QDialog {
    Q_OBJECT
  public:
    // Each change the dialog makes becomes a step there; without a log it is not kept.
    void setChangeLog(ChangeLog& log) { changeLog_ = &log; }

  protected:
    CCatalogEntryDialog(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                        QWidget* parent);

    // Pictures and actions of the two buttons, once the layout has made them. OK runs the
    // dialog's accept(), which decides whether it closes.
    void setUpButtons(QPushButton* okButton, QPushButton* cancelButton);

    const CatalogSide& side_;
    Dictionary& dictionary_;
    Reporter& reporter_;
    ChangeLog* changeLog_;
};

}  // namespace lq
