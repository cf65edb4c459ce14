#pragma once

// The job on the sheet as data: the blueprint on display, the level and run boxes
// as typed with the numbers they read as, the player's skills and facility and the
// price boxes. The main window keeps one and changes it as its inputs change; the
// sheet, the comparison, the build plan, auto-pricing and the drill-down all read
// their inputs from it, never from the grid's captions.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"
#include "calc/AutoPrice.h"
#include "calc/Comparison.h"
#include "calc/Sheet.h"
#include "calc/Show.h"
#include "catalogue/Catalogue.h"

namespace brenta::job {

inline constexpr int kRows = sheet::kRows;

// A box read as a whole number the way the sheet reads it; nothing when its text
// is none (empty, not a number, beyond 32 bits).
std::optional<std::int32_t> WholeNumber(std::string_view text, const NumberFormat& fmt);

// A level or run box: the text as typed and the number it reads as. The wastage
// factor reads the ML box's leading number, so the text matters beside the number.
struct Box {
    std::string text;
    std::optional<std::int32_t> number;

    static Box Read(std::string text, const NumberFormat& fmt)
    {
        auto number = WholeNumber(text, fmt);
        return Box{std::move(text), number};
    }
};

struct Skills {
    int metallurgy = 0;
    int research = 0;
    int industry = 0;
    int pe = 0; // Production Efficiency
};

struct Job {
    std::optional<show::Shown> shown; // the blueprint on display; nothing while none is
    Box ml{"0", 0};
    Box pl{"0", 0};
    Box runs{"1", 1};
    // The run count the amounts show: the run box's number when it last read as one.
    double amountRuns = 1;
    Skills skills;
    bool posLab = false;
    double matMult = 1; // the assembly array's multipliers
    double timeMult = 1;
    bool improvements = false; // the next-improvement column is computed
    std::array<std::string, kRows> prices; // the price boxes as typed

    Job() { prices.fill("0"); }
};

// The grid row r of the job: the shown material, or nothing for an empty row.
const show::Row* RowOf(const Job& job, int r);

// The amount of shown row r for the whole job, as the grid writes it: a skill row
// the required level, every other material its base quantity times the runs.
std::string AmountText(const show::Row& row, double runs, const NumberFormat& fmt);

// The 25 amount captions: the shown rows' amounts, "0" for the empty rows.
std::array<std::string, kRows> AmountTexts(const Job& job, const NumberFormat& fmt);

// The sheet's whole input: with nothing on display only the wastage factor of the
// ML box is computed.
sheet::Input SheetInput(const Job& job, const Catalogue& cat, const NumberFormat& fmt);

// The comparison's live values: both ML boxes start at the sheet's ML box.
comparison::Input ComparisonInput(const Job& job, const NumberFormat& fmt);

// Auto-pricing's view of the grid: each row's name, price box and material.
std::vector<pricing::GridRow> GridRows(const Job& job);

} // namespace brenta::job
