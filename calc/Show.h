#pragma once

// Showing a blueprint: everything the display writes for one blueprint index,
// worked out before anything is written. The main window's display and the
// Auto-Price All pass both show blueprints through ShowBlueprint, so a blueprint
// shows the same wherever it is shown, and one that cannot be shown changes
// nothing anywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Numbers.h"
#include "catalogue/Catalogue.h"

namespace brenta::show {

// The texts of the ML and PL boxes.
struct Levels {
    std::string ml = "0";
    std::string pl = "0";
    bool operator==(const Levels&) const = default;
};

// One filled grid row.
struct Row {
    std::int32_t typeId = 0;
    std::string name; // the item's display name, kind prefix included
    std::string amountText; // the quantity as the record writes it
    std::int32_t quantity = 0; // the base quantity of one run
    std::string priceText; // the stored unit price
    bool operator==(const Row&) const = default;
};

struct Shown {
    std::int16_t index = 0; // the blueprint index
    std::int16_t typeId = 0; // the blueprint's own type ID (its icon)
    std::string times; // ML, PL and production seconds joined by "{"
    double baseWastageFactor = 0.1;
    std::string batchText; // units one run makes
    bool owned = false;
    Levels levels; // the ML and PL boxes: the owned levels, else "0" and "0"
    std::vector<Row> rows; // one per material of positive quantity, in list order
    // The owned record after showing. The level boxes take the owned levels, and a
    // box whose text changes rebuilds the record from it (ML first, then PL) by the
    // rule an edit of the box follows (owned::WithBox). Nothing when the blueprint
    // is not owned.
    std::optional<OwnedRecord> ownedRecord;
};

// Shows blueprint index with the level boxes as they stand. Every check comes
// first: a record, an owned record with fewer than three fields, a batch size, a
// material or a price the display cannot read is a Failure, and nothing has been
// changed then. Showing changes only the owned record; the caller stores
// ownedRecord.
Shown ShowBlueprint(std::int16_t index, const Catalogue& cat, const Levels& boxes, const NumberFormat& fmt);

} // namespace brenta::show
