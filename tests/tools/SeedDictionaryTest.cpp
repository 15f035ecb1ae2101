// The seeding tool that `make run` calls: the sample words become a dictionary, and a folder
// that has one already keeps it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "store/DictionaryStore.h"
#include "store/TextField.h"
#include "support/FixedClock.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"

namespace lq::test {
namespace {

const std::string kSampleWords = LQ_SOURCE_DIR "/resources/sample/sample-words.csv";

int runSeed(const std::string& words, const std::string& folder) {
    const std::string command =
        std::string("'") + LQ_SEED_TOOL + "' '" + words + "' '" + folder + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Dictionary loadSeeded(const std::string& folder) {
    RecordingReporter reporter;
    FixedClock clock;
    DictionaryStore store(DictionaryStore::ownFilePathIn(folder), reporter, clock);
    Dictionary loaded;
    EXPECT_EQ(store.loadDictionary(store.ownFilePath(), loaded), LoadStatus::Loaded);
    return loaded;
}

TEST(SeedDictionary, SampleWordsBecomeADictionaryWithEveryWordPlaced) {
    TempFolder folder;
    const std::string runFolder = folder.file("run");
    ASSERT_EQ(runSeed(kSampleWords, runFolder), 0);

    const Dictionary seeded = loadSeeded(runFolder);
    EXPECT_EQ(seeded.words.size(), 202);
    std::set<std::string> themes, languages;
    for (const ThemeRecord& theme : seeded.themes) {
        themes.emplace(fieldText(theme.name));
    }
    for (const LanguageRecord& language : seeded.languages) {
        languages.emplace(fieldText(language.name));
    }
    EXPECT_EQ(themes, (std::set<std::string>{"Food", "Home", "People", "Time", "Travel"}));
    EXPECT_EQ(languages, (std::set<std::string>{"German", "Spanish"}));
    for (const WordRecord& word : seeded.words) {
        EXPECT_FALSE(fieldText(word.transcription).empty()) << fieldText(word.word);
        EXPECT_LT(word.themeIndex, static_cast<int32_t>(seeded.themes.size()));
        EXPECT_LT(word.languageIndex, static_cast<int32_t>(seeded.languages.size()));
    }
}

TEST(SeedDictionary, AFolderWithADictionaryKeepsIt) {
    TempFolder folder;
    const std::vector<uint8_t> own = {'m', 'i', 'n', 'e'};
    writeBytes(folder.file("Lexiquill.lqd"), own);

    EXPECT_EQ(runSeed(kSampleWords, folder.path()), 0);
    EXPECT_EQ(readBytes(folder.file("Lexiquill.lqd")), own);
}

TEST(SeedDictionary, AMissingWordListMakesNoDictionary) {
    TempFolder folder;
    EXPECT_NE(runSeed(folder.file("missing.csv"), folder.path()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Lexiquill.lqd")));
}

}  // namespace
}  // namespace lq::test
