#include "import/ImportFakes.h"

#include "store/TextField.h"

namespace lq::test {

namespace {

constexpr std::string_view kReallocationFix =
    "Memory reallocation error. Close some applications and try again.";

bool failsNow(const std::set<int32_t>& failing, int32_t& calls) {
    return failing.count(++calls) != 0;
}

}  // namespace

bool FailingEdits::addWord(Dictionary& dictionary, const WordRecord& word, Reporter& reporter) {
    if (failsNow(failingWordAdds, wordAdds_)) {
        reporter.showError("Can't add word.", kReallocationFix);
        return false;
    }
    return DictionaryEdits::addWord(dictionary, word, reporter);
}

bool FailingEdits::addLanguage(Dictionary& dictionary, const LanguageRecord& language,
                               Reporter& reporter) {
    if (failsNow(failingLanguageAdds, languageAdds_)) {
        reporter.showError("Can't add language.", kReallocationFix);
        return false;
    }
    return DictionaryEdits::addLanguage(dictionary, language, reporter);
}

bool FailingEdits::addTheme(Dictionary& dictionary, const ThemeRecord& theme, Reporter& reporter) {
    if (failsNow(failingThemeAdds, themeAdds_)) {
        reporter.showError("Can't add theme.", kReallocationFix);
        return false;
    }
    return DictionaryEdits::addTheme(dictionary, theme, reporter);
}

SYSTEMTIME TickingClock::localTime() const {
    ++ticks_;
    return SYSTEMTIME{2011,
                      6,
                      3,
                      15,
                      12,
                      static_cast<uint16_t>(ticks_ / 60000 % 60),
                      static_cast<uint16_t>(ticks_ / 1000 % 60),
                      static_cast<uint16_t>(ticks_ % 1000)};
}

std::vector<std::string> wordPlaces(const Dictionary& dictionary) {
    std::vector<std::string> out;
    for (const WordRecord& w : dictionary.words) {
        out.push_back(std::string(fieldText(w.word)) + " " +
                      std::string(fieldText(dictionary.themes.at(w.themeIndex).name)) + "/" +
                      std::string(fieldText(dictionary.languages.at(w.languageIndex).name)));
    }
    return out;
}

std::vector<std::string> wordTranslations(const Dictionary& dictionary) {
    std::vector<std::string> out;
    for (const WordRecord& w : dictionary.words) {
        out.push_back(std::string(fieldText(w.word)) + ":" + std::string(fieldText(w.translation)));
    }
    return out;
}

}  // namespace lq::test
