#include "calc/modWastage.h"

#include "calc/modRounding.h"

namespace brenta::modWastage {

double WastageAtML(std::int32_t ml, double baseWastageFactor)
{
    if (ml >= 0)
        return numbers::Finite(baseWastageFactor / numbers::Add32(ml, 1));
    return numbers::Finite(numbers::Sub32(ml, 1) / -10.0);
}

std::int32_t IdealMLFor(std::int32_t base, double baseWastageFactor, const NumberFormat& fmt)
{
    double v = numbers::Finite(2 * baseWastageFactor * base - 1);
    const std::int32_t r = numbers::ToInt32(modRounding::RoundNumberValue(v, fmt));
    return r < 0 ? 0 : r;
}

double MLWaste(std::int32_t ml, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt)
{
    double waste = numbers::Finite(WastageAtML(ml, baseWastageFactor) * base);
    return modRounding::RoundNumberValue(waste, fmt);
}

} // namespace brenta::modWastage
