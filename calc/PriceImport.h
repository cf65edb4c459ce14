#pragma once

// Prices to and from spreadsheets: a pasted or imported table of items and prices
// read into a preview (what would change, what matched nothing, what could not be
// read) that the player applies or drops, and every item's price written as CSV.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"
#include "catalogue/Catalogue.h"

namespace brenta::priceimport {

// The largest price taken: the largest whole number the standard number-to-text
// conversion writes in plain digits. A price box shows a price in that form, and
// holds only digits and a decimal separator, so every price at most this shows in
// its box and can be typed again as it stands; from 10^15 on it would be written
// in exponent form the box cannot hold.
inline constexpr double kMaxPrice = 999999999999999.0;

struct Match {
    std::size_t line = 0;
    std::int32_t typeId = 0;
    std::string name; // the item's display name
    double oldPrice = 0;
    double newPrice = 0;
};

struct Unknown {
    std::size_t line = 0;
    std::string name; // as the table writes it
};

struct Unreadable {
    std::size_t line = 0;
    std::string reason;
};

struct Preview {
    std::vector<Match> matched; // one per item, the last line naming it; in line order
    std::vector<Unknown> unknown;
    std::vector<Unreadable> unreadable;
    char separator = 0; // as storage::Table has it
    bool header = false; // the first line named the columns and was skipped
    char decimalMark = '.';
    bool decimalFromFigures = false; // else the locale's
};

// Reads a table of prices against the catalogue. Each line names an item in one
// cell, by its display name with or without the kind prefix (letter case aside)
// or by its type ID, and gives its price in another: the last cell, or under a
// header the column named "price" (and "name" or "item", "type id" or "id" for
// the item). A header is a first line that holds no number and names no item.
// A price that is no number, negative, beyond the float range or above kMaxPrice
// is refused on its line. Nothing in the catalogue changes. A text over the
// readers' bound is a Failure.
Preview Read(std::string_view text, const Catalogue& cat, const NumberFormat& locale);

// Stores every matched price in prices (by type ID).
void Apply(const Preview& preview, std::vector<double>& prices);

// Every named item's display name, type ID and price as CSV: UTF-8, the header
// "Name,Type ID,Price", "." as the decimal point, RFC 4180 quoting, CR LF line
// ends, in type ID order. A price that is not finite is a Failure.
std::string ExportCsv(const Catalogue& cat);

} // namespace brenta::priceimport
