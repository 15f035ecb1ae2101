#include "store/Dictionary.h"

#include <array>

#include "store/Protection.h"
#include "store/TextField.h"

namespace lq {

namespace {

template <typename Record, typename Field>
int32_t findFirst(const RecordTable<Record>& records, Field Record::*field, std::string_view text) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (fieldText(records[i].*field) == text) {
            return static_cast<int32_t>(i);
        }
    }
    return kNoIndex;
}

template <typename Record>
int32_t firstWithNameOf(const RecordTable<Record>& records, int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= records.size()) {
        return kNoIndex;
    }
    return findFirst(records, &Record::name,
                     fieldText(records[static_cast<std::size_t>(index)].name));
}

}  // namespace

int32_t findLanguage(const Dictionary& dictionary, std::string_view name) {
    return findFirst(dictionary.languages, &LanguageRecord::name, name);
}

int32_t findTheme(const Dictionary& dictionary, std::string_view name) {
    return findFirst(dictionary.themes, &ThemeRecord::name, name);
}

int32_t findWord(const Dictionary& dictionary, std::string_view text) {
    return findFirst(dictionary.words, &WordRecord::word, text);
}

int32_t firstNamedAs(const LanguageTable& languages, int32_t index) {
    return firstWithNameOf(languages, index);
}

int32_t firstNamedAs(const ThemeTable& themes, int32_t index) {
    return firstWithNameOf(themes, index);
}

int64_t fileSize(const Dictionary& dictionary) {
    return kHeaderSize +
           int64_t{kLanguageRecordSize} * static_cast<int64_t>(dictionary.languages.size()) +
           int64_t{kThemeRecordSize} * static_cast<int64_t>(dictionary.themes.size()) +
           int64_t{kWordRecordSize} * static_cast<int64_t>(dictionary.words.size());
}

DictionaryHeader newDictionaryHeader(const SYSTEMTIME& created) {
    DictionaryHeader header{};
    header.signature[0] = 'L';
    header.signature[1] = 'Q';
    header.signature[2] = 'D';
    header.signature[3] = 0;
    header.created = created;
    header.languageCount = 0;
    header.themeCount = 0;
    header.wordCount = 0;
    header.protectionCode = static_cast<int16_t>(unprotectedValue(created));
    header.testThemeFilter = kNoIndex;
    header.testLanguageFilter = kNoIndex;
    header.testMode = 0;
    header.testCountIndex = 5;     // 10 questions
    header.variantCountIndex = 3;  // 4 variant-words
    header.optionFlags = 0;
    header.setLimitTestTime(false);
    header.setAskUpdateOnExit(true);
    header.timeLimitIndex = 2;        // 60 seconds
    header.reportCellOptions = 2;     // cellpadding 2, cellspacing 0
    header.reportStyleOptions = 112;  // HTML, Verdana, no border
    header.reserved = 16;
    return header;
}

std::string_view dayName(uint16_t dayOfWeek) {
    static constexpr std::array<std::string_view, 7> kNames = {"Sun", "Mon", "Tue", "Wed",
                                                               "Thu", "Fri", "Sat"};
    return dayOfWeek < kNames.size() ? kNames[dayOfWeek] : std::string_view("???");
}

}  // namespace lq
