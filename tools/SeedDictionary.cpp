// Makes a dictionary from a word list in CSV, so that a first start has words to try:
//   lexiquill-seed WORDS.csv FOLDER
// writes FOLDER/Lexiquill.lqd through the same CSV import as "File > Import words from a CSV
// file...", with missing themes and languages added. A folder that has a dictionary already
// is left alone, so a learner's own words are never replaced.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "import/core/CsvFile.h"
#include "store/Clock.h"
#include "store/DictionaryStore.h"
#include "store/Reporter.h"

namespace {

class ConsoleReporter final : public lq::Reporter {
  public:
    void showError(std::string_view message, std::string_view howToFix) override {
        std::fprintf(stderr, "lexiquill-seed: %.*s %.*s\n", static_cast<int>(message.size()),
                     message.data(), static_cast<int>(howToFix.size()), howToFix.data());
    }
    void showInformation(std::string_view message) override {
        std::printf("%.*s\n", static_cast<int>(message.size()), message.data());
    }
    bool askWarning(std::string_view, bool) override { return false; }
    void showNewDictionary(std::string_view) override {}
};

int seed(const std::string& wordsPath, const std::string& folder) {
    const std::string dictionaryPath = lq::DictionaryStore::ownFilePathIn(folder);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(dictionaryPath, error))) {
        return 0;
    }
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "lexiquill-seed: can't make the folder %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return 1;
    }

    ConsoleReporter reporter;
    lq::SystemClock clock;
    lq::DictionaryStore store(dictionaryPath, reporter, clock);
    store.currentDictionary.header = lq::newDictionaryHeader(clock.localTime());
    lq::CsvImportOptions options;  // themes and languages added as the rows name them
    if (!lq::importCsvFile(wordsPath, options, store.currentDictionary,
                           lq::DictionaryEdits::store(), reporter, clock)) {
        return 1;
    }
    return store.saveDictionary() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lexiquill-seed WORDS.csv FOLDER\n");
        return 2;
    }
    return seed(argv[1], argv[2]);
}
