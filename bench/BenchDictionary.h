// The large dictionary that the main window benchmarks and the memory measurement work on.
#pragma once

#include <string>

#include "store/Dictionary.h"

namespace lq {

// Unique words of mixed case and length, spread over 20 themes and 6 languages, some tested.
Dictionary largeDictionary(int wordCount);

// Writes it as a dictionary file; false when the file cannot be written.
bool writeLargeDictionary(const std::string& path, int wordCount);

}  // namespace lq
