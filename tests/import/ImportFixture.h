// What the import tests share: two small dictionaries that meet every placement, and a
// fixture that runs an import and checks its closing notice.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "import/ImportFakes.h"
#include "import/core/ImportWords.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {

using P = Placement;

// Table rows print as their names in failure messages.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

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

// Runs imports with a recording reporter, a fixed clock and a counting progress.
class ImportWordsTest : public ::testing::Test {
  protected:
    ImportSummary run(const Dictionary& source, Dictionary& current, const ImportOptions& options,
                      DictionaryEdits& edits = DictionaryEdits::store()) {
        return importWords(source, current, options, reporter, clock, progress, edits);
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
    RecordingProgress progress;
};

}  // namespace lq::test
