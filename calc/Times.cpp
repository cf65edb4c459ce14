#include "calc/Times.h"

#include <limits>

#include "base/Failure.h"
#include "base/Numbers.h"

namespace brenta::times {

namespace {

// Division rounding toward minus infinity; the remainder beside it keeps C++'s truncation.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

std::string CarriedTimeText(
    std::int64_t days, std::int64_t hours, std::int64_t minutes, std::int64_t seconds, std::int64_t limit)
{
    const auto add = [limit](std::int64_t a, std::int64_t b) {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(a, b, &sum) || sum > limit || sum < -limit - 1)
            throw Failure("Overflow in integer arithmetic");
        return sum;
    };
    minutes = add(FloorDiv(seconds, 60), minutes);
    seconds = seconds % 60;
    hours = add(FloorDiv(minutes, 60), hours);
    minutes = minutes % 60;
    days = add(FloorDiv(hours, 24), days);
    hours = hours % 24;
    using numbers::IntText;
    return IntText(days) + "D " + IntText(hours) + "H " + IntText(minutes) + "M " + IntText(seconds) + "S";
}

double CutSeconds(std::int32_t seconds, std::int32_t level, double cut, double mult)
{
    return numbers::Finite((1 - level * cut) * seconds * mult);
}

std::string RunningTime(
    std::int32_t BaseSeconds, std::int32_t SkillLevel, double SkillMult, double POSMult, std::int32_t Runs)
{
    using namespace numbers;
    const std::int32_t s = ToInt32(CutSeconds(BaseSeconds, SkillLevel, SkillMult, POSMult));

    // The split is done on one run, each part multiplied by the runs, then carried.
    std::int32_t seconds = s, minutes = 0, hours = 0, days = 0;
    if (s > 60) {
        seconds = s % 60;
        minutes = static_cast<std::int32_t>(FloorDiv(s, 60) % 60);
        hours = static_cast<std::int32_t>(FloorDiv(s, 3600) % 24);
        days = static_cast<std::int32_t>(FloorDiv(s, 86400));
    }
    return CarriedTimeText(Mul32(days, Runs), Mul32(hours, Runs), Mul32(minutes, Runs), Mul32(seconds, Runs),
        std::numeric_limits<std::int32_t>::max());
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
    return numbers::ToInt32(CutSeconds(secondsPerRun, industry, kIndustrySkillCut, timeMult));
}

std::string AssemblyTime(std::int32_t secondsPerRun, std::int32_t industry, double timeMult, std::int32_t runs)
{
    return RunningTime(secondsPerRun, industry, kIndustrySkillCut, timeMult, runs);
}

} // namespace brenta::times
