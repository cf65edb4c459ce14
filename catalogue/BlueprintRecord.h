#pragma once

// A blueprint record is one line of eight fields joined by "{":
// name{type ID{base waste %{|id/qty|id/qty...{ML secs{PL secs{production secs{productivity modifier
// Records stay text; every reader splits the record it needs by these rules.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"
#include "base/Text.h"

namespace brenta::record {

inline constexpr int kFieldName = 0;
inline constexpr int kFieldTypeId = 1;
inline constexpr int kFieldWaste = 2;
inline constexpr int kFieldMaterials = 3;
inline constexpr int kFieldMLTime = 4;
inline constexpr int kFieldPLTime = 5;
inline constexpr int kFieldProductionTime = 6;
inline constexpr int kFieldProductivityModifier = 7;

// Field k of a record; a record with fewer fields is a Failure.
std::string_view Field(std::string_view record, int k);

// The material list (field 3) split at "|": element 0 is the empty text before
// the first "|", the materials are elements 1 to n.
std::vector<std::string_view> Materials(std::string_view record);

struct MaterialEntry {
    std::string_view typeIdText;
    std::string_view quantityText;
};

// An entry "34/676" split at "/"; an entry without "/" is a Failure.
MaterialEntry SplitEntry(std::string_view entry);

// Field 2 / 100: 0.1, 0.05 or 0.
double BaseWastageFactor(std::string_view record, const NumberFormat& fmt);

// Fields 4, 5 and 6 joined by "{": ML research, PL research and production seconds.
std::string Times(std::string_view record);

} // namespace brenta::record
