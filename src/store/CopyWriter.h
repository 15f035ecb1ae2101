// Writes the recovery copy without holding up the program: a child process, forked with a
// copy-on-write image of the dictionary, encodes and writes it while the parent goes on. The
// parent's cost is the fork (page tables, not the words), whatever the dictionary's size, and
// whatever the parent changes meanwhile, the child writes the dictionary as it was.
#pragma once

#include <sys/types.h>

#include "store/Dictionary.h"
#include "store/RecoveryCopy.h"

namespace lq {

class CopyWriter {
  public:
    CopyWriter() = default;
    ~CopyWriter();  // waits for a write under way: a copy is never left half-decided
    CopyWriter(const CopyWriter&) = delete;
    CopyWriter& operator=(const CopyWriter&) = delete;

    // Starts writing `dictionary` to `copy`. Where no child can be made, the copy is written
    // here and now instead; done() then holds at once.
    void start(RecoveryCopy& copy, const Dictionary& dictionary);
    bool running() const { return child_ > 0; }
    // Readable once the write under way has ended: for an event loop to watch. -1 when none.
    int doneFd() const { return result_; }
    // Waits for the write under way to end and returns its outcome: 0, or why it failed (an
    // errno value). 0 when nothing was under way and nothing failed since the last call.
    int finish();

  private:
    pid_t child_ = -1;
    int result_ = -1;  // the read end of the pipe the child reports through
    int error_ = 0;    // the outcome of a write that was made in place
};

}  // namespace lq
