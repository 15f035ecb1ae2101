#include "store/Edits.h"

#include <new>

#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::string_view kReallocationFix =
    "Memory reallocation error. Close some applications and try again.";

template <typename Record>
bool append(RecordTable<Record>& table, const Record& record, Reporter& reporter,
            std::string_view message, ChangeRecorder* recorder) {
    try {
        table.push_back(record);
    } catch (const std::bad_alloc&) {
        reporter.showError(message, kReallocationFix);
        return false;
    }
    if (recorder != nullptr) {
        recorder->appended<Record>();
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

// The dropped table goes to the recorder whole, so nothing is copied.
void clearAllWords(Dictionary& dictionary, ChangeRecorder* recorder) {
    WordTable dropped;
    dropped.swap(dictionary.words);
    if (recorder != nullptr) {
        recorder->wordsCleared(std::move(dropped));
    }
}

template <typename Record>
bool deleteCatalogEntry(Dictionary& dictionary, RecordTable<Record>& table,
                        const TableReferences& side, std::string_view name, Reporter& reporter,
                        ChangeRecorder* recorder) {
    DictionaryHeader& header = dictionary.header;
    const DictionaryHeader headerBefore = header;
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
    if (recorder != nullptr) {
        recorder->erased(deleted, table[static_cast<std::size_t>(deleted)]);
    }
    if (table.size() == 1) {
        // The one entry holds every word.
        RecordTable<Record>().swap(table);
        clearAllWords(dictionary, recorder);
        header.*side.testFilter = kNoIndex;
        if (recorder != nullptr) {
            recorder->headerReplaced(headerBefore, header);
        }
        return true;
    }
    table.erase(table.begin() + deleted);

    // Deleting j brings the former last word to j, so j is looked at again. Every word that
    // stays is passed exactly once, and renumbered then, so the words are walked only once.
    for (int32_t j = 0; j < static_cast<int32_t>(dictionary.words.size());) {
        int32_t& index = dictionary.words[j].*side.wordIndex;
        if (index == deleted) {
            deleteWord(dictionary, j, reporter, recorder);
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
    if (recorder != nullptr) {
        // Reported after the words the walk removed, though it renumbered as it went: each word
        // it removed still held its own reference then, so the two orders end alike.
        recorder->wordsRenumbered(side.wordIndex, deleted);
        recorder->headerReplaced(headerBefore, header);
    }
    return true;
}

// Overwrites record `index` with what `change` makes of it, and reports the two versions.
template <typename Record, typename Change>
void changeRecord(RecordTable<Record>& table, int32_t index, ChangeRecorder* recorder,
                  Change change) {
    if (index < 0 || index >= static_cast<int32_t>(table.size())) {
        return;
    }
    Record& record = table[static_cast<std::size_t>(index)];
    const Record before = record;
    change(record);
    if (recorder != nullptr) {
        recorder->replaced(index, before, record);
    }
}

template <typename Record>
void renameIn(RecordTable<Record>& table, int32_t index, std::string_view name,
              ChangeRecorder* recorder) {
    changeRecord(table, index, recorder, [&](Record& record) { setFieldText(record.name, name); });
}

}  // namespace

bool addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter,
             ChangeRecorder* recorder) {
    return append(dictionary.words, word, reporter, "Can't add word.", recorder);
}

bool addLanguage(Dictionary& dictionary, const LanguageRecord& language, Reporter& reporter,
                 ChangeRecorder* recorder) {
    return append(dictionary.languages, language, reporter, "Can't add language.", recorder);
}

bool addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter,
              ChangeRecorder* recorder) {
    return append(dictionary.themes, theme, reporter, "Can't add theme.", recorder);
}

bool deleteWord(Dictionary& dictionary, int32_t index, Reporter& /*reporter*/,
                ChangeRecorder* recorder) {
    WordTable& words = dictionary.words;
    if (words.size() <= 1) {
        // The only word goes whatever the index says, so it is the one reported.
        if (recorder != nullptr && !words.empty()) {
            recorder->wordRemoved(0, words.front());
        }
        WordTable().swap(words);
        return true;
    }
    if (index < 0 || index >= static_cast<int32_t>(words.size())) {
        return false;
    }
    if (recorder != nullptr) {
        recorder->wordRemoved(index, words[static_cast<std::size_t>(index)]);
    }
    if (index != static_cast<int32_t>(words.size()) - 1) {
        words[index] = words.back();
    }
    // Shrinking a vector never allocates, so the "can't delete" failure cannot happen here.
    words.pop_back();
    return true;
}

bool deleteTheme(Dictionary& dictionary, std::string_view name, Reporter& reporter,
                 ChangeRecorder* recorder) {
    return deleteCatalogEntry(dictionary, dictionary.themes, kThemeReferences, name, reporter,
                              recorder);
}

bool deleteLanguage(Dictionary& dictionary, std::string_view name, Reporter& reporter,
                    ChangeRecorder* recorder) {
    return deleteCatalogEntry(dictionary, dictionary.languages, kLanguageReferences, name, reporter,
                              recorder);
}

void renameLanguage(Dictionary& dictionary, int32_t index, std::string_view name,
                    ChangeRecorder* recorder) {
    renameIn(dictionary.languages, index, name, recorder);
}

void renameTheme(Dictionary& dictionary, int32_t index, std::string_view name,
                 ChangeRecorder* recorder) {
    renameIn(dictionary.themes, index, name, recorder);
}

void renameWord(Dictionary& dictionary, int32_t index, std::string_view text,
                ChangeRecorder* recorder) {
    changeRecord(dictionary.words, index, recorder,
                 [&](WordRecord& word) { setFieldText(word.word, text); });
}

void replaceWord(Dictionary& dictionary, int32_t index, const WordRecord& word,
                 ChangeRecorder* recorder) {
    changeRecord(dictionary.words, index, recorder, [&](WordRecord& record) { record = word; });
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
