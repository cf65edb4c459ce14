#include "calc/Report.h"

#include <algorithm>

#include "base/Text.h"
#include "calc/AutoPrice.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"

namespace brenta::report {

namespace {

void AddTimes(const std::vector<std::string_view>& rec, const OwnedRecord& stored, const Facility& facility,
    const NumberFormat& fmt, storage::ReportBlock& block)
{
    using namespace numbers;
    try {
        if (rec.size() <= record::kFieldProductivityModifier)
            throw Failure("Blueprint record without its times");
        const std::int32_t ml = owned::Value(stored.ml);
        const std::int32_t pl = owned::Value(stored.pl);
        std::string mlTime = times::ResearchTime(
            TextToInt32(rec[record::kFieldMLTime], fmt), facility.metallurgy, facility.posLab, ml);
        std::string plTime = times::ResearchTime(
            TextToInt32(rec[record::kFieldPLTime], fmt), facility.research, facility.posLab, pl);
        const std::int32_t base = times::BuildSecondsPerRun(ToNumber(rec[record::kFieldProductionTime], fmt),
            ToNumber(rec[record::kFieldProductivityModifier], fmt), pl);
        block.assembly = times::AssemblyTime(base, facility.industry, facility.timeMult, 1);
        block.mlTime = std::move(mlTime);
        block.plTime = std::move(plTime);
    } catch (const Failure&) {
        block.mlTime = block.plTime = block.assembly = "Invalid";
    }
}

std::string CostOf(std::string_view rec, const OwnedLevel& ml, const Catalogue& cat, const Facility& facility,
    const NumberFormat& fmt)
{
    try {
        const pricing::Facility f{facility.matMult, facility.pe, fmt};
        const double cost = pricing::OneRunCost(rec, owned::Value(ml), f, cat.strItemNames, cat.dblPrices);
        return numbers::Format(cost, "###,##0.00", fmt);
    } catch (const Failure&) {
        return "Invalid";
    }
}

} // namespace

std::vector<storage::ReportBlock> OwnedBlocks(
    const Catalogue& cat, const Facility& facility, const NumberFormat& fmt)
{
    const std::size_t n = std::min({cat.strBPs.size(), cat.bOwned.size(), cat.strOwned.size()});
    std::vector<storage::ReportBlock> blocks;
    blocks.reserve(static_cast<std::size_t>(
        std::count(cat.bOwned.begin(), cat.bOwned.begin() + static_cast<std::ptrdiff_t>(n), true)));
    for (std::size_t i = 0; i < n; ++i) {
        if (!cat.bOwned[i])
            continue;
        const std::string_view rec = cat.strBPs[i];
        const auto fields = text::Split(rec, '{');
        const OwnedRecord& stored = cat.strOwned[i];
        storage::ReportBlock block;
        block.name = std::string(fields.front());
        block.ml = stored.ml.text;
        block.pl = stored.pl.text;
        AddTimes(fields, stored, facility, fmt, block);
        block.cost = CostOf(rec, stored.ml, cat, facility, fmt);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::string OwnedReport(const Catalogue& cat, const Facility& facility, const NumberFormat& fmt)
{
    return storage::OwnedReport(storage::ReportHead{facility.posLab, facility.timeMult, facility.matMult},
        OwnedBlocks(cat, facility, fmt), fmt);
}

} // namespace brenta::report
