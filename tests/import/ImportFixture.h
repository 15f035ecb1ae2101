// What the import tests share: two small dictionaries that meet every placement, and a
// fixture that runs an import and checks its closing notice.
#pragma once

#include <gtest/gtest.h>

#include "import/ImportFakes.h"
#include "import/core/ImportWords.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TableCases.h"
#include "support/TestDictionary.h"

namespace lq::test {

using P = Placement;

// cat: both names known to the current dictionary; Hund: only its theme; Brot: neither;
// apple: only its language. Brot comes before apple so that it meets Food still unknown.
inline Dictionary fourWordSource() {
    return makeDictionary({"English", "German"}, {"Animals", "Food"},
                          {{"cat", 0, 0}, {"Hund", 0, 1}, {"Brot", 1, 1}, {"apple", 1, 0}});
}

// Known names sit at other indexes than in the source, so indexes can't be mixed up unseen.
inline Dictionary twoColumnCurrent() {
    return makeDictionary({"French", "English"}, {"Colours", "Animals"}, {{"rouge", 0, 0}});
}

inline ImportOptions placedOptions(P theme, P language) {
    ImportOptions options;
    options.themePlacement = theme;
    options.targetTheme = 0;  // Colours
    options.languagePlacement = language;
    options.targetLanguage = 0;  // French
    return options;
}

// Runs imports with a recording reporter and a fixed clock.
class ImportWordsTest : public ::testing::Test {
  protected:
    // A whole run at once; wordsTaken then tells how far it came.
    ImportSummary run(const Dictionary& source, Dictionary& current, const ImportOptions& options,
                      DictionaryEdits& edits = DictionaryEdits::store()) {
        ImportRun whole(source, current, options, reporter, clock, edits);
        whole.step(whole.totalWords());
        wordsTaken = whole.wordsTaken();
        return whole.summary();
    }

    // The run ends with exactly one notice: the summary of what it did.
    void expectSummaryNotice(const ImportSummary& summary, const Dictionary& current) {
        ASSERT_FALSE(reporter.shown.empty());
        EXPECT_EQ(reporter.shown.back(),
                  (ShownMessage{
                      ShownMessage::Kind::Information, importSummaryText(summary, current), {}}));
        int notices = 0;
        for (const ShownMessage& m : reporter.shown) {
            notices += m.kind == ShownMessage::Kind::Information ? 1 : 0;
        }
        EXPECT_EQ(notices, 1);
    }

    RecordingReporter reporter;
    FixedClock clock;
    int32_t wordsTaken = 0;
};

}  // namespace lq::test
