#include "calc/modRounding.h"

namespace brenta::modRounding {

std::string RoundNumber(double& x, const NumberFormat& fmt)
{
    const std::string text = numbers::ToText(x, fmt);
    const std::size_t sep = text.find(fmt.decSep);
    if (sep != std::string::npos && sep + 1 < text.size() && text[sep + 1] == '5')
        x += 0.1;
    return numbers::ToText(numbers::RoundHalfEven(x), fmt);
}

} // namespace brenta::modRounding
