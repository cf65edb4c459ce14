#pragma once

// The start of a program on a program folder: the folder's lock for this run. A
// program folder another running program already uses, or one that cannot be
// locked at all, is said in one message, and the program stands back before
// touching any file.

#include <optional>
#include <string>

#include "storage/InstanceLock.h"

namespace brenta::ui {

// The program folder's lock for this run, or nothing after telling the player that
// another program runs on the folder or why the folder cannot be locked; the caller
// then ends without a window. standInFolder is where a stand-in lock goes ("" for
// the session's own place, storage::StandInFolder).
std::optional<storage::InstanceLock> TakeProgramFolder(
    const std::string& programFolder, const std::string& standInFolder = {});

} // namespace brenta::ui
