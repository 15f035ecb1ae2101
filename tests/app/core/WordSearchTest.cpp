#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/WordFilter.h"
#include "store/Knowledge.h"
#include "store/TextField.h"
#include "support/TableCases.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

// Two themes, two languages; "Küche" is stored in Windows-1252, as a dictionary from Windows.
Dictionary kitchen() {
    return makeDictionary({"English", "German"}, {"Food", "House"},
                          {{.word = "apple", .translation = "Apfel", .transcription = "ˈæpəl"},
                           {.word = "cherry", .translation = "Kirsche", .transcription = "ˈtʃeri"},
                           {.word = "K\xFC"
                                    "che",
                            .theme = 1,
                            .language = 1,
                            .translation = "kitchen",
                            .transcription = "ˈkʏçə"},
                           {.word = "pineapple",
                            .right = 4,
                            .tested = 4,
                            .translation = "Ananas",
                            .transcription = "ˈpaɪnæpəl"}});
}

std::vector<std::string> found(const Dictionary& dictionary, const WordFilters& filters,
                               const std::string& typed) {
    std::vector<std::string> words;
    for (const int32_t index : filteredWords(dictionary, filters, TextSearch(typed))) {
        words.emplace_back(fieldText(dictionary.words[static_cast<std::size_t>(index)].word));
    }
    return words;
}

struct WordSearchCase {
    const char* name;
    WordFilters filters;
    std::string typed;
    std::vector<std::string> words;
};

const WordSearchCase kWordSearchCases[] = {
    {"EmptySearchListsEveryWord",
     {},
     "",
     {"apple", "cherry",
      "K\xFC"
      "che",
      "pineapple"}},
    {"ByTheStartOfAWord", {}, "CHER", {"cherry"}},
    {"ByPartOfAWordAnywhere", {}, "apple", {"apple", "pineapple"}},
    {"ByPartOfATranslation", {}, "irsch", {"cherry"}},
    {"ByATranscription", {}, "tʃ", {"cherry"}},
    {"ByPartOfAnIpaTranscription", {}, "paɪn", {"pineapple"}},
    {"AWindows1252WordWithoutItsAccent",
     {},
     "kuche",
     {"K\xFC"
      "che"}},
    {"AWindows1252WordByItsAccent",
     {},
     "KÜCHE",
     {"K\xFC"
      "che"}},
    {"NothingFound", {}, "banana", {}},
    {"WithTheThemeFilter",
     {.themeFilter = 1},
     "e",
     {"K\xFC"
      "che"}},
    {"WithTheLanguageFilter", {.languageFilter = 0}, "ch", {"cherry"}},
    {"WithTheKnowledgeFilter",
     {.knowledgeFilter = static_cast<int32_t>(KnowledgeBand::FullyKnown)},
     "apple",
     {"pineapple"}},
    {"FilterAndSearchThatLetNothingThrough", {.themeFilter = 1}, "apple", {}},
};

class WordSearchTest : public ::testing::TestWithParam<WordSearchCase> {};

TEST_P(WordSearchTest, ListsTheWordsWhoseTextTranslationOrTranscriptionHoldTheSearch) {
    const WordSearchCase& c = GetParam();
    EXPECT_EQ(found(kitchen(), c.filters, c.typed), c.words);
}

INSTANTIATE_TEST_SUITE_P(Cases, WordSearchTest, ::testing::ValuesIn(kWordSearchCases), CaseName{});

}  // namespace
}  // namespace lq::test
