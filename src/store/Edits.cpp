#include "store/Edits.h"

#include <new>

#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::string_view kReallocationFix =
    "Memory reallocation error. Close some applications and try again.";

template <typename Record>
bool append(RecordTable<Record>& table, const Record& record, Reporter& reporter,
            std::string_view message) {
    try {
        table.push_back(record);
    } catch (const std::bad_alloc&) {
        reporter.showError(message, kReallocationFix);
        return false;
    }
    return true;
}

// Where the words and the header refer to the theme or the language table: all that differs
// between deleting a theme and deleting a language.
struct TableReferences {
    int32_t WordRecord::*wordIndex;
    int32_t DictionaryHeader::*testFilter;
};

constexpr TableReferences kThemeReferences{&WordRecord::themeIndex,
                                           &DictionaryHeader::testThemeFilter};
constexpr TableReferences kLanguageReferences{&WordRecord::languageIndex,
                                              &DictionaryHeader::testLanguageFilter};

void clearAllWords(Dictionary& dictionary) {
    WordTable().swap(dictionary.words);
}

template <typename Record>
bool deleteCatalogEntry(Dictionary& dictionary, RecordTable<Record>& table,
                        const TableReferences& side, std::string_view name, Reporter& reporter) {
    DictionaryHeader& header = dictionary.header;
    int32_t deleted = kNoIndex;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (fieldText(table[i].name) == name) {
            deleted = static_cast<int32_t>(i);
            break;
        }
    }
    // A name that is not there leaves every record alone, even the only entry and its words.
    if (deleted == kNoIndex) {
        return false;
    }
    if (table.size() == 1) {
        // The one entry holds every word.
        RecordTable<Record>().swap(table);
        clearAllWords(dictionary);
        header.*side.testFilter = kNoIndex;
        return true;
    }
    table.erase(table.begin() + deleted);

    // Deleting j brings the former last word to j, so j is looked at again. Every word that
    // stays is passed exactly once, and renumbered then, so the words are walked only once.
    for (int32_t j = 0; j < static_cast<int32_t>(dictionary.words.size());) {
        int32_t& index = dictionary.words[j].*side.wordIndex;
        if (index == deleted) {
            deleteWord(dictionary, j, reporter);
            continue;
        }
        if (index > deleted) {
            --index;
        }
        ++j;
    }
    // Clear the filter before renumbering, so a filter on the deleted entry ends at kNoIndex.
    if (header.*side.testFilter == deleted) {
        header.*side.testFilter = kNoIndex;
    }
    if (header.*side.testFilter > deleted) {
        --(header.*side.testFilter);
    }
    return true;
}

template <typename Record>
void renameIn(RecordTable<Record>& table, int32_t index, std::string_view name) {
    if (index >= 0 && index < static_cast<int32_t>(table.size())) {
        setFieldText(table[index].name, name);
    }
}

}  // namespace

bool addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter) {
    return append(dictionary.words, word, reporter, "Can't add word.");
}

bool addLanguage(Dictionary& dictionary, const LanguageRecord& language, Reporter& reporter) {
    return append(dictionary.languages, language, reporter, "Can't add language.");
}

bool addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter) {
    return append(dictionary.themes, theme, reporter, "Can't add theme.");
}

bool deleteWord(Dictionary& dictionary, int32_t index, Reporter& /*reporter*/) {
    WordTable& words = dictionary.words;
    if (words.size() <= 1) {
        clearAllWords(dictionary);
        return true;
    }
    if (index < 0 || index >= static_cast<int32_t>(words.size())) {
        return false;
    }
    if (index != static_cast<int32_t>(words.size()) - 1) {
        words[index] = words.back();
    }
    // Shrinking a vector never allocates, so the "can't delete" failure cannot happen here.
    words.pop_back();
    return true;
}

bool deleteTheme(Dictionary& dictionary, std::string_view name, Reporter& reporter) {
    return deleteCatalogEntry(dictionary, dictionary.themes, kThemeReferences, name, reporter);
}

bool deleteLanguage(Dictionary& dictionary, std::string_view name, Reporter& reporter) {
    return deleteCatalogEntry(dictionary, dictionary.languages, kLanguageReferences, name,
                              reporter);
}

void renameLanguage(Dictionary& dictionary, int32_t index, std::string_view name) {
    renameIn(dictionary.languages, index, name);
}

void renameTheme(Dictionary& dictionary, int32_t index, std::string_view name) {
    renameIn(dictionary.themes, index, name);
}

void renameWord(Dictionary& dictionary, int32_t index, std::string_view text) {
    if (index >= 0 && index < static_cast<int32_t>(dictionary.words.size())) {
        setFieldText(dictionary.words[index].word, text);
    }
}

LanguageRecord makeLanguageRecord(std::string_view name) {
    LanguageRecord record{};
    setFieldText(record.name, name);
    return record;
}

ThemeRecord makeThemeRecord(std::string_view name) {
    ThemeRecord record{};
    setFieldText(record.name, name);
    return record;
}

}  // namespace lq
