#include "storage/Folders.h"

#include "base/Text.h"

#include <algorithm>

#include <cctype>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace fs = std::filesystem;

namespace brenta::storage {

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

bool IsPseudoFileSystem(const std::string& type)
{
    static const std::string_view kPseudo[] = {"autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs",
        "debugfs", "devpts", "devtmpfs", "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "proc", "pstore",
        "ramfs", "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs", "tracefs", "overlay"};
    return std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo)
        || type.starts_with("fuse.gvfs") || type == "fuse.portal";
}

bool Holds(const std::string& mountPoint, const std::string& folder)
{
    if (mountPoint.empty())
        return false;
    if (mountPoint.back() == kSeparator || folder == mountPoint)
        return folder.starts_with(mountPoint);
    return folder.starts_with(mountPoint) && folder.size() > mountPoint.size()
        && folder[mountPoint.size()] == kSeparator;
}

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder)
{
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            return std::nullopt;
        std::string name = it->path().filename().string();
        if (name.starts_with('.'))
            continue;
        std::error_code statError;
        const fs::file_status status = it->status(statError); // follows links
        if (statError)
            continue;
        if (fs::is_regular_file(status))
            entries.push_back({std::move(name), false});
        else if (fs::is_directory(status))
            entries.push_back({std::move(name), true});
    }
    if (error)
        return std::nullopt;
    return entries;
}

bool IsPlayerFile(const std::string& path)
{
    const std::string name = NamePart(path);
    if (name.empty() || name.front() == '.')
        return false;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::string> MatchingNames(
    const std::vector<FolderEntry>& entries, std::string_view filter, NameMatch match)
{
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) {
        const bool matches = match == NameMatch::Ending ? entry.name.ends_with(filter)
                                                        : entry.name.find(filter) != std::string::npos;
        if (matches)
            names.push_back(entry.name);
    }
    return names;
}

std::vector<std::string> SubFolderNames(const std::vector<FolderEntry>& entries)
{
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries)
        if (entry.isFolder)
            names.push_back(entry.name);
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = text::FoldCase(a);
        const std::string lb = text::FoldCase(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == kSeparator)
        return folder + name;
    return folder + kSeparator + name;
}

std::string NamePart(const std::string& path)
{
    const auto last = path.rfind(kSeparator);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string FolderPart(const std::string& path)
{
    const auto last = path.rfind(kSeparator);
    if (last == std::string::npos)
        return ".";
    if (last == 0)
        return std::string(1, kSeparator);
    return path.substr(0, last);
}

std::string CleanFolderPath(const std::string& folder)
{
    std::error_code error;
    fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), error);
    if (error)
        absolute = fs::path(folder);
    std::string clean = absolute.lexically_normal().string();
    while (clean.size() > 1 && clean.back() == kSeparator)
        clean.pop_back();
    return clean;
}

std::vector<std::string> FolderChain(const std::string& folder)
{
    std::vector<std::string> chain;
    fs::path current;
    for (const fs::path& step : fs::path(folder)) {
        if (step.empty())
            continue;
        current /= step;
        chain.push_back(current.string());
    }
    return chain;
}

std::vector<std::string> PlayerDrives(const std::vector<Volume>& mounted, const std::string& homeFolder)
{
    const std::string root(1, kSeparator);
    std::vector<std::string> drives{root};
    const auto add = [&drives](const std::string& mountPoint) {
        if (std::find(drives.begin(), drives.end(), mountPoint) == drives.end())
            drives.push_back(mountPoint);
    };

    const Volume* home = nullptr;
    for (const Volume& v : mounted)
        if (Holds(v.mountPoint, homeFolder) && (!home || v.mountPoint.size() > home->mountPoint.size()))
            home = &v;
    if (home && !IsPseudoFileSystem(home->fileSystemType))
        add(home->mountPoint);

    for (const Volume& v : mounted) {
        const bool removable = v.mountPoint.starts_with("/media/") || v.mountPoint.starts_with("/run/media/")
            || v.mountPoint.starts_with("/mnt/") || v.mountPoint == "/mnt";
        if (removable && !IsPseudoFileSystem(v.fileSystemType))
            add(v.mountPoint);
    }
    return drives;
}

int DriveOf(const std::vector<std::string>& drives, const std::string& folder)
{
    int best = -1;
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (Holds(drives[i], folder)
            && (best < 0 || drives[i].size() > drives[static_cast<std::size_t>(best)].size()))
            best = static_cast<int>(i);
    return best;
}

} // namespace brenta::storage
