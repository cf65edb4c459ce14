#include "calc/Sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/Job.h"
#include "calc/modWastage.h"
#include "tests/LocaleTest.h"
#include "tests/calc/PlatesRows.h"

using namespace brenta;

namespace {

using test::kPlatesRows;
using test::Material;

constexpr const char* kPlates
    = "100mm Reinforced Steel Plates I Blueprint{11294{10{|34/676|35/203|36/280|37/39|38/2|39/1{12000{12000{600{120";

// The sheet of a blueprint as the window hands it over after showing it for a
// number of runs: names, prices and base quantities.
sheet::Input SheetFor(const std::vector<Material>& materials, const NumberFormat& fmt, std::int32_t runs = 1)
{
    sheet::Input in;
    in.fmt = fmt;
    in.pe = 5;
    in.blueprintSelected = true;
    in.times = "12000{12000{600";
    in.selectedRecord = kPlates;
    in.runs = runs;
    for (std::size_t r = 0; r < materials.size(); ++r) {
        in.rows[r] = {materials[r].name, test::Localised(materials[r].price, fmt)};
        in.baseQty.push_back(materials[r].base);
    }
    return in;
}

// The ML box as typed: its text for the wastage factor, its number for the rest.
void SetML(sheet::Input& in, const std::string& text)
{
    in.mlText = text;
    in.ml = job::WholeNumber(text, in.fmt);
}

std::vector<std::string> Column(
    const sheet::Output& out, std::optional<std::string> sheet::RowOutput::*cell, int n)
{
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r)
        values.push_back((out.rows[static_cast<std::size_t>(r)].*cell).value_or("-"));
    return values;
}

using Texts = std::vector<std::string>;

class SheetLocales : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(SheetLocales);

TEST_P(SheetLocales, WasteIsRoundedPerRunAtTheMLAndSkillRates)
{
    const struct {
        const char* name;
        const char* ml;
        int pe;
        double matMult;
        std::int32_t runs;
        Texts waste;
    } cases[] = {
        {"ML 0, PE 5", "0", 5, 1, 1, {"68", "20", "28", "4", "0", "0"}},
        {"ML 0, PE 0", "0", 0, 1, 1, {"237", "71", "98", "14", "1", "0"}},
        {"ML 10", "10", 5, 1, 1, {"6", "2", "3", "0", "0", "0"}},
        {"three runs", "0", 5, 1, 3, {"204", "60", "84", "12", "0", "0"}},
        {"rapid array", "0", 5, 1.2, 1, {"203", "61", "84", "12", "1", "0"}},
        {"ML -4", "-4", 5, 1, 1, {"338", "102", "140", "20", "1", "1"}},
    };
    for (const auto& c : cases) {
        sheet::Input in = SheetFor(kPlatesRows, fmt, c.runs);
        SetML(in, c.ml);
        in.pe = c.pe;
        in.matMult = c.matMult;
        const sheet::Output out = sheet::Compute(in);
        EXPECT_FALSE(out.failed) << c.name;
        EXPECT_EQ(Column(out, &sheet::RowOutput::waste, 6), c.waste) << c.name;
    }
}

TEST_P(SheetLocales, CostsEfficiencyAndTimesOfOneRun)
{
    sheet::Input in = SheetFor(kPlatesRows, fmt);
    const sheet::Output out = sheet::Compute(in);
    EXPECT_EQ(*out.wf, test::Localised("0.1000000000000", fmt));
    EXPECT_EQ(Column(out, &sheet::RowOutput::total, 6), (Texts{"744", "223", "308", "43", "2", "1"}));
    EXPECT_EQ(Column(out, &sheet::RowOutput::ideal, 6), (Texts{"135", "40", "56", "7", "0", "0"}));
    EXPECT_EQ(*out.buildCost, test::Localised("21,704.00 ISK", fmt));
    EXPECT_EQ(*out.buildWaste, test::Localised("1,704.00 ISK", fmt));
    EXPECT_EQ(*out.costPerUnit, test::Localised("21,704.00 ISK", fmt));
    EXPECT_EQ(*out.wastePerUnit, test::Localised("1,704.00 ISK", fmt));
    EXPECT_EQ(*out.efficiency, test::Localised("92.1489126428%", fmt));
    EXPECT_EQ(*out.buildTime, "0D 0H 10M 0S");
    EXPECT_EQ(*out.mlTime, "0D 0H 0M 0S");

    in.pe = 0;
    in.pl = job::WholeNumber("5", fmt);
    in.industry = 5;
    in.timeMult = 0.75;
    const sheet::Output pe0 = sheet::Compute(in);
    EXPECT_EQ(*pe0.buildCost, test::Localised("26,482.00 ISK", fmt));
    EXPECT_EQ(*pe0.buildWaste, test::Localised("6,482.00 ISK", fmt));
    EXPECT_EQ(*pe0.buildTime, "0D 0H 5M 0S"); // 500 s a run at PL 5, less 20 % Industry, times 0.75
    EXPECT_EQ(*pe0.plTime, "0D 16H 40M 0S");
}

TEST_P(SheetLocales, RowKindsDecideWasteAndCost)
{
    sheet::Input in = SheetFor(
        {{"[Raw] Tritanium", 676, "2"}, {"[Skill] Industry", 5, "20000"}, {"[T1] 100MN Afterburner I", 1, "1000"},
            {"[RAM] R.A.M.- Armor/Hull Tech", 1, "50"}, {"[Ship] Condor", 2, "10"}},
        fmt, 1);
    const sheet::Output out = sheet::Compute(in);
    EXPECT_EQ(Column(out, &sheet::RowOutput::waste, 5), (Texts{"68", "0", "0", "0", "0"}));
    EXPECT_EQ(Column(out, &sheet::RowOutput::total, 5), (Texts{"744", "0", "1", "1", "2"}));
    EXPECT_EQ(Column(out, &sheet::RowOutput::ideal, 5), (Texts{"135", "-", "-", "-", "-"}));
    EXPECT_EQ(*out.buildCost, test::Localised("2,558.00 ISK", fmt)); // 744*2 + 1000 + 50 + 20; the skill is free
}

// RowTotal is the sheet's total column as a number, for every kind of row and
// run count: the build plan's quantities are the sheet's by it.
TEST_P(SheetLocales, RowTotalIsTheSheetsTotal)
{
    const std::vector<Material> rows{{"[Raw] Tritanium", 676, "2"}, {"[Raw] Zydrine", 1, "2"},
        {"[T1] 100MN Afterburner I", 3, "1000"}, {"[RAM] R.A.M.- Armor/Hull Tech", 1, "50"},
        {"[Ship] Condor", 2, "10"}};
    for (const std::int32_t runs : {1, 7, 250}) {
        const sheet::Input in = SheetFor(rows, fmt, runs);
        const sheet::Output out = sheet::Compute(in);
        const double w = sheet::WasteFraction(modWastage::WastageAtML(0, in.baseWastageFactor), in.pe, in.matMult);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const double total = sheet::RowTotal(sheet::ClassifyRow(rows[r].name), w, rows[r].base, runs, fmt);
            EXPECT_EQ(numbers::ToText(total, fmt), out.rows[r].total.value_or("-"))
                << rows[r].name << " x" << runs;
        }
    }
    EXPECT_EQ(sheet::RowTotal(sheet::RowKind::Skill, 0.5, 5, 10, fmt), 0);
    EXPECT_EQ(sheet::MoneyText(1234567.5, fmt) + " ISK", sheet::CostText(1234567.5, fmt));
}

TEST_P(SheetLocales, FailuresKeepWhatWasWrittenBeforeThem)
{
    {
        sheet::Input in = SheetFor(kPlatesRows, fmt);
        SetML(in, "71582789");
        const sheet::Output out = sheet::Compute(in);
        EXPECT_EQ(*out.wf, "Invalid ML");
        EXPECT_FALSE(out.rows[0].waste.has_value());
        EXPECT_FALSE(out.buildCost.has_value());
    }
    {
        sheet::Input in = SheetFor(kPlatesRows, fmt);
        SetML(in, "71582788");
        const sheet::Output out = sheet::Compute(in);
        EXPECT_FALSE(out.failed);
        EXPECT_EQ(*out.mlTime, "9942053D 21H 20M 0S");
    }
    for (const char* ml : {"", "abc", "1.2.3"}) {
        sheet::Input in = SheetFor(kPlatesRows, fmt);
        SetML(in, ml);
        EXPECT_EQ(*sheet::Compute(in).wf, "Invalid ML") << ml;
    }
    {
        // A price that is no number: the row's waste and total are written, the rest is not.
        sheet::Input in = SheetFor(kPlatesRows, fmt);
        in.rows[2].price = "x";
        const sheet::Output out = sheet::Compute(in);
        EXPECT_EQ(*out.wf, "Invalid ML");
        EXPECT_EQ(Column(out, &sheet::RowOutput::waste, 6), (Texts{"68", "20", "28", "-", "-", "-"}));
        EXPECT_EQ(*out.rows[2].total, "308");
        EXPECT_FALSE(out.rows[2].ideal.has_value());
        EXPECT_FALSE(out.buildCost.has_value());
    }
    {
        // No units to divide by: the build cost is shown, the per-unit costs and times are not.
        sheet::Input in = SheetFor(kPlatesRows, fmt, 0);
        const sheet::Output out = sheet::Compute(in);
        EXPECT_EQ(*out.wf, "Invalid ML");
        EXPECT_EQ(*out.buildCost, test::Localised("0.00 ISK", fmt));
        EXPECT_FALSE(out.costPerUnit.has_value());
        EXPECT_FALSE(out.buildTime.has_value());
    }
    {
        // PL -1 divides by zero in the build time; nothing after it is written.
        sheet::Input in = SheetFor(kPlatesRows, fmt);
        in.pl = job::WholeNumber("-1", fmt);
        const sheet::Output out = sheet::Compute(in);
        EXPECT_EQ(*out.wf, "Invalid ML");
        EXPECT_TRUE(out.wastePerUnit.has_value());
        EXPECT_FALSE(out.buildTime.has_value());
    }
}

TEST_P(SheetLocales, WithoutBlueprintOrPricesOnlyTheWastageFactorChanges)
{
    sheet::Input in = SheetFor(kPlatesRows, fmt);
    in.blueprintSelected = false;
    SetML(in, "1" + std::string(1, fmt.digSep) + "000"); // passes as ML 1000, shows the factor of ML 1
    sheet::Output out = sheet::Compute(in);
    EXPECT_EQ(*out.wf, test::Localised("0.0500000000000", fmt).replace(0, 1, "0"));
    EXPECT_FALSE(out.rows[0].waste.has_value());
    EXPECT_FALSE(out.buildCost.has_value());

    in = SheetFor(kPlatesRows, fmt);
    for (auto& row : in.rows)
        row.price = "0";
    out = sheet::Compute(in);
    EXPECT_FALSE(out.efficiency.has_value());
    EXPECT_EQ(*out.buildCost, test::Localised("0.00 ISK", fmt));
}

TEST(Sheet, ShownMaterialsSkipZeroQuantitiesAndRefuseMoreRowsThanTheGrid)
{
    const NumberFormat fmt;
    const auto shown = sheet::ShownMaterials("X Blueprint{1{10{|34/3|35/0|36/2|37/1{1{1{60{12", fmt);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[1].typeId, 36);
    EXPECT_EQ(shown[1].quantityText, "2");

    std::string many = "X Blueprint{1{10{";
    for (int id = 1; id <= 26; ++id)
        many += "|" + std::to_string(id) + "/1";
    many += "{1{1{60{12";
    EXPECT_THROW(sheet::ShownMaterials(many, fmt), Failure);
}

} // namespace
