// The in-memory dictionary: one header and the three record tables.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/RecordIndex.h"
#include "store/RecordTable.h"
#include "store/Records.h"

namespace lq {

using LanguageTable = RecordTable<LanguageRecord>;
using ThemeTable = RecordTable<ThemeRecord>;
using WordTable = RecordTable<WordRecord>;

// The lengths of the tables are the dictionary's counts. The header's count fields are the
// file's: a load checks them against the file, and a save writes them from the tables.
struct Dictionary {
    DictionaryHeader header{};
    LanguageTable languages;
    ThemeTable themes;
    WordTable words;
};

// First record whose text equals the given one byte for byte, scanning from index 0; kNoIndex
// when there is none.
int32_t findLanguage(const Dictionary& dictionary, std::string_view name);
int32_t findTheme(const Dictionary& dictionary, std::string_view name);
int32_t findWord(const Dictionary& dictionary, std::string_view text);

// The first record whose name holds the same bytes as record `index`, as a lookup of that name
// finds it: a picked list entry stands for its name. kNoIndex for an index outside the table.
int32_t firstNamedAs(const LanguageTable& languages, int32_t index);
int32_t firstNamedAs(const ThemeTable& themes, int32_t index);

// The size the dictionary has when saved now.
int64_t fileSize(const Dictionary& dictionary);

// The header of a new dictionary created at the given time.
DictionaryHeader newDictionaryHeader(const SYSTEMTIME& created);

// Short day names, indexed by SYSTEMTIME::dayOfWeek.
std::string_view dayName(uint16_t dayOfWeek);

}  // namespace lq
