#pragma once

// The view the blueprint selector shows: which blueprints are candidates (all of
// them, or only the owned ones) and which of those a search query keeps.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenta::search {

// Blueprint indexes the view may hold, ascending: every index of names when
// showUnowned is set, otherwise every index whose owned flag is set.
std::vector<std::int16_t> Candidates(std::size_t count, const std::vector<bool>& owned, bool showUnowned);

// Whether a name answers a query, letters compared without regard to case: an
// empty query keeps every name; a query starting with "^" keeps the names that
// begin with the rest of it ("^" alone keeps every name); any other query keeps
// the names that contain it anywhere.
bool Matches(std::string_view name, std::string_view query);

// The candidates whose names (names[i] for blueprint index i) answer the query,
// in candidate order.
std::vector<std::int16_t> View(const std::vector<std::string>& names, const std::vector<bool>& owned,
    bool showUnowned, std::string_view query);

} // namespace brenta::search
