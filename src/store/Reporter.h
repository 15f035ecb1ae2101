// How the core talks to the user: the GUI shows dialogs, tests record and answer.
#pragma once

#include <string_view>

namespace lq {

class Reporter {
  public:
    virtual ~Reporter() = default;
    // An operation failed or an input was refused: a short message and how to fix it.
    virtual void showError(std::string_view message, std::string_view howToFix) = 0;
    // A notice with a single OK.
    virtual void showInformation(std::string_view message) = 0;
    // A question before something irreversible; true only for OK or Yes.
    virtual bool askWarning(std::string_view message, bool yesNo) = 0;
    // The notice shown before a missing dictionary is created.
    virtual void showNewDictionary(std::string_view message) = 0;
};

}  // namespace lq
