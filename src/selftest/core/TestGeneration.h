// Choosing the words a test asks and the wrong answers each question offers.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"
#include "store/TestRandom.h"

namespace lq {

// Word indexes of the running test in question order; at most kMaxTestCount of them.
using TestWords = std::vector<int32_t>;

// A word the test filters let through.
bool isCandidate(const DictionaryHeader& header, const WordRecord& word);
// The other words of the same theme and language: only those can be offered as wrong answers.
// Ascending; empty for an index outside the table.
std::vector<int32_t> companionsOf(const WordTable& words, int32_t word);

// The companions of a set of words, found in one pass over the table, so that a large table
// is not scanned again for every question.
class CompanionLists {
  public:
    // `words` must outlive this and stay unchanged.
    CompanionLists(const WordTable& words, const TestWords& wordsOfInterest);
    // Ascending, like lq::companionsOf, for any word of the table.
    std::vector<int32_t> companionsOf(int32_t word) const;
    int32_t companionCount(int32_t word) const;

  private:
    using ThemeAndLanguage = std::pair<int32_t, int32_t>;
    static ThemeAndLanguage groupOf(const WordRecord& word);
    // The group of a word of the table, when it was one of the words of interest's.
    const std::vector<int32_t>* knownGroup(int32_t word) const;

    const WordTable& words_;
    std::map<ThemeAndLanguage, std::vector<int32_t>> groups_;
};

// The seeds of the two kinds of draw.
uint32_t testWordsSeed(const Clock& clock);
uint32_t variantsSeed(const Clock& clock);

// Everything that happens before the test window opens: refuses a test that the dictionary
// can't fill (reported through `reporter`, returns false), otherwise seeds `random` from the
// clock and leaves the test's words in `testWords`. When the variants check fails, `testWords`
// keeps the words drawn. A test of typed answers needs no variants and is not checked for them.
bool prepareTest(const Dictionary& dictionary, TestRandom& random, const Clock& clock,
                 Reporter& reporter, TestWords& testWords);

// `count` distinct words of `companions` (the question word's, in a table of `tableSize` words)
// in draw order, after seeding `random` from the clock's second. Fewer when the word has fewer
// companions (prepareTest refuses such tests).
std::vector<int32_t> drawVariants(int32_t tableSize, std::vector<int32_t> companions, int32_t count,
                                  TestRandom& random, const Clock& clock);

// testMode 0 asks the word and offers translations; any other mode asks the other way round.
std::string_view questionText(const WordRecord& word, uint8_t testMode);
std::string_view answerText(const WordRecord& word, uint8_t testMode);

}  // namespace lq
