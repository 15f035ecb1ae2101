// Stand-ins for store operations that fail and for the clock.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "import/core/DictionaryEdits.h"
#include "store/Clock.h"

namespace lq::test {

// The store's operations, except that the adds whose call numbers (from 1) are listed fail
// with the store's own message, as when memory runs out.
class FailingEdits : public DictionaryEdits {
  public:
    bool addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter) override;
    bool addLanguage(Dictionary& dictionary, const LanguageRecord& language,
                     Reporter& reporter) override;
    bool addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter) override;

    std::set<int32_t> failingWordAdds;
    std::set<int32_t> failingLanguageAdds;
    std::set<int32_t> failingThemeAdds;

  private:
    int32_t wordAdds_ = 0;
    int32_t languageAdds_ = 0;
    int32_t themeAdds_ = 0;
};

// A clock that moves on by one millisecond each time it is read.
class TickingClock : public Clock {
  public:
    SYSTEMTIME localTime() const override;
    int64_t secondsSinceEpoch() const override { return 0; }

  private:
    mutable uint16_t ticks_ = 0;
};

// "word Theme/Language" for every word, in storage order.
std::vector<std::string> wordPlaces(const Dictionary& dictionary);
// "word:translation" for every word, in storage order.
std::vector<std::string> wordTranslations(const Dictionary& dictionary);

}  // namespace lq::test
