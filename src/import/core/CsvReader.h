// Reading the rows of a CSV or tab-separated text with libcsv, and guessing how a file is laid
// out: its delimiter, whether its first row names the columns, which column holds which field.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/core/CsvFormat.h"

struct csv_parser;

namespace lq {

// No field of the dictionary takes more than 63 bytes; a field longer than this ends the reading,
// so that a file that is one endless field can't take the memory or the time it would need.
inline constexpr std::size_t kMaxCsvFieldBytes = 64 * 1024;
// A row keeps this many fields at most; the others are counted. The import dialog offers no more
// columns, and a line of a million empty fields then takes no more memory than a short one.
inline constexpr std::size_t kMaxCsvColumns = 64;

// One row: its fields and the line of the text on which it begins (from 1). A field of a row
// that is shorter than another row is empty, and so is a field past the kept ones.
class CsvRow {
  public:
    int64_t line() const { return line_; }
    // The fields of the row, the ones not kept too.
    std::size_t size() const { return count_; }
    std::string_view field(std::size_t index) const {
        if (index >= ends_.size()) {
            return {};
        }
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(texts_).substr(start, ends_[index] - start);
    }

  private:
    friend class CsvReader;
    void clear() {
        texts_.clear();
        ends_.clear();
        count_ = 0;
    }

    int64_t line_ = 0;
    std::size_t count_ = 0;
    // The fields one after the other, and where each ends. Kept between rows, so that a long
    // file is read without taking memory for every row.
    std::string texts_;
    std::vector<std::size_t> ends_;
};

// Why a reader ended before the end of its text.
enum class CsvStop {
    None,           // it read the whole text
    UnclosedQuote,  // a quoted field runs to the end of the text
    LongField,      // a field is longer than the reader's limit
};

// The reason a refusal gives for a stop, to follow "Line N: ".
std::string_view csvStopReason(CsvStop stop);
// "Line N: reason", as the import's summary and the preview name a refused row.
std::string csvLineNote(int64_t line, std::string_view reason);

// The rows of a UTF-8 text, one after the other. Quoted fields follow RFC 4180 (inner quotes
// doubled, CR and LF allowed inside); spaces around an unquoted field are dropped, as
// spreadsheets drop them. Rows end at CR LF, LF or CR; blank lines hold no row.
// A quote that is never closed, or a field longer than `fieldLimit` bytes, ends the reading at
// the row that holds it: that row and the rest of the text give no rows, and stop() says why.
class CsvReader {
  public:
    // The text must outlive the reader.
    CsvReader(std::string_view text, char delimiter, std::size_t fieldLimit = kMaxCsvFieldBytes);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // The next row; nullptr after the last. A row stays valid until the second call after the
    // one that gave it, so that a reader of rows may look one row ahead. Throws std::bad_alloc.
    const CsvRow* next();
    // How many bytes of the text have been read: all of them, unless a long field stopped it.
    std::size_t position() const { return position_; }
    // Once next() has given nullptr: why the text was not read to its end, and the line on which
    // the field that stopped it begins.
    CsvStop stop() const { return stop_; }
    int64_t stopLine() const { return stopLine_; }

  private:
    static void endField(void* data, std::size_t size, void* reader);
    static void endRow(int terminator, void* reader);
    std::string_view nextLine();
    bool isBlank(std::string_view line) const;
    void feed(std::string_view line);
    std::size_t pieceEnd(std::string_view line, std::size_t start) const;
    bool plainByte(char c) const;
    void checkOpenField(bool stateKnown);
    void finishText();
    void stopAt(CsvStop stop);

    std::string_view text_;
    char delimiter_;
    std::size_t fieldLimit_;
    csv_parser* parser_;
    std::size_t position_ = 0;
    std::size_t nextLineFeed_ = 0;  // where the next LF is, or the text's size when none is left
    int64_t line_ = 0;
    int64_t fieldLine_ = 0;  // the line on which the field being read begins
    bool rowStarted_ = false;
    bool rowReady_ = false;
    bool finished_ = false;
    bool outOfMemory_ = false;
    CsvStop stop_ = CsvStop::None;
    int64_t stopLine_ = 0;
    // The rows are filled by turns; `row_` is the one being filled.
    CsvRow rows_[2];
    CsvRow* row_ = &rows_[0];
};

// A preview cell shows this many characters at most; a longer text ends in "…" within them.
inline constexpr std::size_t kMaxPreviewCellCharacters = 200;

// What a preview shows of a text: its first rows, and where and why reading ends early.
struct CsvPreview {
    std::vector<std::vector<std::string>> rows;  // at most the rows asked for
    std::string note;  // csvLineNote of the stop; empty when the whole text reads
};

// Reads the whole text, so that a stop far down is known before the import; keeps the first
// `maxRows` rows, each cell cut to kMaxPreviewCellCharacters. Throws std::bad_alloc.
CsvPreview csvPreview(std::string_view text, char delimiter, std::size_t maxRows);

// Which column (from 0) holds each field; kNoColumn for a field the file does not have.
inline constexpr int32_t kNoColumn = -1;
using CsvColumns = std::array<int32_t, kCsvFieldCount>;

inline int32_t& columnOf(CsvColumns& columns, CsvField field) {
    return columns[static_cast<std::size_t>(field)];
}
inline int32_t columnOf(const CsvColumns& columns, CsvField field) {
    return columns[static_cast<std::size_t>(field)];
}

// How a text is to be read, as far as it can be told from the text.
struct CsvLayout {
    char delimiter = kComma;
    bool headerRow = false;
    CsvColumns columns{};
};

// Detection reads the first 50 rows, and no more than about the first MiB of the text.
// The delimiter whose rows agree best on their number of fields; a first row that names the
// export's columns settles it. Ties go to tab, then semicolon, then comma, since a comma is the
// likeliest of the three to stand inside a text.
char detectDelimiter(std::string_view text);
// Whether the row names at least two of the export's columns (letter case aside).
bool namesColumns(const CsvRow& row);
// The columns as a header row names them; unnamed fields have none.
CsvColumns columnsNamedBy(const CsvRow& row);
// Without a header row the columns are taken in the export's order: a two-column list is word
// and translation.
CsvColumns columnsInExportOrder(std::size_t columnCount);
// Delimiter, header row and columns of the text.
CsvLayout detectLayout(std::string_view text);
// The header row and columns of the text read with this delimiter.
CsvLayout layoutWithDelimiter(std::string_view text, char delimiter);

}  // namespace lq
