#include "calc/modRounding.h"

#include <cmath>

namespace brenta::modRounding {

namespace {

double RoundedWhole(double& x)
{
    if (numbers::FirstDecimalDigit(x) == '5')
        x += 0.1;
    return numbers::RoundHalfEven(x);
}

} // namespace

std::string RoundNumber(double& x, const NumberFormat& fmt) { return numbers::ToText(RoundedWhole(x), fmt); }

double RoundNumberValue(double& x, const NumberFormat& fmt)
{
    const double whole = RoundedWhole(x);
    // Beyond 15 digits the text carries fewer digits than the value: read it back.
    return std::fabs(whole) < 1e15 ? whole : numbers::ToNumber(numbers::ToText(whole, fmt), fmt);
}

} // namespace brenta::modRounding
