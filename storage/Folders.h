#pragma once

// Folders as the file dialogs show them: the entries of one folder, the chain of
// folders from the root down to it, the volumes a player can pick, and paths joined
// and taken apart with the platform's separator.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenta::storage {

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// The folder's ordinary files and sub-folders, in the order the file system returns
// them (links count as what they lead to). Hidden entries (a name starting with
// ".") and anything else (devices, pipes, sockets, broken links) are left out.
// Nothing when the folder cannot be listed: missing, not a folder, no permission,
// or an error part-way through.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// True when an ordinary file is at path, one of the player's files as the program
// looks for them: not a folder, not hidden (a name starting with "."), not a device,
// pipe or socket; a link counts when it leads to an ordinary file. Any error counts
// as not found.
bool IsPlayerFile(const std::string& path);

enum class NameMatch {
    Ending, // the name ends with the filter
    Anywhere, // the name contains the filter
};

// The names of the entries, files and sub-folders alike and in the same order, that
// match filter, compared case-sensitively (an empty filter matches every name).
std::vector<std::string> MatchingNames(
    const std::vector<FolderEntry>& entries, std::string_view filter, NameMatch match);

// The folder's sub-folders sorted by name, letter case aside.
std::vector<std::string> SubFolderNames(const std::vector<FolderEntry>& entries);

// folder, the platform's separator and name; a folder that already ends in the
// separator (a root) is not given a second one, and an empty folder gives name.
std::string JoinPath(const std::string& folder, const std::string& name);

// The part after the last separator: the whole text when it has none, "" for a
// path that ends in one.
std::string NamePart(const std::string& path);

// The folder part of a path: everything before its last separator, "/" for a name
// in the root, "." for a bare name.
std::string FolderPart(const std::string& path);

// An absolute folder path without "." or ".." steps, doubled separators or a
// trailing separator (the root alone keeps its own).
std::string CleanFolderPath(const std::string& folder);

// The folders from the root down to folder, which is given clean: "/", "/home",
// "/home/ann" for "/home/ann".
std::vector<std::string> FolderChain(const std::string& folder);

struct Volume {
    std::string mountPoint;
    std::string fileSystemType;
};

// The volumes a player recognises, in the order they are shown: the root first,
// then the volume the home folder lies on, then removable media (mounted under
// /media, /run/media or /mnt) in the order given. Pseudo file systems (proc,
// sysfs, tmpfs, cgroups, snaps and the like) never appear, and no volume twice.
std::vector<std::string> PlayerDrives(const std::vector<Volume>& mounted, const std::string& homeFolder);

// The drive of drives whose mount point holds folder, the deepest one when several
// do; -1 when none does.
int DriveOf(const std::vector<std::string>& drives, const std::string& folder);

} // namespace brenta::storage
