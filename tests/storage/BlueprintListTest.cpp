#include "storage/BlueprintList.h"
#include "calc/Report.h"

#include <gtest/gtest.h>

#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"
#include "tests/LocaleTest.h"

using namespace brenta;
using brenta::report::OwnedReport;
using brenta::storage::ApplyBlueprintList;
using ReportFacility = brenta::report::Facility;

namespace {

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
            owned.push_back(cat.strOwned[i].text);
    return owned;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

class Import : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(Import);

TEST_P(Import, TheReportReadsBackIntoAnEmptyOwnedSet)
{
    Catalogue owner = Fresh();
    owner.bOwned[kPlatesIndex] = true;
    owner.strOwned[kPlatesIndex] = owned::Read("11294{5{2", fmt);
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
        owner.strOwned[i] = owned::Read(
            id + "{" + std::to_string(static_cast<int>(i % 40) - 5) + "{" + std::to_string(i % 7), fmt);
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
    cat.strOwned[2] = owned::Read("15975{9{9", NumberFormat{});
    ApplyBlueprintList(Join(GetParam().lines), cat, NumberFormat{});

    std::vector<std::pair<std::size_t, std::string>> owned;
    for (std::size_t i = 0; i < cat.bOwned.size(); ++i)
        if (cat.bOwned[i] && i != 2)
            owned.emplace_back(i, cat.strOwned[i].text);
    EXPECT_EQ(owned, GetParam().owned);
    EXPECT_TRUE(cat.bOwned[2]);
    EXPECT_EQ(cat.strOwned[2].text, GetParam().ownedBefore);
}

const std::string kName = std::string("Name: ") + kPlates;

INSTANTIATE_TEST_SUITE_P(Lists, ImportList,
    ::testing::Values(
        ListCase{"KeysAnywhereInTheLine", {"x " + kName, "foo ML: 5", "  PL: 2 bar"}, {{0, "11294{5{2 bar"}}},
        ListCase{"ValueEndsAtASecondKey", {kName + "Name: other", "ML: 5ML: 6", "PL: 2"}, {{0, "11294{5{2"}}},
        ListCase{
            "NameWithoutBlueprintMatchesNothing", {"Name: 100mm Reinforced Steel Plates I", "ML: 5", "PL: 2"}, {}},
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
        ListCase{
            "NameLineWinsOverLevelKeys", {"ML: 1 " + kName, "ML: 5", "PL: 6 ML: 7", "PL: 2"}, {{0, "11294{5{2"}}},
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
