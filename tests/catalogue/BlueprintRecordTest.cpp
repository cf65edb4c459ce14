#include "catalogue/BlueprintRecord.h"

#include <gtest/gtest.h>

using namespace brenta;

namespace {

constexpr std::string_view kPlates
    = "100mm Reinforced Steel Plates I Blueprint{11294{10{|34/676|35/203|36/280|37/39|38/2|39/1{12000{12000{600{120";
constexpr std::string_view kAfterburner
    = "100MN Afterburner II Blueprint{12069{10{|34/19000|35/10500|36/1105|37/55|38/28|39/3|3380/5|11399/8|"
      "11449/1|11475/1|11529/1|11530/8|11531/10|11549/5|12066/1{80000{120000{20000{4000";

TEST(BlueprintRecord, SplitsFieldsMaterialsAndEntries)
{
    EXPECT_EQ(text::Split(kPlates, '{').size(), 8u);
    EXPECT_EQ(record::Field(kPlates, 0), "100mm Reinforced Steel Plates I Blueprint");
    EXPECT_EQ(record::Field(kPlates, 7), "120");

    const auto materials = record::Materials(kPlates);
    ASSERT_EQ(materials.size(), 7u);
    EXPECT_EQ(materials[0], "");
    const auto last = record::SplitEntry(materials.back());
    EXPECT_EQ(last.typeIdText, "39");
    EXPECT_EQ(last.quantityText, "1");

    EXPECT_EQ(record::Materials("One Blueprint{1{10{|34/5{1{1{60{12").size(), 2u);
    EXPECT_EQ(text::Split("", '{').size(), 1u);
}

TEST(BlueprintRecord, DerivesWasteFactorAndTimes)
{
    const NumberFormat comma = NumberFormat::FromDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(record::BaseWastageFactor(kPlates, comma), 0.1);
    EXPECT_EQ(record::BaseWastageFactor("X Blueprint{1{0{|34/5{1{1{60{12", comma), 0);
    EXPECT_DOUBLE_EQ(record::BaseWastageFactor("X Blueprint{1{5{|34/5{1{1{60{12", comma), 0.05);
    EXPECT_EQ(record::Times(kAfterburner), "80000{120000{20000");
    EXPECT_EQ(record::Field(kAfterburner, record::kFieldProductivityModifier), "4000");
}

TEST(BlueprintRecord, MissingFieldsAndQuantitiesAreFailures)
{
    EXPECT_THROW(record::Field("Short{1{10", 3), Failure);
    EXPECT_THROW(record::SplitEntry("34"), Failure);
}

} // namespace
