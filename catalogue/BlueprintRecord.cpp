#include "catalogue/BlueprintRecord.h"

namespace brenta::record {

std::vector<std::string_view> Split(std::string_view text, char delimiter)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(delimiter, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

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
    return Split(Field(record, kFieldMaterials), '|');
}

MaterialEntry SplitEntry(std::string_view entry)
{
    const auto parts = Split(entry, '/');
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
