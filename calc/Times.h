#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace brenta::times {

// The assembly arrays in the order of their selector: the time and the material
// multiplier each applies to a job.
struct AssemblyArray {
    const char* name;
    double timeMult;
    double matMult;
};

inline constexpr std::array<AssemblyArray, 15> kAssemblyArrays = {{
    {"None", 1, 1},
    {"Equipment", 0.75, 1},
    {"Rapid Equipment", 0.65, 1.2},
    {"Ammunition", 0.75, 1},
    {"Drone", 0.75, 1},
    {"Component", 0.75, 1},
    {"Capital Ship", 1, 1},
    {"Large Ship", 0.75, 1},
    {"Medium Ship", 0.75, 1},
    {"Small Ship", 0.75, 1},
    {"Adv. Large Ship", 0.75, 1.1},
    {"Adv. Medium Ship", 0.75, 1.1},
    {"Adv. Small Ship", 0.75, 1.1},
    {"Subsystem", 1, 1},
    {"X-Large Ship", 0.75, 1},
}};

// The time text "<days>D <hours>H <minutes>M <seconds>S" of BaseSeconds cut by the
// skill and the lab or array multiplier, for Runs runs. The split is done on one run
// and the parts are multiplied, then carried: negative run counts give the negative,
// mixed parts the player has always seen ("-1D -14H -20M 0S"). Any 32-bit overflow is
// a Failure.
std::string RunningTime(
    std::int32_t BaseSeconds, std::int32_t SkillLevel, double SkillMult, double POSMult, std::int32_t Runs);

// The time text of parts carried upwards as every time text carries them: seconds
// into minutes, minutes into hours, hours into days, each by division rounded toward
// minus infinity, the remainder keeping C++'s truncation. A sum beyond limit either
// way is a Failure: the sheet's times are 32-bit, the plan's totals 64-bit.
std::string CarriedTimeText(
    std::int64_t days, std::int64_t hours, std::int64_t minutes, std::int64_t seconds, std::int64_t limit);

// Seconds cut by a skill and a lab or array multiplier: (1 - level x cut) x seconds x mult,
// the one rule of research and assembly times, unrounded.
double CutSeconds(std::int32_t seconds, std::int32_t level, double cut, double mult);

// The time rule of research and assembly: a starbase lab takes a quarter off
// research, each Metallurgy or Research level 5 % off research, each Industry level
// 4 % off assembly, and the assembly array multiplies assembly.
inline constexpr double kLabCut = 0.25;
inline constexpr double kResearchSkillCut = 0.05;
inline constexpr double kIndustrySkillCut = 0.04;

// The time text of researching levels levels of a blueprint whose one level takes
// baseSeconds, at a skill level (Metallurgy for ML, Research for PL), in a lab or not.
std::string ResearchTime(std::int32_t baseSeconds, std::int32_t skillLevel, bool posLab, std::int32_t levels);

// The seconds of one run of secondsPerRun at an Industry level in an assembly array
// of the time multiplier timeMult, rounded half to even as every time text rounds it.
std::int32_t AssemblySecondsPerRun(std::int32_t secondsPerRun, std::int32_t industry, double timeMult);

// The time text of runs runs of secondsPerRun each at an Industry level, in an
// assembly array of the time multiplier timeMult.
std::string AssemblyTime(std::int32_t secondsPerRun, std::int32_t industry, double timeMult, std::int32_t runs);

// Seconds of one run at a productivity level: P x (1 - (M / P) x (PL / (PL + 1))),
// rounded half to even. PL = -1 or P = 0 is a Failure (division by zero).
std::int32_t BuildSecondsPerRun(double productionSeconds, double productivityModifier, std::int32_t pl);

} // namespace brenta::times
