// Finding a typed text inside stored texts, the way a learner means it: letter case and accents
// do not count, so "cafe" finds "Café" and "STRASSE" finds "Straße", in any script.
#pragma once

#include <string>
#include <string_view>

namespace lq {

class TextSearch {
  public:
    // `typed` is UTF-8 as the user typed it; spaces around it do not count.
    explicit TextSearch(std::string_view typed = {});

    // Nothing to look for: every text is found.
    bool empty() const { return term_.empty(); }

    // Whether a stored text, read as the program shows it (UTF-8, or Windows-1252 when it is
    // not valid UTF-8), holds the typed text.
    bool foundIn(std::string_view stored) const;

  private:
    bool foundInAscii(std::string_view text) const;
    bool foundInShown(std::string_view stored) const;

    std::string term_;       // in the comparable form
    bool asciiTerm_ = true;  // then an ASCII text is searched without a copy
};

}  // namespace lq
