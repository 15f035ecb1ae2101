#include "selftest/core/TestGeneration.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "selftest/core/DistinctDraws.h"
#include "selftest/core/TestOptions.h"
#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::string_view kTooFewWords = "Not enought test-words.";
constexpr std::string_view kTooFewWordsFix =
    "Add more words to the dictionary. Also, you may decrease values in File->Options window.";
constexpr std::string_view kTooFewVariantsFix =
    "Add enought words to the dictionary. Also, you may try to decrease values in "
    "File->Options window (for example: reduce number of variant-words).";

std::string tooFewVariantsMessage(const WordRecord& word) {
    return "Can't perform test. Error while generating variants: not enought variants for \"" +
           std::string(fieldText(word.word)) + "\" (" + std::string(fieldText(word.translation)) +
           ").";
}

int32_t tableSize(const WordTable& words) {
    return static_cast<int32_t>(words.size());
}

bool inTable(const WordTable& words, int32_t index) {
    return index >= 0 && index < tableSize(words);
}

const WordRecord& wordAt(const WordTable& words, int32_t index) {
    return words[static_cast<std::size_t>(index)];
}

std::vector<int32_t> candidatesOf(const Dictionary& dictionary) {
    std::vector<int32_t> candidates;
    for (int32_t i = 0; i < tableSize(dictionary.words); ++i) {
        if (isCandidate(dictionary.header, wordAt(dictionary.words, i))) {
            candidates.push_back(i);
        }
    }
    return candidates;
}

// The first test word that can't be given `needed` wrong answers, or kNoIndex.
int32_t firstWordShortOfVariants(const WordTable& words, const TestWords& testWords,
                                 int32_t needed) {
    const CompanionLists companions(words, testWords);
    for (const int32_t word : testWords) {
        if (companions.companionCount(word) < needed) {
            return word;
        }
    }
    return kNoIndex;
}

}  // namespace

bool isCandidate(const DictionaryHeader& header, const WordRecord& word) {
    return passesFilter(header.testLanguageFilter, word.languageIndex) &&
           passesFilter(header.testThemeFilter, word.themeIndex);
}

std::vector<int32_t> companionsOf(const WordTable& words, int32_t word) {
    return CompanionLists(words, {word}).companionsOf(word);
}

CompanionLists::CompanionLists(const WordTable& words, const TestWords& wordsOfInterest)
    : words_(words) {
    for (const int32_t word : wordsOfInterest) {
        if (inTable(words, word)) {
            groups_.try_emplace(groupOf(wordAt(words, word)));
        }
    }
    for (int32_t i = 0; i < tableSize(words) && !groups_.empty(); ++i) {
        const auto group = groups_.find(groupOf(wordAt(words, i)));
        if (group != groups_.end()) {
            group->second.push_back(i);
        }
    }
}

CompanionLists::ThemeAndLanguage CompanionLists::groupOf(const WordRecord& word) {
    return {word.themeIndex, word.languageIndex};
}

const std::vector<int32_t>* CompanionLists::knownGroup(int32_t word) const {
    const auto group = groups_.find(groupOf(wordAt(words_, word)));
    return group == groups_.end() ? nullptr : &group->second;
}

std::vector<int32_t> CompanionLists::companionsOf(int32_t word) const {
    if (!inTable(words_, word)) {
        return {};
    }
    const std::vector<int32_t>* group = knownGroup(word);
    if (group == nullptr) {
        return lq::companionsOf(words_, word);
    }
    std::vector<int32_t> companions;
    std::copy_if(group->begin(), group->end(), std::back_inserter(companions),
                 [word](int32_t other) { return other != word; });
    return companions;
}

int32_t CompanionLists::companionCount(int32_t word) const {
    const std::vector<int32_t>* group = inTable(words_, word) ? knownGroup(word) : nullptr;
    // A word is always in its own group.
    return static_cast<int32_t>(group ? group->size() - 1 : companionsOf(word).size());
}

uint32_t testWordsSeed(const Clock& clock) {
    const SYSTEMTIME now = clock.localTime();
    return variantsSeed(clock) + now.minute + now.second + now.milliseconds;
}

uint32_t variantsSeed(const Clock& clock) {
    return static_cast<uint32_t>(clock.secondsSinceEpoch());
}

bool prepareTest(const Dictionary& dictionary, TestRandom& random, const Clock& clock,
                 Reporter& reporter, TestWords& testWords) {
    std::vector<int32_t> candidates = candidatesOf(dictionary);
    const int32_t questions = testCount(dictionary.header);
    if (static_cast<int32_t>(candidates.size()) < questions) {
        reporter.showError(kTooFewWords, kTooFewWordsFix);
        return false;
    }
    random.seed(testWordsSeed(clock));
    testWords = drawDistinctIndexes(tableSize(dictionary.words), std::move(candidates),
                                    static_cast<std::size_t>(questions), random);
    if (dictionary.header.typedAnswers()) {
        return true;  // no variants are offered, so none need to be found
    }
    const int32_t shortWord =
        firstWordShortOfVariants(dictionary.words, testWords, variantCount(dictionary.header));
    if (shortWord != kNoIndex) {
        reporter.showError(tooFewVariantsMessage(wordAt(dictionary.words, shortWord)),
                           kTooFewVariantsFix);
        return false;
    }
    return true;
}

std::vector<int32_t> drawVariants(int32_t tableSize, std::vector<int32_t> companions, int32_t count,
                                  TestRandom& random, const Clock& clock) {
    if (count <= 0) {
        return {};
    }
    random.seed(variantsSeed(clock));
    return drawDistinctIndexes(tableSize, std::move(companions), static_cast<std::size_t>(count),
                               random);
}

std::string_view questionText(const WordRecord& word, uint8_t testMode) {
    return testMode == 0 ? fieldText(word.word) : fieldText(word.translation);
}

std::string_view answerText(const WordRecord& word, uint8_t testMode) {
    return testMode == 0 ? fieldText(word.translation) : fieldText(word.word);
}

}  // namespace lq
