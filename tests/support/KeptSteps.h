// A change log that keeps the steps it is given, for tests to look at and take back.
#pragma once

#include <string>
#include <vector>

#include "store/ChangeLog.h"

namespace lq::test {

struct KeptSteps : ChangeLog {
    void addStep(std::string name, DictionaryChange change) override {
        if (change.empty()) {
            return;
        }
        names.push_back(std::move(name));
        changes.push_back(std::move(change));
    }
    // Takes every step back, the newest first.
    void revertAll(Dictionary& dictionary) {
        for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
            change->revert(dictionary);
        }
    }

    std::vector<std::string> names;
    std::vector<DictionaryChange> changes;
};

}  // namespace lq::test
