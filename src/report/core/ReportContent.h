// What both report writers take from the dictionary: the heading names and the filtered rows.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "store/Dictionary.h"

namespace lq {

// A theme and a language index; kNoIndex lets every theme or language through.
struct ReportFilter {
    int32_t theme = kNoIndex;
    int32_t language = kNoIndex;
};

// "All themes" for kNoIndex, otherwise the theme's name (empty for an index outside the table).
std::string_view reportThemeHeading(const Dictionary& dictionary, int32_t theme);
// "all languages" for kNoIndex, otherwise the language's name (empty for an index outside the
// table).
std::string_view reportLanguageHeading(const Dictionary& dictionary, int32_t language);

// Calls visit with the row number (from 1) and each word that passes the filter, in the given
// order, until visit returns false. Returns how many rows were visited. Indexes outside the
// word table are skipped.
int32_t forEachReportRow(const Dictionary& dictionary, const std::vector<int32_t>& order,
                         const ReportFilter& filter,
                         const std::function<bool(int32_t row, const WordRecord& word)>& visit);

}  // namespace lq
