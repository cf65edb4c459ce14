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
std::string RunningTime(std::int32_t BaseSeconds, std::int32_t SkillLevel, double SkillMult, double POSMult,
    std::int32_t Runs);

// Seconds of one run at a productivity level: P x (1 - (M / P) x (PL / (PL + 1))),
// rounded half to even. PL = -1 or P = 0 is a Failure (division by zero).
std::int32_t BuildSecondsPerRun(double productionSeconds, double productivityModifier, std::int32_t pl);

} // namespace brenta::times
