#include "calc/Job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

// A blueprint making 4 units a run from a mineral, a skill at level 2, a material
// that takes no row (quantity 0) and a component written with leading zeros.
Catalogue Small()
{
    Catalogue cat;
    cat.DimArrays();
    cat.strBPs.Set(0, "Gadget Blueprint{700{5{|34/10|3380/2|36/0|500/003{600{700{800{120");
    cat.strItemNames.Set(34, "[Raw] Tritanium");
    cat.strItemNames.Set(36, "[Raw] Mexallon");
    cat.strItemNames.Set(500, "[Comp] Widget");
    cat.strItemNames.Set(3380, "[Skill] Industry");
    cat.dblPrices[34] = 2.5;
    cat.dblPrices[3380] = 20000;
    cat.intBPIndex[700] = 0;
    cat.intBatchSize[700] = 4;
    return cat;
}

class Job : public test::LocaleTest {
protected:
    job::Job Shown(const Catalogue& cat, const std::string& runs)
    {
        job::Job j;
        j.shown = show::ShowBlueprint(0, cat, {}, fmt);
        j.runs = job::Box::Read(runs, fmt);
        j.amountRuns = numbers::ToNumber(runs, fmt);
        for (std::size_t r = 0; r < j.shown->rows.size(); ++r)
            j.prices[r] = j.shown->rows[r].priceText;
        return j;
    }
};
BRENTA_BOTH_LOCALES(Job);

TEST_P(Job, TheAmountsFollowTheRunsAndTheLevelsAreReadOnce)
{
    const Catalogue cat = Small();
    job::Job j = Shown(cat, "1000000");
    j.ml = job::Box::Read("1" + std::string(1, fmt.digSep) + "000", fmt);
    j.pl = job::Box::Read("x", fmt);
    const sheet::Input in = job::SheetInput(j, cat, fmt);

    EXPECT_TRUE(in.blueprintSelected);
    // The ML box reads as 1000, its text stays for the wastage factor's leading number.
    EXPECT_EQ(in.ml, 1000);
    EXPECT_EQ(in.mlText, j.ml.text);
    EXPECT_EQ(in.pl, std::nullopt);
    EXPECT_EQ(in.runs, 1000000);
    EXPECT_EQ(in.batch, 4);
    EXPECT_EQ(in.selectedRecord, cat.strBPs[0]);
    // The skill row asks for its level whatever the runs; the others scale.
    const auto amounts = job::AmountTexts(j, fmt);
    EXPECT_EQ(std::vector<std::string>(amounts.begin(), amounts.begin() + 4),
        (std::vector<std::string>{"10000000", "2", "3000000", "0"}));
    EXPECT_EQ(in.rows[1].caption, "[Skill] Industry");
    EXPECT_EQ(in.rows[0].price, numbers::ToText(2.5, fmt));
    EXPECT_EQ(in.rows[3].caption, "");
    EXPECT_EQ(in.baseQty, (std::vector<std::int32_t>{10, 2, 3}));
}

TEST_P(Job, AnEmptyRunBoxLeavesTheAmountsAtTheLastCountItHeld)
{
    const Catalogue cat = Small();
    job::Job j = Shown(cat, "3");
    j.runs = job::Box::Read("", fmt);
    const sheet::Input in = job::SheetInput(j, cat, fmt);
    EXPECT_EQ(in.runs, std::nullopt);
    EXPECT_EQ(job::AmountTexts(j, fmt)[0], "30");
    // The sheet stops where the run count is first needed.
    EXPECT_EQ(sheet::Compute(in).wf, "Invalid ML");
}

TEST_P(Job, NothingOnDisplayComputesOnlyTheWastageFactor)
{
    job::Job j;
    j.ml = job::Box::Read("12abc", fmt);
    const sheet::Input in = job::SheetInput(j, Small(), fmt);
    EXPECT_FALSE(in.blueprintSelected);
    EXPECT_EQ(in.rows[0].caption, "");
    EXPECT_EQ(sheet::Compute(in).wf, "Invalid ML");
}

TEST_P(Job, TheComparisonAndAutoPricingSeeTheSameRowsAsTheSheet)
{
    const Catalogue cat = Small();
    job::Job j = Shown(cat, "2");
    j.prices[0] = "7";
    const sheet::Input sheetIn = job::SheetInput(j, cat, fmt);
    const comparison::Input compared = job::ComparisonInput(j, fmt);
    const auto grid = job::GridRows(j);
    for (std::size_t r = 0; r < sheetIn.rows.size(); ++r) {
        EXPECT_EQ(compared.rows[r].caption, sheetIn.rows[r].caption) << r;
        EXPECT_EQ(compared.rows[r].amount, job::AmountTexts(j, fmt)[r]) << r;
        EXPECT_EQ(compared.rows[r].price, sheetIn.rows[r].price) << r;
        EXPECT_EQ(grid[r].caption, sheetIn.rows[r].caption) << r;
        EXPECT_EQ(grid[r].box, sheetIn.rows[r].price) << r;
    }
    EXPECT_EQ(grid[2].typeId, 500);
    EXPECT_EQ(compared.runsText, "2");
    EXPECT_EQ(compared.baseQty, sheetIn.baseQty);
    EXPECT_DOUBLE_EQ(compared.baseWastageFactor, 0.05);
}

} // namespace
