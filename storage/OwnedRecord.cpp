#include "storage/OwnedRecord.h"

#include "catalogue/BlueprintRecord.h"

namespace brenta::owned {

namespace {

std::string Join(std::string_view typeId, std::int64_t ml, std::int64_t pl)
{
    return std::string(typeId) + "{" + numbers::IntText(ml) + "{" + numbers::IntText(pl);
}

std::int16_t OldLevel(std::string_view oldRecord, std::size_t field, const NumberFormat& fmt)
{
    const auto fields = text::Split(oldRecord, '{');
    if (fields.size() <= field)
        throw Failure("Owned record without level field " + std::to_string(field) + ": " + std::string(oldRecord));
    return numbers::TextToInt16(fields[field], fmt);
}

} // namespace

std::int32_t LevelFromBox(std::string_view boxText) { return numbers::ToInt32(numbers::LeadingNumber(boxText)); }

std::string Record(std::string_view typeId, std::string_view mlBox, std::string_view plBox)
{
    return Join(typeId, LevelFromBox(mlBox), LevelFromBox(plBox));
}

std::string WithML(
    std::string_view oldRecord, std::string_view typeId, std::string_view mlBox, const NumberFormat& fmt)
{
    const std::int32_t ml = LevelFromBox(mlBox);
    return Join(typeId, ml, OldLevel(oldRecord, 2, fmt));
}

std::string WithPL(
    std::string_view oldRecord, std::string_view typeId, std::string_view plBox, const NumberFormat& fmt)
{
    const std::int16_t ml = OldLevel(oldRecord, 1, fmt);
    return Join(typeId, ml, LevelFromBox(plBox));
}

} // namespace brenta::owned
