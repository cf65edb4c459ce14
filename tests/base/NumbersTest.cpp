#include "base/Numbers.h"

#include <gtest/gtest.h>

#include "tests/LocaleTest.h"

#include <cmath>
#include <limits>
#include <string>

using namespace brenta;
using namespace brenta::numbers;

namespace {

// Expected texts are written with "." and "," as placeholders for the decimal and
// group separators, and checked under both locales.
class NumberLocales : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(NumberLocales);

TEST_P(NumberLocales, ToTextWritesFifteenDigitsAndSwitchesToExponentAtTheThresholds)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {744, "744"},
        {0, "0"},
        {-0.0, "0"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {2.35, "2.35"},
        {67.60000000000001, "67.6"},
        {0.49999999999999994, "0.5"},
        {1.0 / 3, "0.333333333333333"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {1e16, "1E+16"},
        {-1.5e20, "-1.5E+20"},
        {0.0001, "0.0001"},
        {0.00012, "0.00012"},
        {5e-5, "5E-05"},
        {1.5e-5, "1.5E-05"},
        {1e-100, "1E-100"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {776193970, "776193970"},
        {9.9999999999999995, "10"},
        {0.1 + 0.2, "0.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToText(c.value, fmt), test::Localised(c.text, fmt)) << c.value;
}

TEST_P(NumberLocales, ToNumberReadsBackWhatToTextWrites)
{
    const double values[] = {0, 744, -2.5, 0.1, 1.0 / 3, 2.0 / 3, 1e15, -1e16, 5e-5, 1.5e-5, 123456.789,
        std::numeric_limits<double>::max(), 1e-300, 776193970, 0.49999999999999994};
    for (double v : values) {
        const std::string text = ToText(v, fmt);
        EXPECT_EQ(ToText(ToNumber(text, fmt), fmt), text) << text;
    }
}

TEST_P(NumberLocales, ToNumberAcceptsSpacesPlusAndThreeDigitGroups)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 5 ", 5},
        {"+5", 5},
        {"5.0", 5},
        {"1,000", 1000},
        {"-1,234,567.5", -1234567.5},
        {".5", 0.5},
        {"2E3", 2000},
        {"1.5e-2", 0.015},
        {"007", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToNumber(test::Localised(c.text, fmt), fmt), c.value) << c.text;
}

TEST_P(NumberLocales, ToNumberRejectsEverythingElse)
{
    const char* bad[] = {"", "  ", "-", ".", "abc", "5x", "1.2.3", "1,00", ",100", "1,0000", "1E", "1E+", "0x10",
        "inf", "nan", "1e400", "--5", "+-5", "5 5", "1.000,5"};
    for (const char* text : bad)
        EXPECT_THROW(ToNumber(test::Localised(text, fmt), fmt), Failure) << text;
}

TEST_P(NumberLocales, FormatPatternsRoundAndGroupWithTheLocaleSeparators)
{
    const struct {
        double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {0.1, "0.0000000000000", "0.1000000000000"},
        {92.148912642831, "0.0000000000", "92.1489126428"},
        {21704, "###,##0.00", "21,704.00"},
        {1704, "###,##0.00", "1,704.00"},
        {0, "###,##0.00", "0.00"},
        {999.999, "###,##0.00", "1,000.00"},
        {-1234567.891, "###,##0.00", "-1,234,567.89"},
        {-0.001, "0.00", "0.00"},
        {2.5, "0.00", "2.50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern, fmt), test::Localised(c.text, fmt)) << c.value << " " << c.pattern;
    EXPECT_EQ(Format(0.1, ".", fmt), std::string(1, fmt.decSep));
    EXPECT_THROW(Format(1, "#.#", fmt), Failure);
    EXPECT_THROW(Format(std::nan(""), "0.00", fmt), Failure);
}

// A number too wide for its place: a short form that no one reads as a smaller
// number, and the whole figure grouped beside it.
TEST_P(NumberLocales, ShortFormsAndGroupedFiguresOfNumbersTooWideToShow)
{
    const struct {
        double value;
        int digits;
        const char* text;
    } shortForms[] = {
        {15968500000000, 4, "1.597E+13"},
        {15968500000000, 2, "1.6E+13"},
        {15968500000000, 1, "2E+13"},
        {15000000000000, 4, "1.5E+13"}, // no trailing zeros
        {99996000000, 4, "1E+11"}, // rounding carries into the exponent
        {-676000000, 3, "-6.76E+08"},
        {123456789012345.75, 4, "1.235E+14"},
        {0.0000000000000001, 4, "1E-16"},
        {0.00012345, 3, "1.23E-04"},
        {5, 4, "5E+00"},
        {0, 4, "0E+00"},
        {1.7976931348623157e308, 4, "1.798E+308"},
    };
    for (const auto& c : shortForms)
        EXPECT_EQ(ShortNumberText(c.value, c.digits, fmt), test::Localised(c.text, fmt)) << c.value;
    EXPECT_THROW(ShortNumberText(HUGE_VAL, 4, fmt), Failure);
    EXPECT_THROW(ShortNumberText(1, 0, fmt), Failure);

    const struct {
        const char* text;
        const char* grouped;
    } groups[] = {
        {"15968500000000", "15,968,500,000,000"},
        {"123456789012345.75", "123,456,789,012,345.75"},
        {"-1234.5", "-1,234.5"},
        {"999", "999"},
        {"0.0000000000000001", "0.0000000000000001"},
        {"1E+15", "1E+15"}, // exponent form: as it is
        {"1,000", "1,000"}, // grouped already
        {"12.", "12."},
        {"Invalid ML", "Invalid ML"},
        {"", ""},
    };
    for (const auto& g : groups)
        EXPECT_EQ(GroupedNumberText(test::Localised(g.text, fmt), fmt), test::Localised(g.grouped, fmt)) << g.text;
}

TEST(Numbers, LeadingNumberTakesThePrefixWithThePointAsItsOnlyDecimalMark)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12abc", 12},
        {"1,000", 1},
        {"-3.5x", -3.5},
        {"abc", 0},
        {"", 0},
        {"  7", 7},
        {"+4", 4},
        {"2E3", 2000},
        {"2E", 2},
        {"2Ex", 2},
        {".5", 0.5},
        {"7.5", 7.5},
        {"-", 0},
        {"0071582789", 71582789},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
    EXPECT_THROW(LeadingNumber("1e999"), Failure);
}

TEST(Numbers, RoundingIsHalfToEvenAndIntegerConversionsAreChecked)
{
    const struct {
        double value;
        double rounded;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;

    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_THROW(ToInt16(32767.5), Failure); // rounds to 32768
    EXPECT_THROW(ToInt16(-32769), Failure);
    EXPECT_EQ(ToInt32(2147483647), 2147483647);
    EXPECT_EQ(ToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(ToInt32(2147483648.0), Failure);
    EXPECT_THROW(ToInt32(std::nan("")), Failure);
    EXPECT_THROW(ToInt32(HUGE_VAL), Failure);
    EXPECT_EQ(ToInt64(2147483648.0 * 1e6), 2147483648000000);
    EXPECT_EQ(ToInt64(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(ToInt64(9223372036854775808.0), Failure);
    EXPECT_THROW(ToInt64(std::nan("")), Failure);
    EXPECT_EQ(TextToInt32("2.5", NumberFormat{}), 2);
    EXPECT_THROW(TextToInt16("40000", NumberFormat{}), Failure);
}

TEST(Numbers, CheckedArithmeticFailsInsteadOfWrapping)
{
    EXPECT_EQ(Add32(2147483646, 1), 2147483647);
    EXPECT_THROW(Add32(2147483647, 1), Failure);
    EXPECT_THROW(Sub32(std::numeric_limits<std::int32_t>::min(), 1), Failure);
    EXPECT_EQ(Mul32(46340, 46340), 2147395600);
    EXPECT_THROW(Mul32(46341, 46341), Failure);
    EXPECT_THROW(Mul32(-1, std::numeric_limits<std::int32_t>::min()), Failure);
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_THROW(Add16(32767, 1), Failure);
    EXPECT_THROW(Mul16(256, 128), Failure);
    EXPECT_THROW(Finite(1.0 / std::numeric_limits<double>::min() * 1e300), Failure);
}

} // namespace
