#include "storage/OwnedFile.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "base/Failure.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/TextFile.h"

namespace brenta::storage {

namespace {

// The blueprint index the type ID text names, or nothing when it names no
// blueprint of the catalogue.
std::optional<std::size_t> BlueprintIndexOf(std::string_view idText, const Catalogue& cat, const NumberFormat& fmt)
{
    const double id = numbers::RoundHalfEven(numbers::ToNumber(idText, fmt));
    const double last = static_cast<double>(std::min<std::size_t>(cat.intBPIndex.size(), kTypeIdSlots)) - 1;
    if (!(id >= 0 && id <= last))
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
    std::fill(cat.strOwned.begin(), cat.strOwned.end(), std::string("0{0{0"));
    std::fill(cat.bOwned.begin(), cat.bOwned.end(), false);

    ForEachLine(content, [&](std::string_view line) {
        if (line.size() < 2)
            return;
        const auto fields = text::Split(line, '{');
        if (fields.size() < 2)
            return;
        std::optional<std::size_t> index;
        try {
            index = BlueprintIndexOf(fields[0], cat, fmt);
        } catch (const Failure&) {
            // Not a number, or a catalogue record without a type ID: skipped.
        }
        if (!index || *index >= cat.strOwned.size() || *index >= cat.bOwned.size())
            return;
        std::string& owned = cat.strOwned[*index];
        owned.assign(line);
        if (fields.size() != 3)
            owned += "{0";
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
        text += cat.strOwned[i];
        text += "\r\n";
    }
    return text;
}

} // namespace brenta::storage
