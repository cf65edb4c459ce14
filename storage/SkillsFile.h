#pragma once

// The skills file "skills.dat": one line of four skill levels separated by ",",
// in the order Metallurgy, Research, Industry, Production Efficiency, e.g. 4,3,5,2.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Numbers.h"

namespace brenta::storage {

inline constexpr std::int16_t kMaxSkillLevel = 5;

// A level for each of the four skill selectors; nothing where the file gives no
// usable level, so that selector keeps its position.
struct SkillLevels {
    std::optional<std::int16_t> metallurgy;
    std::optional<std::int16_t> research;
    std::optional<std::int16_t> industry;
    std::optional<std::int16_t> productionEfficiency;
};

// Reads the first line of a skills file's content; further lines are ignored.
// The line is split at ","; fields 0 to 3 are read each as a locale-aware number
// (spaces around it allowed) rounded half to even. Fields after the fourth are
// ignored. A field that is missing (an empty file, a short line), not a number, or
// outside 0..5 (a level the selector does not have) gives nothing for its skill
// alone; the other skills are still read. Reading never fails.
SkillLevels ReadSkills(std::string_view content, const NumberFormat& fmt);

// The file's text: the four levels as decimal integers joined by "," and CR LF.
std::string SkillsText(
    std::int16_t metallurgy, std::int16_t research, std::int16_t industry, std::int16_t productionEfficiency);

} // namespace brenta::storage
