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
// And the bytes: a line of many megabytes is not read to its end to tell how it is laid out.
constexpr std::size_t kSampleBytes = 1024 * 1024;

// The start of the text that detection reads: whole lines where one ends within reach, so that
// the last row it sees is whole.
std::string_view layoutSample(std::string_view text) {
    if (text.size() <= 2 * kSampleBytes) {
        return text;
    }
    const auto* lineEnd =
        static_cast<const char*>(std::memchr(text.data() + kSampleBytes, '\n', kSampleBytes));
    return text.substr(
        0, lineEnd != nullptr ? static_cast<std::size_t>(lineEnd - text.data()) + 1 : kSampleBytes);
}

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

// Whether a quoted field that is open at the start of `rest`, with no quote pending, is closed
// later on, as libcsv closes it: by a quote that is followed, after any spaces and tabs, by the
// delimiter, a line end or the end of the text. Two quotes in a row stand for one inside it.
bool quotedFieldCloses(std::string_view rest, char delimiter) {
    std::size_t at = 0;
    while (true) {
        const auto* quote =
            static_cast<const char*>(std::memchr(rest.data() + at, '"', rest.size() - at));
        if (quote == nullptr) {
            return false;
        }
        std::size_t next = static_cast<std::size_t>(quote - rest.data()) + 1;
        bool spaces = false;
        while (true) {
            if (next == rest.size()) {
                return true;
            }
            const char c = rest[next];
            if (c == delimiter || c == '\r' || c == '\n') {
                return true;
            }
            if (c == ' ' || c == '\t') {
                spaces = true;
            } else if (c == '"' && spaces) {
                spaces = false;  // a quote after spaces is kept, and the field may still end
            } else {
                break;  // an inner quote, doubled or not: the field goes on
            }
            ++next;
        }
        at = next + 1;
    }
}

// A line longer than this is handed to libcsv in pieces, so that a long field is seen while it
// grows instead of after the whole line.
constexpr std::size_t kPieceBytes = 16 * 1024;
// How far past that a piece may reach to end on a byte that leaves libcsv's state plain.
constexpr std::size_t kPieceReach = 64;

// A longer text keeps one character fewer and ends in an ellipsis, so that the cut shows.
std::string cutForPreview(std::string_view text) {
    std::size_t characters = 0;
    std::size_t keep = 0;  // the bytes of the first characters that fit beside the ellipsis
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
            continue;
        }
        if (characters == kMaxPreviewCellCharacters - 1) {
            keep = i;
        }
        if (++characters > kMaxPreviewCellCharacters) {
            return std::string(text.substr(0, keep)) + "\u2026";
        }
    }
    return std::string(text);
}

}  // namespace

std::string_view csvStopReason(CsvStop stop) {
    switch (stop) {
        case CsvStop::UnclosedQuote:
            return "a quote opened here is never closed, so the rest of the file was not read.";
        case CsvStop::LongField:
            return "a field that begins here is longer than 64 KiB, so the rest of the file was "
                   "not read.";
        case CsvStop::None:
            break;
    }
    return {};
}

std::string csvLineNote(int64_t line, std::string_view reason) {
    return "Line " + std::to_string(line) + ": " + std::string(reason);
}

CsvReader::CsvReader(std::string_view text, char delimiter, std::size_t fieldLimit)
    : text_(text),
      delimiter_(delimiter),
      fieldLimit_(fieldLimit),
      parser_(new csv_parser),
      nextLineFeed_(std::string_view::npos) {
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
    if (self.stop_ != CsvStop::None) {
        return;
    }
    if (size > self.fieldLimit_) {
        self.stopAt(CsvStop::LongField);
        return;
    }
    // The next field begins after the delimiter, on this line.
    self.fieldLine_ = self.line_;
    CsvRow& row = *self.row_;
    ++row.count_;
    if (row.ends_.size() == kMaxCsvColumns) {
        return;
    }
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

void CsvReader::stopAt(CsvStop stop) {
    stop_ = stop;
    stopLine_ = fieldLine_;
}

// The next line with its end: CR LF, LF or a CR alone. The next LF is remembered, so that a file
// whose lines end in CR alone is not searched to its end for every line.
std::string_view CsvReader::nextLine() {
    const std::string_view rest = text_.substr(position_);
    if (nextLineFeed_ == std::string_view::npos || nextLineFeed_ < position_) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(rest.data(), '\n', rest.size()));
        nextLineFeed_ =
            lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - text_.data()) : text_.size();
    }
    std::size_t end = nextLineFeed_ < text_.size() ? nextLineFeed_ + 1 - position_ : rest.size();
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

// After a byte other than a quote, a space or a tab that is no delimiter, libcsv is either
// inside a quoted field with no quote pending or not inside one, and its `quoted` flag says which.
bool CsvReader::plainByte(char c) const {
    return c != '"' && c != ' ' && (c != '\t' || delimiter_ == '\t');
}

std::size_t CsvReader::pieceEnd(std::string_view line, std::size_t start) const {
    if (line.size() - start <= kPieceBytes) {
        return line.size();
    }
    std::size_t end = start + kPieceBytes;
    const std::size_t reach = std::min(line.size(), end + kPieceReach);
    while (end < reach && !plainByte(line[end - 1])) {
        ++end;
    }
    return end;
}

void CsvReader::feed(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && stop_ == CsvStop::None) {
        const std::size_t end = pieceEnd(line, start);
        const std::size_t size = end - start;
        if (csv_parse(parser_, line.data() + start, size, &CsvReader::endField, &CsvReader::endRow,
                      this) != size ||
            outOfMemory_) {
            throw std::bad_alloc();
        }
        position_ += size;
        start = end;
        if (stop_ == CsvStop::None) {
            checkOpenField(plainByte(line[end - 1]));
        }
    }
}

// A field that has grown past the limit before its end stops the reading. When it is a quoted
// field that nothing later closes, that is what the user has to mend.
void CsvReader::checkOpenField(bool stateKnown) {
    const std::size_t held = parser_->entry_pos;
    if (held <= fieldLimit_) {
        return;
    }
    if (!stateKnown) {
        // A pending quote or trailing spaces may be held too; far past the limit, they are part of
        // a field that long as the file writes it.
        if (held > 2 * fieldLimit_) {
            stopAt(CsvStop::LongField);
        }
        return;
    }
    const bool neverClosed =
        parser_->quoted != 0 && !quotedFieldCloses(text_.substr(position_), delimiter_);
    stopAt(neverClosed ? CsvStop::UnclosedQuote : CsvStop::LongField);
}

// A line end after the last line ends its row as libcsv's end would, and settles its state: a
// field that is still quoted after it was never closed.
void CsvReader::finishText() {
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') {
        if (csv_parse(parser_, "\n", 1, &CsvReader::endField, &CsvReader::endRow, this) != 1 ||
            outOfMemory_) {
            throw std::bad_alloc();
        }
    }
    if (stop_ == CsvStop::None && parser_->quoted != 0) {
        stopAt(CsvStop::UnclosedQuote);
    }
}

const CsvRow* CsvReader::next() {
    row_ = row_ == &rows_[0] ? &rows_[1] : &rows_[0];
    row_->clear();
    rowReady_ = false;
    while (!rowReady_ && stop_ == CsvStop::None) {
        if (position_ >= text_.size()) {
            if (finished_) {
                return nullptr;
            }
            finished_ = true;
            finishText();
            break;
        }
        const std::string_view line = nextLine();
        ++line_;
        if (!rowStarted_ && !isBlank(line)) {
            rowStarted_ = true;
            row_->line_ = line_;
            fieldLine_ = line_;
        }
        feed(line);
    }
    if (outOfMemory_) {
        throw std::bad_alloc();
    }
    return rowReady_ && stop_ == CsvStop::None ? row_ : nullptr;
}

CsvPreview csvPreview(std::string_view text, char delimiter, std::size_t maxRows) {
    CsvReader reader(text, delimiter);
    CsvPreview preview;
    while (const CsvRow* row = reader.next()) {
        if (preview.rows.size() == maxRows) {
            continue;
        }
        std::vector<std::string>& cells = preview.rows.emplace_back();
        for (std::size_t i = 0; i < row->size() && i < kMaxCsvColumns; ++i) {
            cells.push_back(cutForPreview(row->field(i)));
        }
    }
    if (reader.stop() != CsvStop::None) {
        preview.note = csvLineNote(reader.stopLine(), csvStopReason(reader.stop()));
    }
    return preview;
}

char detectDelimiter(std::string_view text) {
    text = layoutSample(text);
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
    CsvReader reader(layoutSample(text), delimiter);
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
