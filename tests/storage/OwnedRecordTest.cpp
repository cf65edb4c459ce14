// Owned records built from the ML and PL boxes.

#include "storage/OwnedRecord.h"

#include <gtest/gtest.h>

#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

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

TEST(OwnedRecord, CheckingBuildsTheRecordFromBothBoxes)
{
    EXPECT_EQ(owned::Record("11294", "10", "2"), "11294{10{2");
    EXPECT_EQ(owned::Record("11294", "x", "6.5"), "11294{0{6");
}

class OwnedEdit : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(OwnedEdit);

TEST_P(OwnedEdit, AnEditKeepsTheOtherLevelOfTheOldRecord)
{
    EXPECT_EQ(owned::WithML("11294{3{2", "11294", "7.5", fmt), "11294{8{2");
    EXPECT_EQ(owned::WithML("11294{3{2", "11294", "6.5", fmt), "11294{6{2");
    EXPECT_EQ(owned::WithPL("11294{3{2", "11294", "9", fmt), "11294{3{9");
    // A record that kept extra fields from its file is rebuilt to three.
    EXPECT_EQ(owned::WithPL("11294{3{2{0", "11294", "4", fmt), "11294{3{4");
    // Imported levels are taken as written and may carry decimals.
    EXPECT_EQ(owned::WithML(test::Localised("11294{1{2.5", fmt), "11294", "1", fmt), "11294{1{2");
}

TEST_P(OwnedEdit, AnOldLevelThatCannotBeReadIsAFailure)
{
    for (const char* old : {"11294{3", "11294{3{x", "11294{3{40000", ""})
        EXPECT_THROW(owned::WithML(old, "11294", "1", fmt), Failure) << old;
    EXPECT_THROW(owned::WithPL("11294{x{2", "11294", "1", fmt), Failure);
    EXPECT_THROW(owned::WithML("11294{3{2", "11294", "3e9", fmt), Failure);
}

} // namespace
