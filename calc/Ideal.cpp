#include "calc/Ideal.h"

#include "calc/modWastage.h"

namespace brenta::ideal {

std::int32_t CheckIdeal(std::int32_t estimate, std::int32_t base, double baseWastageFactor, const NumberFormat& fmt)
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

std::optional<Improvement> NextImprovement(std::int32_t ml, std::int32_t ideal, std::int32_t base,
    double baseWastageFactor, const NumberFormat& fmt)
{
    if (ml >= ideal)
        return Improvement{ideal, true};
    const double current = modWastage::MLWaste(ml, base, baseWastageFactor, fmt);
    for (std::int32_t n = numbers::Add32(ml, 1);; n = numbers::Add32(n, 1)) {
        if (modWastage::MLWaste(n, base, baseWastageFactor, fmt) < current)
            return Improvement{n, false};
        if (n == ideal)
            return std::nullopt;
    }
}

} // namespace brenta::ideal
