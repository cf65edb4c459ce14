// The owned blueprint report: its times and costs at the facility and skills
// given, and its text.
#include "calc/Report.h"

#include <gtest/gtest.h>

#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"
#include "tests/LocaleTest.h"

using namespace brenta;
using brenta::report::OwnedReport;
using ReportFacility = brenta::report::Facility;

namespace {

const std::string kDashes(49, '-');
constexpr std::size_t kPlatesIndex = 0;

const Catalogue& Fresh()
{
    static const Catalogue cat = Catalogue::Compiled();
    return cat;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

class Report : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(Report);

TEST_P(Report, OneOwnedBlueprint)
{
    Catalogue cat = Fresh();
    cat.bOwned[kPlatesIndex] = true;
    cat.strOwned[kPlatesIndex] = owned::Read("11294{5{2", fmt);
    // PE 0 at ML 5: 856, 257, 355, 49, 3 and 1 units of the six minerals.
    EXPECT_EQ(OwnedReport(cat, ReportFacility{}, fmt),
        Join({
            "POS Research: False",
            "POS Assembly: 1 / 1",
            kDashes,
            "         Name: 100mm Reinforced Steel Plates I Blueprint",
            "           ML: 5",
            "Research Time: 0D 16H 40M 0S",
            "           PL: 2",
            "Research Time: 0D 6H 40M 0S",
            "Assembly Time: 0D 0H 8M 40S", // 600 x (1 - 120/600 x 2/3) = 520 s
            "         Cost: " + test::Localised("24,984.00", fmt),
            kDashes,
        }));

    // The lab, an array and skills: research times a quarter and skill shares less,
    // the assembly time at the array's multiplier, the cost with its materials.
    cat.strOwned[kPlatesIndex] = owned::Read("11294{5{0", fmt);
    const ReportFacility lab{true, 0.75, 1.1, 5, 4, 5, 5};
    const std::string text = OwnedReport(cat, lab, fmt);
    EXPECT_NE(text.find("POS Research: True\r\nPOS Assembly: " + test::Localised("0.75 / 1.1", fmt) + "\r\n"),
        std::string::npos);
    EXPECT_NE(text.find("Research Time: 0D 9H 22M 30S\r\n"), std::string::npos); // 12000 x 0.75 x 0.75 x 5
    EXPECT_NE(text.find("Research Time: 0D 0H 0M 0S\r\n"), std::string::npos); // PL 0
    EXPECT_NE(text.find("Assembly Time: 0D 0H 6M 0S\r\n"), std::string::npos); // 600 x 0.8 x 0.75
}

TEST_P(Report, CostsAreGroupedWithTwoDecimals)
{
    Catalogue cat = Fresh();
    cat.strBPs.Set(kPlatesIndex, "100mm Reinforced Steel Plates I Blueprint{11294{0{|34/1{12000{12000{600{120");
    cat.bOwned[kPlatesIndex] = true;
    cat.strOwned[kPlatesIndex] = owned::Read("11294{0{0", fmt);
    const ReportFacility pe5{false, 1, 1, 0, 0, 0, 5}; // no waste at all
    for (const auto& [price, text] : {std::pair{1234567.891, "1,234,567.89"}, std::pair{0.0, "0.00"}}) {
        cat.dblPrices[34] = price;
        EXPECT_NE(OwnedReport(cat, pe5, fmt).find("         Cost: " + test::Localised(text, fmt) + "\r\n"),
            std::string::npos)
            << text;
    }
}

TEST_P(Report, NothingOwnedGivesTheHeadLinesOnly)
{
    EXPECT_EQ(OwnedReport(Fresh(), ReportFacility{}, fmt),
        Join({"POS Research: False", "POS Assembly: 1 / 1", kDashes}));
}

TEST_P(Report, LevelsThatCannotBeUsedSayInvalidAndTheReportGoesOn)
{
    Catalogue cat = Fresh();
    cat.bOwned[0] = cat.bOwned[1] = cat.bOwned[2] = true;
    cat.strOwned[0] = owned::Read("11294{5{-1", fmt); // PL + 1 = 0
    cat.strOwned[1] = owned::Read("12380{abc{2", fmt); // no ML: no times, no cost
    cat.strOwned[2] = owned::Read("15975{0{0", fmt);
    const std::string text = OwnedReport(cat, ReportFacility{}, fmt);
    const auto block = [&](std::size_t k) {
        std::size_t at = 0;
        for (std::size_t i = 0; i <= k; ++i)
            at = text.find("Name: ", at + 1);
        return text.substr(at, text.find(kDashes, at) - at);
    };
    EXPECT_EQ(block(0),
        "Name: 100mm Reinforced Steel Plates I Blueprint\r\n           ML: 5\r\nResearch Time: Invalid\r\n"
        "           PL: -1\r\nResearch Time: Invalid\r\nAssembly Time: Invalid\r\n         Cost: "
            + test::Localised("24,984.00", fmt) + "\r\n");
    EXPECT_NE(block(1).find("ML: abc\r\nResearch Time: Invalid\r\n"), std::string::npos);
    EXPECT_NE(block(1).find("Cost: Invalid\r\n"), std::string::npos);
    EXPECT_NE(block(2).find("Assembly Time: 0D 0H 10M 0S\r\n"), std::string::npos);
}

} // namespace
