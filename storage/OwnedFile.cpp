#include "storage/OwnedFile.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "base/Failure.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedRecord.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

// The blueprint index the type ID names, or nothing when it names no blueprint
// of the catalogue.
std::optional<std::size_t> BlueprintIndexOf(std::int32_t id, const Catalogue& cat, const NumberFormat& fmt)
{
    const std::int32_t last
        = static_cast<std::int32_t>(std::min<std::size_t>(cat.intBPIndex.size(), kTypeIdSlots)) - 1;
    if (id < 0 || id > last)
        return std::nullopt;
    const std::int16_t index = cat.intBPIndex[static_cast<std::size_t>(id)];
    if (index < 0 || static_cast<std::size_t>(index) >= cat.strBPs.size())
        return std::nullopt;

    const std::string_view record = cat.strBPs[static_cast<std::size_t>(index)];
    if (record.empty())
        return std::nullopt;
    const double recordId = numbers::ToNumber(record::Field(record, record::kFieldTypeId), fmt);
    if (recordId != id)
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

} // namespace

void ApplyOwned(std::string_view content, Catalogue& cat, const NumberFormat& fmt)
{
    std::fill(cat.strOwned.begin(), cat.strOwned.end(), owned::Read("0{0{0", fmt));
    std::fill(cat.bOwned.begin(), cat.bOwned.end(), false);

    ForEachLine(content, [&](std::string_view line) {
        if (line.size() < 2)
            return;
        const auto braces = std::count(line.begin(), line.end(), '{');
        if (braces < 1)
            return;
        std::string text(line);
        if (braces != 2)
            text += "{0";
        OwnedRecord record = owned::Read(std::move(text), fmt);
        if (!record.typeId)
            return;
        std::optional<std::size_t> index;
        try {
            index = BlueprintIndexOf(*record.typeId, cat, fmt);
        } catch (const Failure&) {
            // A catalogue record without a type ID: skipped.
        }
        if (!index || *index >= cat.strOwned.size() || *index >= cat.bOwned.size())
            return;
        cat.strOwned[*index] = std::move(record);
        cat.bOwned[*index] = true;
    });
}

std::string OwnedText(const Catalogue& cat)
{
    const std::size_t end
        = std::min({cat.bOwned.size(), cat.strOwned.size(), static_cast<std::size_t>(kBlueprintCount)});
    std::string text;
    for (std::size_t i = 0; i < end; ++i) {
        if (!cat.bOwned[i])
            continue;
        text += cat.strOwned[i].text;
        text += "\r\n";
    }
    return text;
}

} // namespace brenta::storage
