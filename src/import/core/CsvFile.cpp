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

void showDecodeFailure(DecodeStatus status, std::string_view encoding, Reporter& reporter) {
    if (status == DecodeStatus::NotText) {
        reporter.showError(kCantImportWords,
                           "The file is not a text file. Choose a CSV or tab-separated file, "
                           "such as a spreadsheet saves.");
    } else {
        reporter.showError(kCantImportWords, "The file is not text in the encoding " +
                                                 std::string(encoding) +
                                                 ". Choose another encoding.");
    }
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

DecodeStatus CsvFile::decodeAs(std::string_view encoding) {
    decoded_ = false;
    encoding_.assign(encoding);
    std::string_view decodedText;
    const DecodeStatus status = decodeText(bytes_, encoding_, converted_, decodedText);
    decoded_ = status == DecodeStatus::Decoded;
    return status;
}

std::string_view CsvFile::text() const {
    if (!decoded_) {
        return {};
    }
    if (encoding_ != kUtf8) {
        return converted_;
    }
    // Worked out afresh each time, so that no view into the bytes can outlive a move of them.
    return withoutUtf8Mark(bytes_);
}

bool CsvFile::open(const std::string& path, Reporter& reporter, FileOps& ops) {
    *this = CsvFile();
    if (!readCsvBytes(path, bytes_, reporter, ops)) {
        return false;
    }
    try {
        std::string_view decodedText;
        const DecodeStatus status = detectAndDecode(bytes_, encoding_, converted_, decodedText);
        decoded_ = status == DecodeStatus::Decoded;
        if (!decoded_) {
            showDecodeFailure(status, encoding_, reporter);
            return false;
        }
        layout_ = detectLayout(decodedText);
    } catch (const std::bad_alloc&) {
        reporter.showError(kCantImportWords, kMemoryFix);
        return false;
    }
    return true;
}

bool importCsvFile(const std::string& path, const CsvImportOptions& options, Dictionary& dictionary,
                   DictionaryEdits& edits, Reporter& reporter, const Clock& clock) {
    CsvFile file;
    if (!file.open(path, reporter)) {
        return false;
    }
    if (columnOf(file.layout().columns, CsvField::Word) == kNoColumn ||
        columnOf(file.layout().columns, CsvField::Translation) == kNoColumn) {
        reporter.showError(kCantImportWords,
                           "The file has no column for the words and none for their "
                           "translations. Give it a first row that names them: word, "
                           "translation.");
        return false;
    }
    CsvImportRun run(file.text(), file.layout(), dictionary, options, reporter, clock, edits);
    run.step(std::numeric_limits<int32_t>::max());
    return true;
}

}  // namespace lq
