#include "import/core/ImportWords.h"

#include <cstdio>

#include "store/TextField.h"

namespace lq {

namespace {

// How many source words ahead the word index is asked to have a slot ready.
constexpr int32_t kLookAhead = 8;

template <typename Record>
int32_t tableSize(const RecordTable<Record>& table) {
    return static_cast<int32_t>(table.size());
}

}  // namespace

std::string importSummaryText(const ImportSummary& summary, const Dictionary& current) {
    char text[512];
    std::snprintf(
        text, sizeof text,
        "Total words added:\t%4i (now %ld), overwritten: %i\n"
        "Total themes added:\t%4i (now %ld)\n"
        "Total languages added:\t%4i (now %ld)%s",
        summary.wordsAdded, static_cast<long>(current.words.size()), summary.wordsOverwritten,
        summary.themesAdded, static_cast<long>(current.themes.size()), summary.languagesAdded,
        static_cast<long>(current.languages.size()),
        summary.allocationFailed ? "\n( Attention: memory allocation errors encounered )" : "");
    return text;
}

ImportRun::ImportRun(const Dictionary& source, Dictionary& current, const ImportOptions& options,
                     Reporter& reporter, const Clock& clock, DictionaryEdits& edits)
    : source_(source),
      current_(current, edits, reporter, source.words.size()),
      options_(options),
      reporter_(reporter),
      clock_(clock),
      totalWords_(tableSize(source.words)) {}

bool ImportRun::step(int32_t wordCount) {
    for (int32_t taken = 0; taken < wordCount && !finished_ && nextWord_ < totalWords_; ++taken) {
        if (nextWord_ + kLookAhead < totalWords_) {
            current_.prefetchWord(fieldText(source_.words[nextWord_ + kLookAhead].word));
        }
        importWord(source_.words[nextWord_]);
        ++nextWord_;
    }
    if (!finished_ && nextWord_ >= totalWords_) {
        finish();
    }
    return finished_;
}

void ImportRun::stop() {
    if (!finished_) {
        finish();
    }
}

void ImportRun::finish() {
    finished_ = true;
    reporter_.showInformation(importSummaryText(summary_, current_.dictionary()));
}

void ImportRun::importWord(const WordRecord& sourceWord) {
    if (!passesFilters(sourceWord) || !refersInsideSource(sourceWord)) {
        return;
    }
    const ThemeRecord& sourceTheme = source_.themes[sourceWord.themeIndex];
    const LanguageRecord& sourceLanguage = source_.languages[sourceWord.languageIndex];
    const int32_t matchedTheme = current_.findTheme(fieldText(sourceTheme.name));
    const int32_t matchedLanguage = current_.findLanguage(fieldText(sourceLanguage.name));

    const int32_t theme = place({options_.themePlacement, options_.targetTheme, matchedTheme,
                                 matchedLanguage, options_.languagePlacement},
                                sourceTheme, summary_.themesAdded);
    if (theme == kNoIndex) {
        return;
    }
    const int32_t language = place({options_.languagePlacement, options_.targetLanguage,
                                    matchedLanguage, matchedTheme, options_.themePlacement},
                                   sourceLanguage, summary_.languagesAdded);
    if (language == kNoIndex) {
        return;
    }
    addOrOverwrite(importedCopy(sourceWord, theme, language));
}

bool ImportRun::passesFilters(const WordRecord& sourceWord) const {
    return passesFilter(options_.themeFilter, sourceWord.themeIndex) &&
           passesFilter(options_.languageFilter, sourceWord.languageIndex);
}

bool ImportRun::refersInsideSource(const WordRecord& sourceWord) const {
    // A validated load never yields anything else; a word that points outside is left out.
    return sourceWord.themeIndex >= 0 && sourceWord.themeIndex < tableSize(source_.themes) &&
           sourceWord.languageIndex >= 0 && sourceWord.languageIndex < tableSize(source_.languages);
}

int32_t ImportRun::addEntry(const ThemeRecord& theme) {
    return current_.addTheme(theme);
}

int32_t ImportRun::addEntry(const LanguageRecord& language) {
    return current_.addLanguage(language);
}

int32_t ImportRun::entryCount(const ThemeRecord&) const {
    return tableSize(current_.dictionary().themes);
}

int32_t ImportRun::entryCount(const LanguageRecord&) const {
    return tableSize(current_.dictionary().languages);
}

template <typename Record>
int32_t ImportRun::place(const CatalogChoice& choice, const Record& sourceRecord,
                         int32_t& addedCount) {
    switch (choice.placement) {
        case Placement::IntoExisting:
            // A target outside the table would break the word's reference; such a word has no
            // place to go.
            return choice.target >= 0 && choice.target < entryCount(sourceRecord) ? choice.target
                                                                                  : kNoIndex;
        case Placement::Skip:
            return choice.matched;
        case Placement::AddNew: {
            if (choice.matched != kNoIndex) {
                return choice.matched;
            }
            if (choice.otherMatched == kNoIndex && choice.otherPlacement == Placement::Skip) {
                return kNoIndex;
            }
            const int32_t added = addEntry(sourceRecord);
            if (added != kNoIndex) {
                ++addedCount;
            }
            return added;
        }
    }
    return kNoIndex;
}

WordRecord ImportRun::importedCopy(const WordRecord& sourceWord, int32_t theme,
                                   int32_t language) const {
    WordRecord copy = sourceWord;
    copy.themeIndex = theme;
    copy.languageIndex = language;
    if (!options_.keepTestData) {
        copy.rightCount = 0;
        copy.testedCount = 0;
    }
    if (!options_.keepCreationDate) {
        copy.created = clock_.localTime();
    }
    return copy;
}

void ImportRun::addOrOverwrite(const WordRecord& copy) {
    const std::string_view text = fieldText(copy.word);
    const uint32_t hash = IndexedDictionary::wordHash(text);
    const int32_t existing = current_.findWord(text, hash);
    if (existing != kNoIndex && !options_.overwriteExisting) {
        return;
    }
    countStoredWord(current_.addOrOverwriteWord(copy, existing, hash), summary_);
}

}  // namespace lq
