#include "storage/OwnedRecord.h"

#include <optional>

#include "base/Failure.h"
#include "base/Text.h"

namespace brenta::owned {

namespace {

std::optional<std::int32_t> WholeNumber(std::string_view field, const NumberFormat& fmt)
{
    try {
        return numbers::TextToInt32(field, fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

OwnedRecord Join(std::string_view typeId, std::int64_t ml, std::int64_t pl, const NumberFormat& fmt)
{
    return Read(std::string(typeId) + "{" + numbers::IntText(ml) + "{" + numbers::IntText(pl), fmt);
}

} // namespace

OwnedRecord Read(std::string text, const NumberFormat& fmt)
{
    OwnedRecord record;
    {
        const auto fields = text::Split(text, '{');
        record.typeId = WholeNumber(fields[0], fmt);
        if (fields.size() > 1)
            record.ml = OwnedLevel{std::string(fields[1]), WholeNumber(fields[1], fmt)};
        if (fields.size() > 2)
            record.pl = OwnedLevel{std::string(fields[2]), WholeNumber(fields[2], fmt)};
        record.complete = fields.size() >= 3;
    }
    record.text = std::move(text);
    return record;
}

std::int32_t Value(const OwnedLevel& level)
{
    if (!level.value)
        throw Failure("Owned level that is no whole number: \"" + level.text + "\"");
    return *level.value;
}

std::int32_t LevelFromBox(std::string_view boxText) { return numbers::ToInt32(numbers::LeadingNumber(boxText)); }

OwnedRecord Record(
    std::string_view typeId, std::string_view mlBox, std::string_view plBox, const NumberFormat& fmt)
{
    return Join(typeId, LevelFromBox(mlBox), LevelFromBox(plBox), fmt);
}

OwnedRecord WithBox(
    const OwnedRecord& old, std::string_view typeId, Box box, std::string_view boxText, const NumberFormat& fmt)
{
    try {
        const std::int32_t typed = LevelFromBox(boxText);
        if (box == Box::ML)
            return Join(typeId, typed, numbers::ToInt16(Value(old.pl)), fmt);
        return Join(typeId, numbers::ToInt16(Value(old.ml)), typed, fmt);
    } catch (const Failure&) {
        return old;
    }
}

} // namespace brenta::owned
