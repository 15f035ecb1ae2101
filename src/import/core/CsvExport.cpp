#include "import/core/CsvExport.h"

#include <array>
#include <cstdio>
#include <new>

#include "import/core/CsvFormat.h"
#include "store/AtomicFile.h"
#include "store/TextEncoding.h"
#include "store/TextField.h"

namespace lq {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

template <typename Record>
std::string_view nameAt(const RecordTable<Record>& table, int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size()
               ? fieldText(table[static_cast<std::size_t>(index)].name)
               : std::string_view();
}

void appendRow(std::string& out, const std::array<std::string, kCsvFieldCount>& cells,
               char delimiter) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            out.push_back(delimiter);
        }
        appendCsvField(out, cells[i], delimiter);
    }
    out.append(kLineEnd);
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::string csvWordsText(const Dictionary& dictionary, const std::vector<int32_t>& order,
                         char delimiter) {
    std::string out;
    std::array<std::string, kCsvFieldCount> cells;
    for (std::size_t i = 0; i < kCsvFieldCount; ++i) {
        cells[i] = csvFieldName(static_cast<CsvField>(i));
    }
    appendRow(out, cells, delimiter);
    for (const int32_t index : order) {
        if (index < 0 || static_cast<std::size_t>(index) >= dictionary.words.size()) {
            continue;
        }
        const WordRecord& word = dictionary.words[static_cast<std::size_t>(index)];
        cells[0] = utf8AsShown(fieldText(word.word));
        cells[1] = utf8AsShown(fieldText(word.translation));
        cells[2] = utf8AsShown(fieldText(word.transcription));
        cells[3] = utf8AsShown(nameAt(dictionary.themes, word.themeIndex));
        cells[4] = utf8AsShown(nameAt(dictionary.languages, word.languageIndex));
        cells[5] = std::to_string(word.rightCount);
        cells[6] = std::to_string(word.testedCount);
        cells[7] = csvTimeText(word.created);
        appendRow(out, cells, delimiter);
    }
    return out;
}

char delimiterForPath(std::string_view path) {
    return endsWith(path, ".tsv") || endsWith(path, ".txt") ? kTab : kComma;
}

bool exportWordsCsv(const std::string& path, const Dictionary& dictionary,
                    const std::vector<int32_t>& order, char delimiter,
                    const DictionaryFolder* ownFiles, Reporter& reporter, FileOps& ops) {
    if (ownFiles != nullptr) {
        if (const auto refusal = ownFiles->ownFileRefusal(path)) {
            reporter.showError("Can't export words.", *refusal);
            return false;
        }
    }
    std::string text;
    try {
        text = csvWordsText(dictionary, order, delimiter);
    } catch (const std::bad_alloc&) {
        reporter.showError("Can't export words.",
                           "Memory allocation error. Close some applications and try again.");
        return false;
    }
    AtomicFile file(ops);
    if (!file.open(path)) {
        reporter.showError("Can't export words.",
                           "Unable to write file. Maybe, disk is write-protected.");
        return false;
    }
    if (!file.write(text.data(), text.size()) || !file.commit()) {
        reporter.showError("Input/output error.",
                           "Error while writing to disk. Make disk ready and try again.");
        return false;
    }
    char notice[64];
    std::snprintf(notice, sizeof notice, "%ld words written to \"",
                  static_cast<long>(order.size()));
    reporter.showInformation(std::string(notice) + path + "\".");
    return true;
}

}  // namespace lq
