// The application's own dictionary: its file, the copy in memory, loading and saving.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/DictionaryFolder.h"
#include "store/DictionaryImage.h"
#include "store/FileOps.h"
#include "store/ReadableFile.h"
#include "store/Reporter.h"

namespace lq {

constexpr std::string_view kDictionaryFileName = "Lexiquill.lqd";

// What identifies a file's contents without reading them.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const FileIdentity& other) const;
};

// The own file as read, before anything is shown about it.
struct OwnFileRead {
    LoadStatus status = LoadStatus::CannotOpen;
    int openErrno = 0;
    Dictionary dictionary;
    FileIdentity identity;
};

class DictionaryStore {
  public:
    // The own file's path is fixed here, once, so that a later change of the working folder
    // (the folder browser changes it) can never send the save somewhere else; its folder is held
    // open from here on, so a folder renamed meanwhile still receives the save.
    DictionaryStore(std::string ownFilePath, Reporter& reporter, const Clock& clock,
                    FileOps& ops = FileOps::system());

    // The same for a folder already held open.
    DictionaryStore(DictionaryFolder folder, Reporter& reporter, const Clock& clock,
                    FileOps& ops = FileOps::system());

    // Reads the dictionary `name` in the folder held open as `folder`, and shows nothing; safe
    // on any thread, so the file can be read while the window is still being built.
    static OwnFileRead readOwnFileAt(int folder, const std::string& name, FileOps& ops);
    // The next load of the own file takes this read instead of reading the file again.
    void useReadAhead(OwnFileRead read) { readAhead_ = std::move(read); }

    // The own file in the given folder, joined as joinFolder does.
    static std::string ownFilePathIn(const std::string& folder);
    // The own file in the process's current folder, made absolute.
    static std::string ownFilePathInCurrentFolder();

    // An empty name loads the own file: a missing one is announced and created, and every
    // failure is shown. A named file (the import's source) fails silently; its caller uses
    // loadFailureHint. Only a load into currentDictionary sets dictionaryLoaded.
    LoadStatus loadDictionary(const std::string& fileName, Dictionary& target);
    // Writes a new, empty dictionary file under the own name and fills the target's header.
    bool createDictionary(Dictionary& target);
    // Writes currentDictionary to the own file without ever destroying the old file. While the
    // dictionary is protected, only its owner may read the file.
    bool saveDictionary();

    // Writes currentDictionary to another file, as saveDictionary does; tells why on failure.
    bool saveDictionaryAs(const std::string& path);

    // Whether the file under the own name is no longer the one loaded or saved last (another
    // program replaced, changed or removed it, or made one where there was none).
    bool changedOnDisk() const;
    // Takes the file under the own name as it is now as the one the program knows.
    void rememberFileOnDisk();

    Dictionary currentDictionary;
    bool dictionaryLoaded = false;

    const std::string& ownFilePath() const { return ownFilePath_; }
    const DictionaryFolder& folder() const { return folder_; }
    Reporter& reporter() { return reporter_; }
    const Clock& clock() const { return clock_; }

  private:
    FileIdentity fileOnDisk() const;

    LoadStatus readFile(const ReadableFile& file, Dictionary& target, int& openErrno);
    LoadStatus loadOwnFile(Dictionary& target);
    LoadStatus readOwnFile(Dictionary& target, int& openErrno);
    bool writeFile(const Dictionary& dictionary);
    // 0, or the errno of the step that failed.
    int writeFileAt(int folder, const std::string& name, const Dictionary& dictionary);

    std::string ownFilePath_;
    DictionaryFolder folder_;
    FileIdentity known_;
    std::optional<OwnFileRead> readAhead_;
    Reporter& reporter_;
    const Clock& clock_;
    FileOps& ops_;
};

// Reads a dictionary from a file opened for reading.
LoadStatus readDictionary(FileOps& ops, const ReadableFile& file, Dictionary& target);

// The New dictionary notice for the given file name.
std::string newDictionaryMessage(std::string_view fileName);

}  // namespace lq
