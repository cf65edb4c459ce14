#pragma once

#include <string>

#include "base/Numbers.h"

namespace brenta::modRounding {

// Rounds x to a whole number, deciding halves on the first decimal digit of x's
// standard text form alone: when that digit is 5, x (the caller's variable) gains
// 0.1 before rounding to the nearest, ties to even. So 2.45 gives "2", 2.5 gives "3"
// (x becomes 2.6), -2.5 gives "-2". Returns the whole number as standard text.
std::string RoundNumber(double& x, const NumberFormat& fmt);

// The same rounding as a number: exactly what reading RoundNumber's text back
// gives, without writing and reading the text (the sheet does this for every row).
double RoundNumberValue(double& x, const NumberFormat& fmt);

} // namespace brenta::modRounding
