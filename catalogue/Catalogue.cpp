#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueData.h"

namespace brenta {

ItemKind KindOf(std::string_view displayName)
{
    static constexpr struct {
        std::string_view prefix;
        ItemKind kind;
    } kKinds[] = {
        {"[Raw]", ItemKind::Raw},
        {"[Item]", ItemKind::Item},
        {"[T1]", ItemKind::T1},
        {"[T2]", ItemKind::T2},
        {"[Ship]", ItemKind::Ship},
        {"[Skill]", ItemKind::Skill},
        {"[Comp]", ItemKind::Comp},
        {"[DC]", ItemKind::DC},
        {"[RAM]", ItemKind::RAM},
    };
    for (const auto& k : kKinds)
        if (displayName.starts_with(k.prefix))
            return k.kind;
    return ItemKind::Other;
}

// The loaders copy the compiled-in tables into the arrays; every type ID in the
// tables was checked against the arrays' bounds when the tables were built, and
// at() keeps a broken table from writing outside them all the same.

namespace data = catalogue_data;

namespace {

std::size_t Slot(std::int32_t typeId) { return static_cast<std::size_t>(typeId); }

} // namespace

void Catalogue::DimArrays()
{
    strBPs = BlueprintRecords(kBlueprintCount);
    bOwned.assign(kBlueprintCount, false);
    // Emptied and made anew rather than each slot copied from an empty record: some
    // thousands of slots, at every start.
    strOwned.clear();
    strOwned.resize(kBlueprintCount);
    strItemNames = ItemNames(kTypeIdSlots);
    dblPrices.assign(kTypeIdSlots, 0.0);
    intBPIndex.assign(kTypeIdSlots, 0);
    intBatchSize.assign(kTypeIdSlots, 0);
}

void Catalogue::LoadBPNames()
{
    // Read in place: the compiled-in records last as long as the program.
    for (std::size_t i = 0; i < data::kBlueprintRecords.size(); ++i)
        strBPs.View(i, data::kBlueprintRecords[i]);
}

void Catalogue::LoadMatNames()
{
    for (const data::ItemRow& row : data::kItems)
        strItemNames.Set(Slot(row.typeId), row.displayName);
}

void Catalogue::LoadDefaultPrices()
{
    for (const data::ItemRow& row : data::kItems)
        dblPrices.at(Slot(row.typeId)) = row.defaultPrice;
}

void Catalogue::LoadBPIndexMap()
{
    for (std::size_t i = 0; i < data::kBlueprintTypeIds.size(); ++i)
        intBPIndex.at(Slot(data::kBlueprintTypeIds[i])) = static_cast<std::int16_t>(i);
}

void Catalogue::LoadBatchSizes()
{
    for (const data::BatchRow& row : data::kBatchSizes)
        intBatchSize.at(Slot(row.blueprintTypeId)) = row.batchSize;
}

Catalogue Catalogue::Compiled()
{
    Catalogue cat;
    cat.DimArrays();
    cat.LoadBPNames();
    cat.LoadMatNames();
    cat.LoadDefaultPrices();
    cat.LoadBPIndexMap();
    cat.LoadBatchSizes();
    return cat;
}

} // namespace brenta
