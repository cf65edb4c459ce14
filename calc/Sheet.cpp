#include "calc/Sheet.h"

#include "base/Text.h"

#include "calc/Ideal.h"
#include "calc/Times.h"
#include "calc/modRounding.h"
#include "calc/modWastage.h"
#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"

namespace brenta::sheet {

using namespace numbers;

bool IsSkillRow(std::string_view caption) { return KindOf(caption) == ItemKind::Skill; }

RowKind ClassifyRow(std::string_view caption)
{
    if (IsSkillRow(caption))
        return RowKind::Skill;
    if (const ItemKind kind = KindOf(caption); kind == ItemKind::T1 || kind == ItemKind::Ship)
        return RowKind::NoWaste;
    // Research tools are recognised by "R.A.M." anywhere, in any letter case.
    if (text::FindIgnoringCase(caption, "r.a.m.") != std::string_view::npos)
        return RowKind::NoWaste;
    return caption.empty() ? RowKind::Empty : RowKind::Regular;
}

double WasteFraction(double f, int pe, double matMult)
{
    const std::int16_t peShare = Add16(25, Mul16(-5, static_cast<std::int16_t>(pe)));
    return Finite(((matMult - 1) * 100 + peShare) / 100 + f);
}

double RunWaste(double wasteFraction, std::int32_t base, const NumberFormat& fmt)
{
    double waste = Finite(wasteFraction * base);
    return modRounding::RoundNumberValue(waste, fmt);
}

double JobWaste(double wasteFraction, std::int32_t base, std::int32_t runs, const NumberFormat& fmt)
{
    return Finite(RunWaste(wasteFraction, base, fmt) * runs);
}

double RowTotal(RowKind kind, double wasteFraction, std::int32_t base, std::int32_t runs, const NumberFormat& fmt)
{
    switch (kind) {
    case RowKind::Skill:
    case RowKind::Empty:
        return 0;
    case RowKind::NoWaste:
        return Finite(static_cast<double>(base) * runs);
    case RowKind::Regular:
        return Finite(Finite(static_cast<double>(base) * runs) + JobWaste(wasteFraction, base, runs, fmt));
    }
    return 0;
}

std::string MoneyText(double amount, const NumberFormat& fmt) { return Format(amount, "###,##0.00", fmt); }

std::string CostText(double cost, const NumberFormat& fmt) { return MoneyText(cost, fmt) + " ISK"; }

namespace {

template <typename T>
T Need(const std::optional<T>& number, const char* what)
{
    if (!number)
        throw Failure(std::string(what) + " is not a whole number");
    return *number;
}

std::int32_t BaseQty(const Input& in, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= in.baseQty.size())
        throw Failure("No base quantity for row " + std::to_string(row));
    return in.baseQty[static_cast<std::size_t>(row)];
}

double PerUnit(double cost, const Input& in)
{
    const std::int32_t units = Mul32(Need(in.runs, "Runs"), std::int32_t{Need(in.batch, "Batch size")});
    if (units == 0)
        throw Failure("Division by zero");
    return Finite(cost / units);
}

void ComputeRows(const Input& in, std::int32_t ml, Output& out)
{
    const NumberFormat& fmt = in.fmt;
    double buildCost = 0;
    double wasteCost = 0;
    for (int r = 0; r < kRows; ++r) {
        const RowInput& row = in.rows[static_cast<std::size_t>(r)];
        RowOutput& ro = out.rows[static_cast<std::size_t>(r)];
        switch (ClassifyRow(row.caption)) {
        case RowKind::Skill:
            ro.waste = "0";
            ro.total = "0";
            ro.cost = 0.0;
            break;
        case RowKind::NoWaste: {
            const double total = RowTotal(RowKind::NoWaste, 0, BaseQty(in, r), Need(in.runs, "Runs"), fmt);
            ro.waste = "0";
            ro.total = ToText(total, fmt);
            ro.cost = Finite(total * ToNumber(row.price, fmt));
            buildCost = Finite(buildCost + *ro.cost);
            break;
        }
        case RowKind::Regular: {
            const double f = modWastage::WastageAtML(ml, in.baseWastageFactor);
            const std::int32_t base = BaseQty(in, r);
            const double w = WasteFraction(f, in.pe, in.matMult);
            const std::int32_t runs = Need(in.runs, "Runs");
            const double waste = JobWaste(w, base, runs, fmt);
            ro.waste = ToText(waste, fmt);
            const double total = RowTotal(RowKind::Regular, w, base, runs, fmt);
            ro.total = ToText(total, fmt);
            const double price = ToNumber(row.price, fmt);
            ro.cost = Finite(total * price);
            buildCost = Finite(buildCost + *ro.cost);
            wasteCost = Finite(wasteCost + waste * price);

            const std::int32_t estimate = modWastage::IdealMLFor(base, in.baseWastageFactor, fmt);
            ro.ideal = ToText(estimate, fmt);
            const std::int32_t ideal = ideal::CheckIdeal(estimate, base, in.baseWastageFactor, fmt);
            ro.ideal = ToText(ideal, fmt);
            // The ML checked at the start is the field's number, rounded as the column wants it.
            if (in.improvements) {
                if (const auto next = ideal::NextImprovement(ml, ideal, base, in.baseWastageFactor, fmt)) {
                    ro.improve = ToText(next->level, fmt);
                    ro.improveReached = next->reached;
                }
            }
            break;
        }
        case RowKind::Empty:
            break;
        }
    }

    if (buildCost > 0)
        out.efficiency = Format(Finite((1 - wasteCost / buildCost) * 100), "0.0000000000", fmt) + "%";
    out.buildCostValue = buildCost;
    out.buildCost = CostText(buildCost, fmt);
    out.costPerUnitValue = PerUnit(buildCost, in);
    out.costPerUnit = CostText(*out.costPerUnitValue, fmt);
    out.buildWasteValue = wasteCost;
    out.buildWaste = CostText(wasteCost, fmt);
    out.wastePerUnitValue = PerUnit(wasteCost, in);
    out.wastePerUnit = CostText(*out.wastePerUnitValue, fmt);
}

void ComputeTimes(const Input& in, std::int32_t ml, Output& out)
{
    const NumberFormat& fmt = in.fmt;
    const auto times = text::Split(in.times, '{');
    if (times.size() < 3)
        throw Failure("Blueprint times are missing");
    const double production = ToNumber(times[2], fmt);
    const double modifier = ToNumber(record::Field(in.selectedRecord, record::kFieldProductivityModifier), fmt);
    const std::int32_t pl = Need(in.pl, "PL");
    const std::int32_t runs = Need(in.runs, "Runs");

    out.buildTime
        = times::AssemblyTime(times::BuildSecondsPerRun(production, modifier, pl), in.industry, in.timeMult, runs);
    out.mlTime = times::ResearchTime(TextToInt32(times[0], fmt), in.metallurgy, in.posLab, ml);
    out.plTime = times::ResearchTime(TextToInt32(times[1], fmt), in.research, in.posLab, pl);
}

} // namespace

Output Compute(const Input& in)
{
    Output out;
    try {
        const std::int32_t ml = Need(in.ml, "ML");
        if (ml >= kMLLimit)
            throw Failure("ML too large");
        const double shownFraction
            = modWastage::WastageAtML(ToInt32(LeadingNumber(in.mlText)), in.baseWastageFactor);
        out.wf = Format(shownFraction, "0.0000000000000", in.fmt);
        if (!in.blueprintSelected)
            return out;
        ComputeRows(in, ml, out);
        ComputeTimes(in, ml, out);
    } catch (const Failure&) {
        out.wf = "Invalid ML";
        out.failed = true;
    }
    return out;
}

std::vector<ShownMaterial> ShownMaterials(std::string_view record, const NumberFormat& fmt)
{
    const auto entries = record::Materials(record);
    std::vector<ShownMaterial> shown;
    for (std::size_t j = 1; j < entries.size(); ++j) {
        const auto entry = record::SplitEntry(entries[j]);
        if (ToNumber(entry.quantityText, fmt) <= 0)
            continue;
        if (shown.size() == kRows)
            throw Failure("More materials than grid rows");
        shown.push_back(ShownMaterial{
            TextToInt32(entry.typeIdText, fmt), entry.quantityText, TextToInt32(entry.quantityText, fmt)});
    }
    return shown;
}

} // namespace brenta::sheet
