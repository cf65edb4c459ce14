#pragma once

// The arithmetic of the owned blueprint report: for every owned blueprint, in
// catalogue order, its research times, the assembly time of one run and the
// material cost of one run, at the facility and skills the main window shows.
// Writing them out as text is the report file's business (storage/BlueprintList).

#include <string>
#include <vector>

#include "base/Numbers.h"
#include "catalogue/Catalogue.h"
#include "storage/BlueprintList.h"

namespace brenta::report {

struct Facility {
    bool posLab = false; // research in a starbase lab (a quarter off research times)
    double timeMult = 1; // the assembly array's time multiplier
    double matMult = 1; // the assembly array's material multiplier
    int metallurgy = 0; // skill levels 0..5
    int research = 0;
    int industry = 0;
    int pe = 0;
};

// One block per owned blueprint. A block whose levels cannot be used (not whole
// numbers, or a PL of -1, which divides by zero) says "Invalid" for its three times;
// one whose cost cannot be computed says "Invalid" for its cost ("###,##0.00"
// otherwise). The levels stand as the owned record holds them.
std::vector<storage::ReportBlock> OwnedBlocks(
    const Catalogue& cat, const Facility& facility, const NumberFormat& fmt);

// The whole report text: its head and OwnedBlocks.
std::string OwnedReport(const Catalogue& cat, const Facility& facility, const NumberFormat& fmt);

} // namespace brenta::report
