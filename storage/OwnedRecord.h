#pragma once

// Building owned records (blueprint type ID "{" ML "{" PL, e.g. 11294{5{2) from what
// the player types into the ML and PL boxes.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Numbers.h"

namespace brenta::owned {

// A level as typed into the ML or PL box: the leading number of the text, rounded
// to a whole number with a half to the even neighbour ("7.5" is 8, "6.5" is 6,
// "abc" is 0). A level beyond the 32-bit range is a Failure.
std::int32_t LevelFromBox(std::string_view boxText);

// The record of a blueprint marked owned: its type ID text and the two boxes.
std::string Record(std::string_view typeId, std::string_view mlBox, std::string_view plBox);

// The record after an edit of one level: the type ID, the edited box's level, and
// the other level taken from the old record (field 1 for ML, field 2 for PL) as a
// 16-bit integer. An old record without that field, or whose field does not fit,
// is a Failure: the caller keeps the old record rather than inventing a level.
std::string WithML(
    std::string_view oldRecord, std::string_view typeId, std::string_view mlBox, const NumberFormat& fmt);
std::string WithPL(
    std::string_view oldRecord, std::string_view typeId, std::string_view plBox, const NumberFormat& fmt);

} // namespace brenta::owned
