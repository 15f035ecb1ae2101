#include "import/core/CsvImport.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <utility>

#include "store/Edits.h"
#include "store/TextField.h"

namespace lq {

namespace {

// The refused rows the closing notice lists at most; the rest are counted. The notice also stays
// well within the 1024 characters a message dialog takes.
constexpr std::size_t kListedRefusals = 15;
constexpr std::size_t kSummaryBytes = 960;
// How much of a bad date a reason quotes.
constexpr std::size_t kQuotedDateBytes = 40;

// The longest start of the text that fits `limit` bytes and ends between two characters.
std::string_view cutAtCharacter(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

// Whether any of eight bytes is below 0x20 or from 0x7F up: a C0 control (or the tab), DEL, or
// a byte of a character beyond ASCII. Texts are mostly printable ASCII and pass eight at a time.
bool maybeControl(uint64_t bytes) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHighBits = 0x8080808080808080;
    const uint64_t below20 = (bytes - 0x20 * kOnes) & ~bytes & kHighBits;
    const uint64_t from7F = ((bytes + kOnes) | bytes) & kHighBits;
    return (below20 | from7F) != 0;
}

// C0 controls but the tab, DEL, and the C1 controls U+0080 to U+009F (C2 80 to C2 9F in UTF-8):
// in a stored text they would reach a terminal or split a line of a report.
bool holdsControlCharacter(std::string_view text) {
    std::size_t i = 0;
    for (uint64_t eight = 0; i + 8 <= text.size(); i += 8) {
        std::memcpy(&eight, text.data() + i, 8);
        if (maybeControl(eight)) {
            break;
        }
    }
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F) {
            return true;
        }
        if (c == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                return true;
            }
        }
    }
    return false;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// An empty cell counts nothing.
std::optional<int32_t> readCount(std::string_view text, std::string_view name,
                                 std::string& reason) {
    if (text.empty()) {
        return 0;
    }
    if (text.front() == '-' && allDigits(text.substr(1))) {
        reason = "The " + std::string(name) + " are negative.";
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > std::numeric_limits<int32_t>::max()) {
            reason = "The " + std::string(name) + " are not a count.";
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        reason = "The " + std::string(name) + " are not a count.";
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

// How many of the first lines the row guess measures, and where they end (the text's size when
// it has no more). Fewer lines than asked for means the text has no more.
struct LineSample {
    std::size_t lines = 0;
    std::size_t bytes = 0;
};

LineSample sampleLines(std::string_view text, char lineEnd, std::size_t maxLines) {
    LineSample sample;
    while (sample.lines < maxLines && sample.bytes < text.size()) {
        const void* end =
            std::memchr(text.data() + sample.bytes, lineEnd, text.size() - sample.bytes);
        sample.bytes =
            end != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(end) - text.data()) + 1
                : text.size();
        ++sample.lines;
    }
    return sample;
}

// The rows to make room for, from the length of the first lines: rows run from ten bytes in a
// word list to a hundred in an export, and room for far too many words costs as much as growing
// the table. An eighth more is allowed for shorter lines later on; a guess too low only grows.
// Lines end in LF or CR LF, or in a lone CR in files from old Macs.
std::size_t expectedRows(std::string_view text) {
    constexpr std::size_t kSampleLines = 100;
    LineSample sample = sampleLines(text, '\n', kSampleLines);
    if (sample.lines == 1 && sample.bytes == text.size()) {
        sample = sampleLines(text, '\r', kSampleLines);
    }
    if (sample.bytes == 0 || sample.bytes >= text.size()) {
        return sample.lines;
    }
    const std::size_t rows = text.size() / sample.bytes * sample.lines +
                             text.size() % sample.bytes * sample.lines / sample.bytes;
    return rows + rows / 8;
}

template <typename Record>
bool inTable(const RecordTable<Record>& table, int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

}  // namespace

struct CsvImportRun::RowTexts {
    std::string_view word;
    std::string_view translation;
    std::string_view transcription;
    std::string_view theme;
    std::string_view language;
    int32_t shortened = 0;
};

struct CsvImportRun::Side {
    bool isTheme;
    std::string_view name;
    Placement placement;
    int32_t target;
    int32_t place = kNoIndex;
    bool addPending = false;

    std::string noun() const { return isTheme ? "theme" : "language"; }
};

std::string csvImportSummaryText(const CsvImportSummary& summary, const Dictionary& current) {
    const auto number = [](auto value) { return std::to_string(value); };
    std::string text = "Rows read: " + number(summary.rowsRead);
    text += "\nWords added: " + number(summary.wordsAdded) + " (now " +
            number(current.words.size()) + "), overwritten: " + number(summary.wordsOverwritten);
    text += "\nThemes added: " + number(summary.themesAdded) + " (now " +
            number(current.themes.size()) + ")";
    text += "\nLanguages added: " + number(summary.languagesAdded) + " (now " +
            number(current.languages.size()) + ")";
    text += "\nRows refused: " + number(summary.refused.size());
    if (summary.textsShortened > 0) {
        text += "\nTexts shortened: " + number(summary.textsShortened);
    }
    if (summary.allocationFailed) {
        text += "\nMemory ran out: some rows were not imported.";
    }
    if (!summary.refused.empty()) {
        text += "\n";
        // The row that ended the reading is always named: it says why the later rows are missing.
        std::string ending;
        std::size_t listable = summary.refused.size();
        if (summary.restUnread) {
            --listable;
            const RefusedRow& last = summary.refused.back();
            ending = "\n" + csvLineNote(last.line, last.reason);
        }
        // Room is kept for the closing count.
        const std::size_t room =
            kSummaryBytes - std::min(kSummaryBytes, text.size() + 32 + ending.size());
        std::string listed;
        std::size_t shown = 0;
        for (; shown < listable && shown < kListedRefusals; ++shown) {
            const RefusedRow& row = summary.refused[shown];
            const std::string line = "\n" + csvLineNote(row.line, row.reason);
            if (listed.size() + line.size() > room) {
                break;
            }
            listed += line;
        }
        text += listed;
        if (listable > shown) {
            text += "\n... and " + number(listable - shown) + " more.";
        }
        text += ending;
    }
    return text;
}

CsvImportRun::CsvImportRun(std::string_view text, const CsvLayout& layout, Dictionary& current,
                           const CsvImportOptions& options, Reporter& reporter, const Clock& clock,
                           DictionaryEdits& edits)
    : reader_(text, layout.delimiter),
      layout_(layout),
      expectedRows_(expectedRows(text)),
      current_(current, edits, reporter, expectedRows_),
      options_(options),
      reporter_(reporter),
      // One reading for the whole run: every word that brings no time of its own gets this.
      startTime_(clock.localTime()),
      totalBytes_(text.size()),
      headerPending_(layout.headerRow) {
    // Room for the words to come, so that the table is not copied again and again as it grows.
    // Only the capacity changes; a table that can't have it grows as it goes.
    try {
        current.words.reserve(current.words.size() + expectedRows_);
    } catch (const std::bad_alloc&) {
    }
}

bool CsvImportRun::step(int32_t rowCount) {
    try {
        for (int32_t taken = 0; taken < rowCount && !finished_; ++taken) {
            const CsvRow* row = takeRow();
            if (row == nullptr) {
                endReading();
                finish();
            } else if (headerPending_) {
                headerPending_ = false;
            } else {
                importRow(*row);
            }
        }
    } catch (const std::bad_alloc&) {
        summary_.allocationFailed = true;
        finish();
    }
    return finished_;
}

// The row after the one returned is read already, so that its word's place in the word index is
// on its way into the cache while this one is imported: a large index misses it on nearly every
// lookup.
const CsvRow* CsvImportRun::takeRow() {
    const CsvRow* row = started_ ? ahead_ : reader_.next();
    rowHash_ =
        started_ || row == nullptr ? aheadHash_ : current_.wordHash(cell(*row, CsvField::Word));
    started_ = true;
    ahead_ = row != nullptr ? reader_.next() : nullptr;
    if (ahead_ != nullptr) {
        aheadHash_ = current_.wordHash(cell(*ahead_, CsvField::Word));
        current_.prefetchWord(aheadHash_);
    }
    return row;
}

void CsvImportRun::stop() {
    if (!finished_) {
        finish();
    }
}

void CsvImportRun::finish() {
    finished_ = true;
    reporter_.showInformation(csvImportSummaryText(summary_, current_.dictionary()));
}

// A reader that stopped early leaves the row that holds the fault unread; it is refused here.
void CsvImportRun::endReading() {
    if (reader_.stop() == CsvStop::None) {
        return;
    }
    ++summary_.rowsRead;
    refuse(reader_.stopLine(), std::string(csvStopReason(reader_.stop())));
    summary_.restUnread = true;
}

void CsvImportRun::refuse(int64_t line, std::string reason) {
    summary_.refused.push_back({line, std::move(reason)});
}

std::string_view CsvImportRun::cell(const CsvRow& row, CsvField field) const {
    const int32_t column = columnOf(layout_.columns, field);
    return column == kNoColumn ? std::string_view() : row.field(static_cast<std::size_t>(column));
}

// Every check comes before the first change, so a refused row changes nothing.
void CsvImportRun::importRow(const CsvRow& row) {
    ++summary_.rowsRead;
    // A name that goes unused can't be refused for its length.
    const auto name = [&](Placement placement, CsvField field) {
        return placement == Placement::IntoExisting ? std::string_view() : cell(row, field);
    };
    RowTexts texts{cell(row, CsvField::Word), cell(row, CsvField::Translation),
                   cell(row, CsvField::Transcription),
                   name(options_.themePlacement, CsvField::Theme),
                   name(options_.languagePlacement, CsvField::Language)};
    WordRecord word{};
    std::string reason;
    if (texts.word.empty()) {
        reason = "The word is empty.";
    } else if (texts.translation.empty()) {
        reason = "The translation is empty.";
    } else if (texts.translation.front() == '?') {
        reason = "The translation begins with \"?\".";
    }
    if (!reason.empty() || !plainTexts(texts, reason) || !fitTexts(texts, reason) ||
        !readCounts(row, word, reason) || !readCreated(row, word, reason)) {
        refuse(row.line(), std::move(reason));
        return;
    }
    Side theme{true, texts.theme, options_.themePlacement, options_.targetTheme};
    Side language{false, texts.language, options_.languagePlacement, options_.targetLanguage};
    if (!choosePlace(theme, reason) || !choosePlace(language, reason)) {
        refuse(row.line(), std::move(reason));
        return;
    }
    // A shortened word is filed under its shortened text.
    const uint32_t hash = texts.word.size() == cell(row, CsvField::Word).size()
                              ? rowHash_
                              : current_.wordHash(texts.word);
    const int32_t existing = current_.findWord(texts.word, hash);
    if (existing != kNoIndex && !options_.overwriteExisting) {
        refuse(row.line(), "The word is already in the dictionary.");
        return;
    }
    if (!addMissing(theme) || !addMissing(language)) {
        summary_.allocationFailed = true;
        refuse(row.line(), "Memory ran out.");
        return;
    }
    setFieldText(word.word, texts.word);
    setFieldText(word.translation, texts.translation);
    setFieldText(word.transcription, texts.transcription);
    word.themeIndex = theme.place;
    word.languageIndex = language.place;
    const int32_t addedBefore = summary_.wordsAdded;
    countStoredWord(current_.addOrOverwriteWord(word, existing, hash), summary_);
    if (summary_.wordsAdded == addedBefore) {
        refuse(row.line(), "Memory ran out.");
        return;
    }
    summary_.textsShortened += texts.shortened;
}

// The whole cell is looked at, also where a long text is to be shortened.
bool CsvImportRun::plainTexts(const RowTexts& texts, std::string& reason) const {
    const std::pair<std::string_view, const char*> named[] = {
        {texts.word, "word"},
        {texts.translation, "translation"},
        {texts.transcription, "transcription"},
        {texts.theme, "theme"},
        {texts.language, "language"}};
    for (const auto& [text, name] : named) {
        if (holdsControlCharacter(text)) {
            reason = "The " + std::string(name) + " holds a control character.";
            return false;
        }
    }
    return true;
}

bool CsvImportRun::fitTexts(RowTexts& texts, std::string& reason) const {
    struct Limit {
        std::string_view* text;
        std::size_t bytes;
        const char* name;
    };
    const Limit limits[] = {{&texts.word, kNameSize - 1, "word"},
                            {&texts.translation, kTranslationSize - 1, "translation"},
                            {&texts.transcription, kNameSize - 1, "transcription"},
                            {&texts.theme, kNameSize - 1, "theme"},
                            {&texts.language, kNameSize - 1, "language"}};
    for (const Limit& limit : limits) {
        if (limit.text->size() <= limit.bytes) {
            continue;
        }
        if (!options_.shortenLongTexts) {
            reason = "The " + std::string(limit.name) + " is longer than " +
                     std::to_string(limit.bytes) + " bytes.";
            return false;
        }
        *limit.text = cutAtCharacter(*limit.text, limit.bytes);
        ++texts.shortened;
    }
    return true;
}

bool CsvImportRun::readCounts(const CsvRow& row, WordRecord& word, std::string& reason) const {
    const std::optional<int32_t> right =
        readCount(cell(row, CsvField::Right), "right answers", reason);
    if (!right) {
        return false;
    }
    const std::optional<int32_t> tested =
        readCount(cell(row, CsvField::Tested), "times tested", reason);
    if (!tested) {
        return false;
    }
    if (*right > *tested) {
        reason = "The right answers exceed the times tested.";
        return false;
    }
    word.rightCount = *right;
    word.testedCount = *tested;
    return true;
}

bool CsvImportRun::readCreated(const CsvRow& row, WordRecord& word, std::string& reason) const {
    const std::string_view text = cell(row, CsvField::Created);
    if (text.empty()) {
        word.created = startTime_;
        return true;
    }
    const std::optional<SYSTEMTIME> created = parseCsvTime(text);
    if (!created) {
        reason = "The creation date \"" + std::string(cutAtCharacter(text, kQuotedDateBytes)) +
                 "\" is not a date of the form YYYY-MM-DD HH:MM:SS.";
        return false;
    }
    word.created = *created;
    return true;
}

bool CsvImportRun::choosePlace(Side& side, std::string& reason) const {
    const Dictionary& dictionary = current_.dictionary();
    if (side.placement == Placement::IntoExisting || side.name.empty()) {
        const bool valid = side.isTheme ? inTable(dictionary.themes, side.target)
                                        : inTable(dictionary.languages, side.target);
        if (!valid) {
            reason = side.placement == Placement::IntoExisting
                         ? "No existing " + side.noun() + " was chosen for the words."
                         : "The row names no " + side.noun() + ", and no existing " + side.noun() +
                               " was chosen for such rows.";
            return false;
        }
        side.place = side.target;
        return true;
    }
    side.place = findNamed(side);
    if (side.place != kNoIndex) {
        return true;
    }
    if (side.placement == Placement::Skip) {
        reason =
            "The " + side.noun() + " \"" + std::string(side.name) + "\" is not in the dictionary.";
        return false;
    }
    side.addPending = true;
    return true;
}

int32_t CsvImportRun::findNamed(const Side& side) const {
    RecentNames& recent = side.isTheme ? recentThemes_ : recentLanguages_;
    const int32_t remembered = recent.find(side.name);
    if (remembered != kNoIndex) {
        return remembered;
    }
    const int32_t found =
        side.isTheme ? current_.findTheme(side.name) : current_.findLanguage(side.name);
    if (found != kNoIndex) {
        recent.remember(side.name, found);
    }
    return found;
}

bool CsvImportRun::addMissing(Side& side) {
    if (!side.addPending) {
        return true;
    }
    side.place = side.isTheme ? current_.addTheme(makeThemeRecord(side.name))
                              : current_.addLanguage(makeLanguageRecord(side.name));
    if (side.place == kNoIndex) {
        return false;
    }
    ++(side.isTheme ? summary_.themesAdded : summary_.languagesAdded);
    return true;
}

}  // namespace lq
