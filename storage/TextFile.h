#pragma once

// The player's files are read whole and written whole. A write never leaves a
// half-written file behind: the new content goes to a temporary file in the same
// folder and replaces the old file in one rename, so a crash or a full disk keeps
// the previous file intact.

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

} // namespace brenta::storage
