#pragma once

// Owned records (blueprint type ID "{" ML "{" PL, e.g. 11294{5{2): reading one
// from its text, and making one from what the player types into the ML and PL
// boxes. Every owned record in the catalogue is made here, so its text and its
// typed fields always agree.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Numbers.h"
#include "catalogue/Catalogue.h"

namespace brenta::owned {

// Reads a record's text once. The fields are split at "{"; field 0 is the type
// ID, fields 1 and 2 the ML and PL. Each is read as a locale-aware number rounded
// half to even to a whole 32-bit number; a field that is missing, no number or
// beyond that range has no value (a missing level also has an empty text). The
// level texts stand as written, spaces included; fields past the PL stay in the
// text alone. Never a Failure: whoever uses a field decides what its lack means.
OwnedRecord Read(std::string text, const NumberFormat& fmt);

// A level's value; a level that is missing, no number or beyond 32 bits is a Failure.
std::int32_t Value(const OwnedLevel& level);

// A level as typed into the ML or PL box: the leading number of the text, rounded
// to a whole number with a half to the even neighbour ("7.5" is 8, "6.5" is 6,
// "abc" is 0). A level beyond the 32-bit range is a Failure.
std::int32_t LevelFromBox(std::string_view boxText);

// The record of a blueprint marked owned: its type ID text and the two boxes. A
// level beyond the 32-bit range is a Failure.
OwnedRecord Record(
    std::string_view typeId, std::string_view mlBox, std::string_view plBox, const NumberFormat& fmt);

enum class Box { ML, PL };

// The one rule for a level box whose text changes on an owned blueprint: the
// record becomes the type ID, the changed box's level and the other level of the
// old record as a 16-bit integer. A box level beyond 32 bits, or an old level that
// is missing, no number or beyond 16 bits, keeps the old record as it was rather
// than invent a level.
OwnedRecord WithBox(
    const OwnedRecord& old, std::string_view typeId, Box box, std::string_view boxText, const NumberFormat& fmt);

} // namespace brenta::owned
