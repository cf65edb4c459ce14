#include "storage/PricesFile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "base/Failure.h"
#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

// The slot a line's price goes to, or -1 when the line is to be skipped.
std::ptrdiff_t PriceSlot(std::string_view idText, std::size_t slots, const NumberFormat& fmt)
{
    const double id = numbers::RoundHalfEven(numbers::ToNumber(idText, fmt));
    const double last = static_cast<double>(std::min<std::size_t>(slots, kTypeIdSlots)) - 1;
    if (!(id >= 0 && id <= last))
        return -1;
    return static_cast<std::ptrdiff_t>(id);
}

} // namespace

void ApplyPrices(std::string_view content, std::vector<double>& prices, const NumberFormat& fmt)
{
    ForEachLine(content, [&](std::string_view line) {
        if (line.size() < 2)
            return;
        // "type ID{price", anything after a further "{" ignored; taken apart in place,
        // as a file of a thousand lines is read at every start.
        const std::size_t brace = line.find('{');
        if (brace == std::string_view::npos)
            return;
        std::string_view priceText = line.substr(brace + 1);
        priceText = priceText.substr(0, priceText.find('{'));
        try {
            const double price = numbers::ToNumber(priceText, fmt);
            const std::ptrdiff_t slot = PriceSlot(line.substr(0, brace), prices.size(), fmt);
            if (slot < 0 || !std::isfinite(price))
                return;
            prices[static_cast<std::size_t>(slot)] = price;
        } catch (const Failure&) {
            // Not a number: the line is skipped.
        }
    });
}

std::string PricesText(const ItemNames& itemNames, const std::vector<double>& prices, const NumberFormat& fmt)
{
    const std::size_t end = std::min({itemNames.size(), prices.size(), static_cast<std::size_t>(kTypeIdSlots)});
    std::string text;
    for (std::size_t id = 0; id < end; ++id) {
        if (itemNames[id].empty())
            continue;
        text += numbers::IntText(static_cast<std::int64_t>(id));
        text += '{';
        text += numbers::ToText(prices[id], fmt);
        text += "\r\n";
    }
    return text;
}

} // namespace brenta::storage
