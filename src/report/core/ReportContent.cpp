#include "report/core/ReportContent.h"

#include "store/TextField.h"

namespace lq {

namespace {

template <typename Record>
std::string_view nameAt(const RecordTable<Record>& table, int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        return {};
    }
    return fieldText(table[static_cast<std::size_t>(index)].name);
}

bool passes(const WordRecord& word, const ReportFilter& filter) {
    return passesFilter(filter.theme, word.themeIndex) &&
           passesFilter(filter.language, word.languageIndex);
}

}  // namespace

std::string_view reportThemeHeading(const Dictionary& dictionary, int32_t theme) {
    return theme == kNoIndex ? std::string_view("All themes") : nameAt(dictionary.themes, theme);
}

std::string_view reportLanguageHeading(const Dictionary& dictionary, int32_t language) {
    return language == kNoIndex ? std::string_view("all languages")
                                : nameAt(dictionary.languages, language);
}

int32_t forEachReportRow(const Dictionary& dictionary, const std::vector<int32_t>& order,
                         const ReportFilter& filter,
                         const std::function<bool(int32_t row, const WordRecord& word)>& visit) {
    int32_t rows = 0;
    for (const int32_t index : order) {
        if (index < 0 || static_cast<std::size_t>(index) >= dictionary.words.size()) {
            continue;
        }
        const WordRecord& word = dictionary.words[static_cast<std::size_t>(index)];
        if (!passes(word, filter)) {
            continue;
        }
        ++rows;
        if (!visit(rows, word)) {
            break;
        }
    }
    return rows;
}

}  // namespace lq
