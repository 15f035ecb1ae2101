// Themes and languages are managed by the same dialogs; a side holds everything in which the
// two differ: the words shown to the user and the table the dialogs act on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/Dictionary.h"
#include "store/DictionaryChange.h"
#include "store/Reporter.h"

namespace lq {

struct CatalogSide {
    // The list dialog.
    const char* listTitle;
    const char* bannerPicture;
    // The New dialog.
    const char* newTitle;
    const char* nameFrame;
    const char* cantAdd;
    const char* blankOnAdd;
    // The New and Rename dialogs.
    const char* alreadyDefined;
    // The Rename dialog.
    const char* renameTitle;
    const char* oldNameLabel;
    const char* newNameLabel;
    const char* cantRename;
    const char* blankOnRename;
    // The Delete dialog; the question holds one %s for the name.
    const char* deleteTitle;
    const char* selectLabel;
    const char* deleteQuestion;
    // The undo history's names of the three changes, each followed by the quoted name.
    const char* newStep;
    const char* renameStep;
    const char* deleteStep;

    // The table and the store's operations on it, which report what they changed.
    std::size_t (*count)(const Dictionary&);
    std::string_view (*name)(const Dictionary&, int32_t index);
    int32_t (*find)(const Dictionary&, std::string_view name);
    bool (*add)(Dictionary&, std::string_view name, Reporter&, ChangeRecorder*);
    void (*rename)(Dictionary&, int32_t index, std::string_view name, ChangeRecorder*);
    bool (*remove)(Dictionary&, std::string_view name, Reporter&, ChangeRecorder*);
    int32_t WordRecord::*wordIndex;
};

extern const CatalogSide kThemeSide;
extern const CatalogSide kLanguageSide;

// Why a name is refused: the message and its how-to-fix text.
struct Refusal {
    std::string_view message;
    std::string_view howToFix;
};

// A new name must not be blank and must differ, byte for byte, from every name of its table.
std::optional<Refusal> refuseNewName(const Dictionary& dictionary, const CatalogSide& side,
                                     std::string_view name);
// As for a new name, except that the entry being renamed may keep its own name.
std::optional<Refusal> refuseRename(const Dictionary& dictionary, const CatalogSide& side,
                                    int32_t index, std::string_view name);

// How many words an entry holds and how well they are known (pooled, 0 to 100).
struct CatalogFigures {
    int32_t words = 0;
    int32_t averageKnowledge = 0;
};
CatalogFigures catalogFigures(const Dictionary& dictionary, const CatalogSide& side, int32_t index);

// The question asked before an entry and its words are deleted.
std::string deleteQuestion(const CatalogSide& side, std::string_view name);

// The names of the steps in the undo history: "New theme 'Food'", "Rename theme 'Food' to
// 'Meals'", "Delete theme 'Food'".
std::string newStepName(const CatalogSide& side, std::string_view name);
std::string renameStepName(const CatalogSide& side, std::string_view oldName,
                           std::string_view newName);
std::string deleteStepName(const CatalogSide& side, std::string_view name);

}  // namespace lq
