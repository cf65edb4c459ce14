#pragma once

// The player's files are read whole and written whole. A write never leaves a
// half-written file behind: the new content goes to a temporary file in the same
// folder and replaces the old file in one rename, so a crash or a full disk keeps
// the previous file intact.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenta::storage {

// The largest file the program reads: far above any player's file (the largest
// real one is about a megabyte), far below what would exhaust the memory.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024 * 1024;

// The whole content of the file as bytes. A file that cannot be opened or read
// (missing, a folder, no permission), that is not an ordinary file (a pipe or a
// device, which could keep the program waiting for good), or that holds more
// than kMaxFileBytes is a Failure naming the path and the reason.
std::string ReadWholeFile(const std::string& path);

// Why something at path is no file to read, worded as ReadWholeFile words its
// failures: a folder, a pipe, a device or a socket, or a path the system cannot
// follow (a link loop, a folder without permission). "" when path names an
// ordinary file (links followed) or nothing at all. Nothing is opened, so a device
// is never touched.
std::string NotAFileReason(const std::string& path);

// Calls visit with each line of content, in order, as SplitLines cuts them, without
// copying them: a file of millions of lines costs no more memory than its bytes.
template <typename Visit>
void ForEachLine(std::string_view content, Visit&& visit)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (content.starts_with(kByteOrderMark))
        content.remove_prefix(kByteOrderMark.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n')
            continue;
        visit(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        visit(content.substr(start));
}

// Splits a file's content into lines. A line ends at CR LF, at a lone CR or at a
// lone LF, so files saved by an editor of any system read alike. A UTF-8
// byte-order mark at the very start is not part of the first line. A last line
// without a terminator still counts, but a final line end does not start an empty
// line after it, so empty content gives no lines.
std::vector<std::string> SplitLines(std::string_view content);

// Replaces the file at path with content: the bytes are written to a temporary file
// beside it (its name never longer than the longest name the system allows), flushed to disk, and renamed over the
// target; an existing target's permission bits are kept. A symbolic link is followed to the file it names, which
// is replaced the same way beside itself: the link stays a link. Any failure (the folder is missing or not
// writable, the disk is full, the target is a folder, a pipe or a device: only an ordinary file is ever replaced)
// is a Failure saying which step failed and why; the temporary file is removed and the previous file is left as it
// was.
void WriteFileAtomically(const std::string& path, std::string_view content);

// True when the file a write to path would replace (links followed) is an ordinary
// file that holds exactly content: writing content there would change nothing.
// Anything that cannot be read is not that file.
bool HoldsExactly(const std::string& path, std::string_view content);

// What a write to a path would replace, links followed as WriteFileAtomically
// follows them.
enum class WriteTarget {
    Missing, // nothing yet: the write creates the file
    Ordinary, // an ordinary file the player may write
    WriteProtected, // an ordinary file without write permission for the player
    NotOrdinary, // a folder, a pipe, a device or a socket
};
WriteTarget InspectWriteTarget(const std::string& path);

// The file a write to path replaces: links followed, link by link. A link loop is
// a Failure.
std::string FinalTarget(const std::string& path);

// True when the folder holding path (its last link followed) is folder itself, by
// the file system's identity rather than by how the two are spelt.
bool LiesInFolder(const std::string& path, const std::string& folder);

// True for the name WriteFileAtomically gives its temporary files, and only for
// it: ".", the file's name (its start only, for a name near the system's
// limit), ".tmp", the process ID, "-", a serial number (".ownedbps.dat.tmp4711-2").
bool IsTemporaryName(std::string_view name);

// Removes what interrupted writes left in the folder: the ordinary files whose
// name IsTemporaryName recognises, and nothing else. A write killed between
// creating its temporary file and the rename leaves one behind; only one program
// runs on a program folder, so at its start none of them is still being written.
// Best effort: what cannot be removed stays, and reading the folder never fails.
void RemoveLeftovers(const std::string& folder);

// The steps of WriteFileAtomically, in their order.
enum class WriteStep { Create, Write, Flush, Close, Rename };

// For tests that prove a failed save loses nothing: called before each step of
// every atomic write with the target's path, it returns an error number to make
// that step fail as if the system had refused it, or 0. A failing Write step fails
// after half the bytes are written. An empty function, the default, changes
// nothing. Returns the function installed before.
using WriteFault = std::function<int(WriteStep step, const std::string& path)>;
WriteFault SetWriteFault(WriteFault fault);

} // namespace brenta::storage
