// What the run count and the price boxes let in, key by key and as whole texts.

#include "calc/InputFields.h"

#include <gtest/gtest.h>

#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

TEST(InputFields, RunCountKeys)
{
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(fields::RunsKeyPasses(c), c == 8 || (c >= '0' && c <= '9')) << c;
}

TEST(InputFields, PriceKeysUnderEachSeparator)
{
    for (const char sep : {'.', ','}) {
        const char other = sep == '.' ? ',' : '.';
        for (int c = 0; c < 256; ++c) {
            const bool expected = c == 8 || c == 13 || c == sep || (c >= '0' && c <= '9');
            EXPECT_EQ(fields::PriceKeyPasses(c, sep, "12"), expected) << sep << " " << c;
        }
        // A second separator is refused; the other locale's mark never passes.
        EXPECT_FALSE(fields::PriceKeyPasses(sep, sep, std::string("1") + sep + "5"));
        EXPECT_TRUE(fields::PriceKeyPasses('7', sep, std::string("1") + sep + "5"));
        EXPECT_FALSE(fields::PriceKeyPasses(other, sep, ""));
    }
}

TEST(InputFields, WholeTexts)
{
    for (const char* ok : {"", "0", "1000000", "0012"})
        EXPECT_TRUE(fields::IsRunsText(ok)) << ok;
    for (const char* bad : {"-5", "1.5", "+3", " 3", "1e3", "1,000", "\xd9\xa3"}) // the last an Arabic digit
        EXPECT_FALSE(fields::IsRunsText(bad)) << bad;

    for (const char* ok : {"", ",", "1,5", ",5", "12,"})
        EXPECT_TRUE(fields::IsPriceText(ok, ',')) << ok;
    for (const char* bad : {"1,5,", "1.5", "-5", "1E+16", "5 "})
        EXPECT_FALSE(fields::IsPriceText(bad, ',')) << bad;
    EXPECT_TRUE(fields::IsPriceText("1.5", '.'));
}

class TypedPrice : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(TypedPrice);

TEST_P(TypedPrice, EmptyIsZeroAndNonNumbersAreNoPrice)
{
    EXPECT_EQ(fields::PriceFromBox("", fmt), 0.0);
    EXPECT_EQ(fields::PriceFromBox(test::Localised("1.5", fmt), fmt), 1.5);
    EXPECT_EQ(fields::PriceFromBox(test::Localised("12.", fmt), fmt), 12.0);
    EXPECT_EQ(fields::PriceFromBox(std::string(1, fmt.decSep), fmt), std::nullopt);
    EXPECT_EQ(fields::PriceFromBox(std::string(400, '9'), fmt), std::nullopt); // beyond a 64-bit float
}

} // namespace
