#include "calc/SheetCopy.h"

#include <optional>
#include <string_view>

namespace brenta::sheet {

namespace {

// A cell's text with the tabs and line breaks that would cut it turned to spaces.
std::string Cell(std::string_view text)
{
    std::string cell(text);
    for (char& c : cell)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return cell;
}

std::string OptionalCell(const std::optional<std::string>& text) { return text ? Cell(*text) : std::string(); }

std::string Number(const std::optional<double>& value, const NumberFormat& fmt)
{
    return value ? numbers::ToText(*value, fmt) : std::string();
}

// A price box as a number in the standard form; a box that is no number as typed.
std::string PriceCell(const std::string& box, const NumberFormat& fmt)
{
    try {
        return numbers::ToText(numbers::ToNumber(box, fmt), fmt);
    } catch (const Failure&) {
        return Cell(box);
    }
}

} // namespace

std::string CopyText(const Input& in, const Output& out, const std::array<std::string, kRows>& amounts)
{
    const NumberFormat& fmt = in.fmt;
    std::string text = "Material\tAmount\tWaste\tTotal\tIdeal ML\tImprove At\tUnit Price\tCost\n";
    for (std::size_t r = 0; r < in.rows.size(); ++r) {
        const RowInput& row = in.rows[r];
        if (row.caption.empty())
            continue;
        const RowOutput& ro = out.rows[r];
        text += Cell(row.caption) + '\t' + Cell(amounts[r]) + '\t' + OptionalCell(ro.waste) + '\t'
            + OptionalCell(ro.total) + '\t' + OptionalCell(ro.ideal) + '\t' + OptionalCell(ro.improve) + '\t'
            + PriceCell(row.price, fmt) + '\t' + Number(ro.cost, fmt) + '\n';
    }
    text += '\n';
    const std::pair<std::string_view, std::string> figures[] = {
        {"Build Cost (Total)", Number(out.buildCostValue, fmt)},
        {"Build Cost (Waste)", Number(out.buildWasteValue, fmt)},
        {"Cost Per Unit (Total)", Number(out.costPerUnitValue, fmt)},
        {"Cost Per Unit (Waste)", Number(out.wastePerUnitValue, fmt)},
        {"Efficiency", OptionalCell(out.efficiency)},
        {"Build Time", OptionalCell(out.buildTime)},
        {"ML Research Time", OptionalCell(out.mlTime)},
        {"PL Research Time", OptionalCell(out.plTime)},
    };
    for (const auto& [caption, value] : figures)
        text += std::string(caption) + '\t' + value + '\n';
    return text;
}

} // namespace brenta::sheet
