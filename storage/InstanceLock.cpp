#include "storage/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Failure.h"
#include "storage/Folders.h"

namespace brenta::storage {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// A path without the separators at its end ("/run/user/1000/" names the folder
// itself, not what a link there leads to); the root keeps its own.
std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

int LockNow(int fd)
{
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Opens a folder that may hold stand-in lock files, or says why it may not: a
// folder anybody else could write to would let another user put a link or a file
// of theirs at a stand-in's name, and the lock would fail. The checks are made on
// the opened folder, so the folder cannot be swapped between check and use.
int OpenPrivateFolder(const std::string& given)
{
    const std::string folder = WithoutTrailingSeparators(given);
    const auto refuse = [&folder](const std::string& why) {
        return Failure("the folder " + folder + " cannot hold the lock: " + why);
    };
    if (!folder.starts_with('/'))
        throw refuse("it is not an absolute path");
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        throw refuse(Reason(errno));
    if (S_ISLNK(st.st_mode))
        throw refuse("it is a link");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw refuse(Reason(errno));
    const auto failed = [fd, &refuse](const std::string& why) {
        ::close(fd);
        return refuse(why);
    };
    if (::fstat(fd, &st) != 0)
        throw failed(Reason(errno));
    if (st.st_uid != ::geteuid())
        throw failed("it belongs to another user");
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        throw failed("other users may write to it");
    return fd;
}

bool MakeFolder(const std::string& path, std::string& why)
{
    if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST)
        return true;
    why = "the folder " + path + " cannot be made: " + Reason(errno);
    return false;
}

} // namespace

LockPlaces LockPlaces::OfThisSession()
{
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read once, before any thread
        return value != nullptr ? std::string(value) : std::string();
    };
    LockPlaces places;
    places.runtimeFolder = variable("XDG_RUNTIME_DIR");
    places.cacheFolder = variable("XDG_CACHE_HOME");
    places.homeFolder = variable("HOME");
    if (places.homeFolder.empty()) {
        passwd entry{};
        passwd* found = nullptr;
        std::vector<char> buffer(16384);
        if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr
            && found->pw_dir != nullptr)
            places.homeFolder = found->pw_dir;
    }
    return places;
}

std::string StandInFolder(const LockPlaces& places)
{
    std::vector<std::string> reasons;
    if (!places.runtimeFolder.empty()) {
        try {
            ::close(OpenPrivateFolder(places.runtimeFolder));
            return WithoutTrailingSeparators(places.runtimeFolder);
        } catch (const Failure& failure) {
            reasons.emplace_back(failure.what());
        }
    }
    // A cache folder must be absolute; a relative one is as good as none.
    std::string cache = WithoutTrailingSeparators(places.cacheFolder);
    if (!cache.starts_with('/'))
        cache = places.homeFolder.starts_with('/')
            ? JoinPath(WithoutTrailingSeparators(places.homeFolder), ".cache")
            : std::string();
    std::string why = "there is no home folder for a private lock folder";
    if (!cache.empty()) {
        const std::string own = JoinPath(cache, "brenta");
        std::string locks = JoinPath(own, "locks");
        if (MakeFolder(cache, why) && MakeFolder(own, why) && MakeFolder(locks, why)) {
            try {
                ::close(OpenPrivateFolder(locks));
                return locks;
            } catch (const Failure& failure) {
                why = failure.what();
            }
        }
    }
    reasons.push_back(why);
    std::string text;
    for (const std::string& reason : reasons)
        text += (text.empty() ? "" : "; ") + reason;
    throw Failure(text);
}

std::optional<InstanceLock> InstanceLock::Take(const std::string& folder, const std::string& standInFolder)
{
    // Close-on-exec: a program started from this one does not inherit the lock.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        const int err = LockNow(fd);
        if (err == 0)
            return InstanceLock(fd, -1, {});
        ::close(fd);
        if (err == EWOULDBLOCK)
            return std::nullopt;
        // The file system keeps no lock on this folder: the stand-in serves.
    }
    return TakeStandIn(folder, standInFolder.empty() ? StandInFolder(LockPlaces::OfThisSession()) : standInFolder);
}

std::optional<InstanceLock> InstanceLock::TakeStandIn(const std::string& folder, const std::string& standInFolder)
{
    struct stat identity {};
    if (::stat(folder.c_str(), &identity) != 0)
        throw Failure("cannot lock the folder " + folder + ": " + Reason(errno));
    const int dir = OpenPrivateFolder(standInFolder);
    // Named for the folder's identity, so every spelling of its path meets the same file.
    const std::string name
        = "brenta-" + std::to_string(identity.st_dev) + "-" + std::to_string(identity.st_ino) + ".lock";
    const std::string path = JoinPath(WithoutTrailingSeparators(standInFolder), name);
    const auto fail = [dir](const std::string& why) {
        ::close(dir);
        return Failure(why);
    };
    // A few rounds at most: each one that ends in a new round saw another program
    // let the lock go in between.
    constexpr int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        // Without blocking and without following a link: a pipe or a link at the
        // name is refused rather than waited on or followed.
        const int fd = ::openat(dir, name.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0)
            throw fail("cannot open the lock file " + path + ": " + Reason(errno));
        struct stat held {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || held.st_uid != ::geteuid()) {
            ::close(fd);
            throw fail("the lock file " + path + " is not an ordinary file of this user");
        }
        const int err = LockNow(fd);
        if (err != 0) {
            ::close(fd);
            if (err == EWOULDBLOCK) {
                ::close(dir);
                return std::nullopt;
            }
            throw fail("cannot lock the lock file " + path + ": " + Reason(err));
        }
        // A program letting go removes its stand-in while it still holds it; a file
        // opened just before that is locked here but is no longer the one under the
        // name, which the next program would create and lock anew. Only the file
        // still under the name counts.
        struct stat named {};
        if (::fstatat(dir, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == held.st_dev
            && named.st_ino == held.st_ino)
            return InstanceLock(fd, dir, name);
        ::close(fd);
    }
    throw fail("cannot lock the lock file " + path + ": it keeps being replaced");
}

InstanceLock::InstanceLock(int fd, int standInFolderFd, std::string standInName)
    : fd_(fd), standInFolderFd_(standInFolderFd), standInName_(std::move(standInName))
{
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), standInFolderFd_(std::exchange(other.standInFolderFd_, -1)),
      standInName_(std::move(other.standInName_))
{
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept
{
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        standInFolderFd_ = std::exchange(other.standInFolderFd_, -1);
        standInName_ = std::move(other.standInName_);
    }
    return *this;
}

InstanceLock::~InstanceLock() { Release(); }

void InstanceLock::Release() noexcept
{
    if (standInFolderFd_ >= 0) {
        // Removed while still locked, and only when the name still holds this very
        // file: a program that opened it meanwhile sees it gone and starts over.
        struct stat held {};
        struct stat named {};
        if (fd_ >= 0 && ::fstat(fd_, &held) == 0
            && ::fstatat(standInFolderFd_, standInName_.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0
            && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            ::unlinkat(standInFolderFd_, standInName_.c_str(), 0);
        ::close(standInFolderFd_);
        standInFolderFd_ = -1;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace brenta::storage
