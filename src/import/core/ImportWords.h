// Merging the words of another dictionary (the source) into the current one.
#pragma once

#include <cstdint>
#include <string>

#include "import/core/DictionaryEdits.h"
#include "import/core/IndexedDictionary.h"
#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/Reporter.h"

namespace lq {

// Where an imported word's theme (or language) comes from.
enum class Placement : int32_t {
    IntoExisting = 0,  // the chosen target of the current dictionary
    AddNew = 1,        // matched by name; an unmatched one is added
    Skip = 2,          // matched by name; a word without a match is left out
};

struct ImportOptions {
    int32_t themeFilter = kNoIndex;     // source theme index, kNoIndex for any
    int32_t languageFilter = kNoIndex;  // source language index, kNoIndex for any
    Placement themePlacement = Placement::AddNew;
    int32_t targetTheme = kNoIndex;  // current theme index, used with IntoExisting
    Placement languagePlacement = Placement::AddNew;
    int32_t targetLanguage = kNoIndex;  // current language index, used with IntoExisting
    bool keepTestData = false;
    bool keepCreationDate = false;
    bool overwriteExisting = false;
};

struct ImportSummary {
    int32_t wordsAdded = 0;
    int32_t wordsOverwritten = 0;
    int32_t themesAdded = 0;
    int32_t languagesAdded = 0;
    bool allocationFailed = false;

    bool operator==(const ImportSummary&) const = default;
};

// The notice that closes a run.
std::string importSummaryText(const ImportSummary& summary, const Dictionary& current);

// One run over the source words in storage order, advanced a slice at a time so that a window
// can keep its event loop going between slices, and stopped between two slices when the user
// asks. The source and the current dictionary must be different objects, and both must outlive
// the run and change only through it meanwhile.
class ImportRun {
  public:
    ImportRun(const Dictionary& source, Dictionary& current, const ImportOptions& options,
              Reporter& reporter, const Clock& clock,
              DictionaryEdits& edits = DictionaryEdits::store());

    // Takes up to `wordCount` more source words; after the last one the run ends and shows the
    // summary. Returns finished().
    bool step(int32_t wordCount);
    // Ends the run before its next word and shows the summary; an ended run stays as it is.
    void stop();
    bool finished() const { return finished_; }
    const ImportSummary& summary() const { return summary_; }
    // The progress range, and how far the run has come in it.
    int32_t totalWords() const { return totalWords_; }
    int32_t wordsTaken() const { return nextWord_; }

  private:
    struct CatalogChoice {
        Placement placement;
        int32_t target;
        int32_t matched;
        // The other column: an AddNew column adds nothing for a word the other one skips.
        int32_t otherMatched;
        Placement otherPlacement;
    };

    void importWord(const WordRecord& sourceWord);
    bool passesFilters(const WordRecord& sourceWord) const;
    bool refersInsideSource(const WordRecord& sourceWord) const;
    template <typename Record>
    int32_t place(const CatalogChoice& choice, const Record& sourceRecord, int32_t& addedCount);
    int32_t addEntry(const ThemeRecord& theme);
    int32_t addEntry(const LanguageRecord& language);
    int32_t entryCount(const ThemeRecord&) const;
    int32_t entryCount(const LanguageRecord&) const;
    WordRecord importedCopy(const WordRecord& sourceWord, int32_t theme, int32_t language) const;
    void addOrOverwrite(const WordRecord& copy);
    void finish();

    const Dictionary& source_;
    IndexedDictionary current_;
    ImportOptions options_;
    Reporter& reporter_;
    const Clock& clock_;
    ImportSummary summary_;
    int32_t totalWords_;
    int32_t nextWord_ = 0;
    bool finished_ = false;
};

}  // namespace lq
