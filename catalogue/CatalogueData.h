#pragma once

// The catalogue content as compiled-in tables. CatalogueData.cpp is generated in the
// build tree from catalogue/data by tools/embed_catalogue whenever a data file
// changes; only Catalogue's loaders read these tables.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/Catalogue.h"

namespace brenta::catalogue_data {

struct ItemRow {
    std::int32_t typeId;
    std::string_view displayName; // kind prefix, one space, item name; kept byte for byte
    double defaultPrice;
};

struct BatchRow {
    std::int32_t blueprintTypeId;
    std::int16_t batchSize;
};

// Blueprint record i, in catalogue order, and the type ID in its field 1.
extern const std::array<std::string_view, kBlueprintCount> kBlueprintRecords;
extern const std::array<std::int32_t, kBlueprintCount> kBlueprintTypeIds;
// Every named item with its default price; every blueprint with its batch size.
extern const std::span<const ItemRow> kItems;
extern const std::span<const BatchRow> kBatchSizes;

} // namespace brenta::catalogue_data
