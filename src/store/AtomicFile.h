// Replaces a file so that a failure at any step leaves the old file exactly as it was: the
// new contents go to a temporary file in the same folder, which is flushed and then renamed
// over the old one.
#pragma once

#include <cstddef>
#include <string>

#include "store/Descriptor.h"
#include "store/FileOps.h"

namespace lq {

class AtomicFile {
  public:
    enum class Access {
        KeepOld,    // the old file's permission bits, or the umask's for a new file
        OwnerOnly,  // mode 0600, whatever stood there before
    };

    explicit AtomicFile(FileOps& ops = FileOps::system());
    ~AtomicFile();  // removes the temporary file unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The file `name` in the folder held open as `folder` (AT_FDCWD: the working folder; a name
    // with "/" in it reaches into other folders). A symbolic link keeps being a link: its target
    // is the file that is replaced, or created when the link dangles; in a folder that anyone
    // may write to and that has the sticky bit, only a link of the user's own or of the folder's
    // owner is followed, as the kernel does for its own opens. An old file that may not be
    // written to is not replaced.
    bool open(int folder, const std::string& name, Access access = Access::KeepOld);
    bool open(const std::string& path, Access access = Access::KeepOld) {
        return open(AT_FDCWD, path, access);
    }
    // For a file that only its owner may read (it may hold a protected dictionary): the name
    // itself is replaced, a link there is not followed, and the file gets mode 0600.
    bool openPrivate(int folder, const std::string& name);
    bool openPrivate(const std::string& path) { return openPrivate(AT_FDCWD, path); }
    bool write(const void* data, std::size_t size);
    // Flushes, closes and renames; then flushes the folder so the rename itself is durable.
    bool commit();
    // Why the last step failed, as an errno value; 0 when nothing failed.
    int error() const { return error_; }

    // The file a path names once its symbolic links are followed, whether it exists or not.
    static std::string linkTarget(const std::string& path);
    // Removes the temporary files of `name` in `folder` that writers of the user's own left
    // behind when they were killed; those of writers that still run are theirs to finish, and
    // another user's files are never touched.
    static void removeAbandonedTemporaries(int folder, const std::string& name, FileOps& ops);
    static void removeAbandonedTemporaries(const std::string& path, FileOps& ops) {
        removeAbandonedTemporaries(AT_FDCWD, path, ops);
    }

  private:
    bool resolve(int folder, const std::string& name, bool followLinks);
    bool openTarget(Access access);
    bool openTemporary(mode_t mode);
    bool linkTemporary();
    bool fail();
    void discard();

    FileOps& ops_;
    // The folder the file is replaced in, held open, and the file's name in it.
    Descriptor folder_;
    std::string target_;
    // The temporary file's name in that folder. An unnamed file (O_TMPFILE) gets one only just
    // before the rename, so a writer killed while it writes leaves nothing behind.
    std::string temporary_;
    bool unnamed_ = false;
    int fd_ = -1;
    bool failed_ = false;
    int error_ = 0;
};

}  // namespace lq
