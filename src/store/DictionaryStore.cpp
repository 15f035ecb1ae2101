#include "store/DictionaryStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/AtomicFile.h"
#include "store/FileErrorReason.h"
#include "store/Protection.h"
#include "store/ReadableFile.h"
#include "store/WorkingFolder.h"

namespace lq {

namespace {

constexpr std::string_view kCantLoad = "Can't load dictionary.";

}  // namespace

std::string newDictionaryMessage(std::string_view fileName) {
    std::string text = "Dictionary file \"";
    text += fileName;
    text +=
        "\" not found.\nNew dictionary file will be created.\n\nImportant for novices:\n"
        "+ new dictionary will has 0 words, 0 themes, 0 languages.\n"
        "+ to add first word, you have to add atlast one language and one theme.\n"
        "+ to add password-protection, use File->Options->button Password.\n"
        "+ options setting to default.\n\nP.S.: use Help->Help for more help (or F1 key).";
    return text;
}

DictionaryStore::DictionaryStore(std::string ownFilePath, Reporter& reporter, const Clock& clock,
                                 FileOps& ops)
    : ownFilePath_(std::move(ownFilePath)),
      folder_(ownFilePath_),
      reporter_(reporter),
      clock_(clock),
      ops_(ops) {}

DictionaryStore::DictionaryStore(DictionaryFolder folder, Reporter& reporter, const Clock& clock,
                                 FileOps& ops)
    : ownFilePath_(folder.dictionaryPath()),
      folder_(std::move(folder)),
      reporter_(reporter),
      clock_(clock),
      ops_(ops) {}

bool FileIdentity::operator==(const FileIdentity& other) const {
    if (exists != other.exists) {
        return false;
    }
    return !exists || (device == other.device && inode == other.inode && size == other.size &&
                       modified.tv_sec == other.modified.tv_sec &&
                       modified.tv_nsec == other.modified.tv_nsec);
}

FileIdentity DictionaryStore::fileOnDisk() const {
    struct stat status {};
    FileIdentity identity;
    if (::fstatat(folder_.fd(), folder_.dictionaryName().c_str(), &status, 0) == 0) {
        identity = {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim};
    }
    return identity;
}

bool DictionaryStore::changedOnDisk() const {
    // A folder that was removed took the file with it: no other program's file is at stake, and
    // the save fails on its own.
    struct stat folder {};
    if (::fstat(folder_.fd(), &folder) == 0 && folder.st_nlink == 0) {
        return false;
    }
    return !(fileOnDisk() == known_);
}

void DictionaryStore::rememberFileOnDisk() {
    known_ = fileOnDisk();
}

OwnFileRead DictionaryStore::readOwnFileAt(int folder, const std::string& name, FileOps& ops) {
    const ReadableFile file(ops, folder, name);
    OwnFileRead read;
    read.openErrno = file.openErrno();
    read.status = readDictionary(ops, file, read.dictionary);
    if (read.status == LoadStatus::Loaded) {
        const struct stat& loaded = file.fileStatus();
        read.identity = {true, loaded.st_dev, loaded.st_ino, loaded.st_size, loaded.st_mtim};
    }
    return read;
}

LoadStatus DictionaryStore::readOwnFile(Dictionary& target, int& openErrno) {
    OwnFileRead read = readAhead_ ? std::move(*readAhead_)
                                  : readOwnFileAt(folder_.fd(), folder_.dictionaryName(), ops_);
    readAhead_.reset();
    openErrno = read.openErrno;
    if (read.status == LoadStatus::Loaded) {
        known_ = read.identity;
        target = std::move(read.dictionary);
    }
    return read.status;
}

std::string DictionaryStore::ownFilePathIn(const std::string& folder) {
    return joinFolder(folder, kDictionaryFileName);
}

// When the system cannot tell the folder, the bare name is the best there is.
std::string DictionaryStore::ownFilePathInCurrentFolder() {
    return ownFilePathIn(currentFolder());
}

LoadStatus readDictionary(FileOps& ops, const ReadableFile& file, Dictionary& target) {
    switch (file.status()) {
        case ReadableFile::Status::Open:
            break;
        case ReadableFile::Status::CannotOpen:
            return LoadStatus::CannotOpen;
        case ReadableFile::Status::NotAFile:
            return LoadStatus::NotAFile;
        case ReadableFile::Status::CannotStat:
            return LoadStatus::ReadError;
    }
    const int fd = file.fd();
    bool readFailed = false;
    const ReadExact read = [&](void* buffer, std::size_t size) {
        char* bytes = static_cast<char*>(buffer);
        while (size > 0) {
            const ssize_t got = ops.read(fd, bytes, size);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                readFailed = got < 0;
                return false;
            }
            bytes += got;
            size -= static_cast<std::size_t>(got);
        }
        return true;
    };
    const LoadStatus status = decodeDictionary(read, file.size(), target);
    // A file that ends before its counts say (it shrank while we read) is damaged, not an
    // input/output error.
    if (status == LoadStatus::ReadError && !readFailed) {
        return LoadStatus::Damaged;
    }
    return status;
}

LoadStatus DictionaryStore::readFile(const ReadableFile& file, Dictionary& target,
                                     int& openErrno) {
    openErrno = file.openErrno();
    return readDictionary(ops_, file, target);
}

LoadStatus DictionaryStore::loadDictionary(const std::string& fileName, Dictionary& target) {
    const bool startUpLoad = &target == &currentDictionary;
    if (startUpLoad) {
        dictionaryLoaded = false;
    }
    if (!fileName.empty()) {
        int openErrno = 0;
        const LoadStatus status = readFile(ReadableFile(ops_, fileName), target, openErrno);
        if (startUpLoad && status == LoadStatus::Loaded) {
            dictionaryLoaded = true;
        }
        return status;
    }
    const LoadStatus status = loadOwnFile(target);
    if (startUpLoad) {
        dictionaryLoaded = status == LoadStatus::Loaded;
    }
    return status;
}

LoadStatus DictionaryStore::loadOwnFile(Dictionary& target) {
    AtomicFile::removeAbandonedTemporaries(folder_.fd(), folder_.dictionaryName(), ops_);
    int openErrno = 0;
    LoadStatus status = readOwnFile(target, openErrno);
    if (status == LoadStatus::CannotOpen && openErrno == ENOENT) {
        // Only a missing file is replaced by a new one; one that exists but cannot be read is
        // left alone and reported below.
        reporter_.showNewDictionary(newDictionaryMessage(kDictionaryFileName));
        if (!createDictionary(target)) {
            return LoadStatus::CreateFailed;
        }
        status = readOwnFile(target, openErrno);
    }
    if (status != LoadStatus::Loaded) {
        reporter_.showError(kCantLoad, loadFailureHint(status));
    }
    return status;
}

bool DictionaryStore::createDictionary(Dictionary& target) {
    Dictionary fresh;
    fresh.header = newDictionaryHeader(clock_.localTime());
    if (!writeFile(fresh)) {
        reporter_.showError("Can't create new dictionary.",
                            loadFailureHint(LoadStatus::CreateFailed));
        return false;
    }
    target = std::move(fresh);
    return true;
}

bool DictionaryStore::saveDictionary() {
    if (!writeFile(currentDictionary)) {
        reporter_.showError("Can't save dictionary.",
                            "Input/output error. Maybe not enought free space on the disk, or it "
                            "is write-protected.");
        return false;
    }
    return true;
}

bool DictionaryStore::saveDictionaryAs(const std::string& path) {
    const int error = writeFileAt(AT_FDCWD, path, currentDictionary);
    if (error != 0) {
        reporter_.showError("Can't save dictionary.",
                            "It could not be written to \"" + path +
                                "\": " + fileErrorReason(error, path) +
                                ". Choose another folder.");
        return false;
    }
    return true;
}

bool DictionaryStore::writeFile(const Dictionary& dictionary) {
    if (writeFileAt(folder_.fd(), folder_.dictionaryName(), dictionary) != 0) {
        return false;
    }
    rememberFileOnDisk();
    return true;
}

int DictionaryStore::writeFileAt(int folder, const std::string& name,
                                 const Dictionary& dictionary) {
    AtomicFile file(ops_);
    const auto access = isProtected(dictionary.header) ? AtomicFile::Access::OwnerOnly
                                                       : AtomicFile::Access::KeepOld;
    bool written = file.open(folder, name, access);
    written = written && encodeDictionary(dictionary, [&](const void* data, std::size_t size) {
                  return file.write(data, size);
              });
    if (written && file.commit()) {
        return 0;
    }
    return file.error() != 0 ? file.error() : EIO;
}

}  // namespace lq
