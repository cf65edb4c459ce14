#pragma once

// What the run count and the price boxes accept, typed key by key or arriving as a
// whole text (paste, drag), and what a typed price is worth.

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Numbers.h"

namespace brenta::fields {

inline constexpr int kBackspace = 8;

// The most runs the run count box takes: a larger count is cut to it as it is typed.
inline constexpr std::int32_t kMaxRuns = 1000000;
inline constexpr int kEnter = 13;

// A character typed into the run count: Backspace and the digits only.
bool RunsKeyPasses(int c);

// A character typed into a price box: Backspace, Enter, the locale's decimal
// separator (decSepASCII) and the digits; a separator is refused when the box's
// text already holds one, so a price carries at most one.
bool PriceKeyPasses(int c, std::int16_t decSepASCII, std::string_view boxText);

// Whole texts the boxes may hold: the run count digits only (or nothing), a price
// digits and at most one decimal separator.
bool IsRunsText(std::string_view text);
bool IsPriceText(std::string_view text, char decSep);

// The price a box holds when Enter stores it: an empty box is 0; text that is not
// a number (the separator alone, say) is no price at all.
std::optional<double> PriceFromBox(std::string_view boxText, const NumberFormat& fmt);

} // namespace brenta::fields
