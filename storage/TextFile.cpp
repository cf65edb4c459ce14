#include "storage/TextFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "calc/Failure.h"

namespace brenta::storage {

namespace {

std::string Reason(int err)
{
    return std::strerror(err);
}

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

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

WriteFault& Fault()
{
    static WriteFault fault;
    return fault;
}

int Injected(WriteStep step, const std::string& path)
{
    return Fault() ? Fault()(step, path) : 0;
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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
        target = link.starts_with('/') ? link : FolderOf(target) + "/" + link;
    }
    throw Failure(fail + Reason(ELOOP));
}

} // namespace

std::string ReadWholeFile(const std::string& path)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        throw Failure("cannot open " + path + " for reading: " + Reason(errno));

    std::string content;
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
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

std::vector<std::string> SplitLines(std::string_view content)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (content.starts_with(kByteOrderMark))
        content.remove_prefix(kByteOrderMark.size());

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n')
            continue;
        lines.emplace_back(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.emplace_back(content.substr(start));
    return lines;
}

void WriteFileAtomically(const std::string& linkOrPath, std::string_view content)
{
    const std::string fail = "cannot write " + linkOrPath + ": ";
    const std::string path = FollowLinks(linkOrPath, fail);
    const std::string folder = FolderOf(path);

    // A hidden name in the target's own folder: the rename below only replaces
    // atomically within one file system, and a hidden entry is not taken for one
    // of the player's files should it survive a crash.
    static std::atomic<unsigned> serial{0};
    std::string tempPath;
    int fd = -1;
    if (const int err = Injected(WriteStep::Create, path); err != 0)
        throw Failure(fail + "cannot create a temporary file in " + folder + ": " + Reason(err));
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // IsTemporaryName recognises exactly this form.
        tempPath = folder + "/." + NameOf(path) + ".tmp" + std::to_string(::getpid()) + "-"
            + std::to_string(serial++);
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
        const std::string path = folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

} // namespace brenta::storage
