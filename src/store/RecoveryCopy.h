// The copy of the dictionary in memory that is kept beside its file while the changes in it are
// not saved, so that a crash, a power cut or a kill loses nothing. It is a dictionary file like
// the own one, so a protected dictionary stays protected in it, and only its owner may read it.
#pragma once

#include <string>

#include "store/Dictionary.h"
#include "store/DictionaryFolder.h"
#include "store/DictionaryImage.h"
#include "store/FileOps.h"

namespace lq {

class RecoveryCopy {
  public:
    enum class State {
        None,     // nothing under the copy's name
        Foreign,  // not a copy this program may trust: a link, no regular file, another user's
                  // file, or one that others may write to
        Older,    // a copy written before the dictionary file was last saved
        Newer,    // a copy of changes that were never saved
    };

    // The copy ".NAME.recovery" of the dictionary NAME, in the dictionary's folder, beside a
    // dictionary that is a symbolic link, where the program found the dictionary.
    explicit RecoveryCopy(const DictionaryFolder& folder, FileOps& ops = FileOps::system());

    // Where the copy is now, for messages.
    std::string path() const;
    bool exists() const;
    State state() const;

    // Reads a copy of the user's own, never through a link; anything else is NotAFile.
    LoadStatus read(Dictionary& target) const;
    // Replaces the copy through the never-destroy path; false when it could not be written, and
    // writeError() tells why (an errno value).
    bool write(const Dictionary& dictionary);
    int writeError() const { return writeError_; }
    // Removes a copy of the user's own, and what writers of it that were killed left behind;
    // another user's file under that name is left alone.
    void remove();

  private:
    const DictionaryFolder& folder_;
    std::string name_;
    FileOps& ops_;
    int writeError_ = 0;
};

}  // namespace lq
