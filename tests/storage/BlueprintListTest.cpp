#include "storage/BlueprintList.h"

#include <gtest/gtest.h>

#include "catalogue/BlueprintRecord.h"
#include "tests/LocaleTest.h"

using namespace brenta;
using brenta::storage::ApplyBlueprintList;
using brenta::storage::OwnedReport;
using brenta::storage::ReportFacility;

namespace {

const std::string kDashes(49, '-');
constexpr const char* kPlates = "100mm Reinforced Steel Plates I Blueprint";
constexpr std::size_t kPlatesIndex = 0;
// Two records share this name: blueprint indexes 1564 (type ID 17589) and 1565 (17627).
constexpr const char* kTwin = "Neurovisual Output Analyzer Blueprint";

const Catalogue& Fresh()
{
    static const Catalogue cat = Catalogue::Compiled();
    return cat;
}

std::vector<std::string> Owned(const Catalogue& cat)
{
    std::vector<std::string> owned;
    for (std::size_t i = 0; i < cat.bOwned.size(); ++i)
        if (cat.bOwned[i])
            owned.push_back(cat.strOwned[i]);
    return owned;
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
    cat.strOwned[kPlatesIndex] = "11294{5{2";
    // PE 0 at ML 5: 856, 257, 355, 49, 3 and 1 units of the six minerals.
    EXPECT_EQ(OwnedReport(cat, ReportFacility{}, fmt), Join({
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
    cat.strOwned[kPlatesIndex] = "11294{5{0";
    const ReportFacility lab{true, 0.75, 1.1, 5, 4, 5, 5};
    const std::string text = OwnedReport(cat, lab, fmt);
    EXPECT_NE(text.find("POS Research: True\r\nPOS Assembly: " + test::Localised("0.75 / 1.1", fmt) + "\r\n"),
        std::string::npos);
    EXPECT_NE(text.find("Research Time: 0D 9H 22M 30S\r\n"), std::string::npos);  // 12000 x 0.75 x 0.75 x 5
    EXPECT_NE(text.find("Research Time: 0D 0H 0M 0S\r\n"), std::string::npos);    // PL 0
    EXPECT_NE(text.find("Assembly Time: 0D 0H 6M 0S\r\n"), std::string::npos);    // 600 x 0.8 x 0.75
}

TEST_P(Report, CostsAreGroupedWithTwoDecimals)
{
    Catalogue cat = Fresh();
    cat.strBPs[kPlatesIndex] = "100mm Reinforced Steel Plates I Blueprint{11294{0{|34/1{12000{12000{600{120";
    cat.bOwned[kPlatesIndex] = true;
    cat.strOwned[kPlatesIndex] = "11294{0{0";
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
    EXPECT_EQ(OwnedReport(Fresh(), ReportFacility{}, fmt), Join({"POS Research: False", "POS Assembly: 1 / 1", kDashes}));
}

TEST_P(Report, LevelsThatCannotBeUsedSayInvalidAndTheReportGoesOn)
{
    Catalogue cat = Fresh();
    cat.bOwned[0] = cat.bOwned[1] = cat.bOwned[2] = true;
    cat.strOwned[0] = "11294{5{-1";  // PL + 1 = 0
    cat.strOwned[1] = "12380{abc{2"; // no ML: no times, no cost
    cat.strOwned[2] = "15975{0{0";
    const std::string text = OwnedReport(cat, ReportFacility{}, fmt);
    const auto block = [&](std::size_t k) {
        std::size_t at = 0;
        for (std::size_t i = 0; i <= k; ++i)
            at = text.find("Name: ", at + 1);
        return text.substr(at, text.find(kDashes, at) - at);
    };
    EXPECT_EQ(block(0), "Name: 100mm Reinforced Steel Plates I Blueprint\r\n           ML: 5\r\nResearch Time: Invalid\r\n"
                        "           PL: -1\r\nResearch Time: Invalid\r\nAssembly Time: Invalid\r\n         Cost: "
            + test::Localised("24,984.00", fmt) + "\r\n");
    EXPECT_NE(block(1).find("ML: abc\r\nResearch Time: Invalid\r\n"), std::string::npos);
    EXPECT_NE(block(1).find("Cost: Invalid\r\n"), std::string::npos);
    EXPECT_NE(block(2).find("Assembly Time: 0D 0H 10M 0S\r\n"), std::string::npos);
}

class Import : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(Import);

TEST_P(Import, TheReportReadsBackIntoAnEmptyOwnedSet)
{
    Catalogue owner = Fresh();
    owner.bOwned[kPlatesIndex] = true;
    owner.strOwned[kPlatesIndex] = "11294{5{2";
    const std::string report = OwnedReport(owner, ReportFacility{}, fmt);

    Catalogue cat = Fresh();
    ApplyBlueprintList(report, cat, fmt);
    EXPECT_EQ(Owned(cat), std::vector<std::string>{"11294{5{2"});
    EXPECT_TRUE(cat.bOwned[kPlatesIndex]);
}

TEST_P(Import, EveryBlueprintOwnedAtOnceRoundTrips)
{
    Catalogue owner = Fresh();
    for (std::size_t i = 0; i < owner.strBPs.size(); ++i) {
        owner.bOwned[i] = true;
        const std::string id(record::Field(owner.strBPs[i], record::kFieldTypeId));
        owner.strOwned[i] = id + "{" + std::to_string(static_cast<int>(i % 40) - 5) + "{" + std::to_string(i % 7);
    }
    Catalogue cat = Fresh();
    ApplyBlueprintList(OwnedReport(owner, ReportFacility{true, 0.75, 1.1, 1, 2, 3, 4}, fmt), cat, fmt);
    EXPECT_EQ(cat.strOwned, owner.strOwned); // the twins included
    EXPECT_EQ(cat.bOwned, owner.bOwned);
}

struct ListCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::pair<std::size_t, std::string>> owned; // blueprint index, record
    std::string ownedBefore = "15975{9{9"; // blueprint index 2, owned before the import
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

class ImportList : public ::testing::TestWithParam<ListCase> {};

TEST_P(ImportList, OwnsExactlyWhatTheListSays)
{
    Catalogue cat = Fresh();
    // Owned before the import: kept unless the list names it.
    cat.bOwned[2] = true;
    cat.strOwned[2] = "15975{9{9";
    ApplyBlueprintList(Join(GetParam().lines), cat, NumberFormat{});

    std::vector<std::pair<std::size_t, std::string>> owned;
    for (std::size_t i = 0; i < cat.bOwned.size(); ++i)
        if (cat.bOwned[i] && i != 2)
            owned.emplace_back(i, cat.strOwned[i]);
    EXPECT_EQ(owned, GetParam().owned);
    EXPECT_TRUE(cat.bOwned[2]);
    EXPECT_EQ(cat.strOwned[2], GetParam().ownedBefore);
}

const std::string kName = std::string("Name: ") + kPlates;

INSTANTIATE_TEST_SUITE_P(Lists, ImportList,
    ::testing::Values(
        ListCase{"KeysAnywhereInTheLine", {"x " + kName, "foo ML: 5", "  PL: 2 bar"}, {{0, "11294{5{2 bar"}}},
        ListCase{"ValueEndsAtASecondKey", {kName + "Name: other", "ML: 5ML: 6", "PL: 2"}, {{0, "11294{5{2"}}},
        ListCase{"NameWithoutBlueprintMatchesNothing",
            {"Name: 100mm Reinforced Steel Plates I", "ML: 5", "PL: 2"}, {}},
        ListCase{"NameIsCaseSensitive", {"Name: 100MM Reinforced Steel Plates I Blueprint", "ML: 5"}, {}},
        ListCase{"LevelsBeforeAnyNameChangeNothing", {"ML: 5", "PL: 2"}, {}},
        ListCase{"LevelsAfterAnUnmatchedNameChangeNothing",
            {kName, "ML: 5", "PL: 2", "Name: Nothing Blueprint", "ML: 9", "PL: 9"}, {{0, "11294{5{2"}}},
        ListCase{"MissingLevelsAreZero", {kName}, {{0, "11294{0{0"}}},
        ListCase{"MissingMLIsZero", {kName, "PL: 3"}, {{0, "11294{0{3"}}},
        ListCase{"ExtraLevelLinesAreIgnored", {kName, "ML: 5", "ML: 6", "PL: 2", "PL: 7"}, {{0, "11294{5{2"}}},
        ListCase{"LevelsByTheirKeysInAnyOrder", {kName, "PL: 2", "ML: 5"}, {{0, "11294{5{2"}}},
        ListCase{"ALevelHoldingABraceIsNotGiven", {kName, "ML: 5{7", "ML: 4", "PL: 2"}, {{0, "11294{4{2"}}},
        ListCase{"LevelsAreTakenAsWritten", {kName, "ML: -3", "PL: x"}, {{0, "11294{-3{x"}}},
        ListCase{"NameLineWinsOverLevelKeys", {"ML: 1 " + kName, "ML: 5", "PL: 6 ML: 7", "PL: 2"}, {{0, "11294{5{2"}}},
        ListCase{"ListedAgainReplacesTheLevels",
            {kName, "ML: 1", "PL: 1", "Name: 100mm Sintered Ceramic Plates I Blueprint", "ML: 1", "PL: 3", kName,
                "ML: 7", "PL: 8"},
            {{0, "11294{7{8"}}, "15975{1{3"},
        ListCase{"LinesEndAtALoneCR", {kName + "\rML: 5\rPL: 2"}, {{0, "11294{5{2"}}},
        ListCase{"TwinsInOrderOfIndex",
            {"Name: " + std::string(kTwin), "ML: 1", "PL: 2", "Name: " + std::string(kTwin), "ML: 3", "PL: 4"},
            {{1564, "17589{1{2"}, {1565, "17627{3{4"}}},
        ListCase{"ATwinNamedAThirdTimeGoesToTheLowest",
            {"Name: " + std::string(kTwin), "ML: 1", "Name: " + std::string(kTwin), "ML: 3",
                "Name: " + std::string(kTwin), "ML: 5"},
            {{1564, "17589{5{0"}, {1565, "17627{3{0"}}}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
