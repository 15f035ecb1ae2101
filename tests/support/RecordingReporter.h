// Records what the core would have shown the user, and answers its questions.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "store/Reporter.h"

namespace lq::test {

struct ShownMessage {
    enum class Kind { Error, Information, Warning, NewDictionary } kind;
    std::string message;
    std::string howToFix;  // errors only
    bool yesNo = false;    // warnings only

    bool operator==(const ShownMessage&) const = default;
};

class RecordingReporter : public Reporter {
  public:
    void showError(std::string_view message, std::string_view howToFix) override {
        shown.push_back({ShownMessage::Kind::Error, std::string(message), std::string(howToFix)});
    }
    void showInformation(std::string_view message) override {
        if (whenInformed) {
            whenInformed();
        }
        shown.push_back({ShownMessage::Kind::Information, std::string(message), {}});
    }
    bool askWarning(std::string_view message, bool yesNo) override {
        shown.push_back({ShownMessage::Kind::Warning, std::string(message), {}, yesNo});
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showNewDictionary(std::string_view message) override {
        shown.push_back({ShownMessage::Kind::NewDictionary, std::string(message), {}});
    }

    std::vector<std::string> errorMessages() const {
        std::vector<std::string> out;
        for (const auto& m : shown) {
            if (m.kind == ShownMessage::Kind::Error) {
                out.push_back(m.message);
            }
        }
        return out;
    }

    std::vector<ShownMessage> informations() const {
        std::vector<ShownMessage> out;
        for (const auto& m : shown) {
            if (m.kind == ShownMessage::Kind::Information) {
                out.push_back(m);
            }
        }
        return out;
    }

    std::vector<ShownMessage> shown;
    std::deque<bool> answers;  // the next answers to warnings; an empty queue answers Cancel
    // Called as a notice is shown, to look at the window behind it at that moment.
    std::function<void()> whenInformed;
};

}  // namespace lq::test
