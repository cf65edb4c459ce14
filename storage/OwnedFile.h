#pragma once

// The owned blueprints file "ownedbps.dat": one owned record per line, blueprint
// type ID "{" ML "{" PL, e.g. 11294{5{2, for exactly the blueprints marked owned.

#include <string>
#include <string_view>

#include "base/Numbers.h"
#include "catalogue/Catalogue.h"

namespace brenta::storage {

// Applies an existing owned blueprints file's content to cat.strOwned and
// cat.bOwned, using cat.strBPs and cat.intBPIndex to place each line.
//
// First every record becomes "0{0{0" and every flag is cleared (an empty file so
// means nothing is owned). Then, line by line: a line shorter than two characters
// is skipped; a line that does not split at "{" into exactly three fields gets
// "{0" appended (11294{5 becomes 11294{5{0); the line is read as that
// blueprint's record (owned::Read: field 0, a locale-aware number rounded half to
// even, is the type ID) and its flag is set. A later line for the same blueprint wins.
//
// A line that cannot be placed is skipped and touches no record or flag: no "{" at
// all, a type ID that is not a number, outside 0..30908, or not the type ID of a
// blueprint. The last check compares with field 1 of the record that intBPIndex
// points to, because intBPIndex holds 0 for every item that is not a blueprint
// and would otherwise send such a line to the first blueprint of the catalogue.
void ApplyOwned(std::string_view content, Catalogue& cat, const NumberFormat& fmt);

// The file's text: for every blueprint index from 0 to 2578 in ascending order
// whose flag is set, its owned record's text as read or made, and CR LF.
std::string OwnedText(const Catalogue& cat);

} // namespace brenta::storage
