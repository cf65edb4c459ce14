#include "storage/InstanceLock.h"

#include <cerrno>
#include <string>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brenta::storage {

namespace {

std::string RuntimeFolder()
{
    const uid_t uid = ::getuid();
    std::string own = "/run/user/" + std::to_string(uid);
    struct stat st {};
    if (::stat(own.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid)
        return own;
    return "/tmp";
}

// The stand-in for a folder that cannot be opened: a lock file named for the
// folder's identity, so every spelling of its path meets the same file.
int OpenStandIn(const std::string& folder, const std::string& standInFolder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return -1;
    const std::string path = (standInFolder.empty() ? RuntimeFolder() : standInFolder) + "/brenta-"
        + std::to_string(::getuid()) + "-" + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino) + ".lock";
    return ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

} // namespace

std::optional<InstanceLock> InstanceLock::Take(const std::string& folder, const std::string& standInFolder)
{
    // Close-on-exec: a program started from this one does not inherit the lock.
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fd = OpenStandIn(folder, standInFolder);
    if (fd < 0)
        return InstanceLock(-1);
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return InstanceLock(fd);
    const int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK)
        return std::nullopt;
    return InstanceLock(-1);
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace brenta::storage
