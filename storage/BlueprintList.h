#pragma once

// The owned blueprints as readable text: the report the export writes, and the
// import of a list of blueprints with their levels (a purchased list, or such a
// report read back).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"
#include "catalogue/Catalogue.h"

namespace brenta::storage {

// Marks every blueprint the list names as owned with the list's levels.
//
// The list's lines (ended by CR LF or a lone CR) matter by three keys, each
// case-sensitive and anywhere in the line: "Name: " names a blueprint, "ML: "
// gives the ML and "PL: " the PL of the blueprint named last. A line with
// "Name: " is a name line whatever else it holds, and one with "ML: " is not a PL
// line. A key's value is the text after its first occurrence, up to a second one.
//
// A name matches a record whose field 0 is exactly that name. It becomes owned
// at once with the record type ID{ML{PL: the type ID from the record, the levels
// from the first ML and PL lines that follow it, as written; a level the block
// does not give is 0, further level lines are ignored, and a level holding "{"
// (which would break the record's fields) counts as not given. Blueprints the list
// does not name keep their flag and record; one named twice takes the later levels.
//
// Lines that apply to no blueprint change nothing: levels before the first name
// line, and levels after a name that matches no record.
//
// A few records share a name. Within one list, the k-th name line naming such a
// name goes to the k-th record of that name (ascending index) while there is one,
// and past them to the lowest, so a report holding both twins gives both back.
void ApplyBlueprintList(std::string_view content, Catalogue& cat, const NumberFormat& fmt);

// What the report's head states: research in a starbase lab or not, and the
// assembly array's time and material multipliers.
struct ReportHead {
    bool posLab = false;
    double timeMult = 1;
    double matMult = 1;
};

// One owned blueprint's block, every value already as its text.
struct ReportBlock {
    std::string name;
    std::string ml;
    std::string mlTime;
    std::string pl;
    std::string plTime;
    std::string assembly;
    std::string cost;
};

// The report: "POS Research: True|False", "POS Assembly: " time " / " material
// multiplier, a line of 49 "-", then for each block eight lines: name, ML, ML
// research time, PL, PL research time, assembly time of one run, the one-run
// material cost and the separator. Labels are right-aligned in 15 characters;
// every line ends with CR LF.
std::string OwnedReport(const ReportHead& head, const std::vector<ReportBlock>& blocks, const NumberFormat& fmt);

} // namespace brenta::storage
