#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "store/ChangeLog.h"
#include "store/DictionaryChange.h"
#include "store/DictionaryImage.h"
#include "store/Edits.h"
#include "store/TextField.h"
#include "support/RecordingReporter.h"
#include "support/TableCases.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

// Three of each, the words spread over them so that a deletion removes words from the start,
// the middle and the end of the table and renumbers words on both sides of them; both test
// filters point past the middle entry.
Dictionary mixed() {
    Dictionary d = makeDictionary({"L0", "L1", "L2"}, {"T0", "T1", "T2"},
                                  {{"w0", 1, 0, 3, 4},
                                   {"w1", 0, 2},
                                   {"w2", 2, 1, 1, 1},
                                   {"w3", 1, 1},
                                   {"w4", 2, 2},
                                   {"w5", 1, 0},
                                   {"w6", 0, 1, 0, 2}});
    d.header.testThemeFilter = 2;
    d.header.testLanguageFilter = 1;
    return d;
}

WordRecord withTranslation(const Dictionary& d, int32_t index, std::string_view text) {
    WordRecord word = d.words[static_cast<std::size_t>(index)];
    setFieldText(word.translation, text);
    return word;
}

using Step = std::function<void(Dictionary&, Reporter&, ChangeRecorder&)>;

struct StepCase {
    const char* name;
    Step step;
};

const StepCase kSteps[] = {
    {"AddAWord",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { addWord(d, makeWord({"new"}), r, &c); }},
    {"AddATheme", [](Dictionary& d, Reporter& r,
                     ChangeRecorder& c) { addTheme(d, makeThemeRecord("T3"), r, &c); }},
    {"AddALanguage", [](Dictionary& d, Reporter& r,
                        ChangeRecorder& c) { addLanguage(d, makeLanguageRecord("L3"), r, &c); }},
    {"DeleteTheFirstWord",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteWord(d, 0, r, &c); }},
    {"DeleteAMiddleWord",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteWord(d, 3, r, &c); }},
    {"DeleteTheLastWord",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteWord(d, 6, r, &c); }},
    {"DeleteTheMiddleThemeWithItsWords",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteTheme(d, "T1", r, &c); }},
    {"DeleteTheFirstTheme",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteTheme(d, "T0", r, &c); }},
    {"DeleteTheThemeOfTheTestFilter",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteTheme(d, "T2", r, &c); }},
    {"DeleteTheMiddleLanguageWithItsWords",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteLanguage(d, "L1", r, &c); }},
    {"DeleteTheLastLanguage",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteLanguage(d, "L2", r, &c); }},
    {"DeleteEveryThemeTheLastOneAlone",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) {
         deleteTheme(d, "T1", r, &c);
         deleteTheme(d, "T0", r, &c);
         deleteTheme(d, "T2", r, &c);
     }},
    {"DeleteEveryWordOneByOne",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) {
         while (!d.words.empty()) {
             deleteWord(d, 0, r, &c);
         }
     }},
    {"RenameATheme",
     [](Dictionary& d, Reporter&, ChangeRecorder& c) { renameTheme(d, 1, "Food", &c); }},
    {"RenameALanguage",
     [](Dictionary& d, Reporter&, ChangeRecorder& c) { renameLanguage(d, 2, "German", &c); }},
    {"RenameAWord",
     [](Dictionary& d, Reporter&, ChangeRecorder& c) { renameWord(d, 4, "apple", &c); }},
    {"ChangeATranslationInPlace",
     [](Dictionary& d, Reporter&, ChangeRecorder& c) {
         replaceWord(d, 2, withTranslation(d, 2, "other"), &c);
     }},
    {"MoveAWordToAnotherTheme",
     [](Dictionary& d, Reporter&, ChangeRecorder& c) {
         WordRecord word = d.words[5];
         word.themeIndex = 0;
         replaceWord(d, 5, word, &c);
     }},
    {"ChangeTheHeader",
     [](Dictionary& d, Reporter&, ChangeRecorder& c) {
         const DictionaryHeader before = d.header;
         d.header.testCountIndex = 9;
         d.header.setAskUpdateOnExit(false);
         c.headerReplaced(before, d.header);
     }},
    {"AnImportLikeRun",
     [](Dictionary& d, Reporter& r, ChangeRecorder& c) {
         addTheme(d, makeThemeRecord("T3"), r, &c);
         addWord(d, makeWord({"x1", 3}), r, &c);
         addWord(d, makeWord({"x2", 3}), r, &c);
         deleteWord(d, 1, r, &c);
         addWord(d, makeWord({"w1", 3}), r, &c);
         addLanguage(d, makeLanguageRecord("L3"), r, &c);
         addWord(d, makeWord({"x3", 3, 3}), r, &c);
     }},
};

class DictionaryChangeTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(DictionaryChangeTest, TakenBackAndAgainLeavesTheBytesOfBeforeAndAfter) {
    RecordingReporter reporter;
    ChangeRecorder recorder;
    Dictionary d = mixed();
    const std::vector<uint8_t> before = dictionaryBytes(d);
    GetParam().step(d, reporter, recorder);
    const std::vector<uint8_t> after = dictionaryBytes(d);
    ASSERT_NE(after, before);
    DictionaryChange change = recorder.take();
    ASSERT_FALSE(change.empty());
    EXPECT_TRUE(recorder.empty()) << "a taken recorder starts afresh";
    for (int round = 0; round < 2; ++round) {
        change.revert(d);
        EXPECT_EQ(dictionaryBytes(d), before) << "round " << round;
        change.apply(d);
        EXPECT_EQ(dictionaryBytes(d), after) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStep, DictionaryChangeTest, ::testing::ValuesIn(kSteps), CaseName());

TEST(DictionaryChangeSequence, StepsTakenBackInTurnPassEveryEarlierStateAndForwardAgain) {
    RecordingReporter reporter;
    Dictionary d = mixed();
    std::vector<std::vector<uint8_t>> states{dictionaryBytes(d)};
    std::vector<DictionaryChange> changes;
    // Each step works on what the ones before left, as a user's session does.
    const Step session[] = {
        [](Dictionary& d, Reporter& r, ChangeRecorder& c) {
            addWord(d, makeWord({"a", 2}), r, &c);
        },
        [](Dictionary& d, Reporter&, ChangeRecorder& c) { renameTheme(d, 2, "Food", &c); },
        [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteTheme(d, "T0", r, &c); },
        [](Dictionary& d, Reporter&, ChangeRecorder& c) {
            replaceWord(d, 1, withTranslation(d, 1, "changed"), &c);
        },
        [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteWord(d, 0, r, &c); },
        [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteLanguage(d, "L0", r, &c); },
        [](Dictionary& d, Reporter& r, ChangeRecorder& c) {
            addLanguage(d, makeLanguageRecord("L0"), r, &c);
        },
    };
    for (const Step& step : session) {
        ChangeRecorder recorder;
        step(d, reporter, recorder);
        changes.push_back(recorder.take());
        states.push_back(dictionaryBytes(d));
    }
    for (std::size_t i = changes.size(); i-- > 0;) {
        changes[i].revert(d);
        EXPECT_EQ(dictionaryBytes(d), states[i]) << "after taking back step " << i;
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i].apply(d);
        EXPECT_EQ(dictionaryBytes(d), states[i + 1]) << "after taking step " << i << " again";
    }
}

TEST(DictionaryChangeRecorder, StepsThatChangeNothingRecordNothing) {
    const StepCase unchanged[] = {
        {"a theme renamed to its own name",
         [](Dictionary& d, Reporter&, ChangeRecorder& c) { renameTheme(d, 0, "T0", &c); }},
        {"a word overwritten with its own bytes",
         [](Dictionary& d, Reporter&, ChangeRecorder& c) { replaceWord(d, 3, d.words[3], &c); }},
        {"the header replaced by itself",
         [](Dictionary& d, Reporter&, ChangeRecorder& c) { c.headerReplaced(d.header, d.header); }},
        {"a theme that is not there",
         [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteTheme(d, "t0", r, &c); }},
        {"a word index past the table",
         [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteWord(d, 7, r, &c); }},
        {"a rename past the table",
         [](Dictionary& d, Reporter&, ChangeRecorder& c) { renameWord(d, 7, "x", &c); }},
    };
    for (const StepCase& c : unchanged) {
        SCOPED_TRACE(c.name);
        RecordingReporter reporter;
        ChangeRecorder recorder;
        Dictionary d = mixed();
        c.step(d, reporter, recorder);
        EXPECT_TRUE(recorder.empty());
    }
}

// Over 100,000 words, a step holds the records it touched, not the tables.
TEST(DictionaryChangeMemory, AStepHoldsWhatItChangedNotTheDictionary) {
    RecordingReporter reporter;
    std::vector<WordSpec> shapes;
    for (int i = 0; i < 100000; ++i) {
        shapes.push_back({"w" + std::to_string(i), i % 2});
    }
    Dictionary d = makeDictionary({"L0"}, {"T0", "T1"}, shapes);
    const std::size_t oneRecord = 2 * sizeof(WordRecord);
    struct Case {
        const char* what;
        Step step;
        std::size_t mostHeld;
    };
    const Case cases[] = {
        {"a translation changed",
         [](Dictionary& d, Reporter&, ChangeRecorder& c) {
             replaceWord(d, 500, withTranslation(d, 500, "x"), &c);
         },
         oneRecord},
        {"a word added",
         [](Dictionary& d, Reporter& r, ChangeRecorder& c) { addWord(d, makeWord({"n"}), r, &c); },
         oneRecord},
        {"a word deleted",
         [](Dictionary& d, Reporter& r, ChangeRecorder& c) { deleteWord(d, 7, r, &c); }, oneRecord},
        {"a thousand words added in a run",
         [](Dictionary& d, Reporter& r, ChangeRecorder& c) {
             for (int i = 0; i < 1000; ++i) {
                 addWord(d, makeWord({"n" + std::to_string(i)}), r, &c);
             }
         },
         oneRecord},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChangeRecorder recorder;
        c.step(d, reporter, recorder);
        EXPECT_LE(recorder.take().heldBytes(), c.mostHeld);
    }
    // A theme's deletion holds its words, about half of the table here, and no more.
    ChangeRecorder recorder;
    deleteTheme(d, "T1", reporter, &recorder);
    DictionaryChange deletion = recorder.take();
    EXPECT_GE(deletion.heldBytes(), 50000 * sizeof(WordRecord));
    EXPECT_LE(deletion.heldBytes(), 50500 * 2 * sizeof(WordRecord));
}

// A step renaming an old Windows-1252 name to a typed UTF-8 one names both as they are shown.
TEST(StepNames, QuoteNamesInUtf8WhateverTheirStoredBytes) {
    EXPECT_EQ(quotedName("Food"), "'Food'");
    EXPECT_EQ(quotedName("Caf\xE9"), "'Café'");
    EXPECT_EQ(quotedName("Café"), "'Café'");
}

}  // namespace
}  // namespace lq::test
