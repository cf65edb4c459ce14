#pragma once

// The files the program keeps for itself in its folder, and whether a write to a
// path would land on one of them. A report, a plan or a prices file written there
// would destroy the program, its pictures or the player's data, so the answer goes
// by where the write lands, whatever the path and its links look like.

#include <string>

namespace brenta::storage {

struct ProgramFiles {
    std::string folder; // the program folder
    std::string executableName; // the program's own file in it, "" when not known
    std::string pricesFile; // the prices file in use, a name in the folder
};

enum class OwnFile {
    None, // no file of the program's
    PricesFile, // the default prices file or the prices file in use
    Other, // any other of the program's own files
};

// Which of the program's own files a write to path would replace or create: the
// path's links followed as a write follows them (storage::FinalTarget), the folder
// it lands in taken by its identity, not by its spelling. In the program folder:
// the default prices file and own.pricesFile, and every name IsProgramOwnName
// keeps for the program (the executable, the other two player's files, the
// picture, the desktop entry, "icons", hidden and temporary names), existing or
// not; anything inside "icons" at any depth; and an existing file that is one of
// those files under another name (a hard link). A link loop is a Failure.
OwnFile ProgramFileAt(const std::string& path, const ProgramFiles& own);

} // namespace brenta::storage
