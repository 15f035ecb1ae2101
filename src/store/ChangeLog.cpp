#include "store/ChangeLog.h"

namespace lq {

namespace {

class NoChangeLog : public ChangeLog {
  public:
    void addStep(std::string, DictionaryChange) override {}
};

}  // namespace

ChangeLog& ChangeLog::none() {
    static NoChangeLog log;
    return log;
}

std::string quotedName(std::string_view name) {
    std::string text = "'";
    text.append(name);
    text += '\'';
    return text;
}

}  // namespace lq
