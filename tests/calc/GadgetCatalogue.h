#pragma once

// A catalogue of one blueprint, type ID 700, making 4 units a run from a mineral, a
// skill, a material that takes no row (quantity 0) and a component written with
// leading zeros and priced below one.

#include "catalogue/Catalogue.h"

namespace brenta::test {

inline Catalogue GadgetCatalogue()
{
    Catalogue cat;
    cat.DimArrays();
    cat.strBPs.Set(0, "Gadget Blueprint{700{5{|34/10|3380/2|36/0|500/003{600{700{800{120");
    cat.strItemNames.Set(34, "[Raw] Tritanium");
    cat.strItemNames.Set(36, "[Raw] Mexallon");
    cat.strItemNames.Set(500, "[Comp] Widget");
    cat.strItemNames.Set(3380, "[Skill] Industry");
    cat.dblPrices[34] = 2.5;
    cat.dblPrices[500] = 0.25;
    cat.dblPrices[3380] = 20000;
    cat.intBPIndex[700] = 0;
    cat.intBatchSize[700] = 4;
    return cat;
}

} // namespace brenta::test
