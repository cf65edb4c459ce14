#include "catalogue/Search.h"

#include "base/Text.h"

namespace brenta::search {

std::vector<std::int16_t> Candidates(std::size_t count, const std::vector<bool>& owned, bool showUnowned)
{
    std::vector<std::int16_t> indexes;
    indexes.reserve(showUnowned ? count : 0);
    for (std::size_t i = 0; i < count; ++i)
        if (showUnowned || (i < owned.size() && owned[i]))
            indexes.push_back(static_cast<std::int16_t>(i));
    return indexes;
}

bool Matches(std::string_view name, std::string_view query)
{
    if (query.starts_with('^')) {
        const std::string_view prefix = query.substr(1);
        return name.size() >= prefix.size() && text::EqualsIgnoringCase(name.substr(0, prefix.size()), prefix);
    }
    return text::FindIgnoringCase(name, query) != std::string_view::npos;
}

std::vector<std::int16_t> View(const std::vector<std::string>& names, const std::vector<bool>& owned,
    bool showUnowned, std::string_view query)
{
    std::vector<std::int16_t> view = Candidates(names.size(), owned, showUnowned);
    std::erase_if(view, [&](std::int16_t i) { return !Matches(names[static_cast<std::size_t>(i)], query); });
    return view;
}

} // namespace brenta::search
