// Shows what the core reports in the program's message dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "store/Reporter.h"

namespace lq {

class DialogReporter : public Reporter {
  public:
    // The dialogs open over `parent`; it may be null until the main window exists.
    explicit DialogReporter(QWidget* parent = nullptr) : parent_(parent) {}

    void setParentWidget(QWidget* parent) { parent_ = parent; }

    void showError(std::string_view message, std::string_view howToFix) override;
    void showInformation(std::string_view message) override;
    bool askWarning(std::string_view message, bool yesNo) override;
    void showNewDictionary(std::string_view message) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace lq
