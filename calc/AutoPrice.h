#pragma once

// Auto-pricing: a material that one of the catalogue's blueprints builds (its
// builder) is worth what one run of the builder consumes, at the player's ML for
// the builder, Production Efficiency and assembly array, priced at the current
// unit prices. The same one-run material cost is the cost line of the owned
// blueprint report.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/Numbers.h"
#include "calc/Show.h"
#include "catalogue/Catalogue.h"

namespace brenta::pricing {

// The builder name of a blueprint record: its name up to the first " Blueprint",
// or the whole name when it has none ("Test Arkonor Enhancement").
std::string_view BuilderName(std::string_view record);

// An item name without its kind prefix: the text after the first "] ", up to a
// second "] " if there is one; a name without "] " is taken whole.
std::string_view MaterialName(std::string_view caption);

// Builder name to blueprint index, made once from the records. Where records
// share a name the lowest index builds the item, as a scan from index 0 would find.
class Builders {
public:
    explicit Builders(const BlueprintRecords& records);
    // The builder of an item name (without kind prefix), matched exactly.
    std::optional<std::int16_t> Find(std::string_view name) const;
    // The builder of an item by its display name: Find(MaterialName(itemName)).
    std::optional<std::int16_t> OfItem(std::string_view itemName) const { return Find(MaterialName(itemName)); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, std::int16_t, Hash, std::equal_to<>> index_;
};

// What the player's facilities do to one run of a builder.
struct Facility {
    double matMult = 1; // the assembly array's material multiplier
    int pe = 0; // Production Efficiency level, 0..5
    NumberFormat fmt;
};

// One material of one run: its type ID and the amount, its quantity plus the
// rounded waste.
struct RunAmount {
    std::int32_t typeId;
    double amount;
};

// The amounts one run of the record consumes at the ML: every material entry in
// list order, skills left out, each wasting by the record's own base waste factor
// plus the Production Efficiency and assembly array shares; unlike the sheet,
// first-tech items, ships and research tools waste too. A malformed record or
// an ML whose waste cannot be computed is a Failure.
std::vector<RunAmount> OneRunAmounts(
    std::string_view record, std::int32_t ml, const Facility& facility, const ItemNames& itemNames);

// The amounts priced at the unit prices, summed in list order. A type ID outside
// the price table, or a sum that is not finite, is a Failure.
double PriceOf(const std::vector<RunAmount>& amounts, const std::vector<double>& prices);

// The one-run material cost of a record at the ML: PriceOf(OneRunAmounts(...)).
double OneRunCost(std::string_view record, std::int32_t ml, const Facility& facility, const ItemNames& itemNames,
    const std::vector<double>& prices);

// The ML the player researched on a blueprint: its owned record's ML when owned,
// else 0. An ML that is missing or no whole 32-bit number is a Failure.
std::int32_t OwnedML(const Catalogue& cat, std::int16_t index);

// The price box text auto-pricing gives a row with this name caption: the
// builder's one-run cost written "0.00". Nothing when the box keeps its text: a
// skill row (the caption contains "Skill"), a material without a builder, or a
// builder whose cost cannot be computed (an owned ML that is not a number, a cost
// beyond the float range); the player's text then stays and the others go on.
std::optional<std::string> AutoPriceText(
    std::string_view caption, const Catalogue& cat, const Builders& builders, const Facility& facility);

// The price a price box stores. An empty box stores 0 and is set to "0"; a text
// that is not a number stores nothing and leaves the stored price as it was.
std::optional<double> StoredPrice(std::string& boxText, const NumberFormat& fmt);

// One grid row as auto-pricing sees it.
struct GridRow {
    std::string caption; // the material's display name, "" for an empty row
    std::int32_t typeId = 0; // 0 for a row without material
    std::string box; // the price box text
};

// Auto-prices the rows of the shown blueprint: every named row in order gets its
// computed price text, then every row with a material stores its box into
// cat.dblPrices. A price stored by one row is used by the rows after it.
void PriceRows(std::vector<GridRow>& rows, Catalogue& cat, const Builders& builders, const Facility& facility);

// The rows showing a blueprint fills: one per shown material, with its display name
// and its unit price in standard text.
std::vector<GridRow> ShownRows(const show::Shown& shown);

// Auto-pricing of a whole list of blueprints, one after the other, each shown and
// its rows priced; what each one stores is seen by all that follow.
struct PassResult {
    std::optional<show::Shown> lastShown; // the last blueprint that could be shown, as it was shown
    std::vector<GridRow> rows; // the grid at the end, its boxes as priced
};

// listed: the blueprint index of every selector entry in list order, nothing for
// an entry that names no blueprint. grid: the rows shown before the pass; boxes:
// the level boxes before the pass. Each blueprint is shown by show::ShowBlueprint,
// its owned record stored as showing leaves it and the level boxes followed from
// one blueprint to the next. An entry that names no blueprint, or a blueprint that
// cannot be shown, leaves the grid and the boxes as they were and its rows are
// priced again, as a display abandoned there would.
PassResult AutoPriceAll(const std::vector<std::optional<std::int16_t>>& listed, std::vector<GridRow> grid,
    Catalogue& cat, const Builders& builders, const Facility& facility, show::Levels boxes);

} // namespace brenta::pricing
