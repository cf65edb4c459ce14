#pragma once

// Tables other programs hand over as text: a spreadsheet's cells copied to the
// clipboard, or a CSV or tab-separated file. One reader for every such table (the
// prices a player pastes or imports, a stock list), so they all split lines, unquote
// cells and read figures alike; and the one writer of a CSV field.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"
#include "storage/TextFile.h"

namespace brenta::storage {

// The largest table read, as for every file the program reads.
inline constexpr std::size_t kMaxTableBytes = kMaxFileBytes;

struct TableRow {
    std::size_t line = 0; // the line the row starts on, counted from 1
    std::vector<std::string> cells; // unquoted; an unquoted cell without its outer spaces
    // Why the row could not be read as written ("" when it could): a quote that is
    // never closed. Its cells then hold the rest of its first line as it stands.
    std::string problem;
};

struct Table {
    // The separator the text uses: a tab, a semicolon or a comma; 0 when no line
    // has any of them, and every row is one cell.
    char separator = 0;
    std::vector<TableRow> rows; // in order; blank lines and lines of empty cells give none
};

// Reads a table. Lines end at CR LF, a lone CR or a lone LF; a UTF-8 byte-order
// mark at the start is skipped, and text that starts with a UTF-16 one (either
// byte order) is read as UTF-16 and its cells given in UTF-8. The separator is decided once for the whole text:
// the first of tab, semicolon and comma that every non-blank line holds (outside
// quotes), else the one most lines hold. A cell that starts with a double quote
// (after spaces) is quoted as CSV writes it (RFC 4180): separators and line breaks
// inside are text, "" is one quote, and what follows the closing quote up to the
// separator is kept. Text over kMaxTableBytes is a Failure, before anything is read.
Table ReadTable(std::string_view text);

// How a table writes its figures.
struct DecimalConvention {
    NumberFormat fmt; // the decimal mark, and the other mark as digit groups
    bool fromFigures = false; // decided by the figures themselves, not the locale
};

// The convention of a table's figures: the decimal mark most of the figures that
// show it beyond doubt show (numbers::DecimalMarkOf); with none of them, or as many
// for either mark, the locale's.
DecimalConvention DecideDecimals(const std::vector<std::string_view>& figures, const NumberFormat& locale);

// A cell read as a number under the table's convention, its digits grouped by the
// other mark or by spaces (numbers::ToNumberAnyGroups); nothing when it is no
// number (empty, words, a figure beyond the float range).
std::optional<double> CellNumber(std::string_view cell, const NumberFormat& fmt);

// One CSV field (RFC 4180): as it is, or in double quotes, each quote doubled, when
// it holds a comma, a quote, a line break or outer spaces, or a tab or a semicolon
// (which ReadTable could take for the separator), so ReadTable reads it back whole.
std::string CsvField(std::string_view text);

} // namespace brenta::storage
