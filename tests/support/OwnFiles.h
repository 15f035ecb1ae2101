// An open dictionary's folder on disk with its own files (the dictionary, its recovery copy, lock
// and history), and destinations that reach a file there in each way a user can name it, for the
// tests that prove the export and the reports never write over them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "store/DictionaryFolder.h"
#include "store/DictionaryImage.h"
#include "support/TestDictionary.h"

namespace lq::test {

// How a destination names the file it writes.
enum class Reach {
    Named,              // the file's name in the dictionary's folder
    ThroughFolderLink,  // the file's name in a symbolic link to the dictionary's folder
    SymbolicLink,       // a symbolic link in another folder, to the file's absolute path
    RelativeLink,       // a symbolic link in another folder, by a path relative to the link
    HardLink,           // another name in another folder for the same file
    Elsewhere,          // the file's name in another folder
};

struct OwnFileCase {
    const char* name;
    const char* file;  // the name of the file reached
    bool fileExists;   // whether it is there before the write; a link to a missing one dangles
    Reach reach;
    bool refused;  // whether the file is the dictionary's own, never to be written
};

// What the refusal tells about the own file `file` that `path` reaches.
inline std::string ownFileHowToFix(const std::string& file, const std::string& path) {
    const std::map<std::string, std::string> purposes = {
        {"Lexiquill.lqd", "is the dictionary Lexiquill has open."},
        {".Lexiquill.lqd.recovery", "is where Lexiquill keeps a copy of your unsaved changes."},
        {".Lexiquill.lqd.lock", "keeps other Lexiquill windows off the dictionary."},
        {"Lexiquill-history.sqlite", "holds your learning history."},
    };
    return "\"" + path + "\" " + purposes.at(file) + " Choose another name.";
}

class DictionaryOnDisk {
  public:
    DictionaryOnDisk() {
        writeBytes(home.file("Lexiquill.lqd"),
                   dictionaryBytes(makeDictionary({"English"}, {"Animals"}, {{"cat"}})));
    }

    // Puts the case's file there or takes it away, and returns the path that reaches it as the
    // case says; a link or another name for it is called `otherName`.
    std::string destination(const OwnFileCase& c, const std::string& otherName) {
        namespace fs = std::filesystem;
        const std::string file =
            c.reach == Reach::Elsewhere ? elsewhere.file(c.file) : home.file(c.file);
        if (c.fileExists) {
            if (!fs::exists(file)) {
                writeBytes(file, std::vector<uint8_t>(file.begin(), file.end()));
            }
        } else {
            fs::remove(file);
        }
        const std::string other = elsewhere.file(otherName);
        switch (c.reach) {
            case Reach::Named:
            case Reach::Elsewhere:
                return file;
            case Reach::ThroughFolderLink:
                fs::create_directory_symlink(home.path(), elsewhere.file("folder"));
                return elsewhere.file("folder") + "/" + c.file;
            case Reach::SymbolicLink:
                fs::create_symlink(file, other);
                return other;
            case Reach::RelativeLink:
                fs::create_symlink(fs::relative(file, elsewhere.path()), other);
                return other;
            case Reach::HardLink:
                fs::create_hard_link(file, other);
                return other;
        }
        ADD_FAILURE() << "unknown reach";
        return file;
    }

    // Every file and link in both folders, with its bytes or where it points: what a refused
    // write must leave as it was.
    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> found;
        for (const TempFolder* root : {&home, &elsewhere}) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(root->path())) {
                const std::string path = entry.path().string();
                if (entry.is_symlink()) {
                    found[path] = "link to " + std::filesystem::read_symlink(entry.path()).string();
                } else if (entry.is_regular_file()) {
                    const std::vector<uint8_t> bytes = readBytes(path);
                    found[path] = std::string(bytes.begin(), bytes.end());
                } else {
                    found[path] = "folder";
                }
            }
        }
        return found;
    }

    std::vector<uint8_t> dictionaryFileBytes() const {
        return readBytes(home.file("Lexiquill.lqd"));
    }

    TempFolder home;       // the dictionary's folder
    TempFolder elsewhere;  // another folder that the user may write into
    DictionaryFolder folder{home.file("Lexiquill.lqd")};
};

}  // namespace lq::test
