// Owned records: read once from their text, and made from the ML and PL boxes.

#include "storage/OwnedRecord.h"

#include <gtest/gtest.h>

#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

class OwnedRead : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(OwnedRead);

// Each field is read once; the level texts stand as written, so the level boxes
// and the report show them unchanged, and the text saves back byte for byte.
TEST_P(OwnedRead, FieldsAreReadOnceAndTheTextIsKept)
{
    using Id = std::optional<std::int32_t>;
    const Id none;
    const struct {
        const char* text; // "." and "," are the locale's separators
        Id typeId;
        bool complete;
        OwnedLevel ml;
        OwnedLevel pl;
    } cases[] = {
        {"11294{5{2", 11294, true, {"5", 5}, {"2", 2}},
        {"11294{-3{0", 11294, true, {"-3", -3}, {"0", 0}},
        {"11294{ 5 {+2", 11294, true, {" 5 ", 5}, {"+2", 2}}, // spaces and sign as the number reader takes them
        {"11294{1.5{2.5", 11294, true, {"1.5", 2}, {"2.5", 2}}, // half to even
        {"11294{1,000{1e1", 11294, true, {"1,000", 1000}, {"1e1", 10}},
        {"11294{2147483647{-2147483648", 11294, true, {"2147483647", 2147483647}, {"-2147483648", -2147483648}},
        {"11294{2147483648{99999999999", 11294, true, {"2147483648", none},
            {"99999999999", none}}, // beyond 32 bits
        {"11294{abc{5x", 11294, true, {"abc", none}, {"5x", none}},
        {"11294{{", 11294, true, {"", none}, {"", none}}, // empty fields are there, but no numbers
        {"11294{5{2{7{0", 11294, true, {"5", 5}, {"2", 2}}, // fields past the PL stay in the text alone
        {"11294{5", 11294, false, {"5", 5}, {"", none}},
        {"11294", 11294, false, {"", none}, {"", none}},
        {"", none, false, {"", none}, {"", none}},
        {"11294.4{5{2", 11294, true, {"5", 5}, {"2", 2}},
        {"x{5{2", none, true, {"5", 5}, {"2", 2}},
        {"{5{2", none, true, {"5", 5}, {"2", 2}},
    };
    for (const auto& c : cases) {
        const std::string text = test::Localised(c.text, fmt);
        SCOPED_TRACE(text);
        const OwnedRecord record = owned::Read(text, fmt);
        EXPECT_EQ(record.text, text);
        EXPECT_EQ(record.typeId, c.typeId);
        EXPECT_EQ(record.complete, c.complete);
        EXPECT_EQ(record.ml, (OwnedLevel{test::Localised(c.ml.text, fmt), c.ml.value}));
        EXPECT_EQ(record.pl, (OwnedLevel{test::Localised(c.pl.text, fmt), c.pl.value}));
    }
    // An empty record reads as the slot the catalogue starts with.
    EXPECT_EQ(owned::Read("", fmt), OwnedRecord());
}

TEST(OwnedRecord, LevelsFromTheBoxesRoundHalfToEven)
{
    const struct {
        const char* box;
        std::int32_t level;
    } cases[] = {
        {"7.5", 8},
        {"6.5", 6},
        {"10", 10},
        {"-3", -3},
        {"-2.5", -2},
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"7,5", 7}, // the leading number reads "." only, whatever the locale
        {" 4", 4},
        {"2147483647", 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(owned::LevelFromBox(c.box), c.level) << c.box;
    EXPECT_THROW(owned::LevelFromBox("2147483648"), Failure);
    EXPECT_THROW(owned::LevelFromBox("1e20"), Failure);
}

TEST_P(OwnedRead, CheckingBuildsTheRecordFromBothBoxes)
{
    EXPECT_EQ(owned::Record("11294", "10", "2", fmt), owned::Read("11294{10{2", fmt));
    EXPECT_EQ(owned::Record("11294", "x", "6.5", fmt), owned::Read("11294{0{6", fmt));
    EXPECT_THROW(owned::Record("11294", "1", "2147483648", fmt), Failure);
}

// The one rule a changed level box follows, on the main window and in a shown
// blueprint alike.
TEST_P(OwnedRead, AChangedBoxKeepsTheOtherLevelOfTheOldRecordOrTheOldRecord)
{
    const struct {
        const char* old; // "." is the locale's decimal separator
        const char* typeId;
        owned::Box box;
        const char* typed;
        const char* after; // nullptr: the old record stays
    } cases[] = {
        {"11294{3{2", "11294", owned::Box::ML, "7.5", "11294{8{2"},
        {"11294{3{2", "11294", owned::Box::ML, "6.5", "11294{6{2"},
        {"11294{3{2", "11294", owned::Box::PL, "9", "11294{3{9"},
        {"0{3{2", "11294", owned::Box::ML, "3", "11294{3{2"}, // the type ID is the blueprint's
        {"11294{3{2{0", "11294", owned::Box::PL, "4", "11294{3{4"}, // extra fields go
        {"11294{1{2.5", "11294", owned::Box::ML, "1", "11294{1{2"}, // an imported level with decimals
        {"11294{3{-32768", "11294", owned::Box::ML, "1", "11294{1{-32768"},
        // An old level that is missing, no number or beyond 16 bits, or a typed
        // level beyond 32 bits: nothing is invented.
        {"11294{3", "11294", owned::Box::ML, "1", nullptr},
        {"11294{3{x", "11294", owned::Box::ML, "1", nullptr},
        {"11294{3{40000", "11294", owned::Box::ML, "1", nullptr},
        {"", "11294", owned::Box::ML, "1", nullptr},
        {"11294{x{2", "11294", owned::Box::PL, "1", nullptr},
        {"11294{3{2", "11294", owned::Box::ML, "3e9", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.old);
        const OwnedRecord old = owned::Read(test::Localised(c.old, fmt), fmt);
        const OwnedRecord after = owned::WithBox(old, c.typeId, c.box, c.typed, fmt);
        EXPECT_EQ(after, c.after ? owned::Read(c.after, fmt) : old);
    }
}

} // namespace
