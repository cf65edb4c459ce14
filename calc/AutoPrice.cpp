#include "calc/AutoPrice.h"

#include <cmath>

#include "base/Table.h"
#include "calc/InputFields.h"
#include "calc/Sheet.h"
#include "calc/modRounding.h"
#include "calc/modWastage.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"

namespace brenta::pricing {

using namespace numbers;

namespace {

// The builder of a row's caption, or nothing for a skill row or an item no
// blueprint builds.
std::optional<std::int16_t> BuilderOf(std::string_view caption, const Builders& builders)
{
    if (sheet::IsSkillRow(caption))
        return std::nullopt;
    return builders.Find(MaterialName(caption));
}

std::string PriceText(double total, const NumberFormat& fmt) { return Format(total, "0.00", fmt); }

} // namespace

std::string_view BuilderName(std::string_view record)
{
    const std::string_view name = record.substr(0, record.find('{'));
    return name.substr(0, name.find(" Blueprint"));
}

std::string_view MaterialName(std::string_view caption)
{
    constexpr std::string_view kEnd = "] ";
    const std::size_t first = caption.find(kEnd);
    if (first == std::string_view::npos)
        return caption;
    const std::string_view rest = caption.substr(first + kEnd.size());
    return rest.substr(0, rest.find(kEnd));
}

Builders::Builders(const BlueprintRecords& records)
{
    const std::size_t n = std::min<std::size_t>(records.size(), kBlueprintCount);
    index_.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (!records[i].empty())
            index_.try_emplace(std::string(BuilderName(records[i])), static_cast<std::int16_t>(i));
}

std::optional<std::int16_t> Builders::Find(std::string_view name) const
{
    const auto it = index_.find(name);
    if (it == index_.end())
        return std::nullopt;
    return it->second;
}

std::vector<RunAmount> OneRunAmounts(
    std::string_view record, std::int32_t ml, const Facility& facility, const ItemNames& itemNames)
{
    const double factor = record::BaseWastageFactor(record, facility.fmt);
    const auto entries = record::Materials(record);
    std::vector<RunAmount> amounts;
    amounts.reserve(entries.size());
    std::optional<double> m;
    for (std::size_t j = 1; j < entries.size(); ++j) {
        const auto entry = record::SplitEntry(entries[j]);
        const std::int32_t typeId = TextToInt32(entry.typeIdText, facility.fmt);
        if (sheet::IsSkillRow(At(itemNames, typeId)))
            continue;
        if (!m)
            m = sheet::WasteFraction(modWastage::WastageAtML(ml, factor), facility.pe, facility.matMult);
        const double q = ToNumber(entry.quantityText, facility.fmt);
        double waste = Finite(*m * q);
        amounts.push_back({typeId, Finite(q + modRounding::RoundNumberValue(waste, facility.fmt))});
    }
    return amounts;
}

double PriceOf(const std::vector<RunAmount>& amounts, const std::vector<double>& prices)
{
    double total = 0;
    for (const RunAmount& a : amounts)
        total = total + a.amount * At(prices, a.typeId);
    // Once a partial sum leaves the float range the total cannot come back into it.
    return Finite(total);
}

double OneRunCost(std::string_view record, std::int32_t ml, const Facility& facility, const ItemNames& itemNames,
    const std::vector<double>& prices)
{
    return PriceOf(OneRunAmounts(record, ml, facility, itemNames), prices);
}

std::int32_t OwnedML(const Catalogue& cat, std::int16_t index)
{
    if (!At(cat.bOwned, index))
        return 0;
    return owned::Value(At(cat.strOwned, index).ml);
}

std::optional<std::string> AutoPriceText(
    std::string_view caption, const Catalogue& cat, const Builders& builders, const Facility& facility)
{
    const auto builder = BuilderOf(caption, builders);
    if (!builder)
        return std::nullopt;
    try {
        const std::int32_t ml = OwnedML(cat, *builder);
        return PriceText(
            OneRunCost(At(cat.strBPs, *builder), ml, facility, cat.strItemNames, cat.dblPrices), facility.fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

std::optional<double> StoredPrice(std::string& boxText, const NumberFormat& fmt)
{
    if (boxText.empty())
        boxText = "0";
    return fields::PriceFromBox(boxText, fmt);
}

namespace {

void Store(std::int32_t typeId, std::string& box, std::vector<double>& prices, const NumberFormat& fmt)
{
    if (typeId <= 0 || static_cast<std::size_t>(typeId) >= prices.size())
        return;
    if (const auto price = StoredPrice(box, fmt))
        prices[static_cast<std::size_t>(typeId)] = *price;
}

// Every named row in order gets the price text priceText gives its caption, if any,
// then stores its box, so the rows after it see the price.
template <typename PriceTextOf>
void PriceEach(
    std::vector<GridRow>& rows, std::vector<double>& prices, const NumberFormat& fmt, PriceTextOf priceText)
{
    for (GridRow& row : rows) {
        if (row.caption.empty())
            continue;
        if (auto text = priceText(row.caption))
            row.box = std::move(*text);
        Store(row.typeId, row.box, prices, fmt);
    }
}

} // namespace

void PriceRows(std::vector<GridRow>& rows, Catalogue& cat, const Builders& builders, const Facility& facility)
{
    PriceEach(rows, cat.dblPrices, facility.fmt,
        [&](std::string_view caption) { return AutoPriceText(caption, cat, builders, facility); });
}

std::vector<GridRow> ShownRows(const show::Shown& shown)
{
    std::vector<GridRow> rows;
    rows.reserve(shown.rows.size());
    for (const show::Row& row : shown.rows)
        rows.push_back(GridRow{row.name, row.typeId, row.priceText});
    return rows;
}

namespace {

// The pass over a list: the same steps as PriceRows for every shown blueprint, with
// what stays the same for the whole pass worked out once. A builder's amounts depend
// only on its record, its owned ML and the facility, so they are computed on first
// use and kept until that builder is shown again (showing may rewrite its record).
class Pass {
public:
    Pass(Catalogue& cat, const Builders& builders, const Facility& facility)
        : cat_(cat), builders_(builders), facility_(facility), amounts_(cat.strBPs.size())
    {
    }

    void Forget(std::int16_t index)
    {
        if (index >= 0 && static_cast<std::size_t>(index) < amounts_.size())
            amounts_[static_cast<std::size_t>(index)].reset();
    }

    void Price(std::vector<GridRow>& rows)
    {
        PriceEach(rows, cat_.dblPrices, facility_.fmt,
            [this](std::string_view caption) { return PriceTextOf(caption); });
    }

private:
    struct Cached {
        bool ok = false;
        std::vector<RunAmount> amounts;
    };

    std::optional<std::string> PriceTextOf(std::string_view caption)
    {
        const auto builder = BuilderOf(caption, builders_);
        if (!builder)
            return std::nullopt;
        const Cached& cached = AmountsOf(*builder);
        if (!cached.ok)
            return std::nullopt;
        try {
            return PriceText(PriceOf(cached.amounts, cat_.dblPrices), facility_.fmt);
        } catch (const Failure&) {
            return std::nullopt;
        }
    }

    const Cached& AmountsOf(std::int16_t builder)
    {
        std::optional<Cached>& slot = amounts_.at(static_cast<std::size_t>(builder));
        if (!slot) {
            slot.emplace();
            try {
                const std::int32_t ml = OwnedML(cat_, builder);
                slot->amounts = OneRunAmounts(
                    cat_.strBPs[static_cast<std::size_t>(builder)], ml, facility_, cat_.strItemNames);
                slot->ok = true;
            } catch (const Failure&) {
                slot->ok = false;
            }
        }
        return *slot;
    }

    Catalogue& cat_;
    const Builders& builders_;
    const Facility& facility_;
    std::vector<std::optional<Cached>> amounts_;
};

} // namespace

PassResult AutoPriceAll(const std::vector<std::optional<std::int16_t>>& listed, std::vector<GridRow> grid,
    Catalogue& cat, const Builders& builders, const Facility& facility, show::Levels boxes)
{
    PassResult result;
    Pass pass(cat, builders, facility);
    for (const auto& entry : listed) {
        if (entry) {
            try {
                show::Shown shown = show::ShowBlueprint(*entry, cat, boxes, facility.fmt);
                if (shown.ownedRecord) {
                    cat.strOwned[static_cast<std::size_t>(*entry)] = *shown.ownedRecord;
                    pass.Forget(*entry);
                }
                boxes = shown.levels;
                grid = ShownRows(shown);
                result.lastShown = std::move(shown);
            } catch (const Failure&) {
                // Abandoned display: the grid keeps the rows it had.
            }
        }
        pass.Price(grid);
    }
    result.rows = std::move(grid);
    return result;
}

} // namespace brenta::pricing
