// A CSV or tab-separated file as the import reads it: the file's bytes, their encoding and the
// text they make in it, and what can be told of its layout. Failures are shown as "Can't import
// words." with how to fix them; the dictionary is never touched here.
#pragma once

#include <string>
#include <string_view>

#include "import/core/CsvImport.h"
#include "import/core/CsvReader.h"
#include "import/core/TextFileEncoding.h"
#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/FileOps.h"
#include "store/Reporter.h"

namespace lq {

inline constexpr std::string_view kCantImportWords = "Can't import words.";

class CsvFile {
  public:
    // Reads the whole file and detects its encoding and layout. False after the message.
    bool open(const std::string& path, Reporter& reporter, FileOps& ops = FileOps::system());
    // Takes the bytes as text in another encoding; the text is empty when they are not text in
    // it. Throws std::bad_alloc.
    DecodeStatus decodeAs(std::string_view encoding);

    const std::string& encoding() const { return encoding_; }
    // Whether the bytes are text in the encoding.
    bool decoded() const { return decoded_; }
    // The bytes in UTF-8 without a byte-order mark; empty when they are not text in the
    // encoding. Bytes in UTF-8 already are their own text, so a large file is not held twice.
    // Valid until the next decodeAs.
    std::string_view text() const;
    // As detected when the file was opened.
    const CsvLayout& layout() const { return layout_; }

  private:
    std::string bytes_;      // as read
    std::string encoding_;   // detected, or as the user chose
    std::string converted_;  // the text, when the encoding is not UTF-8
    bool decoded_ = false;
    CsvLayout layout_;
};

// Reads the whole file. Anything that is not a regular file (a folder, a pipe, a device) is
// refused without waiting on it. False after the message.
bool readCsvBytes(const std::string& path, std::string& bytes, Reporter& reporter,
                  FileOps& ops = FileOps::system());

// The whole import of a file for a caller without a window: the file is read and its layout
// detected (columns named by the header row, or in the export's order), then every row is
// imported through `edits` and the summary shown. False, with the dictionary unchanged, when
// the file is refused or has no word and translation columns.
bool importCsvFile(const std::string& path, const CsvImportOptions& options, Dictionary& dictionary,
                   DictionaryEdits& edits, Reporter& reporter, const Clock& clock);

}  // namespace lq
