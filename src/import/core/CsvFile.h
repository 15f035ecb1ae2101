// A CSV or tab-separated file as the import reads it: the file's bytes, its encoding and its
// text, and what can be told of its layout. Failures are shown as "Can't import words." with
// how to fix them; the dictionary is never touched here.
#pragma once

#include <string>
#include <string_view>

#include "import/core/CsvImport.h"
#include "import/core/CsvReader.h"
#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/FileOps.h"
#include "store/Reporter.h"

namespace lq {

inline constexpr std::string_view kCantImportWords = "Can't import words.";

struct CsvFile {
    std::string bytes;     // as read
    std::string encoding;  // detected, or as the user chose
    std::string text;      // the bytes in UTF-8
    CsvLayout layout;
};

// Reads the whole file. Anything that is not a regular file (a folder, a pipe, a device) is
// refused without waiting on it. False after the message.
bool readCsvBytes(const std::string& path, std::string& bytes, Reporter& reporter,
                  FileOps& ops = FileOps::system());
// The bytes in UTF-8 by the encoding; false after the message when they are not text in it.
bool decodeCsvText(std::string_view bytes, std::string_view encoding, std::string& text,
                   Reporter& reporter);
// Reads the file and detects its encoding and layout. False after the message.
bool openCsvFile(const std::string& path, CsvFile& file, Reporter& reporter,
                 FileOps& ops = FileOps::system());

// The whole import of a file for a caller without a window: the file is read and its layout
// detected (columns named by the header row, or in the export's order), then every row is
// imported through `edits` and the summary shown. False, with the dictionary unchanged, when
// the file is refused or has no word and translation columns.
bool importCsvFile(const std::string& path, const CsvImportOptions& options, Dictionary& dictionary,
                   DictionaryEdits& edits, Reporter& reporter, const Clock& clock);

}  // namespace lq
