#include "calc/SheetCopy.h"

#include <gtest/gtest.h>

#include <string>

using namespace brenta;

// What the computation did not reach is an empty cell, never a figure from before;
// a price box that is no number goes as typed; no text cuts a line or a column.
TEST(SheetCopy, WritesEmptyCellsForWhatWasNotComputed)
{
    sheet::Input in;
    in.fmt = NumberFormat::FromDecimalSeparator(',');
    in.blueprintSelected = true;
    in.ml = std::nullopt; // the ML box reads as no number: the sheet stops at once
    in.rows[0] = {"[Raw] Tri\ttanium", "2,50"};
    in.rows[1] = {"[Raw] Pyerite", "8,"};
    in.rows[2] = {"[Raw] Mexallon", "abc"};
    const std::array<std::string, sheet::kRows> amounts{"676", "203", "280"};
    in.baseQty = {600, 180, 250};
    const sheet::Output out = sheet::Compute(in);
    ASSERT_TRUE(out.failed);
    EXPECT_EQ(sheet::CopyText(in, out, amounts),
        "Material\tAmount\tWaste\tTotal\tIdeal ML\tImprove At\tUnit Price\tCost\n"
        "[Raw] Tri tanium\t676\t\t\t\t\t2,5\t\n"
        "[Raw] Pyerite\t203\t\t\t\t\t8\t\n"
        "[Raw] Mexallon\t280\t\t\t\t\tabc\t\n"
        "\n"
        "Build Cost (Total)\t\n"
        "Build Cost (Waste)\t\n"
        "Cost Per Unit (Total)\t\n"
        "Cost Per Unit (Waste)\t\n"
        "Efficiency\t\n"
        "Build Time\t\n"
        "ML Research Time\t\n"
        "PL Research Time\t\n");
}
