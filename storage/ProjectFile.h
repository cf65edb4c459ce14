#pragma once

// The production project file "project.dat": the jobs of the player's project, the
// stock on hand, the build-or-buy choices and the sale prices, as text. The format
// is described in docs/PROJECT-FILE.md. Reading checks every line before anything
// is returned, so a file with one bad line replaces nothing the player has.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brenta::storage {

inline constexpr const char* kProjectFileName = "project.dat";
inline constexpr std::string_view kProjectHeader = "Brenta project 1";

// One job: a blueprint (by its own type ID) made for a number of runs, at the
// levels typed for this job or, where none is typed, the owned record's.
struct ProjectJob {
    std::int32_t blueprint = 0; // the blueprint's type ID
    std::int32_t runs = 1;
    std::optional<std::int32_t> ml;
    std::optional<std::int32_t> pl;
    bool operator==(const ProjectJob&) const = default;
};

struct ProjectData {
    std::vector<ProjectJob> jobs; // in the player's order
    std::map<std::int32_t, double> stock; // item type ID: units on hand
    std::map<std::int32_t, bool> flips; // item type ID: built (true) or bought, wherever it appears
    std::map<std::int32_t, double> salePrices; // product type ID: what one unit sells for
    bool operator==(const ProjectData&) const = default;
};

// The project a file's content holds. Empty content is the empty project. A file
// without the header line, or with any line that cannot be read (an unknown kind,
// a missing or extra field, a number that is not one, a type ID outside
// 0..30908, runs below 1, a negative level, quantity or price,
// a quantity or price that is not finite) is a Failure naming the line's number
// and what is wrong with it.
ProjectData ReadProject(std::string_view content);

// The file's text: the header, then the jobs in order, the stock, the choices and
// the sale prices each by type ID; CR LF line ends, "." as the decimal point,
// figures in the standard number text (at most 15 significant digits, as the
// prices file writes prices), so a saved project reads back as it was saved.
// A figure that is not finite is a Failure, so a broken project never replaces a
// good file.
std::string ProjectText(const ProjectData& project);

} // namespace brenta::storage
