#include "catalog/core/CatalogSide.h"

#include <gtest/gtest.h>

#include "CatalogFixture.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

TEST(CatalogSideTest, EachSideActsOnItsOwnTable) {
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        Dictionary d = dictionaryWith(side, {"Food", "Drinks"}, {{1}, {0}, {1}});
        RecordingReporter reporter;

        EXPECT_EQ(side.count(d), 2u) << s.label;
        EXPECT_EQ(side.find(d, "Drinks"), 1) << s.label;
        ASSERT_TRUE(side.add(d, "Snacks", reporter, nullptr)) << s.label;
        side.rename(d, 0, "Meals", nullptr);
        EXPECT_EQ(namesOf(d, side), (std::vector<std::string>{"Meals", "Drinks", "Snacks"}))
            << s.label;
        ASSERT_TRUE(side.remove(d, "Drinks", reporter, nullptr)) << s.label;
        EXPECT_EQ(namesOf(d, side), (std::vector<std::string>{"Meals", "Snacks"})) << s.label;
        EXPECT_EQ(wordEntries(d, side), (std::vector<int32_t>{0})) << s.label;
        EXPECT_TRUE(reporter.shown.empty()) << s.label;
    }
}

TEST(CatalogSideTest, NewNamesMustBeFilledAndFree) {
    struct Case {
        std::string name;
        bool refused;
        bool blank;
    };
    const Case cases[] = {
        {"", true, true},        {"Food", true, false},   {"food", false, false},  // case counts
        {"Food ", false, false},  // blanks are part of a name
        {" ", false, false},     {"Drinks", true, false}, {"Еда", false, false},
    };
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        const Dictionary d = dictionaryWith(side, {"Food", "Drinks"});
        for (const Case& c : cases) {
            const auto refusal = refuseNewName(d, side, c.name);
            ASSERT_EQ(refusal.has_value(), c.refused) << s.label << " '" << c.name << "'";
            if (c.refused) {
                EXPECT_EQ(refusal->message, side.cantAdd);
                EXPECT_EQ(refusal->howToFix, c.blank ? side.blankOnAdd : side.alreadyDefined);
            }
        }
    }
}

TEST(CatalogSideTest, ARenameMayKeepItsOwnNameButNotTakeAnother) {
    struct Case {
        int32_t index;
        std::string name;
        bool refused;
        bool blank;
    };
    const Case cases[] = {
        {0, "Food", false, false},   {0, "FOOD", false, false}, {0, "Drinks", true, false},
        {1, "Food", true, false},    {0, "", true, true},       {0, "Fruit", false, false},
        {1, "Drinks", false, false},
    };
    for (const Side& s : kSides) {
        const CatalogSide& side = *s.side;
        const Dictionary d = dictionaryWith(side, {"Food", "Drinks"});
        for (const Case& c : cases) {
            const auto refusal = refuseRename(d, side, c.index, c.name);
            ASSERT_EQ(refusal.has_value(), c.refused) << s.label << " " << c.index << c.name;
            if (c.refused) {
                EXPECT_EQ(refusal->message, side.cantRename);
                EXPECT_EQ(refusal->howToFix, c.blank ? side.blankOnRename : side.alreadyDefined);
            }
        }
    }
}

TEST(CatalogSideTest, FiguresCountTheEntrysWordsAndPoolTheirAnswers) {
    struct Case {
        const char* name;
        std::vector<EntryWord> words;
        int32_t entry;
        CatalogFigures expected;
    };
    const Case cases[] = {
        {"no words", {}, 0, {0, 0}},
        {"untested only", {{0}, {0}}, 0, {2, 0}},
        {"1 right of 4, untested words too", {{0, 1, 1}, {0, 0, 3}, {0}, {0}}, 0, {4, 25}},
        {"other entries left out", {{0, 1, 1}, {1, 0, 3}, {1, 2, 2}}, 0, {1, 100}},
        {"truncated", {{1, 2, 3}}, 1, {1, 66}},
    };
    for (const Side& s : kSides) {
        for (const Case& c : cases) {
            const Dictionary d = dictionaryWith(*s.side, {"Food", "Drinks"}, c.words);
            const CatalogFigures figures = catalogFigures(d, *s.side, c.entry);
            EXPECT_EQ(figures.words, c.expected.words) << s.label << " " << c.name;
            EXPECT_EQ(figures.averageKnowledge, c.expected.averageKnowledge)
                << s.label << " " << c.name;
        }
    }
}

TEST(CatalogSideTest, TheDeleteQuestionNamesTheEntry) {
    EXPECT_EQ(deleteQuestion(kThemeSide, "Food"),
              "All words that belongs to theme 'Food' will be deleted.");
    EXPECT_EQ(deleteQuestion(kLanguageSide, "Caf\xe9"),
              "All words that belongs to language 'Caf\xe9' will be deleted.");
    EXPECT_EQ(deleteQuestion(kThemeSide, "100%s"),
              "All words that belongs to theme '100%s' will be deleted.");
}

}  // namespace
}  // namespace lq::test
