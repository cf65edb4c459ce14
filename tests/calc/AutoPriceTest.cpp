#include "calc/AutoPrice.h"

#include <gtest/gtest.h>

#include "storage/OwnedRecord.h"
#include "tests/LocaleTest.h"

using namespace brenta;
using namespace brenta::pricing;

namespace {

// A small world: "Widget" is built from 100 units of material 34 at price 2; the
// "Gadget" blueprint needs a Widget, a skill and a mineral; 36 has no builder.
Catalogue Small()
{
    Catalogue cat;
    cat.DimArrays();
    cat.strBPs.Set(0, "Gadget Blueprint{700{10{|34/10|36/3|3380/5|500/2{600{600{600{120");
    cat.strBPs.Set(1, "Widget Blueprint{701{10{|34/100|3380/4{600{600{600{120");
    cat.strItemNames.Set(34, "[Raw] Tritanium");
    cat.strItemNames.Set(36, "[Raw] Mexallon");
    cat.strItemNames.Set(3380, "[Skill] Industry");
    cat.strItemNames.Set(500, "[Comp] Widget");
    cat.dblPrices[34] = 2;
    cat.dblPrices[36] = 1.0 / 3;
    cat.dblPrices[3380] = 20000;
    cat.dblPrices[500] = 7;
    cat.intBPIndex[700] = 0;
    cat.intBPIndex[701] = 1;
    return cat;
}

class AutoPrice : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(AutoPrice);

TEST(AutoPriceNames, BuilderAndMaterialNames)
{
    EXPECT_EQ(BuilderName("Plasma Thruster Blueprint{17428{5{|3803/5{1{1{1{1"), "Plasma Thruster");
    EXPECT_EQ(BuilderName("Test Arkonor Enhancement{28372{5{|22/200{1{1{1{1"), "Test Arkonor Enhancement");
    EXPECT_EQ(BuilderName("Test Armageddon Wingman  Blueprint{1{1{|1/1{1{1{1{1"), "Test Armageddon Wingman ");

    const struct {
        const char* caption;
        const char* name;
    } cases[] = {
        {"[Comp] Plasma Thruster", "Plasma Thruster"},
        {"[Item] Fulleroferrocene ", "Fulleroferrocene "},
        {"[A] first] second", "first"},
        {"Plain name", "Plain name"},
        {"[Raw]Tritanium", "[Raw]Tritanium"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MaterialName(c.caption), c.name) << c.caption;
}

TEST(AutoPriceNames, BuilderLookupOverTheCatalogue)
{
    const Catalogue cat = Catalogue::Compiled();
    const Builders builders(cat.strBPs);
    EXPECT_EQ(builders.Find("100mm Reinforced Steel Plates I"), std::optional<std::int16_t>(0));
    EXPECT_EQ(builders.Find("Tritanium"), std::nullopt);
    EXPECT_EQ(builders.Find("Test Arkonor Enhancement"), std::optional<std::int16_t>(2338));
    EXPECT_EQ(builders.Find("100mm reinforced steel plates I"), std::nullopt);

    // An item's display name drops its kind prefix before the look-up ("Find BP"
    // on a material's row).
    const struct {
        const char* itemName;
        bool found;
    } items[] = {
        {"[T1] 100MN Afterburner I", true},
        {"100MN Afterburner I", true}, // without "] " the name is looked up unchanged
        {"[T1] 100MN Afterburner I] Spare", true}, // up to a second "] "
        {"[T1]100MN Afterburner I", false},
        {"[T1] 100MN Afterburner", false}, // the whole name, not a prefix of one
    };
    const auto afterburner = builders.Find("100MN Afterburner I");
    ASSERT_TRUE(afterburner);
    for (const auto& c : items)
        EXPECT_EQ(builders.OfItem(c.itemName), c.found ? afterburner : std::nullopt) << c.itemName;

    // Records sharing a name: the lower index builds, as a scan from 0 finds it.
    for (std::size_t i = 0; i < cat.strBPs.size(); ++i) {
        const auto found = builders.Find(BuilderName(cat.strBPs[i]));
        ASSERT_TRUE(found);
        EXPECT_LE(*found, static_cast<std::int16_t>(i));
        EXPECT_EQ(BuilderName(cat.strBPs[static_cast<std::size_t>(*found)]), BuilderName(cat.strBPs[i]));
    }
}

TEST_P(AutoPrice, OneRunCostOfTheBuilder)
{
    // 100 units at price 2, factor 0.1, ML 0: m = 0.1 at PE 5 (220.00), 0.35 at PE 0
    // (270.00); the skill entry adds nothing.
    Catalogue cat = Small();
    const Builders builders(cat.strBPs);
    const struct {
        int pe;
        double matMult;
        const char* ownedRecord; // "" when the builder is not owned
        const char* text;
    } cases[] = {
        {5, 1, "", "220.00"}, {0, 1, "", "270.00"}, {5, 1.1, "", "240.00"}, // the array adds 10 %
        {5, 1, "701{1{0", "210.00"}, // owned at ML 1: 0.05 waste
        {5, 1, "701{-1{0", "240.00"}, // below ML 0: 0.2 whatever the factor
    };
    for (const auto& c : cases) {
        cat.bOwned[1] = *c.ownedRecord != '\0';
        cat.strOwned[1] = owned::Read(c.ownedRecord, fmt);
        const Facility f{c.matMult, c.pe, fmt};
        EXPECT_EQ(AutoPriceText("[Comp] Widget", cat, builders, f), test::Localised(c.text, fmt)) << c.text;
    }
}

TEST_P(AutoPrice, RowsKeepTheirTextWithoutAPriceToCompute)
{
    Catalogue cat = Small();
    const Builders builders(cat.strBPs);
    const Facility f{1, 5, fmt};
    EXPECT_EQ(AutoPriceText("[Skill] Widget", cat, builders, f), std::nullopt); // "Skill" anywhere
    EXPECT_EQ(AutoPriceText("[Raw] Tritanium", cat, builders, f), std::nullopt);
    EXPECT_EQ(AutoPriceText("", cat, builders, f), std::nullopt);

    // An owned ML that is not a number, or a cost beyond the float range: the box
    // keeps its text and nothing fails.
    cat.bOwned[1] = true;
    cat.strOwned[1] = owned::Read("701{abc{0", fmt);
    EXPECT_EQ(AutoPriceText("[Comp] Widget", cat, builders, f), std::nullopt);
    cat.strOwned[1] = owned::Read("701{0{0", fmt);
    cat.dblPrices[34] = 1e307;
    EXPECT_EQ(AutoPriceText("[Comp] Widget", cat, builders, f), std::nullopt);
}

TEST_P(AutoPrice, PricingTheRowsStoresWhatTheBoxesHold)
{
    Catalogue cat = Small();
    const Builders builders(cat.strBPs);
    const Facility f{1, 5, fmt};
    const std::string third = test::Localised("0.333333333333333", fmt);
    std::vector<GridRow> rows = {
        {"[Comp] Widget", 500, "7"},
        {"[Raw] Mexallon", 36, third},
        {"[Skill] Industry", 3380, "20000"},
        {"[Raw] Tritanium", 34, ""},
        {"[Comp] Widget", 0, "5"}, // a named row without material stores nothing
        {"", 0, "0"},
    };
    PriceRows(rows, cat, builders, f);

    EXPECT_EQ(rows[0].box, test::Localised("220.00", fmt));
    EXPECT_EQ(rows[1].box, third);
    EXPECT_EQ(rows[2].box, "20000");
    EXPECT_EQ(rows[3].box, "0");
    EXPECT_EQ(rows[4].box, test::Localised("0.00", fmt)); // priced after row 3 stored Tritanium at 0
    EXPECT_EQ(cat.dblPrices[500], 220);
    EXPECT_EQ(cat.dblPrices[36], 0.333333333333333); // the box's 15 digits, read back
    EXPECT_EQ(cat.dblPrices[3380], 20000);
    EXPECT_EQ(cat.dblPrices[34], 0); // the empty box stored as 0, after the Widgets were priced
    EXPECT_EQ(cat.dblPrices[0], 0);

    // A box that is no number leaves the stored price; the rows after it go on.
    std::vector<GridRow> odd = {{"[Raw] Mexallon", 36, std::string(1, fmt.decSep)}, {"[Comp] Widget", 500, "1"}};
    PriceRows(odd, cat, builders, f);
    EXPECT_EQ(cat.dblPrices[36], 0.333333333333333);
    EXPECT_EQ(odd[0].box, std::string(1, fmt.decSep));
    EXPECT_EQ(odd[1].box, test::Localised("0.00", fmt)); // Tritanium is 0 now
}

TEST_P(AutoPrice, APriceComputedEarlierInTheListIsUsedLater)
{
    // The Gadget needs 2 Widgets. Priced after the Widget's own blueprint has been
    // shown it uses the computed 220, not the stored 7.
    Catalogue cat = Small();
    cat.strBPs.Set(2, "Gizmo Blueprint{702{10{|500/2{600{600{600{120");
    cat.strItemNames.Set(600, "[T1] Gizmo");
    cat.intBPIndex[702] = 2;
    const Builders builders(cat.strBPs);
    const Facility f{1, 5, fmt};

    std::vector<GridRow> gizmo = {{"[T1] Gizmo", 600, "0"}};
    PriceRows(gizmo, cat, builders, f);
    EXPECT_EQ(gizmo[0].box, test::Localised("14.00", fmt)); // 2 + 0 waste, at 7

    const auto result = AutoPriceAll({1, std::nullopt, 0}, {}, cat, builders, f, {});
    ASSERT_TRUE(result.lastShown);
    EXPECT_EQ(result.lastShown->index, 0);
    // The Gadget's rows after its own pricing: the Widget at 220, Tritanium and
    // Mexallon as they were, the skill as it was.
    ASSERT_EQ(result.rows.size(), 4U);
    EXPECT_EQ(result.rows[3].box, test::Localised("220.00", fmt));
    std::vector<GridRow> again = {{"[T1] Gizmo", 600, "0"}};
    PriceRows(again, cat, builders, f);
    EXPECT_EQ(again[0].box, test::Localised("440.00", fmt));
}

// The pass over the whole catalogue against its plain definition: show each listed
// blueprint, store its owned record as showing leaves it, price its rows, store,
// next. Prices with more than 15 digits, owned builders at several levels (records
// the showing rewrites, and one whose ML cannot be read) and entries that show
// nothing are all in the list.
TEST_P(AutoPrice, ThePassEqualsShowingAndPricingEachBlueprintInTurn)
{
    Catalogue start = Catalogue::Compiled();
    for (std::size_t id = 0; id < start.dblPrices.size(); id += 7)
        if (!start.strItemNames[id].empty())
            start.dblPrices[id] = start.dblPrices[id] / 3 + 0.1;
    for (std::size_t i = 0; i < start.strBPs.size(); i += 5) {
        start.bOwned[i] = true;
        start.strOwned[i] = owned::Read("0{" + std::to_string(static_cast<int>(i % 13) - 2) + "{0", fmt);
    }
    start.strOwned[10] = owned::Read("0{x{0", fmt); // a builder whose ML cannot be read
    const Builders builders(start.strBPs);
    const Facility f{1.1, 3, fmt};

    std::vector<std::optional<std::int16_t>> listed;
    for (std::int16_t i = 0; i < kBlueprintCount; ++i)
        listed.push_back(i);
    listed[5] = std::nullopt;
    const std::vector<GridRow> before = {{"[Raw] Tritanium", 34, "3"}};
    listed.insert(listed.begin(), std::nullopt);
    const show::Levels boxes{"7", "0"};

    Catalogue fast = start;
    const auto result = AutoPriceAll(listed, before, fast, builders, f, boxes);

    Catalogue plain = start;
    std::vector<GridRow> grid = before;
    show::Levels plainBoxes = boxes;
    std::optional<std::int16_t> last;
    for (const auto& entry : listed) {
        if (entry) {
            const show::Shown shown = show::ShowBlueprint(*entry, plain, plainBoxes, fmt);
            if (shown.ownedRecord)
                plain.strOwned[static_cast<std::size_t>(*entry)] = *shown.ownedRecord;
            plainBoxes = shown.levels;
            grid = ShownRows(shown);
            last = *entry;
        }
        PriceRows(grid, plain, builders, f);
    }

    ASSERT_TRUE(result.lastShown);
    EXPECT_EQ(result.lastShown->index, kBlueprintCount - 1);
    EXPECT_EQ(last, std::optional<std::int16_t>(kBlueprintCount - 1));
    ASSERT_EQ(result.rows.size(), grid.size());
    for (std::size_t r = 0; r < grid.size(); ++r)
        EXPECT_EQ(result.rows[r].box, grid[r].box) << r;
    std::size_t changed = 0;
    for (std::size_t id = 0; id < plain.dblPrices.size(); ++id) {
        ASSERT_EQ(fast.dblPrices[id], plain.dblPrices[id]) << "type ID " << id;
        changed += plain.dblPrices[id] != start.dblPrices[id];
    }
    EXPECT_GT(changed, 300U);
    EXPECT_EQ(fast.strOwned, plain.strOwned);
    EXPECT_NE(fast.strOwned, start.strOwned);
}

TEST_P(AutoPrice, AnEntryThatShowsNothingPricesTheRowsShownBefore)
{
    Catalogue cat = Small();
    const Builders builders(cat.strBPs);
    const Facility f{1, 5, fmt};
    cat.strBPs.Set(2, "Broken Blueprint{notanumber{10{|34/1{1{1{1{1");
    const auto result = AutoPriceAll({std::nullopt, 2}, {{"[Comp] Widget", 500, "1"}}, cat, builders, f, {});
    EXPECT_FALSE(result.lastShown);
    ASSERT_EQ(result.rows.size(), 1U);
    EXPECT_EQ(result.rows[0].box, test::Localised("220.00", fmt));
    EXPECT_EQ(cat.dblPrices[500], 220);

    // Nothing listed: nothing changes.
    const Catalogue before = cat;
    const auto none = AutoPriceAll({}, {{"[Comp] Widget", 500, "1"}}, cat, builders, f, {});
    EXPECT_EQ(none.rows[0].box, "1");
    EXPECT_EQ(cat.dblPrices, before.dblPrices);
}

} // namespace
