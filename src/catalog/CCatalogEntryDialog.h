// What the new, rename and delete dialogs of a theme or language share: the side they work on,
// the dictionary, the reporter, and their OK and Cancel buttons.
#pragma once

#include <QDialog>

class QPushButton;

namespace lq {

struct CatalogSide;
struct Dictionary;
class Reporter;

class CCatalogEntryDialog : public QDialog {
    Q_OBJECT
  protected:
    CCatalogEntryDialog(const CatalogSide& side, Dictionary& dictionary, Reporter& reporter,
                        QWidget* parent);

    // Pictures and actions of the two buttons, once the layout has made them. OK runs the
    // dialog's accept(), which decides whether it closes.
    void setUpButtons(QPushButton* okButton, QPushButton* cancelButton);

    const CatalogSide& side_;
    Dictionary& dictionary_;
    Reporter& reporter_;
};

}  // namespace lq
