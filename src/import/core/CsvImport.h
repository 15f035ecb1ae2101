// Importing the rows of a CSV or tab-separated text into the current dictionary. Each row is
// one word; a row that can't be taken as it is is refused with its line and the reason, and
// leaves the dictionary as it was. A quote never closed or a field too long ends the reading:
// the row that holds it is refused, and the rows after it are not read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/core/CsvReader.h"
#include "import/core/DictionaryEdits.h"
#include "import/core/ImportWords.h"
#include "import/core/IndexedDictionary.h"
#include "import/core/RecentNames.h"
#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"

namespace lq {

struct CsvImportOptions {
    // A row that names a theme: IntoExisting puts it into the target all the same; AddNew and
    // Skip match the name and add or refuse a theme that is missing. A row that names none
    // goes into the target in every case.
    Placement themePlacement = Placement::AddNew;
    int32_t targetTheme = kNoIndex;  // current theme index; kNoIndex when there is none
    Placement languagePlacement = Placement::AddNew;
    int32_t targetLanguage = kNoIndex;
    bool overwriteExisting = false;
    // Texts longer than their field are cut at a character boundary instead of refused.
    bool shortenLongTexts = false;
};

struct RefusedRow {
    int64_t line;
    std::string reason;

    bool operator==(const RefusedRow&) const = default;
};

struct CsvImportSummary {
    int32_t rowsRead = 0;  // the header row aside
    int32_t wordsAdded = 0;
    int32_t wordsOverwritten = 0;
    int32_t themesAdded = 0;
    int32_t languagesAdded = 0;
    int32_t textsShortened = 0;
    bool allocationFailed = false;
    std::vector<RefusedRow> refused;  // in the order of the file
    // The last refused row ended the reading: the rest of the text was not read.
    bool restUnread = false;

    bool operator==(const CsvImportSummary&) const = default;
};

// The notice that closes a run: the counts, then the first refused rows with their reasons, and
// always the row that ended the reading early.
std::string csvImportSummaryText(const CsvImportSummary& summary, const Dictionary& current);

// One run over the rows of a UTF-8 text in file order, advanced a slice at a time like ImportRun
// and stopped between two slices when the user asks. The dictionary changes only through
// `edits`. The text and the dictionary must outlive the run, and the dictionary must change only
// through it meanwhile. Throws std::bad_alloc when a row can't be read for lack of memory.
class CsvImportRun {
  public:
    CsvImportRun(std::string_view text, const CsvLayout& layout, Dictionary& current,
                 const CsvImportOptions& options, Reporter& reporter, const Clock& clock,
                 DictionaryEdits& edits = DictionaryEdits::store());

    // Takes up to `rowCount` more rows; after the last one the run ends and shows the summary.
    // Returns finished().
    bool step(int32_t rowCount);
    // Ends the run before its next row and shows the summary; an ended run stays as it is.
    void stop();
    bool finished() const { return finished_; }
    const CsvImportSummary& summary() const { return summary_; }
    // The progress range in bytes of the text, and how far the run has come in it.
    std::size_t totalBytes() const { return totalBytes_; }
    std::size_t bytesRead() const { return reader_.position(); }

  private:
    struct RowTexts;
    struct Side;

    const CsvRow* takeRow();
    void importRow(const CsvRow& row);
    int32_t findNamed(const Side& side) const;
    std::string_view cell(const CsvRow& row, CsvField field) const;
    bool plainTexts(const RowTexts& texts, std::string& reason) const;
    bool fitTexts(RowTexts& texts, std::string& reason) const;
    bool readCounts(const CsvRow& row, WordRecord& word, std::string& reason) const;
    bool readCreated(const CsvRow& row, WordRecord& word, std::string& reason) const;
    bool choosePlace(Side& side, std::string& reason) const;
    bool addMissing(Side& side);
    void refuse(int64_t line, std::string reason);
    void endReading();
    void finish();

    CsvReader reader_;
    CsvLayout layout_;
    std::size_t expectedRows_;  // sizes the word table and its index before current_ is made
    IndexedDictionary current_;
    CsvImportOptions options_;
    Reporter& reporter_;
    SYSTEMTIME startTime_;
    CsvImportSummary summary_;
    std::size_t totalBytes_;
    bool headerPending_;
    bool finished_ = false;
    bool started_ = false;
    const CsvRow* ahead_ = nullptr;  // the row after the one being imported
    // The word index's hashes of the two rows' words, worked out once for lookup and add.
    uint32_t rowHash_ = 0;
    uint32_t aheadHash_ = 0;
    mutable RecentNames recentThemes_;
    mutable RecentNames recentLanguages_;
};

}  // namespace lq
