#include "calc/modRounding.h"
#include "calc/modWastage.h"

#include <gtest/gtest.h>

#include "tests/LocaleTest.h"

#include <limits>
#include <string>
#include <vector>

using namespace brenta;

namespace {

class RoundingLocales : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(RoundingLocales);

TEST_P(RoundingLocales, RoundNumberDecidesHalvesOnTheFirstDecimalDigit)
{
    const struct {
        double x;
        const char* text;
        bool gains; // the caller's variable gains 0.1 when the first decimal is 5
    } cases[] = {
        {2.45, "2", false},
        {2.5, "3", true},
        {2.55, "3", true},
        {3.5, "4", true},
        {0.5, "1", true},
        {0.49999999999999994, "1", true},
        {7, "7", false},
        {-2.5, "-2", true},
        {-2.55, "-2", true},
        {-2.6, "-3", false},
        {67.60000000000001, "68", false},
        {-0.5, "0", true},
        {5e-5, "0", false},
        {1.5e-5, "0", true},
        {1e16, "1E+16", false},
    };
    for (const auto& c : cases) {
        double x = c.x;
        EXPECT_EQ(modRounding::RoundNumber(x, fmt), c.text) << c.x;
        EXPECT_EQ(x, c.gains ? c.x + 0.1 : c.x) << c.x;
    }
}

TEST_P(RoundingLocales, TheNumericRoundingAgreesWithReadingTheTextBack)
{
    // Values around halves, in every magnitude the text form switches between.
    std::vector<double> values;
    for (double scale : {1e-6, 1e-5, 1e-4, 1e-3, 0.1, 1.0, 10.0, 1e3, 1e6, 1e12, 1e14, 1e15, 1e16, 1e20})
        for (double m : {0.5, 1.5, 2.45, 2.5, 2.55, 3.5, 0.49999999999999994, 7.0, 67.60000000000001, 9.95, 1.05})
            for (double sign : {1.0, -1.0})
                values.push_back(sign * m * scale);
    for (int i = 0; i < 2000; ++i)
        values.push_back((i * 7919 % 10007) / 37.0 - 100);
    for (double v : values) {
        const std::string text = numbers::ToText(v, fmt);
        const std::size_t sep = text.find(fmt.decSep);
        const char digit = sep == std::string::npos ? '\0' : text[sep + 1];
        EXPECT_EQ(numbers::FirstDecimalDigit(v) == '5', digit == '5') << text;

        double byText = v;
        double byValue = v;
        EXPECT_EQ(modRounding::RoundNumberValue(byValue, fmt),
            numbers::ToNumber(modRounding::RoundNumber(byText, fmt), fmt))
            << text;
        EXPECT_EQ(byValue, byText) << text;
    }
}

TEST(Wastage, WastageAtMLFollowsTheFactorFromZeroAndIgnoresItBelow)
{
    const struct {
        std::int32_t ml;
        double factor;
        double waste;
    } cases[] = {
        {0, 0.1, 0.1},
        {4, 0.1, 0.02},
        {9, 0.1, 0.01},
        {0, 0.05, 0.05},
        {0, 0, 0},
        {-1, 0.1, 0.2},
        {-1, 0.05, 0.2},
        {-1, 0, 0.2},
        {-4, 0.1, 0.5},
        {-4, 0, 0.5},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(modWastage::WastageAtML(c.ml, c.factor), c.waste) << c.ml << " " << c.factor;
    EXPECT_THROW(modWastage::WastageAtML(std::numeric_limits<std::int32_t>::max(), 0.1), Failure);
    EXPECT_THROW(modWastage::WastageAtML(std::numeric_limits<std::int32_t>::min(), 0.1), Failure);
}

TEST_P(RoundingLocales, IdealMLForEstimatesAndNeverGoesNegative)
{
    const struct {
        std::int32_t base;
        double factor;
        std::int32_t ideal;
    } cases[] = {
        {676, 0.1, 134},
        {39, 0.1, 7},
        {280, 0.1, 55},
        {2, 0.1, 0},
        {1, 0.1, 0},
        {676, 0, 0},
        {15968500, 0, 0},
        {203, 0.05, 19},
    };
    for (const auto& c : cases)
        EXPECT_EQ(modWastage::IdealMLFor(c.base, c.factor, fmt), c.ideal) << c.base << " " << c.factor;
}

TEST_P(RoundingLocales, MLWasteRoundsTheMLShareOfTheWaste)
{
    EXPECT_EQ(modWastage::MLWaste(0, 676, 0.1, fmt), 68);
    EXPECT_EQ(modWastage::MLWaste(134, 676, 0.1, fmt), 1);
    EXPECT_EQ(modWastage::MLWaste(135, 676, 0.1, fmt), 0);
    EXPECT_EQ(modWastage::MLWaste(-2, 1, 0.1, fmt), 0);
}

} // namespace
