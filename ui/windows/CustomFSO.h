#pragma once

// The path helper: tests whether a player's file is there and takes file names
// out of paths. It has no state.

#include <string>

namespace brenta::ui {

class CustomFSO {
public:
    // The text after the last Delimiter of Path. Path is split at every
    // Delimiter, from the left; fewer than two pieces (an empty Path, or no
    // Delimiter in it) give "", otherwise the last piece is returned, so a path
    // ending in the delimiter gives "". An empty Delimiter becomes "\" first, in
    // the caller's variable too; callers on this system pass "/" explicitly.
    std::string GetFileName(const std::string& Path, std::string& Delimiter) const;

    // True when an ordinary file is at path: not a folder, not hidden (a name
    // starting with "."), not a device, pipe or socket; a link counts when it
    // leads to an ordinary file. When the last part of the path holds the
    // wildcards * (any run of characters) or ? (one character), true when any
    // ordinary file in that folder matches. Any error counts as not found; it
    // never throws.
    bool FileExists(const std::string& path) const;
};

} // namespace brenta::ui
