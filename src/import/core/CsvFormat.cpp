#include "import/core/CsvFormat.h"

#include <csv.h>

#include <cstdio>

namespace lq {

namespace {

constexpr std::array<std::string_view, kCsvFieldCount> kFieldNames = {
    "word", "translation", "transcription", "theme", "language", "right", "tested", "created"};

bool needsQuotes(std::string_view text, char delimiter) {
    if (text.empty()) {
        return false;
    }
    // A reader drops unquoted spaces at either end, as spreadsheets do.
    if (text.front() == ' ' || text.back() == ' ') {
        return true;
    }
    for (const char c : text) {
        if (c == delimiter || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// 0 = Sunday, by Sakamoto's method.
int dayOfWeek(int year, int month, int day) {
    constexpr std::array<int, 12> kOffsets = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) {
        --year;
    }
    return (year + year / 4 - year / 100 + year / 400 +
            kOffsets[static_cast<std::size_t>(month - 1)] + day) %
           7;
}

// Reads exactly `digits` decimal digits at `position` and moves past them.
bool readNumber(std::string_view text, std::size_t& position, std::size_t digits, int& value) {
    if (text.size() - position < digits) {
        return false;
    }
    value = 0;
    for (std::size_t i = position; i < position + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    position += digits;
    return true;
}

// A plain loop: every row of an import reads five separators, and a library search for one
// character in one or two costs more than the comparison.
bool readSeparator(std::string_view text, std::size_t& position, std::string_view allowed) {
    if (position >= text.size()) {
        return false;
    }
    for (const char c : allowed) {
        if (text[position] == c) {
            ++position;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string_view csvFieldName(CsvField field) {
    return kFieldNames[static_cast<std::size_t>(field)];
}

void appendCsvField(std::string& out, std::string_view text, char delimiter) {
    if (!needsQuotes(text, delimiter)) {
        out.append(text);
        return;
    }
    const std::size_t start = out.size();
    const std::size_t quoted = csv_write2(nullptr, 0, text.data(), text.size(), CSV_QUOTE);
    out.resize(start + quoted);
    csv_write2(out.data() + start, quoted, text.data(), text.size(), CSV_QUOTE);
}

std::string csvTimeText(const SYSTEMTIME& time) {
    // Room for the widest 16-bit values, which no real time has.
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{time.year},
                  unsigned{time.month}, unsigned{time.day}, unsigned{time.hour},
                  unsigned{time.minute}, unsigned{time.second});
    return text;
}

std::optional<SYSTEMTIME> parseCsvTime(std::string_view text) {
    std::size_t position = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!readNumber(text, position, 4, year) || !readSeparator(text, position, "-") ||
        !readNumber(text, position, 2, month) || !readSeparator(text, position, "-") ||
        !readNumber(text, position, 2, day)) {
        return std::nullopt;
    }
    if (position < text.size()) {
        if (!readSeparator(text, position, " T") || !readNumber(text, position, 2, hour) ||
            !readSeparator(text, position, ":") || !readNumber(text, position, 2, minute)) {
            return std::nullopt;
        }
        if (position < text.size() &&
            (!readSeparator(text, position, ":") || !readNumber(text, position, 2, second))) {
            return std::nullopt;
        }
    }
    if (position != text.size() || year < 1601 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month) || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return SYSTEMTIME{static_cast<uint16_t>(year),
                      static_cast<uint16_t>(month),
                      static_cast<uint16_t>(dayOfWeek(year, month, day)),
                      static_cast<uint16_t>(day),
                      static_cast<uint16_t>(hour),
                      static_cast<uint16_t>(minute),
                      static_cast<uint16_t>(second),
                      0};
}

}  // namespace lq
