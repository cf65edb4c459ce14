#include "calc/Times.h"

#include "base/Numbers.h"

namespace brenta::times {

namespace {

// Division rounding toward minus infinity; the remainder below keeps C++'s truncation.
std::int32_t FloorDiv(std::int32_t a, std::int32_t b)
{
    std::int32_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

std::string RunningTime(
    std::int32_t BaseSeconds, std::int32_t SkillLevel, double SkillMult, double POSMult, std::int32_t Runs)
{
    using namespace numbers;
    const double t = Finite((1 - SkillLevel * SkillMult) * BaseSeconds * POSMult);
    const std::int32_t s = ToInt32(t);

    std::int32_t seconds = s, minutes = 0, hours = 0, days = 0;
    if (s > 60) {
        seconds = s % 60;
        minutes = FloorDiv(s, 60) % 60;
        hours = FloorDiv(s, 3600) % 24;
        days = FloorDiv(s, 86400);
    }
    seconds = Mul32(seconds, Runs);
    minutes = Mul32(minutes, Runs);
    hours = Mul32(hours, Runs);
    days = Mul32(days, Runs);

    minutes = Add32(FloorDiv(seconds, 60), minutes);
    seconds = seconds % 60;
    hours = Add32(FloorDiv(minutes, 60), hours);
    minutes = minutes % 60;
    days = Add32(FloorDiv(hours, 24), days);
    hours = hours % 24;

    return IntText(days) + "D " + IntText(hours) + "H " + IntText(minutes) + "M " + IntText(seconds) + "S";
}

std::int32_t BuildSecondsPerRun(double productionSeconds, double productivityModifier, std::int32_t pl)
{
    using namespace numbers;
    const double ratio = Finite(static_cast<double>(pl) / Add32(pl, 1));
    const double share = Finite(productivityModifier / productionSeconds);
    return ToInt32(Finite(productionSeconds * (1 - share * ratio)));
}

std::string ResearchTime(std::int32_t baseSeconds, std::int32_t skillLevel, bool posLab, std::int32_t levels)
{
    return RunningTime(baseSeconds, skillLevel, kResearchSkillCut, 1 - kLabCut * (posLab ? 1 : 0), levels);
}

std::int32_t AssemblySecondsPerRun(std::int32_t secondsPerRun, std::int32_t industry, double timeMult)
{
    return numbers::ToInt32(numbers::Finite((1 - industry * kIndustrySkillCut) * secondsPerRun * timeMult));
}

std::string AssemblyTime(std::int32_t secondsPerRun, std::int32_t industry, double timeMult, std::int32_t runs)
{
    return RunningTime(secondsPerRun, industry, kIndustrySkillCut, timeMult, runs);
}

} // namespace brenta::times
