// The start-up's slow part done while the toolkit starts: the dictionary file is read and its
// words put in the word list's order on a thread of their own, begun at the top of main(), and
// the main window takes the result when it first fills. The lock is taken before anything is
// read, so a second Lexiquill on the same dictionary reads nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "store/DictionaryFolder.h"
#include "store/DictionaryLock.h"
#include "store/DictionaryStore.h"

namespace lq {

struct ReadAhead {
    OwnFileRead file;
    std::vector<int32_t> order;  // the words in the list's order; empty unless loaded
};

class StartupRead {
  public:
    explicit StartupRead(const std::string& dictionaryPath);
    ~StartupRead();
    StartupRead(const StartupRead&) = delete;
    StartupRead& operator=(const StartupRead&) = delete;

    // Each is taken once.
    DictionaryFolder takeFolder() { return std::move(folder_); }
    std::unique_ptr<DictionaryLock> takeLock() { return std::move(lock_); }
    // Waits for the read; nothing when another Lexiquill has the dictionary.
    std::optional<ReadAhead> takeRead();

  private:
    DictionaryFolder folder_;
    std::unique_ptr<DictionaryLock> lock_;
    std::optional<ReadAhead> read_;
    std::thread reader_;
};

}  // namespace lq
