// The prices file reader, applied over the shipped default prices as start-up does,
// and the file written from what it read read back again.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "catalogue/Catalogue.h"
#include "fuzz/FuzzCheck.h"
#include "storage/PricesFile.h"

using namespace brenta;

namespace {

const std::vector<double>& Defaults()
{
    static const std::vector<double> prices = [] {
        Catalogue c;
        c.DimArrays();
        c.LoadMatNames();
        c.LoadDefaultPrices();
        return c.dblPrices;
    }();
    return prices;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content = fuzz::Text(data, size);
    const std::vector<double>& defaults = Defaults();
    static std::vector<double> prices = defaults;
    static std::vector<double> reread(defaults.size(), 0.0);
    for (const NumberFormat& fmt : fuzz::kFormats) {
        storage::ApplyPrices(content, prices, fmt);
        fuzz::Check(prices.size() == defaults.size(), "the price table keeps its size");

        // Every price the file changed is finite and survives a save and a start.
        // The table is compared block by block: most runs change a few prices.
        std::vector<std::size_t> changed;
        constexpr std::size_t kBlock = 512;
        for (std::size_t from = 0; from < prices.size(); from += kBlock) {
            const std::size_t to = std::min(from + kBlock, prices.size());
            if (std::memcmp(&prices[from], &defaults[from], (to - from) * sizeof(double)) == 0)
                continue;
            for (std::size_t id = from; id < to; ++id) {
                if (std::memcmp(&prices[id], &defaults[id], sizeof(double)) == 0)
                    continue;
                fuzz::Check(std::isfinite(prices[id]), "a price read is finite");
                changed.push_back(id);
            }
        }
        if (changed.empty())
            continue;
        // Only the changed items are named, so the file holds just their lines.
        ItemNames names(changed.back() + 1);
        for (std::size_t id : changed)
            names.Set(id, "x");
        storage::ApplyPrices(storage::PricesText(names, prices, fmt), reread, fmt);
        for (std::size_t id : changed) {
            fuzz::Check(numbers::ToText(reread[id], fmt) == numbers::ToText(prices[id], fmt),
                "a saved price reads back to the same text");
            prices[id] = defaults[id];
            reread[id] = 0;
        }
    }
    return 0;
}
