// A small dictionary that every report test writes out.
#pragma once

#include <string>
#include <string_view>

#include "report/core/ReportSink.h"
#include "support/TestDictionary.h"

namespace lq::test {

// Themes Animals (0) and Food (1), languages English (0) and German (1). Report order: Brot,
// cat, dog.
inline Dictionary reportDictionary() {
    return makeDictionary({"English", "German"}, {"Animals", "Food"},
                          {{"dog", 0, 0, 3, 4, "a domestic animal", "[dog]"},
                           {"Brot", 1, 1, 0, 0, "bread", "[bro:t]"},
                           {"cat", 0, 0, 1, 2, "small feline", "[kaet]"}});
}

inline std::string spaces(std::size_t count) {
    return std::string(count, ' ');
}

// Fails the chosen write and every one after it.
class FailingSink final : public ReportSink {
  public:
    explicit FailingSink(int failingWrite) : failingWrite_(failingWrite) {}
    bool write(std::string_view bytes) override {
        ++writes;
        if (writes >= failingWrite_) {
            return false;
        }
        bytes_.append(bytes);
        return true;
    }
    int writes = 0;  // every call, failed ones too

  private:
    int failingWrite_;
    std::string bytes_;
};

}  // namespace lq::test
