#include "storage/OwnedFile.h"

#include <gtest/gtest.h>

#include "storage/OwnedRecord.h"

using brenta::Catalogue;
using brenta::kTypeIdSlots;
using brenta::NumberFormat;
using brenta::storage::ApplyOwned;
using brenta::storage::OwnedText;

namespace {

const NumberFormat kPoint = NumberFormat::FromDecimalSeparator('.');

// A catalogue of three blueprints. Index 0 is a real blueprint, so a line that
// wrongly lands on index 0 (where intBPIndex points for every non-blueprint) shows.
Catalogue SmallCatalogue()
{
    Catalogue cat;
    cat.strBPs = brenta::BlueprintRecords(3);
    cat.strBPs.Set(0, "Alpha Blueprint{681{10{|34/100{600{600{600{0");
    cat.strBPs.Set(1, "100mm Reinforced Steel Plates I Blueprint{11294{10{|34/20{600{600{600{0");
    cat.strBPs.Set(2, "Charlie Blueprint{690{10{|35/5{600{600{600{0");
    cat.intBPIndex.assign(kTypeIdSlots, 0);
    cat.intBPIndex[681] = 0;
    cat.intBPIndex[11294] = 1;
    cat.intBPIndex[690] = 2;
    // Before reading, index 2 carries a flag and record of an earlier state.
    cat.strOwned = {{}, {}, brenta::owned::Read("690{9{9", kPoint)};
    cat.bOwned = {false, false, true};
    return cat;
}

struct ReadCase {
    const char* name;
    std::string content;
    std::vector<std::string> records; // "" = not owned, record "0{0{0"
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class OwnedReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(OwnedReadTest, SetsExactlyTheListedBlueprints)
{
    Catalogue cat = SmallCatalogue();
    ASSERT_NO_THROW(ApplyOwned(GetParam().content, cat, kPoint));
    for (std::size_t i = 0; i < cat.strBPs.size(); ++i) {
        const std::string& expected = GetParam().records[i];
        EXPECT_EQ(cat.bOwned[i], !expected.empty()) << "index " << i;
        EXPECT_EQ(cat.strOwned[i].text, expected.empty() ? "0{0{0" : expected) << "index " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, OwnedReadTest,
    ::testing::Values(ReadCase{"EmptyFileOwnsNothing", "", {"", "", ""}},
        ReadCase{"ThreeFields", "11294{5{2\r\n", {"", "11294{5{2", ""}},
        ReadCase{"FirstBlueprint", "681{-3{1", {"681{-3{1", "", ""}},
        ReadCase{"MissingPlGetsZero", "11294{5\r\n", {"", "11294{5{0", ""}},
        ReadCase{"FourFieldsKeptAndExtended", "11294{5{2{7", {"", "11294{5{2{7{0", ""}},
        ReadCase{"ShortLinesSkipped", "\r\nx\r\n690{1{2\r\n", {"", "", "690{1{2"}},
        ReadCase{"LaterLineWins", "11294{1{1\r\n690{0{0\r\n11294{3{4", {"", "11294{3{4", "690{0{0"}},
        ReadCase{"TypeIdRoundedLineKept", "11294.4{5{2\r690.5{1{1", {"", "11294.4{5{2", "690.5{1{1"}},
        // None of these may reach index 0 or any other blueprint.
        ReadCase{"NotABlueprintsTypeId", "34{5{2", {"", "", ""}},
        ReadCase{"TypeIdNotANumber", "abc{5{2\r\n{1{1", {"", "", ""}},
        ReadCase{"TypeIdOutOfRange", "-1{1{1\r\n30909{1{1\r\n1e300{1{1", {"", "", ""}},
        ReadCase{"NoBrace", "11294", {"", "", ""}},
        ReadCase{"BadLineAmongGoodOnes", "11294{5{2\r\n34{9{9\r\n690{1{1", {"", "11294{5{2", "690{1{1"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(OwnedWriteTest, WritesFlaggedRecordsInCatalogueOrder)
{
    Catalogue cat = SmallCatalogue();
    cat.strOwned = {brenta::owned::Read("681{1{2", kPoint), brenta::owned::Read("11294{4{4", kPoint),
        brenta::owned::Read("690{3{0", kPoint)};
    cat.bOwned = {true, false, true}; // index 1 was unchecked: its record stays but is not saved
    EXPECT_EQ(OwnedText(cat), "681{1{2\r\n690{3{0\r\n");
}

TEST(OwnedWriteTest, ReadRecordsWriteBackAsRead)
{
    Catalogue cat = SmallCatalogue();
    ApplyOwned("690{1{1\r\n681{2{2\r\n11294{5\r\n", cat, kPoint);
    EXPECT_EQ(OwnedText(cat), "681{2{2\r\n11294{5{0\r\n690{1{1\r\n");

    Catalogue again = SmallCatalogue();
    ApplyOwned(OwnedText(cat), again, kPoint);
    EXPECT_EQ(again.strOwned, cat.strOwned);
    EXPECT_EQ(again.bOwned, cat.bOwned);
}

} // namespace
