#include "store/ChangeLog.h"

#include "store/TextEncoding.h"

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

// In UTF-8 as the program shows it, so that a step naming an old Windows-1252 name and a new
// UTF-8 one shows both right.
std::string quotedName(std::string_view name) {
    std::string text = "'";
    text.append(utf8AsShown(name));
    text += '\'';
    return text;
}

}  // namespace lq
