#include "support/TestDictionary.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/TextField.h"
#include "support/FixedClock.h"

namespace lq::test {

WordRecord makeWord(const WordSpec& shape) {
    WordRecord word{};
    word.created = FixedClock().now;
    word.rightCount = shape.right;
    word.testedCount = shape.tested;
    word.themeIndex = shape.theme;
    word.languageIndex = shape.language;
    setFieldText(word.word, shape.word);
    setFieldText(word.translation, shape.translation);
    setFieldText(word.transcription, shape.transcription);
    return word;
}

Dictionary makeDictionary(const std::vector<std::string>& languages,
                          const std::vector<std::string>& themes,
                          const std::vector<WordSpec>& words) {
    Dictionary d;
    d.header = newDictionaryHeader(FixedClock().now);
    for (const auto& name : languages) {
        LanguageRecord record{};
        setFieldText(record.name, name);
        d.languages.push_back(record);
    }
    for (const auto& name : themes) {
        ThemeRecord record{};
        setFieldText(record.name, name);
        d.themes.push_back(record);
    }
    for (const auto& shape : words) {
        d.words.push_back(makeWord(shape));
    }
    return d;
}

std::vector<std::string> wordTexts(const Dictionary& dictionary) {
    std::vector<std::string> out;
    for (const auto& w : dictionary.words) {
        out.emplace_back(fieldText(w.word));
    }
    return out;
}

std::vector<std::string> themeNames(const Dictionary& dictionary) {
    std::vector<std::string> out;
    for (const auto& t : dictionary.themes) {
        out.emplace_back(fieldText(t.name));
    }
    return out;
}

std::vector<std::string> languageNames(const Dictionary& dictionary) {
    std::vector<std::string> out;
    for (const auto& l : dictionary.languages) {
        out.emplace_back(fieldText(l.name));
    }
    return out;
}

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lexiquill-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder";
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace lq::test
