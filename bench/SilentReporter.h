// The benchmarks' reporter: it shows nothing, counts the errors, and gives the same answer to
// every question.
#pragma once

#include <string_view>

#include "store/Reporter.h"

namespace lq {

class SilentReporter final : public Reporter {
  public:
    explicit SilentReporter(bool answer = false) : answer_(answer) {}

    void showError(std::string_view, std::string_view) override { ++errors; }
    void showInformation(std::string_view) override {}
    bool askWarning(std::string_view, bool) override { return answer_; }
    void showNewDictionary(std::string_view) override {}

    int errors = 0;

  private:
    bool answer_;
};

}  // namespace lq
