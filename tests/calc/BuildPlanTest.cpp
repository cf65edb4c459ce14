#include "calc/BuildPlan.h"

#include <gtest/gtest.h>

#include "calc/Job.h"
#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"
#include "tests/LocaleTest.h"

using namespace brenta;
using namespace brenta::plan;

namespace {

// A frigate of Tritanium and thrusters; a thruster (ten a run) of Tritanium,
// Mexallon and a coil; a coil of Tritanium. Two blueprints that need each other's
// item close a loop.
Catalogue Small()
{
    Catalogue cat;
    cat.DimArrays();
    cat.strBPs.Set(0, "Coil Blueprint{702{10{|34/50{600{600{100{20");
    cat.strBPs.Set(1, "Frigate Blueprint{700{10{|34/1000|502/3|3380/4{600{600{600{120");
    cat.strBPs.Set(2, "Loop A Blueprint{710{10{|34/10|511/1{600{600{60{12");
    cat.strBPs.Set(3, "Loop B Blueprint{711{10{|34/10|510/1{600{600{60{12");
    cat.strBPs.Set(4, "Thruster Blueprint{701{10{|34/100|36/20|503/1|3380/5|3392/2{600{600{300{60");
    cat.strItemNames.Set(34, "[Raw] Tritanium");
    cat.strItemNames.Set(36, "[Raw] Mexallon");
    cat.strItemNames.Set(3380, "[Skill] Industry");
    cat.strItemNames.Set(3392, "[Skill] Mechanics");
    cat.strItemNames.Set(502, "[Comp] Thruster");
    cat.strItemNames.Set(503, "[Comp] Coil");
    cat.strItemNames.Set(510, "[Comp] Loop A");
    cat.strItemNames.Set(511, "[Comp] Loop B");
    cat.dblPrices[34] = 2;
    cat.dblPrices[36] = 10;
    cat.dblPrices[502] = 120;
    cat.dblPrices[503] = 1000;
    cat.dblPrices[510] = 50;
    cat.dblPrices[511] = 40;
    for (int i = 0; i < 5; ++i) {
        const int typeId = std::stoi(std::string(record::Field(cat.strBPs[static_cast<std::size_t>(i)], 1)));
        cat.intBPIndex[static_cast<std::size_t>(typeId)] = static_cast<std::int16_t>(i);
        cat.intBatchSize[static_cast<std::size_t>(typeId)] = 1;
    }
    cat.intBatchSize[701] = 10;
    return cat;
}

const Node& Named(const Plan& plan, const std::string& name)
{
    for (const Node& node : plan.nodes)
        if (node.name == name)
            return node;
    throw std::runtime_error("no node " + name);
}

std::size_t IndexOf(const Plan& plan, const std::string& name)
{
    return static_cast<std::size_t>(&Named(plan, name) - plan.nodes.data());
}

struct Bought {
    std::string name;
    double quantity;
    double cost;
};

void ExpectShopping(const Plan& plan, const std::vector<Bought>& expected)
{
    ASSERT_EQ(plan.shopping.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(plan.shopping[i].name, expected[i].name) << i;
        EXPECT_EQ(plan.shopping[i].quantity, expected[i].quantity) << expected[i].name;
        EXPECT_EQ(plan.shopping[i].cost, expected[i].cost) << expected[i].name;
    }
}

class BuildPlan : public test::LocaleTest {
protected:
    Catalogue cat = Small();
    pricing::Builders builders{cat.strBPs};
    Player Facility(int industry = 0) const { return Player{fmt, 5, industry, 1, 1}; }
};
BRENTA_BOTH_LOCALES(BuildPlan);

TEST_P(BuildPlan, TwoLevelsWorkedByHand)
{
    // Two frigates at ML 0, PE 5: the waste fraction is 0.1 everywhere.
    const Plan plan = Make(Job{1, 2, 0, 0}, 5000, cat, builders, Facility());

    // The sheet's own totals: Tritanium 1000 a run + 100 waste, two runs; three
    // thrusters a run waste 0.3, rounded to nothing.
    EXPECT_EQ(Named(plan, "[Raw] Tritanium").quantity, 2200);
    const Node& thruster = Named(plan, "[Comp] Thruster");
    EXPECT_EQ(thruster.quantity, 6);
    // Ten a run: one run makes the six, four are left over.
    EXPECT_EQ(thruster.batch, 10);
    EXPECT_EQ(thruster.runs, 1);
    EXPECT_EQ(thruster.surplus, 4);
    ASSERT_EQ(thruster.children.size(), 3u); // Tritanium, Mexallon, Coil; skills are no materials
    EXPECT_EQ(plan.nodes[thruster.children[0]].quantity, 110);
    EXPECT_EQ(plan.nodes[thruster.children[1]].quantity, 22);
    EXPECT_EQ(plan.nodes[thruster.children[2]].quantity, 1);

    // Coil built: 55 Tritanium, 110 against 1000 bought. Thruster built: 220 + 220
    // + 110 = 550 against 6 x 120 = 720. Frigate: 4400 + 550.
    EXPECT_TRUE(Named(plan, "[Comp] Coil").build);
    EXPECT_TRUE(thruster.build);
    EXPECT_EQ(thruster.builtCost, 550);
    EXPECT_EQ(plan.totals.cost, 4950);
    EXPECT_EQ(plan.totals.costPerUnit, 2475);
    EXPECT_EQ(plan.totals.revenue, 10000);
    EXPECT_EQ(plan.totals.profit, 5050);
    EXPECT_EQ(plan.totals.profitPerUnit, 2525);
    // 600 s a run twice, one thruster run of 300 s, one coil run of 100 s.
    EXPECT_EQ(plan.totals.seconds, 1600);
    EXPECT_EQ(DurationText(plan.totals.seconds), "0D 0H 26M 40S");
    ExpectShopping(plan, {{"[Raw] Tritanium", 2365, 4730}, {"[Raw] Mexallon", 22, 220}});
}

TEST_P(BuildPlan, IndustryCutsEveryBuiltJob)
{
    const Plan plan = Make(Job{1, 2, 0, 0}, 0, cat, builders, Facility(5));
    EXPECT_EQ(plan.nodes[0].seconds, 960);
    EXPECT_EQ(Named(plan, "[Comp] Thruster").seconds, 240);
    EXPECT_EQ(plan.totals.seconds, 960 + 240 + 80);
}

TEST_P(BuildPlan, CheaperChoiceFromTheLeavesUpAndFlipsMoveTheTotals)
{
    Plan plan = Make(Job{1, 2, 0, 0}, 5000, cat, builders, Facility());
    const std::size_t coil = IndexOf(plan, "[Comp] Coil");
    const std::size_t thruster = IndexOf(plan, "[Comp] Thruster");

    // Buying the coil makes the thruster dearer to build (1440) than to buy (720):
    // the thruster, not pinned, turns to buying.
    Flip(plan, coil);
    EXPECT_FALSE(plan.nodes[coil].build);
    EXPECT_FALSE(plan.nodes[thruster].build);
    EXPECT_EQ(plan.totals.cost, 5120);
    EXPECT_EQ(plan.totals.seconds, 1200);
    ExpectShopping(plan, {{"[Raw] Tritanium", 2200, 4400}, {"[Comp] Thruster", 6, 720}});

    // Building the thruster anyway, with its coil bought.
    Flip(plan, thruster);
    EXPECT_TRUE(plan.nodes[thruster].build);
    EXPECT_EQ(plan.totals.cost, 5840);
    EXPECT_EQ(plan.totals.profit, 10000 - 5840);
    ExpectShopping(plan, {{"[Raw] Tritanium", 2310, 4620}, {"[Comp] Coil", 1, 1000}, {"[Raw] Mexallon", 22, 220}});

    // The product and an item nobody builds cannot be flipped.
    const Plan before = plan;
    Flip(plan, 0);
    Flip(plan, IndexOf(plan, "[Raw] Mexallon"));
    EXPECT_EQ(plan.totals.cost, before.totals.cost);

    // Another run count keeps the player's choices.
    Plan more = Make(Job{1, 4, 0, 0}, 5000, cat, builders, Facility());
    KeepPins(more, plan);
    EXPECT_FALSE(more.nodes[coil].build);
    EXPECT_TRUE(more.nodes[thruster].build);
}

TEST_P(BuildPlan, SkillsAtTheirHighestLevelOverTheBuiltJobs)
{
    Plan plan = Make(Job{1, 2, 0, 0}, 0, cat, builders, Facility());
    ASSERT_EQ(plan.skills.size(), 2u);
    EXPECT_EQ(plan.skills[0].name, "[Skill] Industry");
    EXPECT_EQ(plan.skills[0].level, 5); // 4 for the frigate, 5 for the thruster
    EXPECT_EQ(plan.skills[1].name, "[Skill] Mechanics");
    EXPECT_EQ(plan.skills[1].level, 2);

    // A bought thruster needs none of its builder's skills.
    Flip(plan, IndexOf(plan, "[Comp] Thruster"));
    ASSERT_EQ(plan.skills.size(), 1u);
    EXPECT_EQ(plan.skills[0].level, 4);
}

TEST_P(BuildPlan, ABlueprintAgainOnItsOwnPathIsBoughtThereAndMarked)
{
    // Loop A needs Loop B, which needs Loop A again.
    Plan plan = Make(Job{2, 1, 0, 0}, 0, cat, builders, Facility());
    const Node& b = Named(plan, "[Comp] Loop B");
    ASSERT_TRUE(b.Buildable());
    ASSERT_EQ(b.children.size(), 2u);
    const Node& a = plan.nodes[b.children[1]];
    EXPECT_EQ(a.name, "[Comp] Loop A");
    EXPECT_TRUE(a.cycle);
    EXPECT_FALSE(a.Buildable());
    EXPECT_TRUE(a.children.empty());
    EXPECT_FALSE(a.build);
    EXPECT_EQ(plan.nodes.size(), 5u);

    // Pinning it changes nothing: it can only be bought.
    const std::size_t ai = b.children[1];
    Flip(plan, ai);
    EXPECT_FALSE(plan.nodes[ai].build);
    EXPECT_FALSE(plan.nodes[ai].pinned);
}

TEST_P(BuildPlan, OwnedLevelsOfABuilderCutItsWasteAndTime)
{
    // Thruster owned at ML 9, PL 4: Tritanium 100 x 0.01 = 1 waste; 300 - 60 x 4/5.
    cat.bOwned[4] = true;
    cat.strOwned[4] = owned::Read("701{9{4", fmt);
    const Plan plan = Make(Job{1, 1, 0, 0}, 0, cat, builders, Facility());
    const Node& thruster = Named(plan, "[Comp] Thruster");
    EXPECT_EQ(thruster.ml, 9);
    EXPECT_EQ(thruster.pl, 4);
    EXPECT_EQ(plan.nodes[thruster.children[0]].quantity, 101);
    EXPECT_EQ(thruster.seconds, 252);
}

TEST_P(BuildPlan, ShoppingTextAndCsv)
{
    cat.strItemNames.Set(36, "[Raw] Mexallon, \"fine\"");
    const Plan plan = Make(Job{1, 2, 0, 0}, 4000.5, cat, builders, Facility());

    // Names as they are, numbers in the locale's separator without groups.
    EXPECT_EQ(ShoppingText(plan, fmt),
        test::Localised("Tritanium\t2365\t2.00\t4730.00\n", fmt) + "Mexallon, \"fine\"\t22\t"
            + test::Localised("10.00\t220.00\n", fmt));

    // Whatever the locale: "." in the numbers, quoted names, what the job does
    // (the coil of the built thruster included).
    // A built row's unit price is its built cost per unit, the stored price beside it.
    const std::string csv
        = "Depth,Item,Quantity,Choice,Runs,Batch,Surplus,ML,PL,Unit Price,Cost,Build Time,Market Price\r\n"
          "0,Frigate,2,Build,2,1,0,0,0,4000.50,4950.00,0D 0H 20M 0S,\r\n"
          "1,[Raw] Tritanium,2200,Buy,,,,,,2.00,4400.00,,2.00\r\n"
          "1,[Comp] Thruster,6,Build,1,10,4,0,0,91.67,550.00,0D 0H 5M 0S,120.00\r\n"
          "2,[Raw] Tritanium,110,Buy,,,,,,2.00,220.00,,2.00\r\n"
          "2,\"[Raw] Mexallon, \"\"fine\"\"\",22,Buy,,,,,,10.00,220.00,,10.00\r\n"
          "2,[Comp] Coil,1,Build,1,1,0,0,0,110.00,110.00,0D 0H 1M 40S,1000.00\r\n"
          "3,[Raw] Tritanium,55,Buy,,,,,,2.00,110.00,,2.00\r\n"
          ",Total cost,,,,,,,,,4950.00,,\r\n"
          ",Cost per unit,,,,,,,,,2475.00,,\r\n"
          ",Revenue,,,,,,,,,8001.00,,\r\n"
          ",Profit,,,,,,,,,3051.00,,\r\n"
          ",Profit per unit,,,,,,,,,1525.50,,\r\n"
          ",Total build time,,,,,,,,,,0D 0H 26M 40S,\r\n"
          ",[Skill] Industry,5,,,,,,,,,,\r\n"
          ",[Skill] Mechanics,2,,,,,,,,,,\r\n";
    EXPECT_EQ(PlanCsv(plan), csv);

    // A bought node's materials are no part of the job.
    Plan bought = plan;
    Flip(bought, IndexOf(bought, "[Comp] Thruster"));
    EXPECT_EQ(PlanCsv(bought).find("Coil"), std::string::npos);
}

TEST_P(BuildPlan, FiguresBeyondTheFloatRangeAreNotComputedAndNamed)
{
    // Each case: what makes a figure too large, which totals are then computed,
    // and the start of the reason.
    struct Case {
        const char* what;
        Figure salePrice;
        double coilPrice;
        bool buyCoil;
        bool costComputed;
        bool revenueComputed;
        const char* trouble;
    };
    const Case cases[] = {
        {"sale price 1e308", 1e308, 1000, false, true, false,
            "Revenue not computed: the sale price times 20 units"},
        {"sale price -1e308", -1e308, 1000, false, true, false, "Revenue not computed"},
        {"sale price 1e308 alone", 1e308 / 40, 1000, false, true, true, ""},
        {"no sale price", std::nullopt, 1000, false, true, false, "Revenue not computed: no sale price."},
        {"coil kept built", 5000, 1e308, false, true, true, ""},
        {"coil flipped to buying", 5000, 1e308, true, false, true,
            "Total cost not computed: buying 6 x [Comp] Coil at 1E+308 ISK each is beyond"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cat.dblPrices[503] = c.coilPrice;
        Plan plan;
        ASSERT_NO_THROW(plan = Make(Job{1, 20, 0, 0}, c.salePrice, cat, builders, Facility()));
        if (c.buyCoil) {
            // The thruster pinned to building, so that the bought coil is part of the job.
            ASSERT_NO_THROW(Flip(plan, IndexOf(plan, "[Comp] Coil")));
            ASSERT_NO_THROW(Flip(plan, IndexOf(plan, "[Comp] Thruster")));
        }
        EXPECT_EQ(plan.totals.cost.has_value(), c.costComputed);
        EXPECT_EQ(plan.totals.revenue.has_value(), c.revenueComputed);
        EXPECT_EQ(plan.totals.profit.has_value(), c.costComputed && c.revenueComputed);
        const std::string trouble = Trouble(plan, fmt);
        EXPECT_EQ(trouble.rfind(c.trouble, 0), 0u) << trouble;
        EXPECT_EQ(trouble.empty(), std::string(c.trouble).empty()) << trouble;
        // Every text of the plan is still written, with what is not computed said so.
        std::string csv;
        ASSERT_NO_THROW(csv = PlanCsv(plan));
        ASSERT_NO_THROW(ShoppingText(plan, fmt));
        EXPECT_EQ(csv.find(kNotComputed) != std::string::npos, !trouble.empty()) << csv;
    }

    // Building is the cheaper choice when buying is not computed, and the flip
    // back restores every figure.
    cat.dblPrices[503] = 1e308;
    Plan plan = Make(Job{1, 20, 0, 0}, 5000, cat, builders, Facility());
    const Figure before = plan.totals.cost;
    const std::size_t coil = IndexOf(plan, "[Comp] Coil");
    EXPECT_TRUE(plan.nodes[coil].build);
    Flip(plan, coil);
    Flip(plan, IndexOf(plan, "[Comp] Thruster"));
    EXPECT_FALSE(plan.nodes[coil].cost);
    EXPECT_EQ(ShoppingText(plan, fmt).find("Coil\t6\t"), 0u) << "the uncomputed cost sorts first";
    Flip(plan, coil);
    EXPECT_EQ(plan.totals.cost, before);
}

TEST_P(BuildPlan, AnOwnedLevelThePlanCannotUseNamesItsRecord)
{
    struct Case {
        const char* record;
        const char* level;
        const char* text;
    };
    const Case cases[] = {
        {"701{99999999999{0", "ML", "99999999999"},
        {"701{x{y", "ML", "x"},
        {"701{0{y", "PL", "y"},
        {"701{0{99999999999", "PL", "99999999999"},
        {"701{2147483647{0", "ML", "2147483647"}, // one more level than 32 bits count
        {"701{-2147483648{0", "ML", "-2147483648"},
        {"701{0{2147483647", "PL", "2147483647"},
        {"701", "ML", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        cat.bOwned[4] = true;
        cat.strOwned[4] = owned::Read(c.record, fmt);
        try {
            Make(Job{1, 1, 0, 0}, 0, cat, builders, Facility());
            ADD_FAILURE() << "planned";
        } catch (const OwnedLevelFailure& e) {
            EXPECT_EQ(e.blueprint, 4);
            EXPECT_EQ(e.level, c.level);
            EXPECT_EQ(e.text, c.text);
        }
    }
    // The sheet's own levels are no owned record, even for an owned blueprint.
    cat.strOwned[1] = owned::Read("700{x{y", fmt);
    cat.bOwned[1] = true;
    cat.strOwned[4] = owned::Read("701{0{0", fmt);
    EXPECT_NO_THROW(Make(Job{1, 1, 0, 0}, 0, cat, builders, Facility()));
    try {
        Make(Job{1, 1, 2147483647, 0}, 0, cat, builders, Facility());
        ADD_FAILURE() << "planned";
    } catch (const OwnedLevelFailure&) {
        ADD_FAILURE() << "the sheet's ML blamed on a record";
    } catch (const Failure&) {
    }
}

TEST_P(BuildPlan, ShortCostsCannotBeReadAsAnotherNumber)
{
    const std::pair<double, const char*> cases[] = {
        {15968500000000, "1.597E+13 ISK"},
        {99995, "1E+05 ISK"},
        {99995000, "1E+08 ISK"},
        {-15968500000000, "-1.597E+13 ISK"},
        {1.7976931348623157e308, "1.798E+308 ISK"},
        {1234.5, "1,234.50 ISK"},
    };
    for (const auto& [cost, text] : cases)
        EXPECT_EQ(ShortCostText(cost, fmt), test::Localised(text, fmt)) << cost;
}

TEST(BuildPlanText, DurationsCarryAsTheSheetDoes)
{
    EXPECT_EQ(DurationText(0), "0D 0H 0M 0S");
    EXPECT_EQ(DurationText(90061), "1D 1H 1M 1S");
    EXPECT_EQ(DurationText(100LL * 86400 * 365), "36500D 0H 0M 0S");
    EXPECT_EQ(DurationText(-86), "-1D -1H -2M -26S");
}

TEST(BuildPlanCatalogue, EveryBlueprintPlansAndBoughtWholeCostsWhatTheSheetSays)
{
    Catalogue cat = Catalogue::Compiled();
    const pricing::Builders builders(cat.strBPs);
    const NumberFormat fmt;
    const Player player{fmt, 0, 0, 1, 1};
    std::size_t deepest = 0;
    for (std::int16_t i = 0; i < kBlueprintCount; ++i) {
        Plan plan;
        ASSERT_NO_THROW(plan = Make(Job{i, 1, 0, 0}, 0, cat, builders, player)) << cat.strBPs[i];
        for (Node& node : plan.nodes)
            node.pinned = false;
        Recompute(plan);

        const std::string_view rec = cat.strBPs[static_cast<std::size_t>(i)];
        // The sheet of the same job, shown one run at ML 0 with the stored prices.
        job::Job sheetJob;
        sheetJob.shown = show::ShowBlueprint(i, cat, {}, fmt);
        const auto rows = pricing::ShownRows(*sheetJob.shown);
        for (std::size_t r = 0; r < rows.size(); ++r)
            sheetJob.prices[r] = rows[r].box;
        const sheet::Input in = job::SheetInput(sheetJob, cat, fmt);
        const sheet::Output out = sheet::Compute(in);
        ASSERT_FALSE(out.failed) << rec;
        ASSERT_TRUE(plan.totals.cost) << rec;
        EXPECT_EQ(sheet::CostText(*plan.totals.cost, fmt), *out.buildCost) << rec;
        deepest = std::max(deepest, plan.nodes.size());
    }
    EXPECT_GT(deepest, 20u);
}

} // namespace
