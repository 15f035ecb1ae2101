#include "import/RandomDictionary.h"

#include <string>

#include "store/TextField.h"
#include "support/FixedClock.h"

namespace lq::test {

namespace {

// Texts separated by '|'; é is a Windows-1252 byte.
constexpr std::string_view kNamePool = "en|de|En|fr|a b|\xe9t\xe9";
constexpr std::string_view kWordPool = "a|b|A|ab|ba|c|B|\xe9";

std::string_view pick(std::string_view pool, int32_t index) {
    for (; index > 0; --index) {
        pool.remove_prefix(pool.find('|') + 1);
    }
    return pool.substr(0, pool.find('|'));
}

int32_t poolSize(std::string_view pool) {
    int32_t size = 1;
    for (char c : pool) {
        size += c == '|' ? 1 : 0;
    }
    return size;
}

template <typename Record>
void fillTable(RandomDictionaries& random, RecordTable<Record>& table, int32_t count) {
    table.resize(count);
    for (Record& record : table) {
        random.fillText(record.name, kNamePool);
    }
}

}  // namespace

template <std::size_t N>
void RandomDictionaries::fillText(char (&field)[N], std::string_view pool) {
    setFieldText(field, pick(pool, below(poolSize(pool))));
    if (oneIn(4)) {
        field[N - 1 - below(3)] = static_cast<char>('0' + below(10));  // after the terminator
    }
}

std::set<int32_t> RandomDictionaries::callNumbers(int32_t oneInN) {
    std::set<int32_t> calls;
    for (int32_t call = 1; call <= 24; ++call) {
        if (oneIn(oneInN)) {
            calls.insert(call);
        }
    }
    return calls;
}

WordRecord RandomDictionaries::word(int32_t themes, int32_t languages) {
    WordRecord word{};
    word.created = FixedClock().now;
    word.created.day = static_cast<uint16_t>(1 + below(28));
    word.testedCount = below(5);
    word.rightCount = below(word.testedCount + 1);
    word.themeIndex = below(themes);
    word.languageIndex = below(languages);
    fillText(word.word, kWordPool);
    fillText(word.translation, kNamePool);
    fillText(word.transcription, kNamePool);
    return word;
}

WordRecord RandomDictionaries::numberedWord(int32_t distinct) {
    WordRecord word{};
    setFieldText(word.word, "w" + std::to_string(below(distinct)));
    return word;
}

Dictionary RandomDictionaries::dictionary(int32_t maxCatalog, int32_t maxWords, bool brokenWords) {
    Dictionary d;
    d.header = newDictionaryHeader(FixedClock().now);
    fillTable(*this, d.themes, below(maxCatalog + 1));
    fillTable(*this, d.languages, below(maxCatalog + 1));
    const auto themes = static_cast<int32_t>(d.themes.size());
    const auto languages = static_cast<int32_t>(d.languages.size());
    if (themes > 0 && languages > 0) {
        d.words.resize(below(maxWords + 1));
        for (WordRecord& w : d.words) {
            w = word(themes, languages);
            if (brokenWords && oneIn(20)) {
                (oneIn(2) ? w.themeIndex : w.languageIndex) = oneIn(2) ? -1 : themes + languages;
            }
        }
    }
    return d;
}

ImportOptions RandomDictionaries::options(const Dictionary& source, const Dictionary& current) {
    // Indexes from -1 to one past the table, so that "any" and out-of-range values both occur.
    auto index = [this](std::size_t size) { return below(static_cast<int32_t>(size) + 2) - 1; };
    ImportOptions o;
    o.themeFilter = oneIn(2) ? -1 : index(source.themes.size());
    o.languageFilter = oneIn(2) ? -1 : index(source.languages.size());
    o.themePlacement = static_cast<Placement>(below(3));
    o.targetTheme = index(current.themes.size());
    o.languagePlacement = static_cast<Placement>(below(3));
    o.targetLanguage = index(current.languages.size());
    o.keepTestData = oneIn(2);
    o.keepCreationDate = oneIn(2);
    o.overwriteExisting = oneIn(2);
    return o;
}

}  // namespace lq::test
