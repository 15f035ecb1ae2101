#include "store/Knowledge.h"

#include <array>
#include <limits>

namespace lq {

namespace {

constexpr std::array<std::string_view, kKnowledgeBandCount> kBandNames = {
    "wasn't tested",      "unknown (0-25%)",     "badknown (25-50%)",
    "wellknown (50-75%)", "goodknown (75-100%)", "100%-known (100%)"};

// The counters are 32-bit and a damaged file may hold anything in them: wrap like the
// 32-bit arithmetic the figures are defined in, instead of overflowing.
int32_t wrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t wrapMul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

}  // namespace

int32_t percentOf(int32_t right, int32_t total) {
    if (total == 0) {
        return 0;
    }
    const int32_t scaled = wrapMul(right, 100);
    if (total == -1 && scaled == std::numeric_limits<int32_t>::min()) {
        return scaled;  // the one quotient that does not fit wraps to itself
    }
    return scaled / total;
}

int32_t knowledgePercent(const WordRecord& word) {
    return percentOf(word.rightCount, word.testedCount);
}

bool isInKnowledgeBand(const WordRecord& word, KnowledgeBand band) {
    if (band == KnowledgeBand::NotTested) {
        return word.testedCount == 0;
    }
    if (word.testedCount == 0) {
        return false;
    }
    const int32_t p = knowledgePercent(word);
    switch (band) {
        case KnowledgeBand::Unknown:
            return p >= 0 && p <= 25;
        case KnowledgeBand::Badknown:
            return p >= 25 && p <= 50;
        case KnowledgeBand::Wellknown:
            return p >= 50 && p <= 75;
        case KnowledgeBand::Goodknown:
            return p >= 75 && p <= 100;
        case KnowledgeBand::FullyKnown:
            return p == 100;
        default:
            return false;
    }
}

std::string_view knowledgeBandName(KnowledgeBand band) {
    const auto index = static_cast<int32_t>(band);
    return index >= 0 && index < kKnowledgeBandCount ? kBandNames[index] : std::string_view();
}

void KnowledgeTally::add(const WordRecord& word) {
    right_ = wrapAdd(right_, word.rightCount);
    tested_ = wrapAdd(tested_, word.testedCount);
}

int32_t KnowledgeTally::average() const {
    return percentOf(right_, tested_);
}

int32_t averageKnowledge(std::span<const WordRecord> words) {
    KnowledgeTally tally;
    for (const WordRecord& word : words) {
        tally.add(word);
    }
    return tally.average();
}

}  // namespace lq
