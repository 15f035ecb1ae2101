// The copy of the dictionary in memory that is kept beside its file while the changes in it are
// not saved, so that a crash, a power cut or a kill loses nothing. It is a dictionary file like
// the own one, so a protected dictionary stays protected in it, and only its owner may read it.
#pragma once

#include <string>

#include "store/Dictionary.h"
#include "store/FileOps.h"

namespace lq {

class RecoveryCopy {
  public:
    // The copy of the dictionary at `dictionaryPath`, in the same folder: ".NAME.recovery". A
    // dictionary that is a symbolic link has its copy beside the link, where the program found
    // the dictionary.
    explicit RecoveryCopy(const std::string& dictionaryPath, FileOps& ops = FileOps::system());

    const std::string& path() const { return path_; }
    bool exists() const;
    // Whether there is a copy written after the dictionary file was, or with no file at all:
    // the changes in it were never saved.
    bool newerThanDictionary() const;

    // Replaces the copy through the never-destroy path; false when it could not be written.
    bool write(const Dictionary& dictionary);
    // Removes the copy, and what writers of it that were killed left behind.
    void remove();

  private:
    std::string dictionaryPath_;
    std::string path_;
    FileOps& ops_;
};

}  // namespace lq
