// The compiled-in catalogue, checked on the arrays as start-up fills them: the
// counts, ranges, distributions and reference rows the rest of the program relies on,
// the order of the records, and the links between blueprints and materials.

#include "catalogue/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/Failure.h"
#include "base/Table.h"
#include "catalogue/BlueprintRecord.h"

using namespace brenta;

namespace {

const Catalogue& Filled()
{
    static const Catalogue cat = Catalogue::Compiled();
    return cat;
}

// Unsigned decimal digits only; -1 for anything else.
long Digits(std::string_view text)
{
    long value = -1;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct Material {
    long typeId;
    long quantity;
};

struct Record {
    std::string name;
    long typeId;
    long waste;
    std::vector<Material> materials;
    long times[4]; // fields 4 to 7
    std::size_t length;
    std::size_t fieldCount;
};

const std::vector<Record>& Records()
{
    static const std::vector<Record> records = [] {
        std::vector<Record> out;
        for (const std::string_view text : Filled().strBPs) {
            const auto fields = text::Split(text, '{');
            Record r{};
            r.length = text.size();
            r.fieldCount = fields.size();
            if (fields.size() != 8) {
                out.push_back(r);
                continue;
            }
            r.name = fields[0];
            r.typeId = Digits(fields[1]);
            r.waste = Digits(fields[2]);
            const auto entries = text::Split(fields[3], '|');
            for (std::size_t i = 1; i < entries.size(); ++i) {
                const auto parts = text::Split(entries[i], '/');
                r.materials.push_back({Digits(parts[0]), parts.size() == 2 ? Digits(parts[1]) : -1});
            }
            if (!entries[0].empty())
                r.materials.clear(); // a list must begin with "|"; flagged below by the count
            for (int k = 0; k < 4; ++k)
                r.times[k] = Digits(fields[4 + static_cast<std::size_t>(k)]);
            out.push_back(r);
        }
        return out;
    }();
    return records;
}

std::string KindOf(const std::string& displayName) { return displayName.substr(1, displayName.find(']') - 1); }

std::string NameOf(const std::string& displayName) { return displayName.substr(displayName.find("] ") + 2); }

std::vector<std::size_t> NamedTypeIds()
{
    std::vector<std::size_t> ids;
    for (std::size_t id = 0; id < Filled().strItemNames.size(); ++id)
        if (!Filled().strItemNames[id].empty())
            ids.push_back(id);
    return ids;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The catalogue order: case-insensitive, apostrophes and hyphens ignored.
std::string OrderKey(const std::string& name)
{
    std::string key;
    for (char c : Lower(name))
        if (c != '\'' && c != '-')
            key += c;
    return key;
}

// Auto-pricing's builder lookup: the first record whose name, up to " Blueprint",
// is the item's name.
std::map<std::string, std::size_t> BuilderIndexes()
{
    std::map<std::string, std::size_t> first;
    for (std::size_t i = 0; i < Records().size(); ++i) {
        const std::string& name = Records()[i].name;
        first.emplace(name.substr(0, name.find(" Blueprint")), i);
    }
    return first;
}

std::size_t IndexOf(const std::string& name)
{
    const auto& records = Records();
    const auto it = std::find_if(records.begin(), records.end(), [&](const Record& r) { return r.name == name; });
    return static_cast<std::size_t>(it - records.begin());
}

template <typename T>
std::map<T, int> Tally(const std::vector<T>& values)
{
    std::map<T, int> counts;
    for (const T& v : values)
        ++counts[v];
    return counts;
}

TEST(CatalogueFill, SlotsNoTableFillsStayEmpty)
{
    const Catalogue& cat = Filled();
    EXPECT_EQ(cat.strBPs.size(), 2579u);
    EXPECT_EQ(cat.bOwned.size(), 2579u);
    EXPECT_EQ(cat.strOwned.size(), 2579u);
    for (const auto* slots : {&cat.intBPIndex, &cat.intBatchSize})
        EXPECT_EQ(slots->size(), 30909u);
    EXPECT_EQ(cat.strItemNames.size(), 30909u);
    EXPECT_EQ(cat.dblPrices.size(), 30909u);

    EXPECT_EQ(cat.strItemNames[0], "");
    EXPECT_EQ(cat.dblPrices[0], 0);
    EXPECT_EQ(cat.intBPIndex[34], 0); // a mineral, no blueprint
    EXPECT_EQ(cat.intBPIndex[11294], 0);
    EXPECT_EQ(cat.intBatchSize[34], 0);
    EXPECT_EQ(std::count(cat.bOwned.begin(), cat.bOwned.end(), true), 0);
    EXPECT_EQ(std::count(cat.strOwned.begin(), cat.strOwned.end(), OwnedRecord()), 2579);
}

TEST(CatalogueFill, DimArraysDiscardsEarlierContent)
{
    Catalogue cat = Catalogue::Compiled();
    cat.bOwned[5] = true;
    cat.strOwned[5].text = "11294{5{2";
    cat.DimArrays();
    EXPECT_EQ(cat.strBPs[0], "");
    EXPECT_EQ(cat.strItemNames[34], "");
    EXPECT_EQ(cat.dblPrices[34], 0);
    EXPECT_EQ(cat.intBPIndex[12069], 0);
    EXPECT_EQ(cat.intBatchSize[11294], 0);
    EXPECT_FALSE(cat.bOwned[5]);
    EXPECT_EQ(cat.strOwned[5], OwnedRecord());
}

// A record set at run time is the table's own text: a copy of the catalogue keeps
// reading it after the original changes it or is gone, the compiled-in records
// beside it read as before.
TEST(CatalogueFill, RecordsSetAtRunTimeSurviveCopiesAndMoves)
{
    auto original = std::make_unique<Catalogue>(Catalogue::Compiled());
    const std::string compiledFirst(original->strBPs[0]);
    original->strBPs.Set(1, "Widget Blueprint{701{10{|34/10{600{600{600{120");
    original->strBPs.Set(2, "Short{1");

    Catalogue copy = *original;
    original->strBPs.Set(1, "Changed Blueprint{702{10{|34/1{1{1{1{1");
    original.reset();
    Catalogue moved = std::move(copy);
    Catalogue assigned;
    assigned = moved;

    for (const Catalogue* cat : {&moved, &assigned}) {
        EXPECT_EQ(cat->strBPs[0], compiledFirst);
        EXPECT_EQ(cat->strBPs[1], "Widget Blueprint{701{10{|34/10{600{600{600{120");
        EXPECT_EQ(cat->strBPs[2], "Short{1");
        EXPECT_EQ(cat->strBPs.size(), 2579u);
    }
    moved.strBPs.Set(2, "");
    EXPECT_EQ(moved.strBPs[2], "");
    EXPECT_EQ(assigned.strBPs[2], "Short{1");
}

// Naming a slot, renaming it and taking the name away again; the other slots, the
// size and a walk over the table see each change as a table of texts would.
TEST(CatalogueFill, ItemNamesNameAndUnnameSlots)
{
    ItemNames names(6);
    names.Set(2, "[Raw] Tritanium");
    names.Set(4, "[Comp] Widget");
    const std::string& second = names[2];
    names.Set(5, "[T1] Plate");
    names.Set(4, "[Comp] Gadget");
    names.Set(5, "");
    names.Set(1, "");

    const std::vector<std::string> expected{"", "", "[Raw] Tritanium", "", "[Comp] Gadget", ""};
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()), expected);
    EXPECT_EQ(second, "[Raw] Tritanium"); // a name already read stays good
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(At(names, 4), "[Comp] Gadget");
    EXPECT_THROW(At(names, 6), Failure);
    EXPECT_THROW(names.Set(6, "[Raw] Outside"), std::out_of_range);

    ItemNames copy = names;
    names.Set(2, "[Raw] Pyerite");
    EXPECT_EQ(copy[2], "[Raw] Tritanium");
}
TEST(CatalogueContent, ReferenceItemRows)
{
    struct Row {
        std::size_t typeId;
        const char* name;
        double price;
    };
    const Row rows[] = {
        {34, "[Raw] Tritanium", 2},
        {35, "[Raw] Pyerite", 8},
        {36, "[Raw] Mexallon", 32},
        {37, "[Raw] Isogen", 128},
        {38, "[Raw] Nocxium", 512},
        {39, "[Raw] Zydrine", 2048},
        {40, "[Raw] Megacyte", 8192},
        {11399, "[Raw] Morphite", 32768},
        {27029, "[Raw] Chalcopyrite", 2},
        {3380, "[Skill] Industry", 20000},
        {11475, "[RAM] R.A.M.- Armor/Hull Tech", 36456},
        {583, "[Ship] Condor", 28750},
        {11530, "[Comp] Plasma Thruster", 8000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Filled().strItemNames[row.typeId], row.name);
        EXPECT_EQ(Filled().dblPrices[row.typeId], row.price);
    }
}

TEST(CatalogueContent, ItemKindsAndTheirCounts)
{
    const auto ids = NamedTypeIds();
    ASSERT_EQ(ids.size(), 913u);
    EXPECT_EQ(ids.front(), 18u);
    EXPECT_EQ(ids.back(), 30788u);

    std::vector<std::string> kinds;
    std::vector<std::string> trailingSpace;
    for (std::size_t id : ids) {
        const std::string& name = Filled().strItemNames[id];
        ASSERT_EQ(name.front(), '[') << name;
        ASSERT_NE(name.find("] "), std::string::npos) << name;
        EXPECT_FALSE(NameOf(name).empty()) << name;
        kinds.push_back(KindOf(name));
        // Every listed name has a kind the program tells apart.
        EXPECT_NE(brenta::KindOf(name), brenta::ItemKind::Other) << name;
        if (name.back() == ' ')
            trailingSpace.push_back(name);
    }
    const std::map<std::string, int> expected = {{"Item", 390}, {"T1", 252}, {"Comp", 95}, {"Skill", 70},
        {"Ship", 67}, {"T2", 14}, {"Raw", 9}, {"RAM", 8}, {"DC", 8}};
    EXPECT_EQ(Tally(kinds), expected);
    EXPECT_EQ(brenta::KindOf("Tritanium"), brenta::ItemKind::Other);
    EXPECT_EQ(brenta::KindOf("[T1]"), brenta::ItemKind::T1);
    EXPECT_EQ(brenta::KindOf("[t1] Plates"), brenta::ItemKind::Other);
    std::sort(trailingSpace.begin(), trailingSpace.end());
    EXPECT_EQ(trailingSpace,
        (std::vector<std::string>{"[Item] Fulleroferrocene ", "[Item] Metallofullerene Plating ",
            "[Item] Plutonium Metallofullerene "}));
    for (std::size_t id : ids) {
        const std::string& name = Filled().strItemNames[id];
        if (KindOf(name) == "RAM") {
            EXPECT_NE(name.find("R.A.M."), std::string::npos) << name;
        }
    }
}

TEST(CatalogueContent, DefaultPrices)
{
    const Catalogue& cat = Filled();
    std::vector<std::string> zeroKinds;
    double largest = 0;
    std::vector<std::string> largestNames;
    for (std::size_t id = 0; id < cat.dblPrices.size(); ++id) {
        const double price = cat.dblPrices[id];
        if (cat.strItemNames[id].empty()) {
            EXPECT_EQ(price, 0) << id;
            continue;
        }
        EXPECT_GE(price, 0);
        EXPECT_EQ(price, static_cast<double>(static_cast<std::int64_t>(price))) << cat.strItemNames[id];
        if (price == 0)
            zeroKinds.push_back(KindOf(cat.strItemNames[id]));
        if (price > largest)
            largestNames.clear(), largest = price;
        if (price == largest)
            largestNames.push_back(cat.strItemNames[id]);
    }
    EXPECT_EQ(Tally(zeroKinds), (std::map<std::string, int>{{"DC", 8}, {"Item", 245}, {"Skill", 8}}));
    EXPECT_EQ(largest, 776193970);
    EXPECT_EQ(largestNames, std::vector<std::string>{"[Ship] Providence"});
}

TEST(CatalogueContent, ReferenceRecords)
{
    const Catalogue& cat = Filled();
    const std::pair<std::size_t, std::string> reference[] = {
        {11294,
            "100mm Reinforced Steel Plates I Blueprint{11294{10{|34/676|35/203|36/280|37/39|38/2|39/1"
            "{12000{12000{600{120"},
        {12069,
            "100MN Afterburner II Blueprint{12069{10{|34/19000|35/10500|36/1105|37/55|38/28|39/3|3380/5"
            "|11399/8|11449/1|11475/1|11529/1|11530/8|11531/10|11549/5|12066/1{80000{120000{20000{4000"},
        {28372, "Test Arkonor Enhancement{28372{5{|22/200|44/10|3727/5|3773/10|9832/1{360000{360000{3000{3600"},
    };
    for (const auto& [typeId, text] : reference)
        EXPECT_EQ(cat.strBPs.at(static_cast<std::size_t>(cat.intBPIndex[typeId])), text);
    EXPECT_EQ(cat.strBPs[0], reference[0].second);
}

TEST(CatalogueContent, RecordFieldsAndRanges)
{
    std::vector<long> wastes;
    std::set<long> typeIds;
    std::size_t fewest = 99, most = 0, shortest = 999, longest = 0, withoutBlueprint = 0, modifierIsFifth = 0;
    long lowest[4] = {1L << 40, 1L << 40, 1L << 40, 1L << 40}, highest[4] = {0, 0, 0, 0};
    long smallestQuantity = 1L << 40, largestQuantity = 0;
    for (const Record& r : Records()) {
        SCOPED_TRACE(r.name);
        ASSERT_EQ(r.fieldCount, 8u);
        EXPECT_EQ(r.name.find_first_of("{|"), std::string::npos);
        if (r.name.size() < 10 || r.name.compare(r.name.size() - 10, 10, " Blueprint") != 0) {
            EXPECT_EQ(r.name, "Test Arkonor Enhancement");
            ++withoutBlueprint;
        }
        EXPECT_TRUE(typeIds.insert(r.typeId).second);
        wastes.push_back(r.waste);
        fewest = std::min(fewest, r.materials.size());
        most = std::max(most, r.materials.size());
        shortest = std::min(shortest, r.length);
        longest = std::max(longest, r.length);
        for (int k = 0; k < 4; ++k) {
            ASSERT_GE(r.times[k], 0);
            lowest[k] = std::min(lowest[k], r.times[k]);
            highest[k] = std::max(highest[k], r.times[k]);
        }
        if (r.times[2] % 5 == 0 && r.times[3] == r.times[2] / 5)
            ++modifierIsFifth;
        long previous = -1;
        for (const Material& m : r.materials) {
            ASSERT_GT(m.typeId, previous) << "materials stand in ascending type ID order, each once";
            previous = m.typeId;
            ASSERT_LT(m.typeId, kTypeIdSlots);
            ASSERT_GE(m.quantity, 1);
            smallestQuantity = std::min(smallestQuantity, m.quantity);
            largestQuantity = std::max(largestQuantity, m.quantity);
            if (KindOf(Filled().strItemNames[static_cast<std::size_t>(m.typeId)]) == "Skill") {
                EXPECT_LE(m.quantity, 5) << "a skill's quantity is its level";
            }
        }
    }
    EXPECT_EQ(withoutBlueprint, 1u);
    EXPECT_EQ(*typeIds.begin(), 681);
    EXPECT_EQ(*typeIds.rbegin(), 30843);
    EXPECT_EQ(Tally(wastes), (std::map<long, int>{{0, 103}, {5, 129}, {10, 2347}}));
    EXPECT_EQ(fewest, 1u);
    EXPECT_EQ(most, 22u);
    EXPECT_EQ(smallestQuantity, 1);
    EXPECT_EQ(largestQuantity, 15968500);
    EXPECT_EQ(shortest, 49u);
    EXPECT_EQ(longest, 240u);
    EXPECT_EQ(modifierIsFifth, 2269u);
    const long expectedLowest[4] = {120, 120, 60, 5}, expectedHighest[4] = {31449600, 31449600, 5120000, 1024000};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(lowest[k], expectedLowest[k]) << "field " << 4 + k;
        EXPECT_EQ(highest[k], expectedHighest[k]) << "field " << 4 + k;
    }
}

TEST(CatalogueContent, NamedItemsAreExactlyTheMaterials)
{
    std::set<std::size_t> materials;
    for (const Record& r : Records())
        for (const Material& m : r.materials)
            materials.insert(static_cast<std::size_t>(m.typeId));
    const auto named = NamedTypeIds();
    EXPECT_EQ(materials, std::set<std::size_t>(named.begin(), named.end()));
}

TEST(CatalogueContent, RecordsStandInNameOrder)
{
    const auto& records = Records();
    for (std::size_t i = 1; i < records.size(); ++i)
        ASSERT_LE(OrderKey(records[i - 1].name), OrderKey(records[i].name))
            << records[i - 1].name << " / " << records[i].name;
    EXPECT_EQ(records[0].name, "100mm Reinforced Steel Plates I Blueprint");
    const std::pair<const char*, const char*> examples[] = {
        {"Abaddon Blueprint", "'Abatis' 100mm Reinforced Steel Plates I Blueprint"},
        {"Antimatter Reactor Unit Blueprint", "Anti-Thermal Screen Reinforcer I Blueprint"},
    };
    for (const auto& [before, after] : examples) {
        ASSERT_LT(IndexOf(after), records.size()) << after;
        EXPECT_LT(IndexOf(before), IndexOf(after)) << before;
    }
}

TEST(CatalogueContent, NamesTheProgramMentions)
{
    const char* names[] = {"100MN Afterburner II Blueprint", "Antimatter Charge S Blueprint",
        "Barrage S Blueprint", "Aurora S Blueprint", "Cap Booster 25 Blueprint", "Concussion Bomb Blueprint",
        "Bomb Blueprint", "Warp Disrupt Probe Blueprint", "R.A.M.- Armor/Hull Tech Blueprint",
        "Test Arkonor Enhancement", "Test Armageddon Wingman  Blueprint", "Plasma Thruster Blueprint"};
    for (const char* name : names)
        EXPECT_LT(IndexOf(name), Records().size()) << name;

    std::vector<std::string> all, twoSpaces, slash;
    for (const Record& r : Records()) {
        all.push_back(r.name);
        if (r.name.find("  ") != std::string::npos)
            twoSpaces.push_back(r.name);
        if (r.name.find('/') != std::string::npos)
            slash.push_back(r.name);
    }
    std::vector<std::string> twice;
    for (const auto& [name, count] : Tally(all)) {
        EXPECT_LE(count, 2) << name;
        if (count == 2)
            twice.push_back(name);
    }
    EXPECT_EQ(twice,
        (std::vector<std::string>{"Neurovisual Output Analyzer Blueprint",
            "Reconfigured Subspace Calibrator Blueprint", "Reinforced Metallofullerene Alloys Blueprint",
            "Warfare Computation Core Blueprint"}));
    EXPECT_EQ(twoSpaces.size(), 9u);
    EXPECT_NE(
        std::find(twoSpaces.begin(), twoSpaces.end(), "Test Armageddon Wingman  Blueprint"), twoSpaces.end());
    EXPECT_EQ(slash, std::vector<std::string>{"R.A.M.- Armor/Hull Tech Blueprint"});
}

TEST(CatalogueContent, BlueprintIndexMapPointsBackToEachRecord)
{
    const Catalogue& cat = Filled();
    for (std::size_t i = 0; i < Records().size(); ++i)
        ASSERT_EQ(cat.intBPIndex[static_cast<std::size_t>(Records()[i].typeId)], static_cast<std::int16_t>(i));
    EXPECT_EQ(
        std::count_if(cat.intBPIndex.begin(), cat.intBPIndex.end(), [](std::int16_t v) { return v != 0; }), 2578);
}

TEST(CatalogueContent, BatchSizes)
{
    const Catalogue& cat = Filled();
    std::vector<std::int16_t> sizes;
    std::set<std::size_t> blueprintIds;
    for (const Record& r : Records()) {
        blueprintIds.insert(static_cast<std::size_t>(r.typeId));
        sizes.push_back(cat.intBatchSize[static_cast<std::size_t>(r.typeId)]);
    }
    EXPECT_EQ(Tally(sizes),
        (std::map<std::int16_t, int>{
            {1, 2336}, {100, 116}, {5000, 84}, {4, 18}, {10, 16}, {3, 6}, {2, 2}, {200, 1}}));
    for (std::size_t id = 0; id < cat.intBatchSize.size(); ++id)
        if (!blueprintIds.count(id)) {
            ASSERT_EQ(cat.intBatchSize[id], 0) << id;
        }

    const std::pair<const char*, std::int16_t> examples[] = {{"100mm Reinforced Steel Plates I Blueprint", 1},
        {"Antimatter Charge S Blueprint", 100}, {"Barrage S Blueprint", 5000}, {"Aurora S Blueprint", 4},
        {"Cap Booster 25 Blueprint", 10}, {"Concussion Bomb Blueprint", 3}, {"Bomb Blueprint", 2},
        {"Warp Disrupt Probe Blueprint", 2}, {"Test Arkonor Enhancement", 200}};
    for (const auto& [name, size] : examples) {
        const std::size_t i = IndexOf(name);
        ASSERT_LT(i, Records().size()) << name;
        EXPECT_EQ(cat.intBatchSize[static_cast<std::size_t>(Records()[i].typeId)], size) << name;
    }
}

TEST(CatalogueContent, BuildersExistForBuiltKindsOnly)
{
    const auto builders = BuilderIndexes();
    const std::set<std::string> built = {"T1", "T2", "Comp", "Ship", "RAM"};
    for (std::size_t id : NamedTypeIds()) {
        const std::string& name = Filled().strItemNames[id];
        EXPECT_EQ(builders.count(NameOf(name)) == 1, built.count(KindOf(name)) == 1) << name;
    }
    EXPECT_EQ(builders.count("Tritanium"), 0u);
    EXPECT_EQ(builders.count("Industry"), 0u);
    EXPECT_EQ(builders.at("100mm Reinforced Steel Plates I"), 0u);
    EXPECT_EQ(Records()[builders.at("Plasma Thruster")].name, "Plasma Thruster Blueprint");
}

TEST(CatalogueContent, ProductionChainsAreShallowAndNeverCircular)
{
    const auto builders = BuilderIndexes();
    std::vector<int> depth(Records().size(), -1); // -2 while on the current path
    std::function<int(std::size_t)> levels = [&](std::size_t i) {
        if (depth[i] == -2)
            throw std::logic_error("circular chain through " + Records()[i].name);
        if (depth[i] >= 0)
            return depth[i];
        depth[i] = -2;
        int deepest = 0;
        for (const Material& m : Records()[i].materials) {
            const auto b = builders.find(NameOf(Filled().strItemNames[static_cast<std::size_t>(m.typeId)]));
            if (b != builders.end())
                deepest = std::max(deepest, 1 + levels(b->second));
        }
        return depth[i] = deepest;
    };
    int deepest = 0;
    for (std::size_t i = 0; i < Records().size(); ++i)
        deepest = std::max(deepest, levels(i));
    EXPECT_GE(deepest, 2); // second-tech goods are built from built goods
    EXPECT_LE(deepest, 3);
}

TEST(CatalogueContent, SearchesFindWholeFamilies)
{
    std::size_t afterburner = 0, tenMN = 0, armor = 0;
    for (const Record& r : Records()) {
        const std::string name = Lower(r.name);
        afterburner += name.find("afterburner") != std::string::npos;
        tenMN += name.rfind("10mn", 0) == 0;
        armor += name.find("armor") != std::string::npos;
    }
    EXPECT_GE(afterburner, 6u);
    EXPECT_GE(tenMN, 2u);
    EXPECT_GE(armor, 20u);
}

} // namespace
