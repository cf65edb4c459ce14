#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Numbers.h"

namespace brenta::ideal {

// The lowest non-negative ML whose ML waste rounds to 0, reached by single steps
// from an estimate (IdealMLFor is at most one level off).
std::int32_t CheckIdeal(
    std::int32_t estimate, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt);

struct Improvement {
    std::int32_t level; // the ML to show in the "Improve At..." cell
    bool reached; // true: the ML is at or past the ideal (green); false: still ahead (white)
};

// The next ML above ml at which the ML waste drops, or the ideal once ml reaches it.
// Empty when no level up to the ideal has less waste: the cell keeps what it shows.
std::optional<Improvement> NextImprovement(
    std::int32_t ml, std::int32_t ideal, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt);

} // namespace brenta::ideal
