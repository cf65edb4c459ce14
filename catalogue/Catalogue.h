#pragma once

// The game data every calculation reads, as plain arrays owned by the main window
// for the whole run. The content is compiled into the program.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenta {

inline constexpr int kBlueprintCount = 2579; // blueprint indexes 0..2578
inline constexpr int kTypeIdSlots = 30909; // type IDs 0..30908

// The kind of an item, as the prefix of its display name says ("[T1] 100mm Steel
// Plates I"); Other for a name that begins with none of the known prefixes.
enum class ItemKind { Raw, Item, T1, T2, Ship, Skill, Comp, DC, RAM, Other };
ItemKind KindOf(std::string_view displayName);

struct Catalogue {
    std::vector<std::string> strBPs; // by blueprint index: the blueprint record
    std::vector<bool> bOwned; // by blueprint index: the player owns it
    std::vector<std::string> strOwned; // by blueprint index: the owned record
    std::vector<std::string> strItemNames; // by type ID: "[Kind] name", "" when unnamed
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
