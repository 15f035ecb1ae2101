#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "SwapPassOrder.h"
#include "report/core/ReportOrder.h"
#include "store/TextField.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

Dictionary dictionaryOf(const std::vector<std::string>& words) {
    std::vector<WordSpec> wordShapes;
    for (const auto& word : words) {
        wordShapes.push_back({word});
    }
    return makeDictionary({"English"}, {"General"}, wordShapes);
}

struct OrderCase {
    const char* what;
    std::vector<std::string> words;
    std::vector<int32_t> expected;
};

TEST(ReportOrderTest, OrdersByBytesAndKeepsPrefixRelatedWordsInPlace) {
    const std::vector<OrderCase> cases = {
        {"no words", {}, {}},
        {"one word", {"cat"}, {0}},
        {"capitals first, prefixes never swapped", {"b", "B", "ab", "a"}, {1, 2, 3, 0}},
        {"a longer word before its prefix stays there", {"abc", "ab"}, {0, 1}},
        {"identical words keep storage order", {"dog", "cat", "dog", "cat"}, {1, 3, 0, 2}},
        {"bytes from 0x80 after all ASCII", {"\xC3\xA9t\xC3\xA9", "zebra", "Zoo"}, {2, 1, 0}},
        {"an empty word is a prefix of every word", {"b", "", "a"}, {0, 1, 2}},
        {"a common prefix holds its neighbours apart", {"ab", "a", "aa"}, {0, 1, 2}},
        {"words as long as a field holds", {std::string(31, 'b'), std::string(31, 'a')}, {1, 0}},
    };
    for (const auto& c : cases) {
        const Dictionary dictionary = dictionaryOf(c.words);
        EXPECT_EQ(sortWordsByText(dictionary), c.expected) << c.what;
        EXPECT_EQ(orderBySwapPasses(dictionary), c.expected) << c.what << " (reference)";
    }
}

TEST(ReportOrderTest, WordFieldFilledToTheLastByteIsReadOnlyWithinTheField) {
    Dictionary dictionary = dictionaryOf({"x", "y"});
    std::memset(dictionary.words[0].word, 'z', sizeof dictionary.words[0].word);
    std::memset(dictionary.words[1].word, 'b', sizeof dictionary.words[1].word);
    EXPECT_EQ(sortWordsByText(dictionary), (std::vector<int32_t>{1, 0}));
}

// Words built from a few short pieces, so that many share prefixes or are prefixes of each
// other, in mixed case and with bytes above 0x7F.
std::string randomWord(std::mt19937& random, const std::vector<std::string>& earlier) {
    static const std::vector<std::string> pieces = {"a", "A", "b", "B", "ab", "ba", "\xE9", "z"};
    std::uniform_int_distribution<int> percent(0, 99);
    std::string word;
    if (!earlier.empty() && percent(random) < 40) {
        // Cut or extend an earlier word.
        word = earlier[std::uniform_int_distribution<std::size_t>(0, earlier.size() - 1)(random)];
        word.resize(std::uniform_int_distribution<std::size_t>(0, word.size())(random));
    }
    const int extra = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < extra; ++i) {
        word += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    }
    word.resize(std::min<std::size_t>(word.size(), kNameSize - 1));
    return word;
}

struct RandomRun {
    uint32_t seed;
    int lists;
    int maxWords;
};

TEST(ReportOrderTest, MatchesTheSwapPassesOnRandomWordLists) {
    const std::vector<RandomRun> runs = {
        {1, 3000, 8}, {2, 1000, 30}, {3, 200, 120}, {20240601, 10, 600}};
    for (const auto& run : runs) {
        std::mt19937 random(run.seed);
        for (int list = 0; list < run.lists; ++list) {
            const int count = std::uniform_int_distribution<int>(0, run.maxWords)(random);
            std::vector<std::string> words;
            for (int i = 0; i < count; ++i) {
                words.push_back(randomWord(random, words));
            }
            const Dictionary dictionary = dictionaryOf(words);
            const std::vector<int32_t> expected = orderBySwapPasses(dictionary);
            const std::vector<int32_t> actual = sortWordsByText(dictionary);
            ASSERT_EQ(actual, expected) << "seed " << run.seed << ", list " << list << ": "
                                        << ::testing::PrintToString(words);
        }
    }
}

TEST(ReportOrderTest, GreaterOnlyAtTheFirstDifferenceWithinTheShorterText) {
    struct Case {
        std::string a, b;
        bool greater;
    };
    const std::vector<Case> cases = {
        {"b", "a", true},     {"a", "b", false},   {"a", "B", true},  {"abc", "ab", false},
        {"ab", "abc", false}, {"", "x", false},    {"x", "x", false}, {"\x80", "z", true},
        {"ba", "az", true},   {"az", "ba", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportTextGreater(c.a, c.b), c.greater) << c.a << " vs " << c.b;
    }
}

}  // namespace
}  // namespace lq::test
