#include "calc/Comparison.h"

#include "calc/Times.h"
#include "calc/modWastage.h"
#include "catalogue/BlueprintRecord.h"

namespace brenta::comparison {

using namespace numbers;

namespace {

std::int32_t BaseQty(const Input& in, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= in.baseQty.size())
        throw Failure("No base quantity for row " + std::to_string(row));
    return in.baseQty[static_cast<std::size_t>(row)];
}

// Skill rows and empty rows take no part: their cells keep "0" and they cost nothing.
bool CountsInCosts(sheet::RowKind kind)
{
    return kind == sheet::RowKind::Regular || kind == sheet::RowKind::NoWaste;
}

} // namespace

void UpdateSavings(const Input& in, const std::array<std::string, kWasteCells>& waste, Output& out)
{
    const NumberFormat& fmt = in.fmt;
    double start = 0;
    double end = 0;
    for (int r = 0; r < kRows; ++r) {
        const Row& row = in.rows[static_cast<std::size_t>(r)];
        if (!CountsInCosts(sheet::ClassifyRow(row.caption)))
            continue;
        const double amount = ToNumber(row.amount, fmt);
        const double ws = ToNumber(waste[static_cast<std::size_t>(r)], fmt);
        const double we = ToNumber(waste[static_cast<std::size_t>(r) + kRows], fmt);
        const double price = ToNumber(row.price, fmt);
        out.savings[static_cast<std::size_t>(r)] = ToText(Finite(ws - we), fmt);
        // Each row's total at its unit price, summed as the sheet sums its build cost.
        start = Finite(start + Finite(amount + ws) * price);
        end = Finite(end + Finite(amount + we) * price);
    }
    out.buildCostStart = sheet::CostText(start, fmt);
    out.buildCostEnd = sheet::CostText(end, fmt);
    out.iskSavings = sheet::CostText(Finite(start - end), fmt);
}

Output Compute(const Input& in, Side side)
{
    const NumberFormat& fmt = in.fmt;
    const std::size_t column = side == Side::Start ? 0 : kRows;
    Output out;
    try {
        const std::int32_t ml = TextToInt32(side == Side::Start ? in.fromText : in.toText, fmt);
        const double f = modWastage::WastageAtML(ml, in.baseWastageFactor);
        out.wastageFactor = Format(f, "0.0000000000000", fmt);

        auto waste = in.waste;
        for (int r = 0; r < kRows; ++r) {
            if (sheet::ClassifyRow(in.rows[static_cast<std::size_t>(r)].caption) != sheet::RowKind::Regular)
                continue;
            const double w = sheet::WasteFraction(f, in.pe, in.matMult);
            const std::string text
                = ToText(sheet::JobWaste(w, BaseQty(in, r), TextToInt32(in.runsText, fmt), fmt), fmt);
            out.waste[static_cast<std::size_t>(r)] = text;
            waste[column + static_cast<std::size_t>(r)] = text;
        }
        UpdateSavings(in, waste, out);

        // The time to research from the start level to the end level, negative downwards.
        const auto times = text::Split(in.times, '{');
        const std::int32_t levels = ToInt32(Finite(ToNumber(in.toText, fmt) - ToNumber(in.fromText, fmt)));
        if (times.empty())
            throw Failure("Blueprint times are missing");
        out.researchTime = times::ResearchTime(TextToInt32(times[0], fmt), in.metallurgy, in.posLab, levels);
    } catch (const Failure&) {
        out.wastageFactor = "Invalid ML";
        out.failed = true;
    }
    return out;
}

} // namespace brenta::comparison
