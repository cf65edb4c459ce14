#include "catalogue/BlueprintRecord.h"

namespace brenta::record {

std::string_view Field(std::string_view record, int k)
{
    std::size_t start = 0;
    for (int i = 0; i < k; ++i) {
        const std::size_t brace = record.find('{', start);
        if (brace == std::string_view::npos)
            throw Failure("Blueprint record has no field " + std::to_string(k));
        start = brace + 1;
    }
    const std::size_t end = record.find('{', start);
    return record.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::vector<std::string_view> Materials(std::string_view record)
{
    return text::Split(Field(record, kFieldMaterials), '|');
}

MaterialEntry SplitEntry(std::string_view entry)
{
    const auto parts = text::Split(entry, '/');
    if (parts.size() < 2)
        throw Failure("Material entry without quantity: \"" + std::string(entry) + "\"");
    return MaterialEntry{parts[0], parts[1]};
}

double BaseWastageFactor(std::string_view record, const NumberFormat& fmt)
{
    return numbers::ToNumber(Field(record, kFieldWaste), fmt) / 100;
}

std::string Times(std::string_view record)
{
    std::string times(Field(record, kFieldMLTime));
    times += '{';
    times += Field(record, kFieldPLTime);
    times += '{';
    times += Field(record, kFieldProductionTime);
    return times;
}

} // namespace brenta::record
