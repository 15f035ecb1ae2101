// Any bytes offered as a CSV file: detection, conversion, the reader and an import run must
// refuse or take them without reading outside their input, and what the run adds must keep the
// dictionary's invariants and fit its fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "import/core/CsvImport.h"
#include "import/core/CsvReader.h"
#include "import/core/TextFileEncoding.h"
#include "store/DictionaryImage.h"
#include "store/Edits.h"
#include "store/TextEncoding.h"
#include "store/TextField.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class QuietReporter : public lq::Reporter {
  public:
    void showError(std::string_view, std::string_view) override {}
    void showInformation(std::string_view) override {}
    bool askWarning(std::string_view, bool) override { return false; }
    void showNewDictionary(std::string_view) override {}
};

class StillClock : public lq::Clock {
  public:
    lq::SYSTEMTIME localTime() const override { return {2007, 3, 1, 5, 9, 7, 3, 250}; }
    int64_t secondsSinceEpoch() const override { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // UTF-8 input is read in place, as the import reads a file's bytes.
    std::string encoding;
    std::string converted;
    std::string_view text;
    if (lq::detectAndDecode(bytes, encoding, converted, text) != lq::DecodeStatus::Decoded) {
        return 0;
    }
    require(lq::isValidUtf8(text));
    const lq::CsvLayout layout = lq::detectLayout(text);

    QuietReporter reporter;
    StillClock clock;
    lq::Dictionary current;
    lq::addTheme(current, lq::makeThemeRecord("Theme"), reporter);
    lq::addLanguage(current, lq::makeLanguageRecord("Language"), reporter);
    lq::CsvImportOptions options;
    options.targetTheme = 0;
    options.targetLanguage = 0;
    options.shortenLongTexts = (size & 1) != 0;
    options.overwriteExisting = (size & 2) != 0;
    lq::CsvImportRun run(text, layout, current, options, reporter, clock);
    run.step(std::numeric_limits<int32_t>::max());
    require(run.finished() && run.bytesRead() == text.size());

    require(lq::isConsistent(current));
    const lq::CsvImportSummary& summary = run.summary();
    // Every row is either taken or refused with a reason.
    require(summary.rowsRead == summary.wordsAdded + static_cast<int32_t>(summary.refused.size()));
    for (const lq::WordRecord& word : current.words) {
        require(!lq::fieldText(word.word).empty() && !lq::fieldText(word.translation).empty());
        require(lq::isValidUtf8(lq::fieldText(word.word)));
        require(lq::isValidUtf8(lq::fieldText(word.translation)));
        require(word.rightCount >= 0 && word.rightCount <= word.testedCount);
    }
    return 0;
}
