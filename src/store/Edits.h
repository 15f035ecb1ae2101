// Adding, deleting and renaming records, with the cascades that keep the indexes valid.
// Names are not checked here: the dialogs refuse blank and duplicate names before calling.
// Each operation reports what it changed to the recorder it is given, if any, so that the
// change can be undone.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/Dictionary.h"
#include "store/DictionaryChange.h"
#include "store/Reporter.h"

namespace lq {

// Each returns false after showing its error; the dictionary is then unchanged.
bool addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter,
             ChangeRecorder* recorder = nullptr);
bool addLanguage(Dictionary& dictionary, const LanguageRecord& language, Reporter& reporter,
                 ChangeRecorder* recorder = nullptr);
bool addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter,
              ChangeRecorder* recorder = nullptr);

// Moves the last word into the freed place. An index outside the table changes nothing.
bool deleteWord(Dictionary& dictionary, int32_t index, Reporter& reporter,
                ChangeRecorder* recorder = nullptr);
// Delete the named record with its words and renumber the rest and the test filters. A name
// that is not in the table changes nothing and returns false without a message.
bool deleteTheme(Dictionary& dictionary, std::string_view name, Reporter& reporter,
                 ChangeRecorder* recorder = nullptr);
bool deleteLanguage(Dictionary& dictionary, std::string_view name, Reporter& reporter,
                    ChangeRecorder* recorder = nullptr);

// Clear the text field, then store the new text. An index outside the table changes nothing.
void renameLanguage(Dictionary& dictionary, int32_t index, std::string_view name,
                    ChangeRecorder* recorder = nullptr);
void renameTheme(Dictionary& dictionary, int32_t index, std::string_view name,
                 ChangeRecorder* recorder = nullptr);
void renameWord(Dictionary& dictionary, int32_t index, std::string_view text,
                ChangeRecorder* recorder = nullptr);

// Overwrites the word at the index with all 160 bytes of `word`: the main window's in-place
// edits of a translation, a transcription, a theme or a language. An index outside the table
// changes nothing.
void replaceWord(Dictionary& dictionary, int32_t index, const WordRecord& word,
                 ChangeRecorder* recorder = nullptr);

// Record builders that clear every byte first, as a new record must be.
LanguageRecord makeLanguageRecord(std::string_view name);
ThemeRecord makeThemeRecord(std::string_view name);

}  // namespace lq
