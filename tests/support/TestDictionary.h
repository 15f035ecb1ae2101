// Small dictionaries for tests, built in a line or two.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Dictionary.h"

namespace lq::test {

struct WordSpec {
    std::string word;
    int32_t theme = 0;
    int32_t language = 0;
    int32_t right = 0;
    int32_t tested = 0;
    std::string translation = "translation";
    std::string transcription = "transcription";
};

WordRecord makeWord(const WordSpec& shape);

// A fresh header (created at the fixed clock's time) with the given tables.
Dictionary makeDictionary(const std::vector<std::string>& languages,
                          const std::vector<std::string>& themes,
                          const std::vector<WordSpec>& words);

std::vector<std::string> wordTexts(const Dictionary& dictionary);
std::vector<std::string> themeNames(const Dictionary& dictionary);
std::vector<std::string> languageNames(const Dictionary& dictionary);

// A temporary folder, removed with everything in it when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

  private:
    std::string path_;
};

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace lq::test
