// Small random dictionaries whose texts come from tiny pools, so that names and words collide
// often: repeated names, texts that differ only in case, stray bytes after terminators.
#pragma once

#include <cstdint>
#include <set>
#include <string_view>

#include "import/core/ImportWords.h"
#include "store/Dictionary.h"
#include "store/TestRandom.h"

namespace lq::test {

class RandomDictionaries {
  public:
    explicit RandomDictionaries(uint32_t seed) { random_.seed(seed); }

    // 0 to n - 1.
    int32_t below(int32_t n) { return random_.draw() % n; }
    bool oneIn(int32_t n) { return below(n) == 0; }
    // Some of the call numbers 1 to 24, each taken one time in n: the calls a fake fails.
    std::set<int32_t> callNumbers(int32_t oneInN);

    // With `brokenWords`, now and then a word refers outside its tables.
    Dictionary dictionary(int32_t maxCatalog, int32_t maxWords, bool brokenWords);
    ImportOptions options(const Dictionary& source, const Dictionary& current);
    WordRecord word(int32_t themes, int32_t languages);
    // A word of theme 0 and language 0 whose text is one of `distinct` numbered texts.
    WordRecord numberedWord(int32_t distinct);
    template <std::size_t N>
    void fillText(char (&field)[N], std::string_view pool);

  private:
    TestRandom random_;
};

}  // namespace lq::test
