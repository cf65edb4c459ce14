#include "storage/SkillsFile.h"

#include <array>

#include <gtest/gtest.h>

using brenta::NumberFormat;
using brenta::storage::ReadSkills;
using brenta::storage::SkillLevels;
using brenta::storage::SkillsText;

namespace {

const NumberFormat kPoint = NumberFormat::FromDecimalSeparator('.');
const NumberFormat kComma = NumberFormat::FromDecimalSeparator(',');

using Levels = std::array<std::optional<std::int16_t>, 4>;
constexpr std::nullopt_t none = std::nullopt;

Levels AsArray(const SkillLevels& levels)
{
    return {levels.metallurgy, levels.research, levels.industry, levels.productionEfficiency};
}

struct ReadCase {
    const char* name;
    std::string content;
    NumberFormat fmt;
    Levels levels;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class SkillsReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SkillsReadTest, GivesTheLevels)
{
    EXPECT_EQ(AsArray(ReadSkills(GetParam().content, GetParam().fmt)), GetParam().levels);
}

INSTANTIATE_TEST_SUITE_P(Files, SkillsReadTest,
    ::testing::Values(ReadCase{"FourLevels", "4,3,5,2\r\n", kPoint, {4, 3, 5, 2}},
        ReadCase{"ExtraFieldAndLineIgnored", "4,3,5,2,9\r\n1,1,1,1\r\n", kPoint, {4, 3, 5, 2}},
        ReadCase{"SpacesAndDecimals", " 5 ,5.0, 0 ,5", kPoint, {5, 5, 0, 5}},
        ReadCase{"HalfToEven", "4.5,0.5,3.5,1.4", kPoint, {4, 0, 4, 1}},
        ReadCase{"Empty", "", kPoint, {none, none, none, none}},
        ReadCase{"EmptyFirstLine", "\r\n4,3,5,2", kPoint, {none, none, none, none}},
        ReadCase{"Short", "4,3", kPoint, {4, 3, none, none}},
        ReadCase{"NotANumber", "4,x,,2", kPoint, {4, none, none, 2}},
        ReadCase{"OutOfRange", "6,-1,5.5,99999", kPoint, {none, none, none, none}},
        ReadCase{"PointIsNoDecimalInACommaLocale", "5.0,3,5,2", kComma, {none, 3, 5, 2}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SkillsWriteTest, WritesOneLineThatReadsBack)
{
    const std::string text = SkillsText(4, 3, 5, 2);
    EXPECT_EQ(text, "4,3,5,2\r\n");
    EXPECT_EQ(AsArray(ReadSkills(text, kComma)), (Levels{4, 3, 5, 2}));
}

} // namespace
