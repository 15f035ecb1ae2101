// Writing words out as a CSV or tab-separated file that spreadsheets, other trainers and this
// program's own CSV import read back: UTF-8 without a byte-order mark, CR LF line ends, a header
// row of the column names, one row per word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/Dictionary.h"
#include "store/DictionaryFolder.h"
#include "store/FileOps.h"
#include "store/Reporter.h"

namespace lq {

// The file's text for the words at the indexes, in that order. Texts that are not valid UTF-8
// are converted as the program shows them. Throws std::bad_alloc.
std::string csvWordsText(const Dictionary& dictionary, const std::vector<int32_t>& order,
                         char delimiter);

// Tab for a name ending in .tsv or .txt, otherwise comma.
char delimiterForPath(std::string_view path);

// Writes the file so that a failure leaves any old one as it was; then tells how many words went
// into it. A path that is the open dictionary or one of its own files in `ownFiles` (nullptr when
// no dictionary is open) is refused before anything is written. False after the message when the
// file was refused or could not be written.
bool exportWordsCsv(const std::string& path, const Dictionary& dictionary,
                    const std::vector<int32_t>& order, char delimiter,
                    const DictionaryFolder* ownFiles, Reporter& reporter,
                    FileOps& ops = FileOps::system());

}  // namespace lq
