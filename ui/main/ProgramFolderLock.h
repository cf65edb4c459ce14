#pragma once

// The start of a program on a program folder another running program already
// uses: it says so in one message and stands back before touching any file.

#include <optional>
#include <string>

#include "storage/InstanceLock.h"

namespace brenta::ui {

// The program folder's lock for this run, or nothing after telling the player that
// another program runs on the folder; the caller then ends without a window.
std::optional<storage::InstanceLock> TakeProgramFolder(const std::string& programFolder);

} // namespace brenta::ui
