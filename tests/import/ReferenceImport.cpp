#include "import/ReferenceImport.h"

#include "store/TextField.h"

namespace lq::test {

namespace {

int32_t sizeOf(const auto& table) {
    return static_cast<int32_t>(table.size());
}

// Theme or language of a word: the target, the first record of that name, or a new record.
template <typename Record, typename AddFunction>
int32_t placeReference(Placement placement, int32_t target, int32_t matched, int32_t otherMatched,
                       Placement otherPlacement, const RecordTable<Record>& table,
                       const Record& sourceRecord, AddFunction add, int32_t& addedCount) {
    if (placement == Placement::IntoExisting) {
        return target >= 0 && target < sizeOf(table) ? target : kNoIndex;
    }
    if (placement == Placement::Skip || matched != kNoIndex) {
        return matched;
    }
    if (otherMatched == kNoIndex && otherPlacement == Placement::Skip) {
        return kNoIndex;
    }
    if (!add(sourceRecord)) {
        return kNoIndex;
    }
    ++addedCount;
    return sizeOf(table) - 1;
}

}  // namespace

ReferenceRun referenceImport(const Dictionary& source, Dictionary& current,
                             const ImportOptions& options, Reporter& reporter, const Clock& clock,
                             DictionaryEdits& edits, int32_t wordLimit) {
    ImportSummary summary;
    int32_t taken = 0;
    for (const WordRecord& sourceWord : source.words) {
        if (taken == wordLimit) {
            break;
        }
        ++taken;
        if ((options.themeFilter != -1 && options.themeFilter != sourceWord.themeIndex) ||
            (options.languageFilter != -1 && options.languageFilter != sourceWord.languageIndex)) {
            continue;
        }
        if (sourceWord.themeIndex < 0 || sourceWord.themeIndex >= sizeOf(source.themes) ||
            sourceWord.languageIndex < 0 || sourceWord.languageIndex >= sizeOf(source.languages)) {
            continue;
        }
        const ThemeRecord& sourceTheme = source.themes[sourceWord.themeIndex];
        const LanguageRecord& sourceLanguage = source.languages[sourceWord.languageIndex];
        const int32_t matchedTheme = findTheme(current, fieldText(sourceTheme.name));
        const int32_t matchedLanguage = findLanguage(current, fieldText(sourceLanguage.name));

        const int32_t theme = placeReference(
            options.themePlacement, options.targetTheme, matchedTheme, matchedLanguage,
            options.languagePlacement, current.themes, sourceTheme,
            [&](const ThemeRecord& r) { return edits.addTheme(current, r, reporter); },
            summary.themesAdded);
        if (theme == kNoIndex) {
            continue;
        }
        const int32_t language = placeReference(
            options.languagePlacement, options.targetLanguage, matchedLanguage, matchedTheme,
            options.themePlacement, current.languages, sourceLanguage,
            [&](const LanguageRecord& r) { return edits.addLanguage(current, r, reporter); },
            summary.languagesAdded);
        if (language == kNoIndex) {
            continue;
        }

        WordRecord copy = sourceWord;
        copy.themeIndex = theme;
        copy.languageIndex = language;
        if (!options.keepTestData) {
            copy.rightCount = 0;
            copy.testedCount = 0;
        }
        if (!options.keepCreationDate) {
            copy.created = clock.localTime();
        }

        const int32_t existing = findWord(current, fieldText(copy.word));
        if (existing != kNoIndex && !options.overwriteExisting) {
            continue;
        }
        const WordRecord replaced = existing != kNoIndex ? current.words[existing] : WordRecord{};
        if (existing != kNoIndex && !edits.deleteWord(current, existing, reporter)) {
            continue;
        }
        if (edits.addWord(current, copy, reporter)) {
            ++summary.wordsAdded;
            summary.wordsOverwritten += existing != kNoIndex ? 1 : 0;
            continue;
        }
        summary.allocationFailed = true;
        if (existing == sizeOf(current.words)) {
            edits.addWord(current, replaced, reporter);
        } else if (existing != kNoIndex) {
            const WordRecord moved = current.words[existing];
            if (edits.addWord(current, moved, reporter)) {
                current.words[existing] = replaced;
            }
        }
    }
    reporter.showInformation(importSummaryText(summary, current));
    return {summary, taken};
}

}  // namespace lq::test
