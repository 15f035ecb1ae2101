// The refusals of the word dialogs and the main window's in-place edits. Texts are the bytes
// that would be stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "store/Dictionary.h"

namespace lq {

inline constexpr std::string_view kCantAddWord = "Can't add word.";
inline constexpr std::string_view kCantRenameWord = "Can't rename word.";
inline constexpr std::string_view kCantChangeTranslation = "Can't change translation.";
inline constexpr std::string_view kTranslationMustHaveText =
    "Translation must include at last 1 character.";

// Empty, or beginning with "?" (the placeholder of an unknown translation).
bool isBlankTranslation(std::string_view translation);

// The fields of a new word, in the order they are checked.
enum class NewWordField { Word, Translation, Transcription };

struct NewWordRefusal {
    NewWordField field;  // the field at fault
    std::string_view howToFix;
};

// The first check a new word fails, or nothing when it may be added.
std::optional<NewWordRefusal> newWordRefusal(const Dictionary& dictionary, std::string_view word,
                                             std::string_view translation,
                                             std::string_view transcription);

// The how-to-fix text when the word at `index` may not take `newName`.
std::optional<std::string_view> renameRefusal(const Dictionary& dictionary, int32_t index,
                                              std::string_view newName);

}  // namespace lq
