// The indexed run against the plain scans, on many small random dictionaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "import/ImportFakes.h"
#include "import/RandomDictionary.h"
#include "import/ReferenceImport.h"
#include "import/core/IndexedDictionary.h"
#include "store/DictionaryImage.h"
#include "store/TextField.h"
#include "support/RecordingReporter.h"

namespace lq::test {
namespace {

constexpr uint32_t kSeeds = 1500;

// One side of the comparison: its own reporter, clock and failing adds.
struct Side {
    explicit Side(const FailingEdits& failures) : edits(failures) {}
    FailingEdits edits;
    RecordingReporter reporter;
    TickingClock clock;
};

// Steps the run in random slices, as the window's clock cuts them, and stops it once
// `wordLimit` words are taken.
void runInSlices(ImportRun& run, int32_t wordLimit, RandomDictionaries& random) {
    while (!run.finished()) {
        const int32_t slice = 1 + random.below(4);
        const int32_t room = wordLimit - run.wordsTaken();
        run.step(std::min(slice, room));
        if (slice > room) {
            run.stop();
        }
    }
}

TEST(ImportDifferentialTest, IndexedRunGivesWhatTheScansGive) {
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomDictionaries random(seed);
        Dictionary expected = random.dictionary(4, 8, false);
        Dictionary actual = expected;
        // Two runs one after the other, the second on what the first left.
        for (int pass = 0; pass < 2; ++pass) {
            const Dictionary source = random.dictionary(4, 12, true);
            const ImportOptions options = random.options(source, expected);
            FailingEdits failures;
            failures.failingWordAdds = random.callNumbers(7);
            failures.failingThemeAdds = random.callNumbers(7);
            failures.failingLanguageAdds = random.callNumbers(7);
            const auto sourceWords = static_cast<int32_t>(source.words.size());
            const int32_t wordLimit = random.oneIn(4) ? random.below(sourceWords + 1) : sourceWords;

            Side reference(failures);
            const ReferenceRun referenceRun =
                referenceImport(source, expected, options, reference.reporter, reference.clock,
                                reference.edits, wordLimit);

            Side indexed(failures);
            ImportRun run(source, actual, options, indexed.reporter, indexed.clock, indexed.edits);
            runInSlices(run, wordLimit, random);

            ASSERT_EQ(run.summary(), referenceRun.summary) << "pass " << pass;
            ASSERT_EQ(dictionaryBytes(actual), dictionaryBytes(expected)) << "pass " << pass;
            ASSERT_EQ(indexed.reporter.shown, reference.reporter.shown) << "pass " << pass;
            ASSERT_EQ(run.wordsTaken(), referenceRun.wordsTaken) << "pass " << pass;
            ASSERT_TRUE(isConsistent(actual)) << "pass " << pass;
        }
    }
}

// The first index of every text in a table, found by one pass from index 0, plus a text
// that never occurs.
template <typename Record, std::size_t N>
std::unordered_map<std::string, int32_t> firstIndexes(const RecordTable<Record>& table,
                                                      char (Record::*field)[N]) {
    std::unordered_map<std::string, int32_t> first{{"never", kNoIndex}};
    for (std::size_t i = 0; i < table.size(); ++i) {
        first.emplace(fieldText(table[i].*field), static_cast<int32_t>(i));
    }
    return first;
}

void expectLookupsLikeScans(const IndexedDictionary& indexed) {
    const Dictionary& d = indexed.dictionary();
    for (const auto& [text, index] : firstIndexes(d.words, &WordRecord::word)) {
        ASSERT_EQ(indexed.findWord(text), index) << text;
    }
    for (const auto& [name, index] : firstIndexes(d.themes, &ThemeRecord::name)) {
        ASSERT_EQ(indexed.findTheme(name), index) << name;
    }
    for (const auto& [name, index] : firstIndexes(d.languages, &LanguageRecord::name)) {
        ASSERT_EQ(indexed.findLanguage(name), index) << name;
    }
}

// A run of random adds, deletes and put-backs, with the lookups checked after each one.
void changeAtRandom(uint32_t seed, bool fewTexts, int changes) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomDictionaries random(seed);
    auto randomWord = [&] { return random.numberedWord(fewTexts ? 3 : 400); };
    Dictionary dictionary = random.dictionary(4, 10, false);
    RecordingReporter reporter;
    IndexedDictionary indexed(dictionary, DictionaryEdits::store(), reporter);
    for (int i = 0; !fewTexts && i < 100; ++i) {
        ASSERT_TRUE(indexed.addWord(randomWord()));
    }
    const Dictionary pool = random.dictionary(4, 0, false);
    expectLookupsLikeScans(indexed);
    for (int change = 0; change < changes; ++change) {
        const auto words = static_cast<int32_t>(dictionary.words.size());
        const int32_t themes = static_cast<int32_t>(pool.themes.size());
        const int32_t languages = static_cast<int32_t>(pool.languages.size());
        switch (random.below(6)) {
            case 0:
                if (themes > 0) {
                    indexed.addTheme(pool.themes[random.below(themes)]);
                }
                break;
            case 1:
                if (languages > 0) {
                    indexed.addLanguage(pool.languages[random.below(languages)]);
                }
                break;
            case 2:
            case 3:
                ASSERT_TRUE(indexed.addWord(randomWord()));
                break;
            case 4:
                if (words > 0) {
                    ASSERT_TRUE(indexed.deleteWord(random.below(words)));
                }
                break;
            default:
                if (words > 0) {
                    const int32_t index = random.below(words);
                    const Dictionary before = dictionary;
                    const WordRecord removed = dictionary.words[index];
                    ASSERT_TRUE(indexed.deleteWord(index));
                    expectLookupsLikeScans(indexed);
                    ASSERT_TRUE(indexed.putBackWord(index, removed));
                    ASSERT_EQ(dictionaryBytes(dictionary), dictionaryBytes(before));
                }
                break;
        }
        expectLookupsLikeScans(indexed);
    }
}

// Few texts: every text many times over. Many texts: long probe runs in the hash table.
TEST(IndexedDictionaryTest, LookupsAnswerLikeScansAfterEveryChange) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        changeAtRandom(seed, true, 60);
    }
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        changeAtRandom(seed, false, 150);
    }
}

}  // namespace
}  // namespace lq::test
