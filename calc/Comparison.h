#pragma once

// The ML-to-ML comparison: the waste of every material at a start and an end
// material level, the waste saved, the build cost at both levels, the money saved
// and the research time between the two. Rows waste by the sheet's own rules, so at
// the sheet's ML the comparison shows the sheet's waste column and build cost.
// The window reads its controls into an Input, calls Compute for the side whose box
// changed and writes back every value the Output holds; a failure stops where it
// happens, what was computed before it is in the Output.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Numbers.h"
#include "calc/Sheet.h"

namespace brenta::comparison {

inline constexpr int kRows = sheet::kRows;
// Both waste columns side by side: the start column 0..24, the end column 25..49.
inline constexpr std::size_t kWasteCells = 2 * std::size_t{kRows};

enum class Side { Start = 0, End = 1 };

struct Row {
    std::string caption; // material name, "" for a row without material
    std::string amount; // amount for the whole job
    std::string price; // unit price
};

struct Input {
    NumberFormat fmt;
    std::string fromText = "0"; // start ML box
    std::string toText = "0"; // end ML box
    int pe = 0; // Production Efficiency level
    double matMult = 1; // assembly array material multiplier
    double baseWastageFactor = 0.1;
    std::string runsText = "1";
    std::vector<std::int32_t> baseQty; // base quantity of one run, by filled row
    std::string times; // ML, PL and production seconds joined by "{"
    int metallurgy = 0;
    bool posLab = false;
    std::array<Row, kRows> rows;
    // Both waste columns as shown: the start column is 0..24, the end column 25..49.
    std::array<std::string, kWasteCells> waste;
};

struct Output {
    std::optional<std::string> wastageFactor; // of the side computed, or "Invalid ML"
    std::array<std::optional<std::string>, kRows> waste; // the side's waste column
    std::array<std::optional<std::string>, kRows> savings;
    std::optional<std::string> buildCostStart;
    std::optional<std::string> buildCostEnd;
    std::optional<std::string> iskSavings;
    std::optional<std::string> researchTime;
    bool failed = false;
};

// The computation of one side: its wastage factor, its waste column, then the
// savings (UpdateSavings) and the research time from the start to the end ML.
Output Compute(const Input& in, Side side);

// The savings column and the three money figures from the two waste columns in
// `waste` (start 0..24, end 25..49). Writes into out as it goes; a Failure leaves
// out holding what was computed before it.
void UpdateSavings(const Input& in, const std::array<std::string, kWasteCells>& waste, Output& out);

} // namespace brenta::comparison
