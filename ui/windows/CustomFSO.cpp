#include "ui/windows/CustomFSO.h"

#include <string_view>

#include <dirent.h>
#include <sys/stat.h>

namespace brenta::ui {

namespace {

// The entry at path is an ordinary file and its name (the part after the last
// "/") is not hidden.
bool IsOrdinaryFile(const std::string& path, std::string_view name)
{
    if (name.empty() || name.front() == '.')
        return false;
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string InFolder(const std::string& folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    return folder.back() == '/' ? folder + std::string(name) : folder + "/" + std::string(name);
}

// Wildcard match of a whole name: "*" any run of characters, "?" one character,
// everything else itself.
bool Matches(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool AnyMatch(const std::string& folder, std::string_view pattern)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return false;
    bool found = false;
    while (!found) {
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        const std::string_view name = entry->d_name;
        found = Matches(pattern, name) && IsOrdinaryFile(InFolder(folder, name), name);
    }
    ::closedir(dir);
    return found;
}

} // namespace

std::string CustomFSO::GetFileName(const std::string& Path, std::string& Delimiter) const
{
    if (Delimiter.empty())
        Delimiter = "\\";
    std::size_t pieceStart = 0;
    std::size_t pieces = 1;
    for (std::size_t at = Path.find(Delimiter); at != std::string::npos;
         at = Path.find(Delimiter, pieceStart)) {
        pieceStart = at + Delimiter.size();
        ++pieces;
    }
    if (pieces < 2)
        return "";
    return Path.substr(pieceStart);
}

bool CustomFSO::FileExists(const std::string& path) const
{
    try {
        const auto slash = path.rfind('/');
        // "/name" lies in the root folder; a name without any "/" in the current one.
        const std::string folder
            = slash == std::string::npos ? std::string() : (slash == 0 ? std::string("/") : path.substr(0, slash));
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (name.find_first_of("*?") != std::string::npos)
            return AnyMatch(folder, name);
        return IsOrdinaryFile(path, name);
    } catch (...) {
        return false;
    }
}

} // namespace brenta::ui
