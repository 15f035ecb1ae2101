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
    return filter == kNoIndex || (filter >= 0 && filter < count);
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

// Reads a table's records straight into its storage, a slice at a time, and checks each slice
// while it is still in the cache. Each byte is then written once, by the read itself, as a
// plain read of the file would write it.
enum class TableRead { Complete, Failed, Unsound };

// Small enough to stay in the cache for the check, large enough that a 10,000-word dictionary
// takes only two reads; smaller slices cost more in calls than they save in cache misses.
constexpr std::size_t kSliceBytes = 1024 * 1024;

template <typename Record, typename Check>
TableRead readTable(const ReadExact& read, RecordTable<Record>& table, const Check& sound) {
    constexpr std::size_t kSlice = kSliceBytes / sizeof(Record);
    for (std::size_t first = 0; first < table.size(); first += kSlice) {
        const std::size_t n = std::min(kSlice, table.size() - first);
        Record* slice = table.data() + first;
        if (!read(slice, n * sizeof(Record))) {
            return TableRead::Failed;
        }
        byteorder::convert(slice, n);
        if (!std::all_of(slice, slice + n, sound)) {
            return TableRead::Unsound;
        }
    }
    return TableRead::Complete;
}

template <typename Record>
bool anyRecord(const Record&) {
    return true;
}

template <typename Record>
bool writeTable(const WriteBytes& write, const RecordTable<Record>& table) {
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
        case LoadStatus::NotAFile:
            return "The name Lexiquill.lqd is taken by something that is not a dictionary file "
                   "(a folder, a pipe, a socket or a device). Rename it or move it away to start "
                   "a new dictionary.";
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
        loaded.languages = unsetTable<LanguageRecord>(languageCount);
        loaded.themes = unsetTable<ThemeRecord>(themeCount);
        loaded.words = unsetTable<WordRecord>(wordCount);
    } catch (const std::bad_alloc&) {
        return LoadStatus::OutOfMemory;
    }
    const auto wordIsSound = [&](const WordRecord& word) {
        return validIndex(word.themeIndex, themeCount) &&
               validIndex(word.languageIndex, languageCount);
    };
    TableRead result = readTable(read, loaded.languages, anyRecord<LanguageRecord>);
    if (result == TableRead::Complete) {
        result = readTable(read, loaded.themes, anyRecord<ThemeRecord>);
    }
    if (result == TableRead::Complete) {
        result = readTable(read, loaded.words, wordIsSound);
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

DictionaryHeader writtenHeader(const Dictionary& dictionary) {
    DictionaryHeader header = dictionary.header;
    header.languageCount = static_cast<int32_t>(dictionary.languages.size());
    header.themeCount = static_cast<int32_t>(dictionary.themes.size());
    header.wordCount = static_cast<int32_t>(dictionary.words.size());
    return header;
}

bool encodeDictionary(const Dictionary& dictionary, const WriteBytes& write) {
    DictionaryHeader header = writtenHeader(dictionary);
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
    return headerIsSound(writtenHeader(d), fileSize(d)) && wordsAreSound(d);
}

}  // namespace lq
