// One Lexiquill per dictionary: a lock on ".NAME.lock" beside the dictionary, held for the life
// of the process. The kernel drops it with the process however that ends, so a killed program
// never blocks a later start, and the file itself is never deleted (deleting a lock file races
// with a process that has just opened it).
#pragma once

#include <vector>

#include "store/Descriptor.h"
#include "store/DictionaryFolder.h"

namespace lq {

class DictionaryLock {
  public:
    enum class Status {
        Held,           // this process has the dictionary to itself
        HeldElsewhere,  // another process has it open
        Unavailable,    // the file system refuses locks, or the lock file can't be made
    };

    // Takes the lock beside the dictionary and, for a dictionary that is a symbolic link into
    // another folder, beside its target too, so a second start through the link is refused.
    explicit DictionaryLock(const DictionaryFolder& folder);

    Status status() const { return status_; }

  private:
    Status lockIn(int folder, const std::string& lockName);

    std::vector<Descriptor> held_;
    Status status_ = Status::Unavailable;
};

}  // namespace lq
