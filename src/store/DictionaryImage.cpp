#include "store/DictionaryImage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "store/ByteOrder.h"

namespace lq {

namespace {

constexpr int kOptionPositions = 16;

bool validIndex(int32_t index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

bool validFilter(int32_t filter, int32_t count) {
    return filter == -1 || (filter >= 0 && filter < count);
}

bool validOptionPosition(int8_t position) {
    return position >= 0 && position < kOptionPositions;
}

bool headerIsSound(const DictionaryHeader& h, int64_t totalSize) {
    if (h.languageCount < 0 || h.themeCount < 0 || h.wordCount < 0) {
        return false;
    }
    const int64_t needed = int64_t{kHeaderSize} + int64_t{kLanguageRecordSize} * h.languageCount +
                           int64_t{kThemeRecordSize} * h.themeCount +
                           int64_t{kWordRecordSize} * h.wordCount;
    return needed <= totalSize && validFilter(h.testThemeFilter, h.themeCount) &&
           validFilter(h.testLanguageFilter, h.languageCount) &&
           validOptionPosition(h.testCountIndex) && validOptionPosition(h.variantCountIndex) &&
           validOptionPosition(h.timeLimitIndex);
}

bool wordsAreSound(const Dictionary& d) {
    for (const WordRecord& word : d.words) {
        if (!validIndex(word.themeIndex, d.themes.size()) ||
            !validIndex(word.languageIndex, d.languages.size())) {
            return false;
        }
    }
    return true;
}

// Reads `count` records into a table whose room is already reserved. Going through a small
// buffer fills the table in one pass; resizing first would write every byte twice.
// Each chunk is checked while it is still in the cache; false from `sound` stops the reading.
enum class TableRead { Complete, Failed, Unsound };

template <typename Record, typename Check>
TableRead readTable(const ReadExact& read, std::vector<Record>& table, std::size_t count,
                    const Check& sound) {
    constexpr std::size_t kChunk = 65536 / sizeof(Record);
    Record buffer[kChunk];
    while (table.size() < count) {
        const std::size_t n = std::min(kChunk, count - table.size());
        if (!read(buffer, n * sizeof(Record))) {
            return TableRead::Failed;
        }
        byteorder::convert(buffer, n);
        for (std::size_t i = 0; i < n; ++i) {
            if (!sound(buffer[i])) {
                return TableRead::Unsound;
            }
        }
        table.insert(table.end(), buffer, buffer + n);
    }
    return TableRead::Complete;
}

template <typename Record>
bool anyRecord(const Record&) {
    return true;
}

template <typename Record>
bool writeTable(const WriteBytes& write, const std::vector<Record>& table) {
    if (table.empty()) {
        return true;
    }
    if constexpr (byteorder::kNativeIsFileOrder) {
        return write(table.data(), table.size() * sizeof(Record));
    } else {
        constexpr std::size_t kChunk = 256;
        Record buffer[kChunk];
        for (std::size_t first = 0; first < table.size(); first += kChunk) {
            const std::size_t n = std::min(kChunk, table.size() - first);
            std::memcpy(buffer, table.data() + first, n * sizeof(Record));
            byteorder::convert(buffer, n);
            if (!write(buffer, n * sizeof(Record))) {
                return false;
            }
        }
        return true;
    }
}

}  // namespace

std::string_view loadFailureHint(LoadStatus status) {
    switch (status) {
        case LoadStatus::Loaded:
            return {};
        case LoadStatus::CannotOpen:
        case LoadStatus::ReadError:
            return "Disk input/output error. Can't open dictionary file for reading.";
        case LoadStatus::Damaged:
            return "The dictionary file is damaged: its records don't match its header. Put back "
                   "a good copy of the file, or move it away to start a new dictionary.";
        case LoadStatus::OutOfMemory:
            return "Memory allocation error. Close other applications and try again.";
        case LoadStatus::CreateFailed:
            return "Disk input/output error occurs. Maybe, it is write-protected.";
    }
    return {};
}

LoadStatus decodeDictionary(const ReadExact& read, int64_t totalSize, Dictionary& target) {
    if (totalSize < kHeaderSize) {
        return LoadStatus::Damaged;
    }
    Dictionary loaded;
    if (!read(&loaded.header, sizeof(DictionaryHeader))) {
        return LoadStatus::ReadError;
    }
    byteorder::convert(&loaded.header, 1);
    const DictionaryHeader& h = loaded.header;
    if (!headerIsSound(h, totalSize)) {
        return LoadStatus::Damaged;
    }
    const auto languageCount = static_cast<std::size_t>(h.languageCount);
    const auto themeCount = static_cast<std::size_t>(h.themeCount);
    const auto wordCount = static_cast<std::size_t>(h.wordCount);
    try {
        loaded.languages.reserve(languageCount);
        loaded.themes.reserve(themeCount);
        loaded.words.reserve(wordCount);
    } catch (const std::bad_alloc&) {
        return LoadStatus::OutOfMemory;
    }
    const auto wordIsSound = [&](const WordRecord& word) {
        return validIndex(word.themeIndex, themeCount) &&
               validIndex(word.languageIndex, languageCount);
    };
    TableRead result = readTable(read, loaded.languages, languageCount, anyRecord<LanguageRecord>);
    if (result == TableRead::Complete) {
        result = readTable(read, loaded.themes, themeCount, anyRecord<ThemeRecord>);
    }
    if (result == TableRead::Complete) {
        result = readTable(read, loaded.words, wordCount, wordIsSound);
    }
    if (result != TableRead::Complete) {
        return result == TableRead::Unsound ? LoadStatus::Damaged : LoadStatus::ReadError;
    }
    target = std::move(loaded);
    return LoadStatus::Loaded;
}

LoadStatus decodeDictionary(const uint8_t* data, std::size_t size, Dictionary& target) {
    std::size_t offset = 0;
    const ReadExact read = [&](void* buffer, std::size_t n) {
        if (n > size - offset) {
            return false;
        }
        std::memcpy(buffer, data + offset, n);
        offset += n;
        return true;
    };
    return decodeDictionary(read, static_cast<int64_t>(size), target);
}

bool encodeDictionary(const Dictionary& dictionary, const WriteBytes& write) {
    DictionaryHeader header = dictionary.header;
    byteorder::convert(&header, 1);
    return write(&header, sizeof header) && writeTable(write, dictionary.languages) &&
           writeTable(write, dictionary.themes) && writeTable(write, dictionary.words);
}

std::vector<uint8_t> dictionaryBytes(const Dictionary& dictionary) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(fileSize(dictionary)));
    encodeDictionary(dictionary, [&](const void* data, std::size_t n) {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + n);
        return true;
    });
    return bytes;
}

bool isConsistent(const Dictionary& d) {
    const DictionaryHeader& h = d.header;
    return h.languageCount == static_cast<int64_t>(d.languages.size()) &&
           h.themeCount == static_cast<int64_t>(d.themes.size()) &&
           h.wordCount == static_cast<int64_t>(d.words.size()) && headerIsSound(h, fileSize(d)) &&
           wordsAreSound(d);
}

}  // namespace lq
