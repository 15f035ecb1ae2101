// The CSV form of the words: the columns, how a field is quoted, how a time is written and read.
// Tab-separated files follow the same rules with the tab as the delimiter.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/Records.h"

namespace lq {

// The delimiters a file may use; the first is the export's.
inline constexpr char kComma = ',';
inline constexpr char kSemicolon = ';';
inline constexpr char kTab = '\t';
inline constexpr std::array<char, 3> kCsvDelimiters = {kComma, kSemicolon, kTab};

// The columns of an export, in their order.
enum class CsvField : int32_t {
    Word,
    Translation,
    Transcription,
    Theme,
    Language,
    Right,
    Tested,
    Created,
};
inline constexpr std::size_t kCsvFieldCount = 8;

// The header row's names: word, translation, transcription, theme, language, right, tested,
// created.
std::string_view csvFieldName(CsvField field);

// Appends one field, quoted only when it holds the delimiter, a double quote, CR or LF, or
// begins or ends with a space; inner quotes are doubled.
void appendCsvField(std::string& out, std::string_view text, char delimiter);

// "YYYY-MM-DD HH:MM:SS"; the milliseconds are left out.
std::string csvTimeText(const SYSTEMTIME& time);

// A time as csvTimeText writes it, or with the time of day left out (midnight) or written
// without seconds; a "T" may stand for the space. The day of week is computed. Nothing for any
// other text or a date that does not exist.
std::optional<SYSTEMTIME> parseCsvTime(std::string_view text);

}  // namespace lq
