// Any bytes offered as a dictionary file: the decoder must refuse or accept them without ever
// reading outside its input, and what it accepts must encode back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "store/DictionaryImage.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkInvariants(const lq::Dictionary& d) {
    require(lq::isConsistent(d));
    const lq::DictionaryHeader& h = d.header;
    require(h.languageCount >= 0 && h.themeCount >= 0 && h.wordCount >= 0);
    require(h.testThemeFilter >= -1 && h.testThemeFilter < h.themeCount);
    require(h.testLanguageFilter >= -1 && h.testLanguageFilter < h.languageCount);
    for (int8_t position : {h.testCountIndex, h.variantCountIndex, h.timeLimitIndex}) {
        require(position >= 0 && position < 16);
    }
    for (const lq::WordRecord& word : d.words) {
        require(word.themeIndex >= 0 && word.themeIndex < h.themeCount);
        require(word.languageIndex >= 0 && word.languageIndex < h.languageCount);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    lq::Dictionary first;
    if (lq::decodeDictionary(data, size, first) != lq::LoadStatus::Loaded) {
        return 0;
    }
    checkInvariants(first);
    const std::vector<uint8_t> encoded = lq::dictionaryBytes(first);
    require(static_cast<int64_t>(encoded.size()) == lq::fileSize(first));
    // Loading keeps every byte it read; only the bytes after the last record are dropped.
    require(encoded.size() <= size && std::memcmp(encoded.data(), data, encoded.size()) == 0);

    lq::Dictionary second;
    require(lq::decodeDictionary(encoded.data(), encoded.size(), second) == lq::LoadStatus::Loaded);
    require(lq::dictionaryBytes(second) == encoded);
    return 0;
}
