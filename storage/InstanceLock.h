#pragma once

// One running program per program folder. Two programs on the same folder would
// each save their own copy of the player's files at shut-down, the later one
// overwriting what the other saved; the lock lets the second one stand back.
//
// The lock is the operating system's advisory lock on the folder itself: it
// creates no file, works in a read-only folder, and ends with the process that
// holds it, however that process ends, so a killed program leaves nothing stale.
// A folder the player may enter but not list cannot be opened for that lock, and a
// file system may refuse to lock a folder; such a folder is locked through a
// stand-in file named for the folder's identity (device and inode) in a folder
// only this user can write, which ends with its process just the same. A program
// that lets the lock go removes its stand-in file. No lock at all is a failure:
// the program never runs unlocked.

#include <optional>
#include <string>

namespace brenta::storage {

// Where stand-in lock files may go, as the session names the places.
struct LockPlaces {
    std::string runtimeFolder; // the session's runtime folder (XDG_RUNTIME_DIR), "" when none is set
    std::string cacheFolder; // the user's cache folder (XDG_CACHE_HOME), "" when none is set
    std::string homeFolder; // the user's home folder (HOME, else the user database's entry)

    // The places of this process's session: the one spot where the program reads
    // its environment.
    static LockPlaces OfThisSession();
};

// The folder for stand-in lock files: the runtime folder when it is usable, else
// "brenta/locks" in the cache folder (cacheFolder, else homeFolder + "/.cache"),
// made as needed with mode 0700. Usable means an absolute path to a folder, not a
// link, that belongs to this user and that neither the group nor others may write
// to. A Failure says why neither place can serve.
std::string StandInFolder(const LockPlaces& places);

class InstanceLock {
public:
    // Locks the folder for this process: a held lock, or nothing when another
    // running program holds it. A folder that cannot be locked itself, for any other
    // reason than that, is locked through its stand-in in standInFolder ("" for
    // StandInFolder of this session). When no lock at all can be taken, a Failure
    // says why.
    static std::optional<InstanceLock> Take(const std::string& folder, const std::string& standInFolder = {});

    // The stand-in lock alone, as Take takes it for a folder it cannot lock itself:
    // standInFolder must be usable as StandInFolder describes. A link, a file of
    // another user or anything but an ordinary file at the stand-in's name is a
    // Failure, never a lock that holds nothing.
    static std::optional<InstanceLock> TakeStandIn(const std::string& folder, const std::string& standInFolder);

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

private:
    InstanceLock(int fd, int standInFolderFd, std::string standInName);
    void Release() noexcept;

    int fd_; // the locked folder or stand-in file
    int standInFolderFd_ = -1; // the folder holding the stand-in file, -1 for the folder's own lock
    std::string standInName_;
};

} // namespace brenta::storage
