#include "import/core/CsvReader.h"

#include <csv.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <new>

namespace lq {

namespace {

// The rows that delimiter and header detection look at.
constexpr std::size_t kSampleRows = 50;

bool sameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        return lower(x) == lower(y);
    });
}

// The export's column of a header cell, or nothing.
int32_t namedField(std::string_view cell) {
    for (std::size_t field = 0; field < kCsvFieldCount; ++field) {
        if (sameLetters(cell, csvFieldName(static_cast<CsvField>(field)))) {
            return static_cast<int32_t>(field);
        }
    }
    return kNoColumn;
}

struct DelimiterScore {
    bool namesColumns = false;
    std::size_t agreeingRows = 0;

    auto operator<=>(const DelimiterScore&) const = default;
};

DelimiterScore scoreDelimiter(std::string_view text, char delimiter) {
    CsvReader reader(text, delimiter);
    DelimiterScore score;
    std::map<std::size_t, std::size_t> rowsWithFieldCount;
    for (std::size_t rows = 0; rows < kSampleRows; ++rows) {
        const CsvRow* row = reader.next();
        if (row == nullptr) {
            break;
        }
        if (rows == 0) {
            score.namesColumns = namesColumns(*row);
        }
        ++rowsWithFieldCount[row->size()];
    }
    for (const auto& [fields, rows] : rowsWithFieldCount) {
        // A delimiter that splits nothing tells nothing.
        if (fields > 1 && rows >= score.agreeingRows) {
            score.agreeingRows = rows;
        }
    }
    return score;
}

}  // namespace

CsvReader::CsvReader(std::string_view text, char delimiter)
    : text_(text), delimiter_(delimiter), parser_(new csv_parser) {
    if (csv_init(parser_, 0) != 0) {
        delete parser_;
        throw std::bad_alloc();
    }
    csv_set_delim(parser_, static_cast<unsigned char>(delimiter));
}

CsvReader::~CsvReader() {
    csv_free(parser_);
    delete parser_;
}

// libcsv is C: nothing may be thrown through it, so a failed copy is noted and thrown later.
void CsvReader::endField(void* data, std::size_t size, void* reader) {
    auto& self = *static_cast<CsvReader*>(reader);
    CsvRow& row = *self.row_;
    try {
        // libcsv hands no data for an empty field.
        if (size != 0) {
            row.texts_.append(static_cast<const char*>(data), size);
        }
        row.ends_.push_back(row.texts_.size());
    } catch (const std::bad_alloc&) {
        self.outOfMemory_ = true;
    }
}

void CsvReader::endRow(int, void* reader) {
    auto& self = *static_cast<CsvReader*>(reader);
    self.rowReady_ = true;
    self.rowStarted_ = false;
}

// The next line with its end: CR LF, LF or a CR alone.
std::string_view CsvReader::nextLine() {
    const std::string_view rest = text_.substr(position_);
    const auto* lineFeed = static_cast<const char*>(std::memchr(rest.data(), '\n', rest.size()));
    std::size_t end =
        lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - rest.data()) + 1 : rest.size();
    const auto* carriageReturn = static_cast<const char*>(std::memchr(rest.data(), '\r', end));
    if (carriageReturn != nullptr) {
        const auto at = static_cast<std::size_t>(carriageReturn - rest.data());
        end = at + 1 < rest.size() && rest[at + 1] == '\n' ? at + 2 : at + 1;
    }
    return rest.substr(0, end);
}

// What libcsv skips before a row: spaces, tabs unless they delimit, and line ends.
bool CsvReader::isBlank(std::string_view line) const {
    for (const char c : line) {
        const bool space = c == ' ' || (c == '\t' && delimiter_ != '\t');
        if (!space && c != '\r' && c != '\n') {
            return false;
        }
    }
    return true;
}

const CsvRow* CsvReader::next() {
    row_ = row_ == &rows_[0] ? &rows_[1] : &rows_[0];
    row_->clear();
    rowReady_ = false;
    while (!rowReady_) {
        if (position_ >= text_.size()) {
            if (finished_) {
                return nullptr;
            }
            finished_ = true;
            csv_fini(parser_, &CsvReader::endField, &CsvReader::endRow, this);
            break;
        }
        const std::string_view line = nextLine();
        position_ += line.size();
        ++line_;
        if (!rowStarted_ && !isBlank(line)) {
            rowStarted_ = true;
            row_->line_ = line_;
        }
        if (csv_parse(parser_, line.data(), line.size(), &CsvReader::endField, &CsvReader::endRow,
                      this) != line.size() ||
            outOfMemory_) {
            throw std::bad_alloc();
        }
    }
    if (outOfMemory_) {
        throw std::bad_alloc();
    }
    return rowReady_ ? row_ : nullptr;
}

std::vector<std::vector<std::string>> csvPreviewRows(std::string_view text, char delimiter,
                                                     std::size_t maxRows) {
    CsvReader reader(text, delimiter);
    std::vector<std::vector<std::string>> rows;
    while (rows.size() < maxRows) {
        const CsvRow* row = reader.next();
        if (row == nullptr) {
            break;
        }
        std::vector<std::string>& fields = rows.emplace_back();
        for (std::size_t i = 0; i < row->size(); ++i) {
            fields.emplace_back(row->field(i));
        }
    }
    return rows;
}

char detectDelimiter(std::string_view text) {
    char best = kTab;
    DelimiterScore bestScore = scoreDelimiter(text, kTab);
    for (const char delimiter : {kSemicolon, kComma}) {
        const DelimiterScore score = scoreDelimiter(text, delimiter);
        if (score > bestScore) {
            best = delimiter;
            bestScore = score;
        }
    }
    return bestScore == DelimiterScore{} ? kComma : best;
}

bool namesColumns(const CsvRow& row) {
    const CsvColumns columns = columnsNamedBy(row);
    return std::count_if(columns.begin(), columns.end(),
                         [](int32_t column) { return column != kNoColumn; }) >= 2;
}

CsvColumns columnsNamedBy(const CsvRow& row) {
    CsvColumns columns;
    columns.fill(kNoColumn);
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int32_t field = namedField(row.field(i));
        if (field != kNoColumn && columns[static_cast<std::size_t>(field)] == kNoColumn) {
            columns[static_cast<std::size_t>(field)] = static_cast<int32_t>(i);
        }
    }
    return columns;
}

CsvColumns columnsInExportOrder(std::size_t columnCount) {
    CsvColumns columns;
    for (std::size_t field = 0; field < kCsvFieldCount; ++field) {
        columns[field] = field < columnCount ? static_cast<int32_t>(field) : kNoColumn;
    }
    return columns;
}

CsvLayout layoutWithDelimiter(std::string_view text, char delimiter) {
    CsvLayout layout;
    layout.delimiter = delimiter;
    CsvReader reader(text, delimiter);
    const CsvRow* first = reader.next();
    if (first == nullptr) {
        layout.columns = columnsInExportOrder(0);
        return layout;
    }
    layout.headerRow = namesColumns(*first);
    layout.columns =
        layout.headerRow ? columnsNamedBy(*first) : columnsInExportOrder(first->size());
    return layout;
}

CsvLayout detectLayout(std::string_view text) {
    return layoutWithDelimiter(text, detectDelimiter(text));
}

}  // namespace lq
