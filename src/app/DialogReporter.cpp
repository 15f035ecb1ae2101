#include "app/DialogReporter.h"

#include "app/CError.h"
#include "app/CInformation.h"
#include "app/CNewDictionary.h"
#include "app/CWarning.h"
#include "ui/TextCodec.h"

namespace lq {

void DialogReporter::showError(std::string_view message, std::string_view howToFix) {
    CError dialog(parent_);
    dialog.SetMessages(displayText(message), displayText(howToFix));
    dialog.exec();
}

void DialogReporter::showInformation(std::string_view message) {
    CInformation dialog(parent_);
    dialog.SetMessage(displayText(message));
    dialog.exec();
}

bool DialogReporter::askWarning(std::string_view message, bool yesNo) {
    CWarning dialog(parent_);
    dialog.SetMessage(displayText(message), yesNo);
    return dialog.exec() == QDialog::Accepted;
}

void DialogReporter::showNewDictionary(std::string_view message) {
    CNewDictionary dialog(parent_);
    dialog.SetMessage(displayText(message));
    dialog.exec();
}

}  // namespace lq
