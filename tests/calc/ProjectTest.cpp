#include "calc/Project.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/BlueprintRecord.h"
#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

// Two gadgets that share a widget made ten a run from plates; plates and widgets
// waste nothing, so every figure can be worked by hand. Two loop blueprints need
// each other's item.
Catalogue Small()
{
    Catalogue cat;
    cat.DimArrays();
    cat.strBPs.Set(0, "Widget Blueprint{801{10{|34/10{600{600{100{20");
    cat.strBPs.Set(1, "Gadget A Blueprint{810{10{|501/3|34/5|3380/4{600{600{600{120");
    cat.strBPs.Set(2, "Gadget B Blueprint{811{10{|501/4|3380/2{600{600{300{60");
    cat.strBPs.Set(3, "Loop A Blueprint{820{10{|34/10|521/1{600{600{60{12");
    cat.strBPs.Set(4, "Loop B Blueprint{821{10{|34/10|520/1{600{600{60{12");
    cat.strItemNames.Set(34, "[T1] Plate");
    cat.strItemNames.Set(501, "[T1] Widget");
    cat.strItemNames.Set(520, "[T1] Loop A");
    cat.strItemNames.Set(521, "[T1] Loop B");
    cat.strItemNames.Set(900, "[Ship] Gadget A");
    cat.strItemNames.Set(901, "[Ship] Gadget B");
    cat.strItemNames.Set(3380, "[Skill] Industry");
    cat.dblPrices[34] = 2;
    cat.dblPrices[501] = 100;
    cat.dblPrices[520] = 50;
    cat.dblPrices[521] = 100;
    for (std::size_t i = 0; i < 5; ++i) {
        const auto typeId = static_cast<std::size_t>(std::stoi(std::string(record::Field(cat.strBPs[i], 1))));
        cat.intBPIndex[typeId] = static_cast<std::int16_t>(i);
        cat.intBatchSize[typeId] = 1;
    }
    cat.intBatchSize[801] = 10;
    return cat;
}

class Project : public test::LocaleTest {
protected:
    project::Result Plan(const project::Input& input)
    {
        return project::Plan(input, cat, builders, plan::Player{fmt, 5, 0, 1, 1});
    }
    const project::Item& Item(const project::Result& r, const std::string& name)
    {
        for (const project::Item& item : r.items)
            if (item.name == name && !item.cycle)
                return item;
        throw std::runtime_error("no item " + name);
    }

    Catalogue cat = Small();
    pricing::Builders builders{cat.strBPs};
    const project::Input twoGadgets{{{1, 1, 0, 0, 1000.0}, {2, 1, 0, 0, 500.0}}, {}, {}};
};
BRENTA_BOTH_LOCALES(Project);

TEST_P(Project, TwoJobsSharingAComponentShareItsBatch)
{
    // Alone, gadget A builds one widget run (10 widgets, 7 spare) from 10 plates and
    // takes 5 plates more: 30 ISK; gadget B builds one run too: 20 ISK. Together
    // they need 3 + 4 = 7 widgets, one run: 15 plates, 30 ISK, 20 ISK saved.
    const project::Result r = Plan(twoGadgets);
    const project::Item& widget = Item(r, "[T1] Widget");
    EXPECT_TRUE(widget.build);
    EXPECT_EQ(widget.need, 7);
    EXPECT_EQ(widget.runs, 1);
    EXPECT_EQ(widget.surplus, 3);
    EXPECT_EQ(widget.jobs, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(Item(r, "[T1] Plate").need, 15);
    ASSERT_EQ(r.shopping.size(), 1u);
    EXPECT_EQ(r.shopping[0].name, "[T1] Plate");
    EXPECT_EQ(r.shopping[0].quantity, 15);
    EXPECT_EQ(r.shopping[0].jobs, (std::vector<std::size_t>{0, 1}));

    ASSERT_EQ(r.jobs.size(), 2u);
    EXPECT_EQ(r.jobs[0].aloneCost, 30.0);
    EXPECT_EQ(r.jobs[1].aloneCost, 20.0);
    EXPECT_EQ(r.jobs[0].profit, 970.0);
    EXPECT_EQ(r.totals.cost, 30.0);
    EXPECT_EQ(r.totals.aloneCost, 50.0);
    EXPECT_EQ(r.totals.saved, 20.0);
    EXPECT_EQ(r.totals.revenue, 1500.0);
    EXPECT_EQ(r.totals.profit, 1470.0);
    EXPECT_EQ(r.totals.margin, 98.0);
    // Gadget A's 600 s, gadget B's 300 s and one widget run's 100 s; Industry at its highest level.
    EXPECT_EQ(r.totals.seconds, 1000);
    ASSERT_EQ(r.skills.size(), 1u);
    EXPECT_EQ(r.skills[0].level, 4);
}

TEST_P(Project, StockIsUsedBeforeAnythingIsBoughtOrBuilt)
{
    const struct {
        const char* name;
        std::int32_t item;
        double stock;
        double used, left, plateNet, cost;
        std::int32_t widgetRuns;
    } cases[] = {
        {"fewer plates than needed", 34, 5, 5, 0, 10, 20, 1},
        {"as many plates as needed", 34, 15, 15, 0, 0, 0, 1},
        {"more plates than needed", 34, 20, 15, 5, 0, 0, 1},
        {"fewer widgets than needed", 501, 3, 3, 0, 15, 30, 1},
        {"as many widgets as needed", 501, 7, 7, 0, 5, 10, 0},
        {"more widgets than needed", 501, 10, 7, 3, 5, 10, 0},
    };
    for (const auto& c : cases) {
        project::Input in = twoGadgets;
        in.stock[c.item] = c.stock;
        const project::Result r = Plan(in);
        const project::Item& stocked = Item(r, c.item == 34 ? "[T1] Plate" : "[T1] Widget");
        EXPECT_EQ(stocked.stockUsed, c.used) << c.name;
        EXPECT_EQ(stocked.stockLeft, c.left) << c.name;
        EXPECT_EQ(Item(r, "[T1] Plate").net, c.plateNet) << c.name;
        EXPECT_EQ(Item(r, "[T1] Widget").runs, c.widgetRuns) << c.name;
        EXPECT_EQ(r.totals.cost, c.cost) << c.name;
        // A list of only what is missing: an item the stock covers is not on it.
        EXPECT_EQ(r.shopping.size(), c.plateNet > 0 ? 1u : 0u) << c.name;
        ASSERT_TRUE(r.totals.aloneCost && r.totals.cost) << c.name;
        EXPECT_EQ(r.totals.saved, *r.totals.aloneCost - *r.totals.cost) << c.name;
    }
}

TEST_P(Project, AChoiceForAnItemAppliesInEveryJob)
{
    project::Input in = twoGadgets;
    in.flips[501] = false; // buy the widgets
    const project::Result r = Plan(in);
    EXPECT_FALSE(Item(r, "[T1] Widget").build);
    ASSERT_EQ(r.shopping.size(), 2u);
    EXPECT_EQ(r.shopping[0].name, "[T1] Widget");
    EXPECT_EQ(r.shopping[0].quantity, 7);
    EXPECT_EQ(r.shopping[0].cost, 700.0);
    EXPECT_EQ(r.shopping[1].quantity, 5);
    // Each job planned alone buys its widgets too: sharing saves nothing here.
    EXPECT_EQ(r.jobs[0].aloneCost, 310.0);
    EXPECT_EQ(r.jobs[1].aloneCost, 400.0);
    EXPECT_EQ(r.totals.saved, 0.0);
    EXPECT_EQ(r.totals.seconds, 900);
}

TEST_P(Project, AnItemWhoseBuilderIsOnTheWayUpIsBoughtAndMarked)
{
    const project::Result r = Plan(project::Input{{{3, 2, 0, 0, std::nullopt}}, {}, {}});
    const project::Item& loopB = Item(r, "[T1] Loop B");
    EXPECT_TRUE(loopB.build);
    EXPECT_EQ(loopB.need, 2);
    bool marked = false;
    for (const project::Item& item : r.items)
        marked = marked || (item.name == "[T1] Loop A" && item.cycle && !item.build && item.need == 2);
    EXPECT_TRUE(marked);
    EXPECT_EQ(r.totals.revenue, std::nullopt); // no sale price
    EXPECT_EQ(r.totals.margin, std::nullopt);
}

} // namespace

namespace {

// Every blueprint of the catalogue as a project of one job: sharing its own
// components can only save, and a tree that repeats no item costs what its build
// plan costs.
TEST(ProjectCatalogue, OneJobCostsNoMoreThanItsBuildPlan)
{
    const Catalogue cat = Catalogue::Compiled();
    const pricing::Builders builders(cat.strBPs);
    const plan::Player player{NumberFormat{}, 0, 0, 1, 1};
    int equal = 0;
    for (std::int16_t i = 0; i < kBlueprintCount; ++i) {
        const project::Result r
            = project::Plan(project::Input{{{i, 3, 0, 0, std::nullopt}}, {}, {}}, cat, builders, player);
        ASSERT_TRUE(r.totals.cost && r.totals.aloneCost) << cat.strBPs[static_cast<std::size_t>(i)];
        EXPECT_LE(*r.totals.cost, *r.totals.aloneCost * (1 + 1e-12)) << cat.strBPs[static_cast<std::size_t>(i)];
        equal += *r.totals.cost == *r.totals.aloneCost ? 1 : 0;
    }
    EXPECT_GT(equal, kBlueprintCount / 2);
}

} // namespace
