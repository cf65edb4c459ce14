#pragma once

// The material sheet: from the shown blueprint's rows, the ML, the skills, the
// assembly array, the run count and the unit prices, every row's waste and total,
// the ideal and next-improvement columns, the costs, the efficiency and the times.
// The window reads its controls into an Input, calls Compute and writes back every
// value the Output holds. A failure stops the computation where it happens: what
// was computed before it is in the Output and gets written, the rest stays as shown.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"

namespace brenta::sheet {

inline constexpr int kRows = 25;
inline constexpr std::int32_t kMLLimit = 71582789; // from here on, ML times overflow

enum class RowKind { Empty, Skill, NoWaste, Regular };

// Skill rows never waste and cost nothing; first-tech items, ships and research
// tools never waste but are bought; every other named material wastes.
RowKind ClassifyRow(std::string_view caption);

// A skill row: the item's name begins with "[Skill]". The one test of it, for the
// sheet, the report, auto-pricing and the build plan alike.
bool IsSkillRow(std::string_view caption);

// The waste fraction of a regular row: the ML share f, plus 25 % less 5 % per
// Production Efficiency level, plus what the assembly array adds above 1.
double WasteFraction(double f, int pe, double matMult);

// The waste of one run of a regular row, rounded per run; the job's waste is this
// times the run count, never rounded over the whole job.
double RunWaste(double wasteFraction, std::int32_t base, const NumberFormat& fmt);

// The waste of a regular row for the whole job: RunWaste times the run count.
double JobWaste(double wasteFraction, std::int32_t base, std::int32_t runs, const NumberFormat& fmt);

// The total of a row for the whole job: the base quantity times the run count,
// plus JobWaste for a regular row; a skill row and an empty row need nothing.
double RowTotal(RowKind kind, double wasteFraction, std::int32_t base, std::int32_t runs, const NumberFormat& fmt);

struct RowInput {
    std::string caption; // display name, "" for a row without material
    std::string price; // unit price box
};

struct Input {
    NumberFormat fmt;
    std::string mlText = "0"; // the ML box as typed: the wastage factor reads its leading number
    // The boxes' whole numbers, read once where the box changed; nothing for a box
    // that reads as none, which stops the sheet where the number is first needed.
    std::optional<std::int32_t> ml = 0;
    std::optional<std::int32_t> pl = 0;
    std::optional<std::int32_t> runs = 1;
    std::optional<std::int16_t> batch = 1; // units one run makes
    int pe = 0;
    int industry = 0;
    int metallurgy = 0;
    int research = 0;
    bool posLab = false;
    double matMult = 1;
    double timeMult = 1;
    double baseWastageFactor = 0.1;
    bool blueprintSelected = false;
    bool improvements = false;
    std::string times; // ML, PL and production seconds joined by "{"
    std::string selectedRecord; // record of the selected blueprint (productivity modifier)
    std::array<RowInput, kRows> rows;
    std::vector<std::int32_t> baseQty; // base quantity of one run, by filled row
};

struct RowOutput {
    std::optional<std::string> waste;
    std::optional<std::string> total;
    std::optional<std::string> ideal;
    std::optional<std::string> improve;
    std::optional<bool> improveReached; // green when reached, white when still ahead
    std::optional<double> cost; // what the row adds to the build cost
};

struct Output {
    std::optional<std::string> wf; // the wastage factor, or "Invalid ML"
    std::array<RowOutput, kRows> rows;
    std::optional<std::string> efficiency;
    std::optional<std::string> buildCost;
    std::optional<std::string> costPerUnit;
    std::optional<std::string> buildWaste;
    std::optional<std::string> wastePerUnit;
    std::optional<std::string> buildTime;
    std::optional<std::string> mlTime;
    std::optional<std::string> plTime;
    // The four costs as numbers, before the labels group them.
    std::optional<double> buildCostValue;
    std::optional<double> costPerUnitValue;
    std::optional<double> buildWasteValue;
    std::optional<double> wastePerUnitValue;
    bool failed = false;
};

Output Compute(const Input& in);

// A material of a record that takes a grid row: every entry whose quantity is
// above 0, in list order, row after row without gaps.
struct ShownMaterial {
    std::int32_t typeId;
    std::string_view quantityText; // as written in the record
    std::int32_t quantity;
};

// The materials of a record that fill the grid. More than 25 is a Failure: the
// grid has no row for them.
std::vector<ShownMaterial> ShownMaterials(std::string_view record, const NumberFormat& fmt);

// An amount of money as the sheet writes it: grouped, with two decimals.
std::string MoneyText(double amount, const NumberFormat& fmt);

// Each cost label: MoneyText and the currency.
std::string CostText(double cost, const NumberFormat& fmt);

} // namespace brenta::sheet
