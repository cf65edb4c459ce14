#pragma once

// The player's files are read whole and written whole. A write never leaves a
// half-written file behind: the new content goes to a temporary file in the same
// folder and replaces the old file in one rename, so a crash or a full disk keeps
// the previous file intact.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brenta::storage {

// The whole content of the file as bytes. A file that cannot be opened or read
// (missing, a folder, no permission) is a Failure naming the path and the reason.
std::string ReadWholeFile(const std::string& path);

// Splits a file's content into lines. A line ends at CR LF, at a lone CR or at a
// lone LF, so files saved by an editor of any system read alike. A UTF-8
// byte-order mark at the very start is not part of the first line. A last line
// without a terminator still counts, but a final line end does not start an empty
// line after it, so empty content gives no lines.
std::vector<std::string> SplitLines(std::string_view content);

// Replaces the file at path with content: the bytes are written to a temporary file
// beside it, flushed to disk, and renamed over the target; an existing target's
// permission bits are kept. A symbolic link is followed to the file it names,
// which is replaced the same way beside itself: the link stays a link. Any failure (the folder is missing or not writable, the
// disk is full, the target is a folder) is a Failure saying which step failed and
// why; the temporary file is removed and the previous file is left as it was.
void WriteFileAtomically(const std::string& path, std::string_view content);

// True for the name WriteFileAtomically gives its temporary files, and only for
// it: ".", the file's name, ".tmp", the process ID, "-", a serial number
// (".ownedbps.dat.tmp4711-2").
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
