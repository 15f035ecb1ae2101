#include "BenchDictionary.h"

#include <fstream>

#include "store/DictionaryImage.h"
#include "store/Edits.h"
#include "store/TestRandom.h"
#include "store/TextField.h"

namespace lq {

Dictionary largeDictionary(int wordCount) {
    Dictionary d;
    d.header = newDictionaryHeader({2024, 5, 3, 15, 12, 0, 0, 0});
    for (int i = 0; i < 6; ++i) {
        d.languages.push_back(makeLanguageRecord("language " + std::to_string(i)));
    }
    for (int i = 0; i < 20; ++i) {
        d.themes.push_back(makeThemeRecord("Theme " + std::to_string(i)));
    }
    TestRandom random;
    d.words.resize(static_cast<std::size_t>(wordCount));
    for (int i = 0; i < wordCount; ++i) {
        WordRecord& word = d.words[static_cast<std::size_t>(i)];
        word = WordRecord{};
        std::string text;
        const int letters = 4 + random.draw() % 9;
        for (int k = 0; k < letters; ++k) {
            const char base = random.draw() % 4 == 0 ? 'A' : 'a';
            text += static_cast<char>(base + random.draw() % 26);
        }
        text += std::to_string(i);  // unique
        setFieldText(word.word, text);
        setFieldText(word.translation, "translation of " + text);
        setFieldText(word.transcription, "[" + text + "]");
        word.themeIndex = i % 20;
        word.languageIndex = i % 6;
        word.testedCount = i % 3;
        word.rightCount = i % 2;
    }
    return d;
}

bool writeLargeDictionary(const std::string& path, int wordCount) {
    const std::vector<uint8_t> bytes = dictionaryBytes(largeDictionary(wordCount));
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return file.good();
}

}  // namespace lq
