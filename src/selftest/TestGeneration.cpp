#include "selftest/TestGeneration.h"

#include <map>
#include <string>
#include <utility>

#include "selftest/DistinctDraws.h"
#include "selftest/TestOptions.h"
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

int32_t tableSize(const std::vector<WordRecord>& words) {
    return static_cast<int32_t>(words.size());
}

bool inTable(const std::vector<WordRecord>& words, int32_t index) {
    return index >= 0 && index < tableSize(words);
}

using ThemeAndLanguage = std::pair<int32_t, int32_t>;

ThemeAndLanguage themeAndLanguage(const WordRecord& word) {
    return {word.themeIndex, word.languageIndex};
}

// One pass over the table instead of one per test word.
std::map<ThemeAndLanguage, int32_t> wordsPerThemeAndLanguage(const std::vector<WordRecord>& words) {
    std::map<ThemeAndLanguage, int32_t> tally;
    for (const WordRecord& word : words) {
        ++tally[themeAndLanguage(word)];
    }
    return tally;
}

// The first test word that can't be given `needed` wrong answers, or -1.
int32_t firstWordShortOfVariants(const std::vector<WordRecord>& words, const TestWords& testWords,
                                 int32_t needed) {
    const auto tally = wordsPerThemeAndLanguage(words);
    for (const int32_t word : testWords) {
        const int32_t companions =
            tally.at(themeAndLanguage(words[static_cast<std::size_t>(word)])) - 1;
        if (companions < needed) {
            return word;
        }
    }
    return -1;
}

void drawTestWords(const Dictionary& dictionary, TestRandom& random, TestWords& testWords) {
    const auto& words = dictionary.words;
    testWords.clear();
    drawDistinctIndexes(
        tableSize(words), static_cast<std::size_t>(testCount(dictionary.header)),
        [&](int32_t r) {
            return isCandidate(dictionary.header, words[static_cast<std::size_t>(r)]);
        },
        random, testWords);
}

}  // namespace

bool isCandidate(const DictionaryHeader& header, const WordRecord& word) {
    return (header.testLanguageFilter == -1 || word.languageIndex == header.testLanguageFilter) &&
           (header.testThemeFilter == -1 || word.themeIndex == header.testThemeFilter);
}

bool isCompanion(const std::vector<WordRecord>& words, int32_t word, int32_t other) {
    if (other == word || !inTable(words, word) || !inTable(words, other)) {
        return false;
    }
    const WordRecord& a = words[static_cast<std::size_t>(word)];
    const WordRecord& b = words[static_cast<std::size_t>(other)];
    return a.languageIndex == b.languageIndex && a.themeIndex == b.themeIndex;
}

int32_t countCandidates(const Dictionary& dictionary) {
    int32_t count = 0;
    for (const WordRecord& word : dictionary.words) {
        count += isCandidate(dictionary.header, word) ? 1 : 0;
    }
    return count;
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
    if (countCandidates(dictionary) < testCount(dictionary.header)) {
        reporter.showError(kTooFewWords, kTooFewWordsFix);
        return false;
    }
    random.seed(testWordsSeed(clock));
    drawTestWords(dictionary, random, testWords);
    const int32_t shortWord =
        firstWordShortOfVariants(dictionary.words, testWords, variantCount(dictionary.header));
    if (shortWord != -1) {
        reporter.showError(
            tooFewVariantsMessage(dictionary.words[static_cast<std::size_t>(shortWord)]),
            kTooFewVariantsFix);
        return false;
    }
    return true;
}

std::vector<int32_t> drawVariants(const std::vector<WordRecord>& words, int32_t questionWord,
                                  int32_t count, TestRandom& random, const Clock& clock) {
    std::vector<int32_t> variants;
    if (!inTable(words, questionWord) || count <= 0) {
        return variants;
    }
    random.seed(variantsSeed(clock));
    drawDistinctIndexes(
        tableSize(words), static_cast<std::size_t>(count),
        [&](int32_t r) { return isCompanion(words, questionWord, r); }, random, variants);
    return variants;
}

std::string_view questionText(const WordRecord& word, uint8_t testMode) {
    return testMode == 0 ? fieldText(word.word) : fieldText(word.translation);
}

std::string_view answerText(const WordRecord& word, uint8_t testMode) {
    return testMode == 0 ? fieldText(word.translation) : fieldText(word.word);
}

}  // namespace lq
