#include "catalog/core/CatalogSide.h"

#include "store/ChangeLog.h"
#include "store/Edits.h"
#include "store/Knowledge.h"
#include "store/TextField.h"

namespace lq {

namespace {

template <auto Table>
std::size_t tableSize(const Dictionary& dictionary) {
    return (dictionary.*Table).size();
}

template <auto Table>
std::string_view entryName(const Dictionary& dictionary, int32_t index) {
    return fieldText((dictionary.*Table).at(static_cast<std::size_t>(index)).name);
}

bool addThemeNamed(Dictionary& dictionary, std::string_view name, Reporter& reporter,
                   ChangeRecorder* recorder) {
    return addTheme(dictionary, makeThemeRecord(name), reporter, recorder);
}

bool addLanguageNamed(Dictionary& dictionary, std::string_view name, Reporter& reporter,
                      ChangeRecorder* recorder) {
    return addLanguage(dictionary, makeLanguageRecord(name), reporter, recorder);
}

// The first entry other than `except` whose name equals `name` byte for byte.
bool nameTaken(const Dictionary& dictionary, const CatalogSide& side, std::string_view name,
               int32_t except) {
    const auto count = static_cast<int32_t>(side.count(dictionary));
    for (int32_t i = 0; i < count; ++i) {
        if (i != except && side.name(dictionary, i) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

const CatalogSide kThemeSide{
    "Themes",
    "banner-themes",
    "New Theme",
    " Theme' name ",
    "Can't add theme.",
    "Field \"Theme' name\" is blank, it must include atlast 1 character.",
    "Such theme already defined.",
    "Rename Theme",
    "Old theme' name",
    "New theme' name",
    "Can't rename theme.",
    "Name of the theme must include atlast 1 character.",
    "Delete Theme",
    "Select theme",
    "All words that belongs to theme '%s' will be deleted.",
    "New theme",
    "Rename theme",
    "Delete theme",
    &tableSize<&Dictionary::themes>,
    &entryName<&Dictionary::themes>,
    &findTheme,
    &addThemeNamed,
    &renameTheme,
    &deleteTheme,
    &WordRecord::themeIndex,
};

const CatalogSide kLanguageSide{
    "Languages",
    "banner-languages",
    "New Language",
    " Language' name ",
    "Can't add language.",
    "Field \"Language' name\" is blank, it must include atlast 1 character.",
    "Such language already defined.",
    "Rename Language",
    "Old language' name",
    "New language' name",
    "Can't rename language.",
    "Name of the language must include atlast 1 character.",
    "Delete Language",
    "Select language",
    "All words that belongs to language '%s' will be deleted.",
    "New language",
    "Rename language",
    "Delete language",
    &tableSize<&Dictionary::languages>,
    &entryName<&Dictionary::languages>,
    &findLanguage,
    &addLanguageNamed,
    &renameLanguage,
    &deleteLanguage,
    &WordRecord::languageIndex,
};

std::optional<Refusal> refuseNewName(const Dictionary& dictionary, const CatalogSide& side,
                                     std::string_view name) {
    if (name.empty()) {
        return Refusal{side.cantAdd, side.blankOnAdd};
    }
    if (nameTaken(dictionary, side, name, kNoIndex)) {
        return Refusal{side.cantAdd, side.alreadyDefined};
    }
    return std::nullopt;
}

std::optional<Refusal> refuseRename(const Dictionary& dictionary, const CatalogSide& side,
                                    int32_t index, std::string_view name) {
    if (name.empty()) {
        return Refusal{side.cantRename, side.blankOnRename};
    }
    if (nameTaken(dictionary, side, name, index)) {
        return Refusal{side.cantRename, side.alreadyDefined};
    }
    return std::nullopt;
}

CatalogFigures catalogFigures(const Dictionary& dictionary, const CatalogSide& side,
                              int32_t index) {
    CatalogFigures figures;
    KnowledgeTally tally;
    for (const WordRecord& word : dictionary.words) {
        if (word.*side.wordIndex == index) {
            ++figures.words;
            tally.add(word);
        }
    }
    figures.averageKnowledge = tally.average();
    return figures;
}

std::string deleteQuestion(const CatalogSide& side, std::string_view name) {
    const std::string_view question = side.deleteQuestion;
    const std::size_t slot = question.find("%s");
    std::string text(question.substr(0, slot));
    text.append(name);
    text.append(question.substr(slot + 2));
    return text;
}

namespace {

std::string stepName(const char* what, std::string_view name) {
    std::string text = what;
    text += ' ';
    text += quotedName(name);
    return text;
}

}  // namespace

std::string newStepName(const CatalogSide& side, std::string_view name) {
    return stepName(side.newStep, name);
}

std::string renameStepName(const CatalogSide& side, std::string_view oldName,
                           std::string_view newName) {
    return stepName(side.renameStep, oldName) + " to " + quotedName(newName);
}

std::string deleteStepName(const CatalogSide& side, std::string_view name) {
    return stepName(side.deleteStep, name);
}

}  // namespace lq
