#include "calc/PriceImport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Failure.h"
#include "storage/TableText.h"

using namespace brenta;

namespace {

const Catalogue& Cat()
{
    static const Catalogue cat = Catalogue::Compiled();
    return cat;
}

const NumberFormat kPoint = NumberFormat::FromDecimalSeparator('.');
const NumberFormat kComma = NumberFormat::FromDecimalSeparator(',');

constexpr std::int32_t kTritanium = 34;
constexpr std::int32_t kPyerite = 35;
constexpr std::int32_t kPlates = 11293; // [T1] 100mm Reinforced Steel Plates I

// What a table reads as, in a few words: "id=price" per match, "?name" per unknown
// name, "!line" per unreadable line, in that order.
std::string Summary(const priceimport::Preview& p)
{
    std::string s;
    for (const auto& m : p.matched)
        s += std::to_string(m.typeId) + "=" + numbers::ToText(m.newPrice, numbers::kDotFormat) + " ";
    for (const auto& u : p.unknown)
        s += "?" + u.name + " ";
    for (const auto& u : p.unreadable)
        s += "!" + std::to_string(u.line) + " ";
    if (!s.empty())
        s.pop_back();
    return s;
}

} // namespace

TEST(PriceImport, ReadsEachLineOfATable)
{
    struct Case {
        const char* what;
        std::string text;
        NumberFormat locale;
        std::string expected;
    };
    const Case cases[] = {
        {"tabs, names with prefix", "[Raw] Tritanium\t5.5\n[Raw] Pyerite\t8\n", kPoint, "34=5.5 35=8"},
        {"commas, names without prefix, any case", "tritanium,5.5\nPYERITE,8\n", kPoint, "34=5.5 35=8"},
        {"semicolons and decimal commas under a point locale", "Tritanium;5,5\nPyerite;8\n", kPoint,
            "34=5.5 35=8"},
        {"digit groups, decimal point", "100mm Reinforced Steel Plates I\t21,704.25\n", kComma, "11293=21704.25"},
        {"digit groups, decimal comma", "100mm Reinforced Steel Plates I\t21.704,25\n", kPoint, "11293=21704.25"},
        {"ambiguous figures follow the locale (point)", "Tritanium,\"1,234\"\n", kPoint, "34=1234"},
        {"ambiguous figures follow the locale (comma)", "Tritanium;1,234\n", kComma, "34=1.234"},
        {"type IDs", "34,5\n11293,7\n", kPoint, "34=5 11293=7"},
        {"spaces, no-break spaces and apostrophes as digit groups",
            "Tritanium\t1 234,5\nPyerite\t2\xC2\xA0"
            "345\nMexallon\t3\xE2\x80\xAF"
            "456,25\nIsogen\t4'567,5\n",
            kPoint, "34=1234.5 35=2345 36=3456.25 37=4567.5"},
        {"the currency after a formatted price", "Tritanium\t1,250.00 ISK\nPyerite\t8isk\n", kComma,
            "34=1250 35=8"},
        {"spaces that are no digit groups", "Tritanium\t12 34\n", kPoint, "!1"},
        {"quoted cells", "\"[Raw] Tritanium\",\"5.5\"\n", kPoint, "34=5.5"},
        {"a header line is skipped", "Item\tPrice\nTritanium\t5\n", kPoint, "34=5"},
        {"the exported columns read back, name first", "Name,Type ID,Price\r\n[Raw] Tritanium,34,2.5\r\n", kPoint,
            "34=2.5"},
        {"under a header an unknown name falls back to the type ID", "Name,Type ID,Price\nRenamed,35,9\n", kPoint,
            "35=9"},
        {"header columns in any order", "Price;Item\n3;Pyerite\n", kPoint, "35=3"},
        {"unknown names and unknown type IDs", "Unobtainium,5\n99999,5\n2,5\n", kPoint, "?Unobtainium ?99999 ?2"},
        {"bad numbers, no price, negative and non-finite prices",
            "Tritanium,abc\nPyerite\nTritanium,-1\n"
            "Tritanium,1e999\nTritanium,inf\nTritanium,nan\nTritanium,1000000000000000\n",
            kPoint, "!1 !2 !3 !4 !5 !6 !7"},
        {"the largest price the sheet shows is taken", "Tritanium,999999999999999\n", kPoint,
            "34=999999999999999"},
        {"zero and negative zero are prices", "Tritanium,0\nPyerite,-0\n", kPoint, "34=0 35=0"},
        {"empty and blank lines give nothing, line numbers go on", "\n   \nTritanium,5\n\n,\nPyerite,x\n", kPoint,
            "34=5 !6"},
        {"a later line for the same item wins", "Tritanium,1\nPyerite,2\ntritanium,3\n", kPoint, "35=2 34=3"},
        {"a quote never closed spoils its line", "Tritanium,1\n\"Pyerite,2\n", kPoint, "34=1 !2"},
        {"empty text", "", kPoint, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Summary(priceimport::Read(c.text, Cat(), c.locale)), c.expected) << c.what;
}

TEST(PriceImport, PreviewSaysWhatItDecidedAndApplyStoresTheMatches)
{
    const priceimport::Preview p
        = priceimport::Read("Item;Price\nTritanium;5,5\nPyerite;1.234\nNothing;1\nPyerite;x\n", Cat(), kPoint);
    EXPECT_EQ(p.separator, ';');
    EXPECT_TRUE(p.header);
    EXPECT_EQ(p.decimalMark, ',');
    EXPECT_TRUE(p.decimalFromFigures);
    ASSERT_EQ(p.matched.size(), 2u);
    EXPECT_EQ(p.matched[0].line, 2u);
    EXPECT_EQ(p.matched[0].name, "[Raw] Tritanium");
    EXPECT_EQ(p.matched[0].oldPrice, Cat().dblPrices[kTritanium]);
    EXPECT_EQ(p.matched[1].newPrice, 1234);
    ASSERT_EQ(p.unknown.size(), 1u);
    EXPECT_EQ(p.unknown[0].line, 4u);
    ASSERT_EQ(p.unreadable.size(), 1u);
    EXPECT_EQ(p.unreadable[0].line, 5u);
    EXPECT_EQ(p.unreadable[0].reason, "\"x\" is not a price");

    std::vector<double> prices = Cat().dblPrices;
    priceimport::Apply(p, prices);
    EXPECT_EQ(prices[kTritanium], 5.5);
    EXPECT_EQ(prices[kPyerite], 1234);
    EXPECT_EQ(prices[kPlates], Cat().dblPrices[kPlates]);

    EXPECT_THROW(priceimport::Read(std::string(storage::kMaxTableBytes + 1, ' '), Cat(), kPoint), Failure);
}

TEST(PriceImport, ExportWritesEveryItemAndReadsBack)
{
    Catalogue cat = Cat();
    cat.dblPrices[kTritanium] = 1234567.25;
    cat.dblPrices[kPyerite] = 0.0001;
    cat.strItemNames.Set(kPlates, "[T1] Plates, \"Reinforced\"");
    const std::string csv = priceimport::ExportCsv(cat);
    EXPECT_TRUE(csv.starts_with("Name,Type ID,Price\r\n"));
    EXPECT_NE(csv.find("\r\n[Raw] Tritanium,34,1234567.25\r\n[Raw] Pyerite,35,0.0001\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n\"[T1] Plates, \"\"Reinforced\"\"\",11293,"), std::string::npos);
    EXPECT_EQ(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), 914u);

    // Read back under either locale, every item matches at its price.
    for (const NumberFormat& locale : {kPoint, kComma}) {
        const priceimport::Preview p = priceimport::Read(csv, cat, locale);
        EXPECT_EQ(p.matched.size(), 913u);
        EXPECT_TRUE(p.unknown.empty());
        EXPECT_TRUE(p.unreadable.empty());
        std::vector<double> prices(cat.dblPrices.size(), -1.0);
        priceimport::Apply(p, prices);
        for (std::size_t id = 0; id < prices.size(); ++id)
            if (!cat.strItemNames[id].empty())
                EXPECT_EQ(prices[id], cat.dblPrices[id]) << id;
    }

    cat.dblPrices[kTritanium] = std::numeric_limits<double>::infinity();
    EXPECT_THROW(priceimport::ExportCsv(cat), Failure);
}
