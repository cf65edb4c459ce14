// The selector's view: candidates by the owned filter, and the search query over
// the compiled-in names.

#include "catalogue/Search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/BlueprintRecord.h"
#include "catalogue/Catalogue.h"

using namespace brenta;

namespace {

TEST(Search, MatchesByQueryKind)
{
    const struct {
        const char* name;
        const char* query;
        bool matches;
    } cases[] = {
        {"10MN Afterburner I Blueprint", "", true},
        {"10MN Afterburner I Blueprint", "afterburner", true},
        {"10MN Afterburner I Blueprint", "AFTERBURNER i", true},
        {"10MN Afterburner I Blueprint", "^10mn", true},
        {"100MN Afterburner I Blueprint", "^10mn", false}, // a prefix, not a substring
        {"'Bora' 10MN Afterburner I Blueprint", "^10mn", false},
        {"'Bora' 10MN Afterburner I Blueprint", "10mn", true},
        {"Anything", "^", true},
        {"Anything", "^^", false}, // only the first "^" marks a prefix
        {"A^B Blueprint", "a^b", true}, // a "^" inside a query is a character
        {"Short", "^Shorter", false},
        {"Short", "Shorter", false},
        {"", "x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(search::Matches(c.name, c.query), c.matches) << c.name << " / " << c.query;
}

TEST(Search, CandidatesFollowTheOwnedFilter)
{
    const std::vector<bool> owned = {false, true, false, true};
    EXPECT_EQ(search::Candidates(4, owned, true), (std::vector<std::int16_t>{0, 1, 2, 3}));
    EXPECT_EQ(search::Candidates(4, owned, false), (std::vector<std::int16_t>{1, 3}));
    EXPECT_TRUE(search::Candidates(4, std::vector<bool>(4, false), false).empty());
}

class SearchCatalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Catalogue cat;
        cat.DimArrays();
        cat.LoadBPNames();
        names = new std::vector<std::string>;
        for (const std::string_view rec : cat.strBPs)
            names->emplace_back(record::Field(rec, record::kFieldName));
    }
    static void TearDownTestSuite() { delete names; }

    static std::vector<std::string> Names(const std::vector<std::int16_t>& view)
    {
        std::vector<std::string> out;
        out.reserve(view.size());
        for (std::int16_t i : view)
            out.push_back((*names)[static_cast<std::size_t>(i)]);
        return out;
    }

    static inline std::vector<std::string>* names = nullptr;
};

TEST_F(SearchCatalogue, QueriesOverEveryName)
{
    const std::vector<bool> none(names->size(), false);
    const auto all = search::View(*names, none, true, "");
    EXPECT_EQ(all.size(), 2579u);
    EXPECT_EQ(search::View(*names, none, true, "^"), all);

    const auto afterburners = Names(search::View(*names, none, true, "afterburner"));
    EXPECT_EQ(afterburners.size(), 27u);
    for (const std::string& name : afterburners)
        EXPECT_NE(name.find("Afterburner"), std::string::npos) << name;

    EXPECT_EQ(Names(search::View(*names, none, true, "^10mn")),
        (std::vector<std::string>{"10MN Afterburner I Blueprint", "10MN Afterburner II Blueprint",
            "10MN Vector Trim Unit I Blueprint", "10MN Vector Trim Unit II Blueprint"}));
}

TEST_F(SearchCatalogue, OwnedOnlyKeepsCatalogueOrder)
{
    std::vector<bool> owned(names->size(), false);
    const std::size_t last = names->size() - 1;
    owned[last] = owned[0] = owned[1500] = true;
    const auto view = search::View(*names, owned, false, "");
    EXPECT_EQ(view, (std::vector<std::int16_t>{0, 1500, static_cast<std::int16_t>(last)}));
    EXPECT_TRUE(search::View(*names, std::vector<bool>(names->size(), false), false, "a").empty());
}

} // namespace
