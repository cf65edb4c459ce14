#include "calc/Comparison.h"

#include <gtest/gtest.h>

#include <vector>

#include "calc/Job.h"
#include "calc/Sheet.h"
#include "tests/LocaleTest.h"
#include "tests/calc/PlatesRows.h"

using namespace brenta;

namespace {

using test::kPlatesRows;
using test::Material;

using Texts = std::vector<std::string>;

// The comparison as the window hands it over right after opening: both boxes hold
// the sheet's ML, the rows are the sheet's, both waste columns still show "0".
comparison::Input ComparisonFor(
    const std::vector<Material>& materials, const NumberFormat& fmt, const char* ml = "0", std::int32_t runs = 1)
{
    comparison::Input in;
    in.fmt = fmt;
    in.fromText = ml;
    in.toText = ml;
    in.pe = 5;
    in.runsText = std::to_string(runs);
    in.times = "12000{12000{600";
    for (std::size_t r = 0; r < materials.size(); ++r) {
        in.rows[r] = {
            materials[r].name, std::to_string(materials[r].base * runs), test::Localised(materials[r].price, fmt)};
        in.baseQty.push_back(materials[r].base);
    }
    in.waste.fill("0");
    return in;
}

// Both computations in the order the window runs them when it opens.
struct Both {
    comparison::Output start;
    comparison::Output end;
};

Both Open(comparison::Input& in)
{
    Both both;
    both.start = comparison::Compute(in, comparison::Side::Start);
    for (int r = 0; r < comparison::kRows; ++r)
        if (both.start.waste[static_cast<std::size_t>(r)])
            in.waste[static_cast<std::size_t>(r)] = *both.start.waste[static_cast<std::size_t>(r)];
    both.end = comparison::Compute(in, comparison::Side::End);
    for (int r = 0; r < comparison::kRows; ++r)
        if (both.end.waste[static_cast<std::size_t>(r)])
            in.waste[static_cast<std::size_t>(r) + comparison::kRows]
                = *both.end.waste[static_cast<std::size_t>(r)];
    return both;
}

Texts Cells(const std::array<std::optional<std::string>, comparison::kRows>& cells, int n)
{
    Texts texts;
    for (int r = 0; r < n; ++r)
        texts.push_back(cells[static_cast<std::size_t>(r)].value_or("-"));
    return texts;
}

class ComparisonLocales : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(ComparisonLocales);

TEST_P(ComparisonLocales, AtTheSheetsMLBothColumnsAreTheSheetsWasteAndNothingIsSaved)
{
    const struct {
        const char* name;
        const char* ml;
        int pe;
        double matMult;
        std::int32_t runs;
    } cases[] = {
        {"ML 0, PE 5", "0", 5, 1, 1},
        {"three runs", "0", 5, 1, 3}, // 204 Tritanium, not the 203 of rounding the whole job
        {"PE 0, ML 10", "10", 0, 1, 2},
        {"rapid array, ML -4", "-4", 5, 1.2, 7},
    };
    for (const auto& c : cases) {
        comparison::Input in = ComparisonFor(kPlatesRows, fmt, c.ml, c.runs);
        in.pe = c.pe;
        in.matMult = c.matMult;
        sheet::Input sheetIn;
        sheetIn.fmt = fmt;
        sheetIn.mlText = c.ml;
        sheetIn.ml = job::WholeNumber(c.ml, fmt);
        sheetIn.pe = c.pe;
        sheetIn.matMult = c.matMult;
        sheetIn.runs = job::WholeNumber(in.runsText, fmt);
        sheetIn.blueprintSelected = true;
        sheetIn.times = "12000{12000{600";
        sheetIn.selectedRecord = "X{1{10{|34/1{12000{12000{600{120";
        sheetIn.baseQty = in.baseQty;
        for (std::size_t r = 0; r < comparison::kRows; ++r)
            sheetIn.rows[r] = {in.rows[r].caption, in.rows[r].price};
        const sheet::Output sheetOut = sheet::Compute(sheetIn);
        ASSERT_FALSE(sheetOut.failed) << c.name;

        const Both both = Open(in);
        ASSERT_FALSE(both.start.failed || both.end.failed) << c.name;
        for (int r = 0; r < 6; ++r) {
            const auto i = static_cast<std::size_t>(r);
            EXPECT_EQ(*both.start.waste[i], *sheetOut.rows[i].waste) << c.name << " row " << r;
            EXPECT_EQ(*both.end.waste[i], *sheetOut.rows[i].waste) << c.name << " row " << r;
            EXPECT_EQ(*both.end.savings[i], "0") << c.name << " row " << r;
        }
        EXPECT_EQ(*both.end.buildCostStart, *sheetOut.buildCost) << c.name;
        EXPECT_EQ(*both.end.buildCostEnd, *sheetOut.buildCost) << c.name;
        EXPECT_EQ(*both.end.iskSavings, test::Localised("0.00 ISK", fmt)) << c.name;
        EXPECT_EQ(*both.end.researchTime, "0D 0H 0M 0S") << c.name;
        EXPECT_EQ(*both.start.wastageFactor, *both.end.wastageFactor) << c.name;
    }
    comparison::Input threeRuns = ComparisonFor(kPlatesRows, fmt, "0", 3);
    EXPECT_EQ(Cells(Open(threeRuns).start.waste, 6), (Texts{"204", "60", "84", "12", "0", "0"}));
}

TEST_P(ComparisonLocales, ResearchingUpSavesWasteAndDownCostsIt)
{
    comparison::Input in = ComparisonFor(kPlatesRows, fmt, "0");
    Open(in);
    in.toText = "5";
    const comparison::Output up = comparison::Compute(in, comparison::Side::End);
    ASSERT_FALSE(up.failed);
    EXPECT_EQ(*up.wastageFactor, test::Localised("0.0166666666667", fmt));
    EXPECT_EQ(Cells(up.waste, 6), (Texts{"11", "3", "5", "1", "0", "0"}));
    EXPECT_EQ(Cells(up.savings, 6), (Texts{"57", "17", "23", "3", "0", "0"}));
    EXPECT_EQ(*up.buildCostStart, test::Localised("21,704.00 ISK", fmt));
    EXPECT_EQ(*up.buildCostEnd, test::Localised("20,334.00 ISK", fmt));
    EXPECT_EQ(*up.iskSavings, test::Localised("1,370.00 ISK", fmt));
    EXPECT_EQ(*up.researchTime, "0D 16H 40M 0S"); // five levels of 12,000 s

    // From 5 down to 0: the same figures the other way round, and a negative time.
    comparison::Input down = ComparisonFor(kPlatesRows, fmt, "5");
    Open(down);
    down.toText = "0";
    const comparison::Output back = comparison::Compute(down, comparison::Side::End);
    EXPECT_EQ(Cells(back.savings, 6), (Texts{"-57", "-17", "-23", "-3", "0", "0"}));
    EXPECT_EQ(*back.iskSavings, test::Localised("-1,370.00 ISK", fmt));
    EXPECT_EQ(*back.researchTime, "-1D -17H -40M 0S");

    // Metallurgy and a lab shorten the research; a negative start ML is a level like any other.
    in.metallurgy = 5;
    in.posLab = true;
    in.fromText = "-2";
    const comparison::Output fromMinusTwo = comparison::Compute(in, comparison::Side::Start);
    EXPECT_EQ(*fromMinusTwo.wastageFactor, test::Localised("0.3000000000000", fmt));
    EXPECT_EQ(*fromMinusTwo.waste[0], "203"); // 0.3 x 676 = 202.8
    EXPECT_EQ(*fromMinusTwo.researchTime, "0D 13H 7M 30S"); // 7 levels of 12,000 s x 0.75 x 0.75
}

TEST_P(ComparisonLocales, SkillRowsStayOutAndNoWasteRowsCountOnlyTheirAmount)
{
    comparison::Input in = ComparisonFor(
        {{"[Raw] Tritanium", 676, "2"}, {"[Skill] Industry", 5, "20000"}, {"[T1] 100MN Afterburner I", 1, "1000"},
            {"[RAM] R.A.M.- Armor/Hull Tech", 1, "50"}, {"[Ship] Condor", 2, "10"}},
        fmt);
    in.toText = "10";
    const Both both = Open(in);
    EXPECT_EQ(Cells(both.start.waste, 5), (Texts{"68", "-", "-", "-", "-"}));
    EXPECT_EQ(Cells(both.end.waste, 5), (Texts{"6", "-", "-", "-", "-"}));
    EXPECT_EQ(Cells(both.end.savings, 5), (Texts{"62", "-", "0", "0", "0"}));
    EXPECT_EQ(*both.end.buildCostStart, test::Localised("2,558.00 ISK", fmt)); // 744*2 + 1000 + 50 + 20
    EXPECT_EQ(*both.end.buildCostEnd, test::Localised("2,434.00 ISK", fmt));
}

TEST_P(ComparisonLocales, FailuresShowInvalidMLAndKeepWhatWasWritten)
{
    for (const char* ml : {"", "abc", "2147483648"}) {
        comparison::Input in = ComparisonFor(kPlatesRows, fmt);
        in.toText = ml;
        const comparison::Output out = comparison::Compute(in, comparison::Side::End);
        EXPECT_TRUE(out.failed) << ml;
        EXPECT_EQ(*out.wastageFactor, "Invalid ML") << ml;
        EXPECT_EQ(Cells(out.waste, 1), Texts{"-"}) << ml;
    }
    {
        // A price that is no number: the waste column and the savings above it are written.
        comparison::Input in = ComparisonFor(kPlatesRows, fmt);
        in.rows[2].price = "x";
        const comparison::Output out = comparison::Compute(in, comparison::Side::Start);
        EXPECT_EQ(*out.wastageFactor, "Invalid ML");
        EXPECT_EQ(Cells(out.waste, 6), (Texts{"68", "20", "28", "4", "0", "0"}));
        EXPECT_EQ(Cells(out.savings, 6), (Texts{"68", "20", "-", "-", "-", "-"}));
        EXPECT_FALSE(out.buildCostStart.has_value());
        EXPECT_FALSE(out.researchTime.has_value());
    }
    {
        // The research time needs both boxes: a bad end box fails the start side at its last step.
        comparison::Input in = ComparisonFor(kPlatesRows, fmt);
        in.toText = "x";
        const comparison::Output out = comparison::Compute(in, comparison::Side::Start);
        EXPECT_EQ(*out.wastageFactor, "Invalid ML");
        EXPECT_TRUE(out.iskSavings.has_value());
        EXPECT_FALSE(out.researchTime.has_value());
    }
}

} // namespace
