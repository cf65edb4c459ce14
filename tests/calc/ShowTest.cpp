#include "calc/Show.h"

#include <gtest/gtest.h>

#include "storage/OwnedRecord.h"
#include "tests/LocaleTest.h"
#include "tests/calc/GadgetCatalogue.h"

using namespace brenta;
using namespace brenta::show;

namespace {

Catalogue Small() { return test::GadgetCatalogue(); }

class Show : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(Show);

TEST_P(Show, AnUnownedBlueprintShowsItsRecordAtLevelZero)
{
    const Shown shown = ShowBlueprint(0, Small(), Levels{"7", "3"}, fmt);
    EXPECT_EQ(shown.index, 0);
    EXPECT_EQ(shown.typeId, 700);
    EXPECT_EQ(shown.times, "600{700{800");
    EXPECT_DOUBLE_EQ(shown.baseWastageFactor, 0.05);
    EXPECT_EQ(shown.batchText, "4");
    EXPECT_FALSE(shown.owned);
    EXPECT_EQ(shown.levels, (Levels{"0", "0"}));
    EXPECT_EQ(shown.ownedRecord, std::nullopt);
    // The material of quantity 0 takes no row; amounts as the record writes them.
    EXPECT_EQ(shown.rows,
        (std::vector<Row>{
            {34, "[Raw] Tritanium", "10", 10, test::Localised("2.5", fmt)},
            {3380, "[Skill] Industry", "2", 2, "20000"},
            {500, "[Comp] Widget", "003", 3, test::Localised("0.25", fmt)},
        }));
}

// The level boxes take the owned levels; a box whose text changes rebuilds the
// record from it, the ML first, then the PL from the record as the ML left it.
TEST_P(Show, AnOwnedBlueprintRebuildsItsRecordFromTheBoxesThatChange)
{
    const struct {
        const char* record;
        Levels boxes;
        const char* after;
    } cases[] = {
        {"700{5{2", {"5", "2"}, "700{5{2"},
        {"0{5{2", {"5", "2"}, "0{5{2"}, // no box changes: nothing rebuilt, not even the type ID
        {"0{5{2", {"0", "2"}, "700{5{2"}, // the ML box changes
        {"700{3{ 2", {"3", "9"}, "700{3{2"}, // only the PL box changes
        {"700{04{ 1", {"0", "0"}, "700{4{1"}, // both change
        {"700{1e1{3", {"0", "0"}, "700{10{3"},
        {"700{x{2", {"x", "0"}, "700{x{2"}, // the PL edit cannot read the old ML: kept
        {"700{99999999999{2", {"0", "0"}, "700{99999999999{2"}, // a level no record holds: kept
    };
    for (const auto& c : cases) {
        Catalogue cat = Small();
        cat.bOwned[0] = true;
        cat.strOwned[0] = owned::Read(c.record, fmt);
        const Shown shown = ShowBlueprint(0, cat, c.boxes, fmt);
        const auto fields = std::string(c.record);
        const std::size_t first = fields.find('{'), second = fields.find('{', first + 1);
        EXPECT_TRUE(shown.owned) << c.record;
        EXPECT_EQ(shown.levels, (Levels{fields.substr(first + 1, second - first - 1), fields.substr(second + 1)}))
            << c.record;
        ASSERT_TRUE(shown.ownedRecord) << c.record;
        EXPECT_EQ(shown.ownedRecord->text, c.after) << c.record;
    }
}

// Whatever the display cannot read fails before anything is worked out, so a
// record needing a rebuild is not rebuilt for a blueprint that is not shown.
TEST_P(Show, ABlueprintTheDisplayCannotReadIsAFailure)
{
    const struct {
        const char* what;
        std::int16_t index;
        const char* record; // replaces the Gadget's record when set
        const char* owned; // the Gadget's owned record when set
    } cases[] = {
        {"no slot below", -1, nullptr, nullptr},
        {"no slot above", kBlueprintCount, nullptr, nullptr},
        {"an empty slot", 1, nullptr, nullptr},
        {"a type ID that is not a number", 0, "Gadget Blueprint{x{5{|34/10{600{700{800{120", nullptr},
        {"a type ID beyond the batch sizes", 0, "Gadget Blueprint{31000{5{|34/10{600{700{800{120", nullptr},
        {"a waste factor that is not a number", 0, "Gadget Blueprint{700{w{|34/10{600{700{800{120", nullptr},
        {"no times", 0, "Gadget Blueprint{700{5{|34/10", nullptr},
        {"an owned record of two fields", 0, nullptr, "700{5"},
        {"a material the catalogue does not hold", 0, "Gadget Blueprint{700{5{|31000/1{600{700{800{120", "0{5{2"},
        {"more materials than rows", 0,
            "Gadget Blueprint{700{5{|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1"
            "|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1|34/1{600{700{800{120",
            "0{5{2"},
    };
    for (const auto& c : cases) {
        Catalogue cat = Small();
        if (c.record)
            cat.strBPs.Set(0, c.record);
        if (c.owned) {
            cat.bOwned[0] = true;
            cat.strOwned[0] = owned::Read(c.owned, fmt);
        }
        EXPECT_THROW(ShowBlueprint(c.index, cat, Levels{}, fmt), Failure) << c.what;
    }
}

} // namespace
