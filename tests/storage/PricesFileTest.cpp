#include "storage/PricesFile.h"

#include <limits>
#include <map>

#include <gtest/gtest.h>

#include "base/Failure.h"
#include "catalogue/Catalogue.h"

using brenta::Failure;
using brenta::kTypeIdSlots;
using brenta::NumberFormat;
using brenta::storage::ApplyPrices;
using brenta::storage::PricesText;

namespace {

const NumberFormat kPoint = NumberFormat::FromDecimalSeparator('.');
const NumberFormat kComma = NumberFormat::FromDecimalSeparator(',');

// Every slot starts with a price of its own, so a line landing in the wrong slot
// or a skipped line that still changed something shows.
std::vector<double> DefaultPrices()
{
    std::vector<double> prices(kTypeIdSlots);
    for (int id = 0; id < kTypeIdSlots; ++id)
        prices[static_cast<std::size_t>(id)] = 1000.0 + id;
    return prices;
}

struct ReadCase {
    const char* name;
    std::string content;
    NumberFormat fmt;
    std::map<int, double> changed; // type ID -> price; every other slot keeps its default
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class PricesReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PricesReadTest, ChangesExactlyTheListedPrices)
{
    std::vector<double> prices = DefaultPrices();
    ASSERT_NO_THROW(ApplyPrices(GetParam().content, prices, GetParam().fmt));

    std::vector<double> expected = DefaultPrices();
    for (const auto& [id, price] : GetParam().changed)
        expected[static_cast<std::size_t>(id)] = price;
    for (int id = 0; id < kTypeIdSlots; ++id)
        ASSERT_EQ(prices[static_cast<std::size_t>(id)], expected[static_cast<std::size_t>(id)])
            << "type ID " << id;
}

INSTANTIATE_TEST_SUITE_P(Lines, PricesReadTest,
    ::testing::Values(ReadCase{"OnlyLine", "34{5\r\n", kPoint, {{34, 5}}},
        ReadCase{"NoFinalTerminator", "34{5", kPoint, {{34, 5}}}, ReadCase{"EmptyFile", "", kPoint, {}},
        ReadCase{"ShortLinesSkipped", "\r\n7\r\n34{5\r\n\r\n", kPoint, {{34, 5}}},
        ReadCase{"ExtraFieldsIgnored", "34{5{x", kPoint, {{34, 5}}},
        ReadCase{"TypeIdRounded", "34.4{5\r\n35.5{6\r\n38.5{7", kPoint, {{34, 5}, {36, 6}, {38, 7}}},
        ReadCase{"LaterLineWins", "34{5\r\n35{1\r\n34{6", kPoint, {{34, 6}, {35, 1}}},
        ReadCase{"LoneCrEndsALine", "34{5\r35{6", kPoint, {{34, 5}, {35, 6}}},
        ReadCase{"FractionsAndSigns", "34{2.35\r\n35{-4\r\n36{5E-05\r\n37{1E+16", kPoint,
            {{34, 2.35}, {35, -4}, {36, 5E-05}, {37, 1E+16}}},
        ReadCase{"DecimalComma", "34{2,5", kComma, {{34, 2.5}}},
        ReadCase{"FirstAndLastTypeId", "0{1\r\n30908{2", kPoint, {{0, 1}, {30908, 2}}},
        // Unusable lines are skipped on their own; the good line around them counts.
        ReadCase{"NoBrace", "3434\r\n35{1", kPoint, {{35, 1}}},
        ReadCase{"TypeIdNotANumber", "abc{5\r\n{5\r\n35{1", kPoint, {{35, 1}}},
        ReadCase{"PriceNotANumber", "34{abc\r\n34{\r\n34{.\r\n35{1", kPoint, {{35, 1}}},
        ReadCase{"TypeIdOutOfRange", "-1{5\r\n30909{5\r\n1e300{5\r\n35{1", kPoint, {{35, 1}}},
        ReadCase{"PriceBeyondFloatRange", "34{1e999\r\n35{1", kPoint, {{35, 1}}},
        ReadCase{"PointInACommaLocale", "34{2.5\r\n35{1", kComma, {{35, 1}}},
        ReadCase{"LfOnlyLineEnds", "34{5\n35{6\n", kPoint, {{34, 5}, {35, 6}}}),
    [](const auto& param) { return std::string(param.param.name); });

class PricesWriteTest : public ::testing::Test {
protected:
    PricesWriteTest() : names(kTypeIdSlots), prices(kTypeIdSlots, 7.0)
    {
        names.Set(18, "[Raw] Plagioclase");
        names.Set(34, "[Raw] Tritanium");
        names.Set(11399, "[Comp] Morphite");
        names.Set(30908, "[Item] Last");
        prices[18] = 0;
        prices[34] = 2.5;
        prices[11399] = 1E+16;
        prices[30908] = -0.125;
    }

    brenta::ItemNames names;
    std::vector<double> prices;
};

TEST_F(PricesWriteTest, WritesEveryNamedItemInTypeIdOrder)
{
    EXPECT_EQ(PricesText(names, prices, kPoint), "18{0\r\n34{2.5\r\n11399{1E+16\r\n30908{-0.125\r\n");
    EXPECT_EQ(PricesText(names, prices, kComma), "18{0\r\n34{2,5\r\n11399{1E+16\r\n30908{-0,125\r\n");
}

TEST_F(PricesWriteTest, WrittenTextReadsBackToTheSamePrices)
{
    prices[34] = 1234567.89;
    prices[18] = 5E-05;
    for (const NumberFormat& fmt : {kPoint, kComma}) {
        std::vector<double> readBack(kTypeIdSlots, 0.0);
        ApplyPrices(PricesText(names, prices, fmt), readBack, fmt);
        for (int id : {18, 34, 11399, 30908})
            EXPECT_EQ(readBack[static_cast<std::size_t>(id)], prices[static_cast<std::size_t>(id)]) << id;
    }
}

TEST_F(PricesWriteTest, PriceThatCannotBeWrittenIsAFailure)
{
    prices[34] = std::numeric_limits<double>::infinity();
    EXPECT_THROW(PricesText(names, prices, kPoint), Failure);
}

} // namespace
