#pragma once

// What the build plan window takes from the window whose sheet it plans: the job
// shown, the catalogue, the number format, the program folder, the check of a
// file written for the player and the builder lookup. The main window hands these
// over when it opens the plan, which knows nothing else of it.

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "base/Numbers.h"

namespace brenta {
struct Catalogue;
namespace pricing {
class Builders;
}
} // namespace brenta

namespace brenta::ui {

// The job on the sheet as the build plan reads it: the shown blueprint, the numbers
// of its run and level boxes (nothing for a box that reads as none), the unit
// prices of its materials as the sheet reads its price boxes, and the player's
// facility.
struct SheetJob {
    std::int16_t blueprint = 0;
    std::optional<std::int32_t> runs;
    std::optional<std::int32_t> ml;
    std::optional<std::int32_t> pl;
    std::map<std::int32_t, double> prices; // by material type ID
    int pe = 0;
    int industry = 0;
    double matMult = 1;
    double timeMult = 1;
};

struct BuildPlanSource {
    // The job on the sheet; nothing while no blueprint is on display.
    std::function<std::optional<SheetJob>()> shownJob;
    // The catalogue with the prices as saved, read-only; it outlives the plan.
    std::function<const Catalogue&()> catalogue;
    std::function<const NumberFormat&()> format;
    // The folder the save dialog starts in, as the file system's bytes.
    std::function<const std::string&()> programFolder;
    // Whether a file written for the player (what: "the plan") may go to path;
    // a refusal has been said in a message.
    std::function<bool(const std::string& path, const QString& what)> acceptExportTarget;
    // The builder lookup the main window prices with, made once for both.
    std::function<const pricing::Builders&()> builders;
};

} // namespace brenta::ui
