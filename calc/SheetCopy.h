#pragma once

// The material sheet as a spreadsheet takes it from the clipboard: tab-separated
// columns, one line per material, then the costs and the times.

#include <array>
#include <string>

#include "calc/Sheet.h"

namespace brenta::sheet {

// The sheet computed from in as out holds it, its amount column as amounts gives
// it: a header line, then one line per material (name, amount, waste, total,
// ideal ML, improve at, unit price, cost),
// an empty line, then one line per cost and time figure (its caption, its value).
// Numbers are written without digit groups in in.fmt's decimal convention, as the
// standard number-to-text conversion writes them; a value the computation did not
// reach is an empty cell. Lines end with LF.
std::string CopyText(const Input& in, const Output& out, const std::array<std::string, kRows>& amounts);

} // namespace brenta::sheet
