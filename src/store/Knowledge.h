// How well a word is known, derived from its test counters and never stored.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "store/Records.h"

namespace lq {

enum class KnowledgeBand : int32_t {
    NotTested = 0,
    Unknown = 1,
    Badknown = 2,
    Wellknown = 3,
    Goodknown = 4,
    FullyKnown = 5,
};

constexpr int kKnowledgeBandCount = 6;

// rightCount * 100 / testedCount, truncated; only defined for a tested word.
int32_t knowledgePercent(const WordRecord& word);
// Bands overlap at their edges: a word at 25 % passes both Unknown and Badknown.
bool isInKnowledgeBand(const WordRecord& word, KnowledgeBand band);
std::string_view knowledgeBandName(KnowledgeBand band);

// Pooled percentage of a set of words: often-asked words weigh more, untested ones not at all.
class KnowledgeTally {
  public:
    void add(const WordRecord& word);
    int32_t average() const;

  private:
    int32_t right_ = 0;
    int32_t tested_ = 0;
};

// The pooled percentage of the given words, 0 to 100; 0 when none of them was tested.
int32_t averageKnowledge(std::span<const WordRecord> words);

// right * 100 / total in 32-bit arithmetic, truncated; 0 when total is 0.
int32_t percentOf(int32_t right, int32_t total);

}  // namespace lq
