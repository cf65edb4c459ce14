#pragma once

#include <cstdint>

#include "base/Numbers.h"

namespace brenta::modWastage {

// The share of a material wasted on top of its base quantity at a material level:
// baseWastageFactor / (ML + 1) from ML 0 up, (1 - ML) / 10 below 0 whatever the factor.
// An ML of which ML + 1 or ML - 1 overflows 32 bits is a Failure.
double WastageAtML(std::int32_t ml, double baseWastageFactor);

// Estimate of the lowest ML at which a material's ML waste rounds to nothing:
// 2 x factor x base - 1, rounded by RoundNumber, never negative. It can be one
// level off; the exact level is settled from here by single steps.
std::int32_t IdealMLFor(std::int32_t base, double baseWastageFactor, const NumberFormat& fmt);

// The ML part of a material's waste at a level: WastageAtML(ml) x base, rounded
// by RoundNumber. The ideal and next-improvement columns judge by this alone.
double MLWaste(std::int32_t ml, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt);

} // namespace brenta::modWastage
