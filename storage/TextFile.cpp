#include "storage/TextFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Failure.h"
#include "storage/Folders.h"

namespace brenta::storage {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// Closes a descriptor when the scope ends, unless it was released.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closes now and reports the close's own error (0 when it went well): a
    // delayed write error can surface only here.
    int Close()
    {
        int err = 0;
        if (fd_ >= 0 && ::close(fd_) != 0)
            err = errno;
        fd_ = -1;
        return err;
    }

private:
    int fd_;
};

WriteFault& Fault()
{
    static WriteFault fault;
    return fault;
}

int Injected(WriteStep step, const std::string& path) { return Fault() ? Fault()(step, path) : 0; }

// The longest name of a folder entry on the file systems the program runs on.
constexpr std::size_t kMaxNameBytes = 255;

// The file a path finally names: a symbolic link is followed, link by link, to its
// target (a relative target counts from the link's own folder), so the player's
// file kept elsewhere through a link is the one replaced and the link stays. A
// path that is no link, or whose target does not exist yet, is returned as it is.
std::string FollowLinks(const std::string& path, const std::string& fail)
{
    constexpr int kMaxLinks = 40; // as many as the system itself follows
    std::string target = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t got = ::readlink(target.c_str(), link.data(), link.size());
        if (got < 0)
            throw Failure(fail + "cannot follow the link " + target + ": " + Reason(errno));
        link.resize(static_cast<std::size_t>(got));
        target = link.starts_with('/') ? link : JoinPath(FolderPart(target), link);
    }
    throw Failure(fail + Reason(ELOOP));
}

} // namespace

std::string ReadWholeFile(const std::string& path)
{
    // Without blocking: a pipe put where a file was listed must not keep the
    // program waiting for a writer that never comes.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        throw Failure("cannot open " + path + " for reading: " + Reason(errno));
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0)
        throw Failure("cannot read " + path + ": " + Reason(errno));
    if (S_ISDIR(st.st_mode))
        throw Failure("cannot read " + path + ": " + Reason(EISDIR));
    if (!S_ISREG(st.st_mode))
        throw Failure("cannot read " + path + ": it is not an ordinary file");
    const auto tooLarge = [&] {
        return Failure("cannot read " + path + ": it is larger than "
            + std::to_string(kMaxFileBytes / (std::size_t{1024} * 1024))
            + " MiB, far larger than any file of Brenta's");
    };
    // The size the system states is only a hint (files of /proc state 0), so the
    // bound is kept while reading too.
    if (st.st_size > 0 && static_cast<std::uint64_t>(st.st_size) > kMaxFileBytes)
        throw tooLarge();

    std::string content;
    if (st.st_size > 0)
        content.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Failure("cannot read " + path + ": " + Reason(errno));
        }
        if (got == 0)
            break;
        if (content.size() + static_cast<std::size_t>(got) > kMaxFileBytes)
            throw tooLarge();
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

std::string NotAFileReason(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? std::string() : "cannot read " + path + ": " + Reason(errno);
    if (S_ISREG(st.st_mode))
        return {};
    if (S_ISDIR(st.st_mode))
        return "cannot read " + path + ": it is a folder";
    return "cannot read " + path + ": it is not an ordinary file (a pipe, a device or a socket)";
}

std::vector<std::string> SplitLines(std::string_view content)
{
    std::vector<std::string> lines;
    ForEachLine(content, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

void WriteFileAtomically(const std::string& linkOrPath, std::string_view content)
{
    const std::string fail = "cannot write " + linkOrPath + ": ";
    const std::string path = FollowLinks(linkOrPath, fail);
    const std::string folder = FolderPart(path);

    // A hidden name in the target's own folder: the rename below only replaces
    // atomically within one file system, and a hidden entry is not taken for one
    // of the player's files should it survive a crash.
    static std::atomic<unsigned> serial{0};
    std::string tempPath;
    int fd = -1;
    if (const int err = Injected(WriteStep::Create, path); err != 0)
        throw Failure(fail + "cannot create a temporary file in " + folder + ": " + Reason(err));
    // Only an ordinary file is replaced: a pipe or a device in its place is the
    // player's, and a folder cannot be.
    if (struct stat target{}; ::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode))
        throw Failure(
            fail + (S_ISDIR(target.st_mode) ? Reason(EISDIR) : std::string("it is not an ordinary file")));
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // IsTemporaryName recognises exactly this form. The target's name is cut
        // short where the whole would pass the system's longest name, which the
        // target's own name may come close to.
        const std::string tail = ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
        const std::string name = NamePart(path);
        const std::string shortName = name.substr(0, std::min(name.size(), kMaxNameBytes - 1 - tail.size()));
        tempPath = JoinPath(folder, "." + shortName + tail);
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            throw Failure(fail + "cannot create a temporary file in " + folder + ": " + Reason(errno));
    }
    if (fd < 0)
        throw Failure(fail + "cannot create a temporary file in " + folder + ": " + Reason(EEXIST));

    Descriptor temp(fd);
    const auto abandon = [&](const std::string& step, int err) {
        temp.Close();
        ::unlink(tempPath.c_str());
        throw Failure(fail + step + ": " + Reason(err));
    };

    // The replacement keeps the permissions the player gave the old file.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(temp.Get(), old.st_mode & 07777);

    const int writeFault = Injected(WriteStep::Write, path);
    const std::size_t end = writeFault != 0 ? content.size() / 2 : content.size();
    std::size_t done = 0;
    while (done < end) {
        const ssize_t put = ::write(temp.Get(), content.data() + done, end - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            abandon("writing failed", errno);
        }
        done += static_cast<std::size_t>(put);
    }
    if (writeFault != 0)
        abandon("writing failed", writeFault);
    if (const int err = Injected(WriteStep::Flush, path); err != 0)
        abandon("flushing to disk failed", err);
    if (::fsync(temp.Get()) != 0)
        abandon("flushing to disk failed", errno);
    if (const int err = Injected(WriteStep::Close, path); err != 0)
        abandon("closing the temporary file failed", err);
    if (const int err = temp.Close(); err != 0)
        abandon("closing the temporary file failed", err);
    if (const int err = Injected(WriteStep::Rename, path); err != 0)
        abandon("replacing the file failed", err);
    if (::rename(tempPath.c_str(), path.c_str()) != 0)
        abandon("replacing the file failed", errno);

    // Makes the rename itself durable; the new content is already in place, so a
    // folder that cannot be synced is not a reason to report the write as failed.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        ::fsync(dir.Get());
}

bool HoldsExactly(const std::string& path, std::string_view content)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)
        || static_cast<std::uint64_t>(st.st_size) != content.size())
        return false;
    try {
        return ReadWholeFile(path) == content;
    } catch (const Failure&) {
        return false;
    }
}

std::string FinalTarget(const std::string& path) { return FollowLinks(path, "cannot follow " + path + ": "); }

WriteTarget InspectWriteTarget(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? WriteTarget::Missing : WriteTarget::NotOrdinary;
    if (!S_ISREG(st.st_mode))
        return WriteTarget::NotOrdinary;
    // The write bit of the player's own class decides; the administrator, whom the
    // system lets write anything, still keeps to a file protected by every bit.
    const uid_t uid = ::geteuid();
    mode_t bit = S_IWOTH;
    if (uid == 0)
        bit = S_IWUSR | S_IWGRP | S_IWOTH;
    else if (st.st_uid == uid)
        bit = S_IWUSR;
    else if (st.st_gid == ::getegid())
        bit = S_IWGRP;
    return (st.st_mode & bit) != 0 ? WriteTarget::Ordinary : WriteTarget::WriteProtected;
}

bool LiesInFolder(const std::string& path, const std::string& folder)
{
    struct stat a {};
    struct stat b {};
    return ::stat(FolderPart(path).c_str(), &a) == 0 && ::stat(folder.c_str(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino;
}

WriteFault SetWriteFault(WriteFault fault)
{
    WriteFault previous = std::move(Fault());
    Fault() = std::move(fault);
    return previous;
}

bool IsTemporaryName(std::string_view name)
{
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (name.size() < 2 || name[0] != '.')
        return false;
    const auto dash = name.rfind('-');
    const auto tmp = name.rfind(".tmp", dash);
    if (dash == std::string_view::npos || tmp == std::string_view::npos || tmp < 2)
        return false;
    return digits(name.substr(tmp + 4, dash - tmp - 4)) && digits(name.substr(dash + 1));
}

void RemoveLeftovers(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        // An ordinary file only: a link or a folder of that name is not ours.
        const std::string path = JoinPath(folder, entry->d_name);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

} // namespace brenta::storage
