// Where the steps the dictionary takes go once they are done: the program's undo history, or
// nowhere for windows that run without one.
#pragma once

#include <string>
#include <string_view>

#include "store/DictionaryChange.h"

namespace lq {

class ChangeLog {
  public:
    virtual ~ChangeLog() = default;
    // The dictionary has just taken the step `change`; `name` tells the user what it did
    // ("Delete theme 'Food'"), in UTF-8, its names as quotedName gives them. An empty change is no
    // step and is dropped.
    virtual void addStep(std::string name, DictionaryChange change) = 0;
    // The dictionary has changed ahead of a step still to come, as a test counts each answer
    // at once and becomes a step when it ends; a watcher may copy the dictionary meanwhile.
    virtual void stepUnderWay() {}

    // Drops every step.
    static ChangeLog& none();
};

// A name as a step's name shows it: in single quotes, in UTF-8 whatever its stored bytes.
std::string quotedName(std::string_view name);

}  // namespace lq
