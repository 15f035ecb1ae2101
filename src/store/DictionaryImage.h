// The dictionary file's bytes: decoding with every check a hostile file needs, and encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "store/Dictionary.h"

namespace lq {

enum class LoadStatus {
    Loaded,
    CannotOpen,    // the file could not be opened
    NotAFile,      // the name is taken by a folder, a pipe, a socket or a device
    ReadError,     // the system failed a read
    Damaged,       // the contents cannot be a dictionary
    OutOfMemory,   // the tables could not be allocated
    CreateFailed,  // a missing dictionary could not be created
};

// The how-to-fix text that goes with a failed load.
std::string_view loadFailureHint(LoadStatus status);

// Fills exactly `size` bytes or fails.
using ReadExact = std::function<bool(void* buffer, std::size_t size)>;
// Takes the next `size` bytes of the image; false stops the encoding.
using WriteBytes = std::function<bool(const void* data, std::size_t size)>;

// Decodes a dictionary from a source of `totalSize` bytes. Counts, indexes, test filters and
// option positions are checked before anything is trusted or allocated. Bytes after the last
// record are ignored. On failure the target is left as it was.
LoadStatus decodeDictionary(const ReadExact& read, int64_t totalSize, Dictionary& target);
LoadStatus decodeDictionary(const uint8_t* data, std::size_t size, Dictionary& target);

// The header as the file gets it: its three counts are the lengths of the tables.
DictionaryHeader writtenHeader(const Dictionary& dictionary);

// Writes the image in file order: header, languages, themes, words.
bool encodeDictionary(const Dictionary& dictionary, const WriteBytes& write);
std::vector<uint8_t> dictionaryBytes(const Dictionary& dictionary);

// Whether a decoded dictionary keeps the invariants the rest of the program relies on.
bool isConsistent(const Dictionary& dictionary);

}  // namespace lq
