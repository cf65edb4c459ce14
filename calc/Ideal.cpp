#include "calc/Ideal.h"

#include <algorithm>
#include <limits>

#include "calc/modWastage.h"

namespace brenta::ideal {

std::int32_t CheckIdeal(
    std::int32_t estimate, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt)
{
    std::int32_t ideal = estimate;
    for (;;) {
        if (ideal < 0)
            return 0;
        if (modWastage::MLWaste(ideal, base, baseWastageFactor, fmt) > 0) {
            ideal = numbers::Add32(ideal, 1);
            continue;
        }
        if (ideal == 0)
            return ideal;
        const std::int32_t below = numbers::Sub32(ideal, 1);
        if (modWastage::MLWaste(below, base, baseWastageFactor, fmt) != 0)
            return ideal;
        ideal = below;
    }
}

namespace {

// The first level of [lo, hi] whose ML waste is below current, or nothing. Within
// one branch of WastageAtML (below ML 0, or from 0 up) the ML waste only moves one
// way as the level rises, so "less than current" holds either from lo on or from
// one boundary on: the search takes growing steps until it passes the boundary and
// then halves the last step, a few dozen levels at most instead of every level.
std::optional<std::int32_t> FirstLevelBelow(std::int32_t lo, std::int32_t hi, double current, std::int32_t base,
    double baseWastageFactor, const NumberFormat& fmt)
{
    const auto less = [&](std::int64_t n) {
        return modWastage::MLWaste(static_cast<std::int32_t>(n), base, baseWastageFactor, fmt) < current;
    };
    if (less(lo))
        return lo;
    std::int64_t without = lo; // a level without less waste
    std::int64_t step = 1;
    for (;;) {
        if (without == hi)
            return std::nullopt;
        const std::int64_t probe = std::min<std::int64_t>(without + step, hi);
        if (less(probe)) {
            std::int64_t with = probe; // the first level with less waste lies in (without, with]
            while (with - without > 1) {
                const std::int64_t mid = without + (with - without) / 2;
                (less(mid) ? with : without) = mid;
            }
            return static_cast<std::int32_t>(with);
        }
        without = probe;
        step *= 2;
    }
}

} // namespace

std::optional<Improvement> NextImprovement(
    std::int32_t ml, std::int32_t ideal, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt)
{
    if (ml >= ideal)
        return Improvement{ideal, true};
    const double current = modWastage::MLWaste(ml, base, baseWastageFactor, fmt);
    const std::int32_t first = numbers::Add32(ml, 1);
    if (first < 0) {
        if (const auto n = FirstLevelBelow(first, std::min(ideal, -1), current, base, baseWastageFactor, fmt))
            return Improvement{*n, false};
        if (ideal < 0)
            return std::nullopt;
    }
    // The last level has no level above it to divide by: looking at it is a failure,
    // as it is when the levels are tried one by one.
    constexpr std::int32_t kLast = std::numeric_limits<std::int32_t>::max();
    const std::int32_t from = std::max(first, 0);
    if (from < kLast)
        if (const auto n
            = FirstLevelBelow(from, std::min(ideal, kLast - 1), current, base, baseWastageFactor, fmt))
            return Improvement{*n, false};
    if (ideal == kLast && modWastage::MLWaste(kLast, base, baseWastageFactor, fmt) < current)
        return Improvement{kLast, false};
    return std::nullopt;
}

} // namespace brenta::ideal
