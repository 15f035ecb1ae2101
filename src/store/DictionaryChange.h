// One step in the dictionary's history: what the step changed and nothing more (the records it
// removed, inserted or overwrote, at their places, and the header it replaced), so that it can be
// taken back and taken again. A step never holds a copy of the whole dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "store/Dictionary.h"

namespace lq {

class DictionaryChange {
  public:
    bool empty() const { return edits_.empty(); }
    // Whether the step changed word records and nothing else: no theme, language or header.
    bool touchesOnlyWords() const;
    // Each expects the dictionary exactly as the step left it (revert) or found it (apply), which
    // holds when later steps are taken back first, as in an undo history; the dictionary is then
    // byte for byte as it was before (revert) or after (apply) the step.
    void revert(Dictionary& dictionary);
    void apply(Dictionary& dictionary);
    // The memory the step holds beyond the object itself.
    std::size_t heldBytes() const;

  private:
    friend class ChangeRecorder;
    friend struct EditSteps;

    // An overwritten record or header: the version that is not in the dictionary now. Taking the
    // step back and taking it again both swap it with the one that is.
    template <typename Record>
    struct Swapped {
        int32_t index;
        Record other;
    };
    struct HeaderSwapped {
        DictionaryHeader other;
    };
    // `count` records appended to a table. While the step is taken, they are in the dictionary,
    // so they are held only while it is taken back.
    template <typename Record>
    struct Appended {
        std::size_t count;
        RecordTable<Record> held;
    };
    // A theme or language taken out of its place; the entries after it moved down by one.
    template <typename Record>
    struct Erased {
        int32_t index;
        Record record;
    };
    // A word removed as the store removes words: the last word moved into its place.
    struct WordRemoved {
        int32_t index;
        WordRecord record;
    };
    // Each word's reference past a removed theme or language dropped by one. No word referred to
    // the removed entry any more, so the references that are `removed` or above are the ones
    // that dropped.
    struct Renumbered {
        int32_t WordRecord::*field;
        int32_t removed;
    };
    // The whole word table, dropped at once with the only theme or language.
    struct WordsCleared {
        WordTable words;
    };

    using Edit = std::variant<HeaderSwapped, Swapped<LanguageRecord>, Swapped<ThemeRecord>,
                              Swapped<WordRecord>, Appended<LanguageRecord>, Appended<ThemeRecord>,
                              Appended<WordRecord>, Erased<LanguageRecord>, Erased<ThemeRecord>,
                              WordRemoved, Renumbered, WordsCleared>;

    std::vector<Edit> edits_;
};

// Collects what edit operations report into one change, in the order they report it. The
// operations of store/Edits.h take one (or none); code that changes records by hand reports here
// itself. Reports that change nothing (a record overwritten with its own bytes) are dropped.
class ChangeRecorder {
  public:
    void headerReplaced(const DictionaryHeader& before, const DictionaryHeader& now);
    // For LanguageRecord, ThemeRecord and WordRecord.
    template <typename Record>
    void replaced(int32_t index, const Record& before, const Record& now);
    template <typename Record>
    void appended();
    // For LanguageRecord and ThemeRecord.
    template <typename Record>
    void erased(int32_t index, const Record& record);
    void wordRemoved(int32_t index, const WordRecord& record);
    void wordsRenumbered(int32_t WordRecord::*field, int32_t removed);
    // Takes the table over, so the dropped words are held without a copy.
    void wordsCleared(WordTable&& words);

    bool empty() const { return change_.empty(); }
    // What was recorded so far; the recorder starts afresh.
    DictionaryChange take();

  private:
    DictionaryChange change_;
};

}  // namespace lq
