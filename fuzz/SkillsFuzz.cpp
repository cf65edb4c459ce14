// The skills file reader: whatever the file holds, a selector gets a level it has
// or keeps its position, and the levels saved read back the same.

#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "storage/SkillsFile.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content = fuzz::Text(data, size);
    for (const NumberFormat& fmt : fuzz::kFormats) {
        const storage::SkillLevels read = storage::ReadSkills(content, fmt);
        const std::optional<std::int16_t> levels[]
            = {read.metallurgy, read.research, read.industry, read.productionEfficiency};
        std::int16_t chosen[4] = {};
        for (std::size_t i = 0; i < 4; ++i) {
            if (!levels[i])
                continue;
            fuzz::Check(*levels[i] >= 0 && *levels[i] <= storage::kMaxSkillLevel, "a level the selector has");
            chosen[i] = *levels[i];
        }
        const storage::SkillLevels back
            = storage::ReadSkills(storage::SkillsText(chosen[0], chosen[1], chosen[2], chosen[3]), fmt);
        fuzz::Check(back.metallurgy == chosen[0] && back.research == chosen[1] && back.industry == chosen[2]
                && back.productionEfficiency == chosen[3],
            "saved levels read back");
    }
    return 0;
}
