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

// One row: its fields and the line of the text on which it begins (from 1). A field of a row
// that is shorter than another row is empty.
class CsvRow {
  public:
    int64_t line() const { return line_; }
    std::size_t size() const { return ends_.size(); }
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
    }

    int64_t line_ = 0;
    // The fields one after the other, and where each ends. Kept between rows, so that a long
    // file is read without taking memory for every row.
    std::string texts_;
    std::vector<std::size_t> ends_;
};

// The rows of a UTF-8 text, one after the other. Quoted fields follow RFC 4180 (inner quotes
// doubled, CR and LF allowed inside); spaces around an unquoted field are dropped, as
// spreadsheets drop them. Rows end at CR LF, LF or CR; blank lines hold no row.
class CsvReader {
  public:
    // The text must outlive the reader.
    CsvReader(std::string_view text, char delimiter);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // The next row; nullptr after the last. A row stays valid until the second call after the
    // one that gave it, so that a reader of rows may look one row ahead. Throws std::bad_alloc.
    const CsvRow* next();
    // How many bytes of the text have been read.
    std::size_t position() const { return position_; }

  private:
    static void endField(void* data, std::size_t size, void* reader);
    static void endRow(int terminator, void* reader);
    std::string_view nextLine();
    bool isBlank(std::string_view line) const;

    std::string_view text_;
    char delimiter_;
    csv_parser* parser_;
    std::size_t position_ = 0;
    int64_t line_ = 0;
    bool rowStarted_ = false;
    bool rowReady_ = false;
    bool finished_ = false;
    bool outOfMemory_ = false;
    // The rows are filled by turns; `row_` is the one being filled.
    CsvRow rows_[2];
    CsvRow* row_ = &rows_[0];
};

// The first rows of a text, for a preview; at most `maxRows`.
std::vector<std::vector<std::string>> csvPreviewRows(std::string_view text, char delimiter,
                                                     std::size_t maxRows);

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
