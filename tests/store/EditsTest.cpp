#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "store/DictionaryImage.h"
#include "store/Edits.h"
#include "store/TextField.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

std::vector<int32_t> themeIndexes(const Dictionary& d) {
    std::vector<int32_t> out;
    for (const auto& w : d.words) {
        out.push_back(w.themeIndex);
    }
    return out;
}

std::vector<int32_t> languageIndexes(const Dictionary& d) {
    std::vector<int32_t> out;
    for (const auto& w : d.words) {
        out.push_back(w.languageIndex);
    }
    return out;
}

// Themes T0, T1, T2 in one language; w0 and w3 in T1, w1 in T0, w2 in T2.
Dictionary threeThemes(int32_t testThemeFilter) {
    Dictionary d =
        makeDictionary({"L0"}, {"T0", "T1", "T2"}, {{"w0", 1}, {"w1", 0}, {"w2", 2}, {"w3", 1}});
    d.header.testThemeFilter = testThemeFilter;
    return d;
}

// The same shape on the language side.
Dictionary threeLanguages(int32_t testLanguageFilter) {
    Dictionary d = makeDictionary({"L0", "L1", "L2"}, {"T0"},
                                  {{"w0", 0, 1}, {"w1", 0, 0}, {"w2", 0, 2}, {"w3", 0, 1}});
    d.header.testLanguageFilter = testLanguageFilter;
    return d;
}

struct Expected {
    std::vector<std::string> words;
    std::vector<std::string> themes;
    std::vector<std::string> languages;
    std::vector<int32_t> themeIndexes;
    std::vector<int32_t> languageIndexes;
    int32_t testThemeFilter;
    int32_t testLanguageFilter;
};

struct DeletionCase {
    const char* what;
    std::function<Dictionary()> before;
    std::function<bool(Dictionary&, Reporter&)> deletion;
    bool result;
    Expected after;
};

const DeletionCase kDeletions[] = {
    {"theme in the middle, filter on a later theme",
     [] { return threeThemes(2); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "T1", r); },
     true,
     {{"w2", "w1"}, {"T0", "T2"}, {"L0"}, {1, 0}, {0, 0}, 1, -1}},
    {"theme in the middle, filter on it",
     [] { return threeThemes(1); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "T1", r); },
     true,
     {{"w2", "w1"}, {"T0", "T2"}, {"L0"}, {1, 0}, {0, 0}, -1, -1}},
    {"theme in the middle, filter below it",
     [] { return threeThemes(0); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "T1", r); },
     true,
     {{"w2", "w1"}, {"T0", "T2"}, {"L0"}, {1, 0}, {0, 0}, 0, -1}},
    {"first theme",
     [] { return threeThemes(-1); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "T0", r); },
     true,
     {{"w0", "w3", "w2"}, {"T1", "T2"}, {"L0"}, {0, 0, 1}, {0, 0, 0}, -1, -1}},
    {"last theme",
     [] { return threeThemes(2); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "T2", r); },
     true,
     {{"w0", "w1", "w3"}, {"T0", "T1"}, {"L0"}, {1, 0, 1}, {0, 0, 0}, -1, -1}},
    {"theme no word uses",
     [] {
         Dictionary d = makeDictionary({"L0"}, {"T0", "Empty", "T2"}, {{"a", 0}, {"b", 2}});
         d.header.testThemeFilter = 2;
         return d;
     },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "Empty", r); },
     true,
     {{"a", "b"}, {"T0", "T2"}, {"L0"}, {0, 1}, {0, 0}, 1, -1}},
    {"only theme takes every word of every language",
     [] {
         Dictionary d = makeDictionary({"L0", "L1"}, {"Only"}, {{"a", 0, 0}, {"b", 0, 1}});
         d.header.testThemeFilter = 0;
         d.header.testLanguageFilter = 1;
         return d;
     },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "Only", r); },
     true,
     {{}, {}, {"L0", "L1"}, {}, {}, -1, 1}},
    {"only language takes every word of every theme",
     [] {
         Dictionary d = makeDictionary({"Only"}, {"T0", "T1"}, {{"a", 0}, {"b", 1}});
         d.header.testThemeFilter = 1;
         d.header.testLanguageFilter = 0;
         return d;
     },
     [](Dictionary& d, Reporter& r) { return deleteLanguage(d, "Only", r); },
     true,
     {{}, {"T0", "T1"}, {}, {}, {}, 1, -1}},
    {"language in the middle, filter on a later language",
     [] { return threeLanguages(2); },
     [](Dictionary& d, Reporter& r) { return deleteLanguage(d, "L1", r); },
     true,
     {{"w2", "w1"}, {"T0"}, {"L0", "L2"}, {0, 0}, {1, 0}, -1, 1}},
    {"language in the middle, filter on it",
     [] { return threeLanguages(1); },
     [](Dictionary& d, Reporter& r) { return deleteLanguage(d, "L1", r); },
     true,
     {{"w2", "w1"}, {"T0"}, {"L0", "L2"}, {0, 0}, {1, 0}, -1, -1}},
    {"theme name not present",
     [] { return threeThemes(2); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "t1", r); },
     false,
     {{"w0", "w1", "w2", "w3"}, {"T0", "T1", "T2"}, {"L0"}, {1, 0, 2, 1}, {0, 0, 0, 0}, 2, -1}},
    {"language name not present",
     [] { return threeLanguages(1); },
     [](Dictionary& d, Reporter& r) { return deleteLanguage(d, "L", r); },
     false,
     {{"w0", "w1", "w2", "w3"}, {"T0"}, {"L0", "L1", "L2"}, {0, 0, 0, 0}, {1, 0, 2, 1}, -1, 1}},
    {"name not present beside the only theme",
     [] { return makeDictionary({"L0"}, {"Only"}, {{"a"}}); },
     [](Dictionary& d, Reporter& r) { return deleteTheme(d, "Other", r); },
     false,
     {{"a"}, {"Only"}, {"L0"}, {0}, {0}, -1, -1}},
    {"name not present beside the only language",
     [] { return makeDictionary({"Only"}, {"T0"}, {{"a"}}); },
     [](Dictionary& d, Reporter& r) { return deleteLanguage(d, "Other", r); },
     false,
     {{"a"}, {"T0"}, {"Only"}, {0}, {0}, -1, -1}},
    {"words ant bee cow, delete index 0",
     [] {
         return makeDictionary({"L"}, {"T"}, {{"ant"}, {"bee"}, {"cow"}});
     },
     [](Dictionary& d, Reporter& r) { return deleteWord(d, 0, r); },
     true,
     {{"cow", "bee"}, {"T"}, {"L"}, {0, 0}, {0, 0}, -1, -1}},
    {"words ant bee cow, delete index 0 then 1",
     [] {
         return makeDictionary({"L"}, {"T"}, {{"ant"}, {"bee"}, {"cow"}});
     },
     [](Dictionary& d, Reporter& r) { return deleteWord(d, 0, r) && deleteWord(d, 1, r); },
     true,
     {{"cow"}, {"T"}, {"L"}, {0}, {0}, -1, -1}},
    {"last word index",
     [] {
         return makeDictionary({"L"}, {"T"}, {{"ant"}, {"bee"}, {"cow"}});
     },
     [](Dictionary& d, Reporter& r) { return deleteWord(d, 2, r); },
     true,
     {{"ant", "bee"}, {"T"}, {"L"}, {0, 0}, {0, 0}, -1, -1}},
    {"only word",
     [] { return makeDictionary({"L"}, {"T"}, {{"ant"}}); },
     [](Dictionary& d, Reporter& r) { return deleteWord(d, 0, r); },
     true,
     {{}, {"T"}, {"L"}, {}, {}, -1, -1}},
    {"word index past the table",
     [] {
         return makeDictionary({"L"}, {"T"}, {{"ant"}, {"bee"}});
     },
     [](Dictionary& d, Reporter& r) { return deleteWord(d, 2, r); },
     false,
     {{"ant", "bee"}, {"T"}, {"L"}, {0, 0}, {0, 0}, -1, -1}},
    {"negative word index",
     [] {
         return makeDictionary({"L"}, {"T"}, {{"ant"}, {"bee"}});
     },
     [](Dictionary& d, Reporter& r) { return deleteWord(d, -1, r); },
     false,
     {{"ant", "bee"}, {"T"}, {"L"}, {0, 0}, {0, 0}, -1, -1}},
};

TEST(Deletions, RemoveRecordsAndRenumberEverythingThatPointsPastThem) {
    for (const DeletionCase& c : kDeletions) {
        SCOPED_TRACE(c.what);
        RecordingReporter reporter;
        Dictionary d = c.before();
        EXPECT_EQ(c.deletion(d, reporter), c.result);
        EXPECT_EQ(wordTexts(d), c.after.words);
        EXPECT_EQ(themeNames(d), c.after.themes);
        EXPECT_EQ(languageNames(d), c.after.languages);
        EXPECT_EQ(themeIndexes(d), c.after.themeIndexes);
        EXPECT_EQ(languageIndexes(d), c.after.languageIndexes);
        EXPECT_EQ(d.header.testThemeFilter, c.after.testThemeFilter);
        EXPECT_EQ(d.header.testLanguageFilter, c.after.testLanguageFilter);
        EXPECT_TRUE(isConsistent(d));
        EXPECT_TRUE(reporter.shown.empty());
    }
}

TEST(Deletions, NameNotPresentLeavesEveryByteAlone) {
    Dictionary d = threeThemes(1);
    const std::vector<uint8_t> before = dictionaryBytes(d);
    RecordingReporter reporter;
    deleteTheme(d, "T1 ", reporter);
    deleteTheme(d, "", reporter);
    deleteLanguage(d, "T1", reporter);
    EXPECT_EQ(dictionaryBytes(d), before);
}

TEST(Adds, AppendACopyAndKeepCountsInStep) {
    RecordingReporter reporter;
    Dictionary d = makeDictionary({}, {}, {{"x"}});
    ASSERT_TRUE(deleteWord(d, 0, reporter));
    ASSERT_EQ(writtenHeader(d).wordCount, 0);

    ASSERT_TRUE(addLanguage(d, makeLanguageRecord("English"), reporter));
    ASSERT_TRUE(addLanguage(d, makeLanguageRecord("German"), reporter));
    ASSERT_TRUE(addTheme(d, makeThemeRecord("Animals"), reporter));
    ASSERT_TRUE(addWord(d, makeWord({"cat", 0, 1, 2, 3}), reporter));
    ASSERT_TRUE(addWord(d, makeWord({"dog", 0, 0}), reporter));

    EXPECT_EQ(languageNames(d), (std::vector<std::string>{"English", "German"}));
    EXPECT_EQ(themeNames(d), std::vector<std::string>{"Animals"});
    EXPECT_EQ(wordTexts(d), (std::vector<std::string>{"cat", "dog"}));
    EXPECT_EQ(d.words[0].languageIndex, 1);
    EXPECT_EQ(d.words[0].rightCount, 2);
    EXPECT_EQ(d.words[0].testedCount, 3);
    EXPECT_EQ(writtenHeader(d).languageCount, 2);
    EXPECT_EQ(writtenHeader(d).themeCount, 1);
    EXPECT_EQ(writtenHeader(d).wordCount, 2);
    EXPECT_EQ(dictionaryBytes(d).size(), 64u + 96u + 320u);
    EXPECT_TRUE(reporter.shown.empty());
}

TEST(Renames, ClearTheFieldAndKeepTheIndexes) {
    Dictionary d = threeThemes(1);
    std::memset(d.themes[1].name, 'x', sizeof d.themes[1].name);  // bytes after any terminator
    renameTheme(d, 1, "Animals");
    renameLanguage(d, 0, "English");
    renameWord(d, 3, "dog");

    EXPECT_EQ(themeNames(d), (std::vector<std::string>{"T0", "Animals", "T2"}));
    EXPECT_EQ(findTheme(d, "Animals"), 1);
    EXPECT_EQ(themeIndexes(d), (std::vector<int32_t>{1, 0, 2, 1}));
    EXPECT_EQ(d.header.testThemeFilter, 1);
    EXPECT_EQ(languageNames(d), std::vector<std::string>{"English"});
    EXPECT_EQ(wordTexts(d), (std::vector<std::string>{"w0", "w1", "w2", "dog"}));
    const char expected[32] = "Animals";
    EXPECT_EQ(std::memcmp(d.themes[1].name, expected, sizeof expected), 0);
}

TEST(Renames, LongTextIsCutSoTheTerminatorStays) {
    Dictionary d = threeThemes(-1);
    renameTheme(d, 0, std::string(40, 'a'));
    EXPECT_EQ(fieldText(d.themes[0].name), std::string(31, 'a'));
    EXPECT_EQ(d.themes[0].name[31], '\0');
}

}  // namespace
}  // namespace lq::test
