#pragma once

// The materials of the 100mm plates blueprint (one run), as the sheet and the
// comparison tests hand them over: name, base quantity and stored price.

#include <cstdint>
#include <vector>

namespace brenta::test {

struct Material {
    const char* name;
    std::int32_t base;
    const char* price;
};

inline const std::vector<Material> kPlatesRows = {
    {"[Raw] Tritanium", 676, "2"},
    {"[Raw] Pyerite", 203, "8"},
    {"[Raw] Mexallon", 280, "32"},
    {"[Raw] Isogen", 39, "128"},
    {"[Raw] Nocxium", 2, "512"},
    {"[Raw] Zydrine", 1, "2048"},
};

} // namespace brenta::test
