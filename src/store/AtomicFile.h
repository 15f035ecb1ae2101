// Replaces a file so that a failure at any step leaves the old file exactly as it was: the
// new contents go to a temporary file in the same folder, which is flushed and then renamed
// over the old one.
#pragma once

#include <cstddef>
#include <string>

#include "store/FileOps.h"

namespace lq {

class AtomicFile {
  public:
    explicit AtomicFile(FileOps& ops = FileOps::system());
    ~AtomicFile();  // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // A symbolic link keeps being a link: its target is the file that is replaced, or created
    // when the link dangles. An old file that may not be written to is not replaced.
    bool open(const std::string& path);
    // As open, for a file that only its owner may read (it may hold a protected dictionary): the
    // name itself is replaced, a link there is not followed, and the file gets mode 0600
    // whatever stood there before.
    bool openPrivate(const std::string& path);
    bool write(const void* data, std::size_t size);
    // Flushes, closes and renames; then flushes the folder so the rename itself is durable.
    bool commit();

    // The file a path names once its symbolic links are followed, whether it exists or not.
    static std::string linkTarget(const std::string& path);
    // Removes the temporary files of `path` that writers killed before they finished left
    // behind; those of writers that still run are theirs to finish.
    static void removeAbandonedTemporaries(const std::string& path, FileOps& ops);

  private:
    bool openTarget();
    bool openTemporary();
    bool linkTemporary();
    void discard();

    FileOps& ops_;
    std::string target_;
    // The temporary file's name. An unnamed file (O_TMPFILE) gets one only just before the
    // rename, so a writer killed while it writes leaves nothing behind.
    std::string temporary_;
    bool unnamed_ = false;
    int fd_ = -1;
    bool failed_ = false;
    mode_t oldMode_ = 0;
    bool hadOldFile_ = false;
    bool private_ = false;
};

}  // namespace lq
