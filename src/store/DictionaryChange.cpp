#include "store/DictionaryChange.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace lq {

namespace {

template <typename Record>
RecordTable<Record>& tableOf(Dictionary& dictionary) {
    if constexpr (std::is_same_v<Record, LanguageRecord>) {
        return dictionary.languages;
    } else if constexpr (std::is_same_v<Record, ThemeRecord>) {
        return dictionary.themes;
    } else {
        return dictionary.words;
    }
}

template <typename Record>
bool inside(const RecordTable<Record>& table, int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

// Records are compared as the file holds them: byte for byte.
template <typename Record>
bool sameBytes(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

}  // namespace

// Each edit knows how to be taken (redo) and taken back (undo). A dictionary that is not in the
// state the edit expects (it cannot be, in a history) is never read or written outside a table.
struct EditSteps {
    Dictionary& dictionary;

    void redo(DictionaryChange::HeaderSwapped& edit) { std::swap(dictionary.header, edit.other); }
    void undo(DictionaryChange::HeaderSwapped& edit) { redo(edit); }

    template <typename Record>
    void redo(DictionaryChange::Swapped<Record>& edit) {
        RecordTable<Record>& table = tableOf<Record>(dictionary);
        if (inside(table, edit.index)) {
            std::swap(table[static_cast<std::size_t>(edit.index)], edit.other);
        }
    }
    template <typename Record>
    void undo(DictionaryChange::Swapped<Record>& edit) {
        redo(edit);
    }

    template <typename Record>
    void redo(DictionaryChange::Appended<Record>& edit) {
        RecordTable<Record>& table = tableOf<Record>(dictionary);
        table.insert(table.end(), edit.held.begin(), edit.held.end());
        RecordTable<Record>().swap(edit.held);
    }
    template <typename Record>
    void undo(DictionaryChange::Appended<Record>& edit) {
        RecordTable<Record>& table = tableOf<Record>(dictionary);
        const std::size_t count = std::min(edit.count, table.size());
        const auto first = table.end() - static_cast<std::ptrdiff_t>(count);
        edit.held.assign(first, table.end());
        table.erase(first, table.end());
    }

    template <typename Record>
    void redo(DictionaryChange::Erased<Record>& edit) {
        RecordTable<Record>& table = tableOf<Record>(dictionary);
        if (inside(table, edit.index)) {
            table.erase(table.begin() + edit.index);
        }
    }
    template <typename Record>
    void undo(DictionaryChange::Erased<Record>& edit) {
        RecordTable<Record>& table = tableOf<Record>(dictionary);
        if (edit.index >= 0 && static_cast<std::size_t>(edit.index) <= table.size()) {
            table.insert(table.begin() + edit.index, edit.record);
        }
    }

    void redo(DictionaryChange::WordRemoved& edit) {
        WordTable& words = dictionary.words;
        if (!inside(words, edit.index)) {
            return;
        }
        words[static_cast<std::size_t>(edit.index)] = words.back();
        words.pop_back();
    }
    void undo(DictionaryChange::WordRemoved& edit) {
        WordTable& words = dictionary.words;
        const auto index = static_cast<std::size_t>(edit.index);
        if (edit.index < 0 || index > words.size()) {
            return;
        }
        if (index == words.size()) {
            words.push_back(edit.record);
            return;
        }
        words.push_back(words[index]);
        words[index] = edit.record;
    }

    void redo(DictionaryChange::Renumbered& edit) {
        for (WordRecord& word : dictionary.words) {
            if (word.*edit.field > edit.removed) {
                --(word.*edit.field);
            }
        }
    }
    void undo(DictionaryChange::Renumbered& edit) {
        for (WordRecord& word : dictionary.words) {
            if (word.*edit.field >= edit.removed) {
                ++(word.*edit.field);
            }
        }
    }

    void redo(DictionaryChange::WordsCleared& edit) { std::swap(dictionary.words, edit.words); }
    void undo(DictionaryChange::WordsCleared& edit) { redo(edit); }
};

void DictionaryChange::revert(Dictionary& dictionary) {
    EditSteps steps{dictionary};
    for (auto edit = edits_.rbegin(); edit != edits_.rend(); ++edit) {
        std::visit([&](auto& one) { steps.undo(one); }, *edit);
    }
}

void DictionaryChange::apply(Dictionary& dictionary) {
    EditSteps steps{dictionary};
    for (Edit& edit : edits_) {
        std::visit([&](auto& one) { steps.redo(one); }, edit);
    }
}

bool DictionaryChange::touchesOnlyWords() const {
    for (const Edit& edit : edits_) {
        const bool words = std::holds_alternative<Swapped<WordRecord>>(edit) ||
                           std::holds_alternative<Appended<WordRecord>>(edit) ||
                           std::holds_alternative<WordRemoved>(edit);
        if (!words) {
            return false;
        }
    }
    return true;
}

std::size_t DictionaryChange::heldBytes() const {
    std::size_t bytes = edits_.capacity() * sizeof(Edit);
    for (const Edit& edit : edits_) {
        if (const auto* words = std::get_if<Appended<WordRecord>>(&edit)) {
            bytes += words->held.capacity() * sizeof(WordRecord);
        } else if (const auto* themes = std::get_if<Appended<ThemeRecord>>(&edit)) {
            bytes += themes->held.capacity() * sizeof(ThemeRecord);
        } else if (const auto* languages = std::get_if<Appended<LanguageRecord>>(&edit)) {
            bytes += languages->held.capacity() * sizeof(LanguageRecord);
        } else if (const auto* cleared = std::get_if<WordsCleared>(&edit)) {
            bytes += cleared->words.capacity() * sizeof(WordRecord);
        }
    }
    return bytes;
}

void ChangeRecorder::headerReplaced(const DictionaryHeader& before, const DictionaryHeader& now) {
    if (!sameBytes(before, now)) {
        change_.edits_.emplace_back(DictionaryChange::HeaderSwapped{before});
    }
}

template <typename Record>
void ChangeRecorder::replaced(int32_t index, const Record& before, const Record& now) {
    if (!sameBytes(before, now)) {
        change_.edits_.emplace_back(DictionaryChange::Swapped<Record>{index, before});
    }
}

// A run of appends to one table (an import adds thousands of words) is one edit.
template <typename Record>
void ChangeRecorder::appended() {
    if (!change_.edits_.empty()) {
        if (auto* run = std::get_if<DictionaryChange::Appended<Record>>(&change_.edits_.back())) {
            ++run->count;
            return;
        }
    }
    change_.edits_.emplace_back(DictionaryChange::Appended<Record>{1, {}});
}

template <typename Record>
void ChangeRecorder::erased(int32_t index, const Record& record) {
    change_.edits_.emplace_back(DictionaryChange::Erased<Record>{index, record});
}

void ChangeRecorder::wordRemoved(int32_t index, const WordRecord& record) {
    change_.edits_.emplace_back(DictionaryChange::WordRemoved{index, record});
}

void ChangeRecorder::wordsRenumbered(int32_t WordRecord::*field, int32_t removed) {
    change_.edits_.emplace_back(DictionaryChange::Renumbered{field, removed});
}

void ChangeRecorder::wordsCleared(WordTable&& words) {
    if (!words.empty()) {
        change_.edits_.emplace_back(DictionaryChange::WordsCleared{std::move(words)});
    }
}

DictionaryChange ChangeRecorder::take() {
    // A step is kept for the rest of the run; the room a growing list keeps spare is not.
    change_.edits_.shrink_to_fit();
    DictionaryChange taken = std::move(change_);
    change_ = DictionaryChange{};
    return taken;
}

template void ChangeRecorder::replaced(int32_t, const LanguageRecord&, const LanguageRecord&);
template void ChangeRecorder::replaced(int32_t, const ThemeRecord&, const ThemeRecord&);
template void ChangeRecorder::replaced(int32_t, const WordRecord&, const WordRecord&);
template void ChangeRecorder::appended<LanguageRecord>();
template void ChangeRecorder::appended<ThemeRecord>();
template void ChangeRecorder::appended<WordRecord>();
template void ChangeRecorder::erased(int32_t, const LanguageRecord&);
template void ChangeRecorder::erased(int32_t, const ThemeRecord&);

}  // namespace lq
