#include "import/core/CsvFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <limits>
#include <new>

#include "import/core/TextFileEncoding.h"
#include "store/ReadableFile.h"

namespace lq {

namespace {

constexpr std::string_view kMemoryFix =
    "Memory allocation error. Close some applications and try again.";

void showNotAFile(Reporter& reporter) {
    reporter.showError(kCantImportWords,
                       "The name is taken by something that is not a file (a folder, a pipe, a "
                       "socket or a device). Choose a CSV or tab-separated file.");
}

void showReadError(Reporter& reporter) {
    reporter.showError(kCantImportWords,
                       "Unable to read the file. Check that it is there and that you may read "
                       "it, then try again.");
}

bool readAll(FileOps& ops, int fd, std::size_t size, std::string& bytes) {
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ops.read(fd, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;  // the file shrank while it was read: take what there is
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return true;
}

}  // namespace

bool readCsvBytes(const std::string& path, std::string& bytes, Reporter& reporter, FileOps& ops) {
    bytes.clear();
    const ReadableFile file(ops, path);
    switch (file.status()) {
        case ReadableFile::Status::Open:
            break;
        case ReadableFile::Status::NotAFile:
            showNotAFile(reporter);
            return false;
        case ReadableFile::Status::CannotOpen:
        case ReadableFile::Status::CannotStat:
            showReadError(reporter);
            return false;
    }
    try {
        if (!readAll(ops, file.fd(), static_cast<std::size_t>(file.size()), bytes)) {
            bytes.clear();
            showReadError(reporter);
            return false;
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        reporter.showError(kCantImportWords, kMemoryFix);
        return false;
    }
    return true;
}

bool decodeCsvText(std::string_view bytes, std::string_view encoding, std::string& text,
                   Reporter& reporter) {
    DecodeStatus status;
    try {
        status = decodeToUtf8(bytes, encoding, text);
    } catch (const std::bad_alloc&) {
        text.clear();
        reporter.showError(kCantImportWords, kMemoryFix);
        return false;
    }
    switch (status) {
        case DecodeStatus::Decoded:
            return true;
        case DecodeStatus::NotText:
            reporter.showError(kCantImportWords,
                               "The file is not a text file. Choose a CSV or tab-separated "
                               "file, such as a spreadsheet saves.");
            return false;
        case DecodeStatus::NotInEncoding:
        case DecodeStatus::UnknownEncoding:
            reporter.showError(kCantImportWords, "The file is not text in the encoding " +
                                                     std::string(encoding) +
                                                     ". Choose another encoding.");
            return false;
    }
    return false;
}

bool openCsvFile(const std::string& path, CsvFile& file, Reporter& reporter, FileOps& ops) {
    file = CsvFile();
    if (!readCsvBytes(path, file.bytes, reporter, ops)) {
        return false;
    }
    file.encoding = detectEncoding(file.bytes);
    if (!decodeCsvText(file.bytes, file.encoding, file.text, reporter)) {
        return false;
    }
    try {
        file.layout = detectLayout(file.text);
    } catch (const std::bad_alloc&) {
        reporter.showError(kCantImportWords, kMemoryFix);
        return false;
    }
    return true;
}

bool importCsvFile(const std::string& path, const CsvImportOptions& options, Dictionary& dictionary,
                   DictionaryEdits& edits, Reporter& reporter, const Clock& clock) {
    CsvFile file;
    if (!openCsvFile(path, file, reporter)) {
        return false;
    }
    if (columnOf(file.layout.columns, CsvField::Word) == kNoColumn ||
        columnOf(file.layout.columns, CsvField::Translation) == kNoColumn) {
        reporter.showError(kCantImportWords,
                           "The file has no column for the words and none for their "
                           "translations. Give it a first row that names them: word, "
                           "translation.");
        return false;
    }
    CsvImportRun run(file.text, file.layout, dictionary, options, reporter, clock, edits);
    run.step(std::numeric_limits<int32_t>::max());
    return true;
}

}  // namespace lq
