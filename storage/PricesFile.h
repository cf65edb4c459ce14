#pragma once

// The prices file: one line per item, type ID "{" unit price, e.g. 34{2.35.
// Start-up applies it over the default prices; shut-down writes the whole table.

#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"
#include "catalogue/TextTables.h"

namespace brenta::storage {

// Applies a prices file's content onto prices (indexed by type ID), line by line;
// a later line for the same type ID wins. Type IDs the file does not list keep
// their price.
//
// A line shorter than two characters is skipped. Otherwise it is split at "{":
// element 1 is the price, element 0 the type ID (both locale-aware numbers; the
// type ID rounded to a whole number, a half to the even neighbour); elements after
// the price are ignored.
//
// A line that cannot be placed is skipped as a whole and changes no price: no "{",
// a type ID or price that is not a number, a type ID outside 0..30908 (or beyond
// prices), or a price that is not finite. Reading never fails because of a line.
void ApplyPrices(std::string_view content, std::vector<double>& prices, const NumberFormat& fmt);

// The file's text: for every type ID from 0 to 30908 in ascending order whose name
// in itemNames is not "", the line type ID "{" price CR LF, the price written with
// the standard number-to-text conversion; zero prices included.
// A price that cannot be written (not finite) is a Failure, so a broken table
// never replaces a good file.
std::string PricesText(const ItemNames& itemNames, const std::vector<double>& prices, const NumberFormat& fmt);

} // namespace brenta::storage
