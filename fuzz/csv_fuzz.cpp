// Any bytes offered as a CSV file: detection, conversion, the reader, the preview and an import
// run must refuse or take them without reading outside their input, and what the run adds must
// keep the dictionary's invariants, fit its fields and hold no control character. A reader that
// stops at a short field agrees with one that reads on about the rows before and about a quote
// never closed.
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

bool sameRow(const lq::CsvRow& a, const lq::CsvRow& b) {
    if (a.line() != b.line() || a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size() && i < lq::kMaxCsvColumns; ++i) {
        if (a.field(i) != b.field(i)) {
            return false;
        }
    }
    return true;
}

// The early reader decides about a long quoted field by looking ahead for its closing quote; the
// other one lets libcsv reach the end of the text.
void compareEarlyStop(std::string_view text, char delimiter) {
    lq::CsvReader onward(text, delimiter);
    lq::CsvReader early(text, delimiter, 16);
    while (const lq::CsvRow* row = early.next()) {
        const lq::CsvRow* same = onward.next();
        require(same != nullptr && sameRow(*row, *same));
    }
    require(early.stop() != lq::CsvStop::None || onward.next() == nullptr);
    while (onward.next() != nullptr) {
    }
    if (early.stop() == lq::CsvStop::UnclosedQuote) {
        require(onward.stop() == lq::CsvStop::UnclosedQuote &&
                onward.stopLine() == early.stopLine());
    }
    if (onward.stop() == lq::CsvStop::UnclosedQuote) {
        require(early.stop() != lq::CsvStop::None && early.stopLine() <= onward.stopLine());
    }
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// As the import refuses them: C0 but the tab, DEL, C1.
bool holdsControlCharacter(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F ||
            (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0)) {
            return true;
        }
    }
    return false;
}

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
    compareEarlyStop(text, layout.delimiter);
    const lq::CsvPreview preview = lq::csvPreview(text, layout.delimiter, 9);
    require(preview.rows.size() <= 9);
    for (const auto& row : preview.rows) {
        require(row.size() <= lq::kMaxCsvColumns);
        for (const std::string& cell : row) {
            require(lq::isValidUtf8(cell) && characterCount(cell) <= lq::kMaxPreviewCellCharacters);
        }
    }

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
    const lq::CsvImportSummary& summary = run.summary();
    // Only a field too long leaves bytes unread, and then the run says so.
    require(run.finished() && (run.bytesRead() == text.size() || summary.restUnread));

    require(lq::isConsistent(current));
    // Every row is either taken or refused with a reason.
    require(summary.rowsRead == summary.wordsAdded + static_cast<int32_t>(summary.refused.size()));
    for (const lq::WordRecord& word : current.words) {
        require(!lq::fieldText(word.word).empty() && !lq::fieldText(word.translation).empty());
        require(lq::isValidUtf8(lq::fieldText(word.word)));
        require(lq::isValidUtf8(lq::fieldText(word.translation)));
        for (const std::string_view text :
             {lq::fieldText(word.word), lq::fieldText(word.translation),
              lq::fieldText(word.transcription)}) {
            require(!holdsControlCharacter(text));
        }
        require(word.rightCount >= 0 && word.rightCount <= word.testedCount);
    }
    for (const lq::ThemeRecord& theme : current.themes) {
        require(!holdsControlCharacter(lq::fieldText(theme.name)));
    }
    for (const lq::LanguageRecord& language : current.languages) {
        require(!holdsControlCharacter(lq::fieldText(language.name)));
    }
    return 0;
}
