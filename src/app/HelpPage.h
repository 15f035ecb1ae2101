// The help page and the F1 key that opens it from any window of the program.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "ui/UrlOpener.h"

namespace lq {

// Help/index.htm in the working folder; where there is none, the copy installed with the
// program, so that a start from the desktop menu finds help too.
QString helpDocumentPath();

// Asks the opener to show the help page. Whether a viewer opened it is not checked.
void openHelpPage(const UrlOpener& opener);

// Runs `onHelp` for F1 without Shift, Ctrl or Alt, whichever window has the focus.
class HelpKeyFilter : public QObject {
    Q_OBJECT
  public:
    HelpKeyFilter(std::function<void()> onHelp, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> onHelp_;
};

}  // namespace lq
