#pragma once

// One running program per program folder. Two programs on the same folder would
// each save their own copy of the player's files at shut-down, the later one
// overwriting what the other saved; the lock lets the second one stand back.
//
// The lock is the operating system's advisory lock on the folder itself: it
// creates no file, works in a read-only folder, and ends with the process that
// holds it, however that process ends, so a killed program leaves nothing stale.
// A folder the player may enter but not list cannot be opened for that lock; its
// programs lock a file named for the folder's identity (device and inode) in the
// per-user runtime folder instead, which ends with its process just the same.

#include <optional>
#include <string>

namespace brenta::storage {

class InstanceLock {
public:
    // Locks the folder for this process. Nothing when another running program holds
    // the lock. A folder that cannot be locked at all (neither it nor its stand-in
    // lock file can be opened, or the file system has no locks) gives a lock that
    // holds nothing: the program runs, as it did before there were locks.
    // standInFolder is where the stand-in lock files go; "" means the per-user
    // runtime folder (/run/user/<uid>, or /tmp where there is none).
    static std::optional<InstanceLock> Take(const std::string& folder, const std::string& standInFolder = {});

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // True when the folder is locked by this lock.
    bool Held() const { return fd_ >= 0; }

private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace brenta::storage
