// The application's own dictionary: its file, the copy in memory, loading and saving.
#pragma once

#include <string>
#include <string_view>

#include "store/Clock.h"
#include "store/Dictionary.h"
#include "store/DictionaryImage.h"
#include "store/FileOps.h"
#include "store/Reporter.h"

namespace lq {

constexpr std::string_view kDictionaryFileName = "Lexiquill.lqd";

class DictionaryStore {
  public:
    // The own file's path is fixed here, once, so that a later change of the working folder
    // (the folder browser changes it) can never send the save somewhere else.
    DictionaryStore(std::string ownFilePath, Reporter& reporter, const Clock& clock,
                    FileOps& ops = FileOps::system());

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
    // Writes currentDictionary to the own file without ever destroying the old file.
    bool saveDictionary();

    Dictionary currentDictionary;
    bool dictionaryLoaded = false;

    const std::string& ownFilePath() const { return ownFilePath_; }
    Reporter& reporter() { return reporter_; }
    const Clock& clock() const { return clock_; }

  private:
    LoadStatus readFile(const std::string& path, Dictionary& target, int& openErrno);
    LoadStatus loadOwnFile(Dictionary& target);
    bool writeFile(const Dictionary& dictionary);

    std::string ownFilePath_;
    Reporter& reporter_;
    const Clock& clock_;
    FileOps& ops_;
};

// The New dictionary notice for the given file name.
std::string newDictionaryMessage(std::string_view fileName);

}  // namespace lq
