// An import run recorded as one step: taken back and again, on many small random dictionaries.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "import/ImportFakes.h"
#include "import/RandomDictionary.h"
#include "import/core/RecordingEdits.h"
#include "store/DictionaryImage.h"
#include "support/KeptSteps.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

constexpr uint32_t kSeeds = 1000;

// Overwrites, failed adds (and the words put back after them), new themes and languages: one
// run is one step, and taking it back gives the bytes from before the run.
TEST(RecordingEditsTest, ARunIsOneStepThatTakesTheDictionaryBackAndForth) {
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomDictionaries random(seed);
        Dictionary current = random.dictionary(4, 10, false);
        const Dictionary source = random.dictionary(4, 12, true);
        ImportOptions options = random.options(source, current);
        options.overwriteExisting = !random.oneIn(3);
        FailingEdits failures;
        failures.failingWordAdds = random.callNumbers(6);
        failures.failingThemeAdds = random.callNumbers(6);
        failures.failingLanguageAdds = random.callNumbers(6);
        RecordingReporter reporter;
        TickingClock clock;
        KeptSteps log;
        const std::vector<uint8_t> before = dictionaryBytes(current);
        {
            RecordingEdits edits(log, "Import words", failures);
            ImportRun run(source, current, options, reporter, clock, edits);
            run.step(run.totalWords());
            ASSERT_TRUE(log.changes.empty()) << "the step is added when the edits go";
        }
        const std::vector<uint8_t> after = dictionaryBytes(current);
        if (after == before) {
            continue;
        }
        ASSERT_EQ(log.changes.size(), 1u);
        EXPECT_EQ(log.names.front(), "Import words");
        DictionaryChange& change = log.changes.front();
        change.revert(current);
        ASSERT_EQ(dictionaryBytes(current), before);
        change.apply(current);
        ASSERT_EQ(dictionaryBytes(current), after);
    }
}

}  // namespace
}  // namespace lq::test
