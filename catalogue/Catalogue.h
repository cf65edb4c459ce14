#pragma once

// The game data every calculation reads, as plain arrays owned by the main window
// for the whole run. The content is compiled into the program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/TextTables.h"

namespace brenta {

inline constexpr int kBlueprintCount = 2579; // blueprint indexes 0..2578
inline constexpr int kTypeIdSlots = 30909; // type IDs 0..30908

// The kind of an item, as the prefix of its display name says ("[T1] 100mm Steel
// Plates I"); Other for a name that begins with none of the known prefixes.
enum class ItemKind { Raw, Item, T1, T2, Ship, Skill, Comp, DC, RAM, Other };
ItemKind KindOf(std::string_view displayName);

// One level field of an owned record.
struct OwnedLevel {
    std::string text; // the field as the record holds it, shown so in the level box and the report
    std::optional<std::int32_t> value; // the text as a whole 32-bit number; nothing when it is none
    bool operator==(const OwnedLevel&) const = default;
};

// The record of an owned blueprint (blueprint type ID "{" ML "{" PL, e.g.
// 11294{5{2), read once from its text by storage/OwnedRecord, which also makes
// every changed record. The text is kept whole: the owned blueprints file gets it
// back exactly as it was read.
struct OwnedRecord {
    std::string text;
    std::optional<std::int32_t> typeId; // field 0 as a whole 32-bit number
    bool complete = false; // the text holds both level fields (three fields or more)
    OwnedLevel ml; // field 1; an empty text and no value without it
    OwnedLevel pl; // field 2; likewise
    bool operator==(const OwnedRecord&) const = default;
};

struct Catalogue {
    BlueprintRecords strBPs; // by blueprint index: the blueprint record
    std::vector<bool> bOwned; // by blueprint index: the player owns it
    std::vector<OwnedRecord> strOwned; // by blueprint index: the owned record
    ItemNames strItemNames; // by type ID: "[Kind] name", "" when unnamed
    std::vector<double> dblPrices; // by type ID: unit price
    std::vector<std::int16_t> intBPIndex; // by blueprint type ID: blueprint index
    std::vector<std::int16_t> intBatchSize; // by blueprint type ID: units per run

    // Gives the seven arrays their bounds, every slot empty.
    void DimArrays();
    void LoadBPNames();
    void LoadMatNames();
    void LoadDefaultPrices();
    void LoadBPIndexMap();
    void LoadBatchSizes();

    // The compiled-in catalogue alone, as start-up fills it before the player's
    // files: DimArrays and the five loaders.
    static Catalogue Compiled();
};

} // namespace brenta
