#include "storage/SkillsFile.h"

#include "base/Failure.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

std::optional<std::int16_t> Level(std::string_view text, const NumberFormat& fmt)
{
    try {
        const double level = numbers::RoundHalfEven(numbers::ToNumber(text, fmt));
        if (level < 0 || level > kMaxSkillLevel)
            return std::nullopt;
        return numbers::ToInt16(level);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

} // namespace

SkillLevels ReadSkills(std::string_view content, const NumberFormat& fmt)
{
    SkillLevels levels;
    // Only the first line counts.
    std::optional<std::string_view> first;
    ForEachLine(content, [&first](std::string_view line) {
        if (!first)
            first = line;
    });
    if (!first)
        return levels;
    const auto fields = text::Split(*first, ',');
    std::optional<std::int16_t>* targets[]
        = {&levels.metallurgy, &levels.research, &levels.industry, &levels.productionEfficiency};
    for (std::size_t k = 0; k < std::size(targets) && k < fields.size(); ++k)
        *targets[k] = Level(fields[k], fmt);
    return levels;
}

std::string SkillsText(
    std::int16_t metallurgy, std::int16_t research, std::int16_t industry, std::int16_t productionEfficiency)
{
    return numbers::IntText(metallurgy) + "," + numbers::IntText(research) + "," + numbers::IntText(industry) + ","
        + numbers::IntText(productionEfficiency) + "\r\n";
}

} // namespace brenta::storage
