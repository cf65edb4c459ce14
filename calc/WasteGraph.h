#pragma once

// The waste graph of one material: how its ML waste falls from ML 0 to its ideal
// ML, as a step curve with labelled grid lines. The picture is a list of lines and
// texts in the graph's own coordinates (x a material level, y a height in waste
// units measured downwards from the top), which the window maps onto its area.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Numbers.h"

namespace brenta::graph {

// Drawing colours, &HBBGGRR.
inline constexpr unsigned kWhite = 0xFFFFFF;
inline constexpr unsigned kGrey = 0x808080;
inline constexpr unsigned kGreen = 0x00FF00;
inline constexpr unsigned kYellow = 0x00FFFF;

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

// A line from `from` to `to`, or a text whose top-left corner is at `from`.
struct Stroke {
    enum class Kind { Line, Text };
    Kind kind = Kind::Line;
    Point from;
    Point to;
    unsigned colour = kWhite;
    std::string text;
};

struct Picture {
    std::int32_t ideal = 0;
    std::int32_t maxML = 0; // the ideal, at most 500
    std::int64_t maxWaste = 0; // the waste at ML 0
    std::int64_t endWaste = 0; // the waste at maxML: 0 when the range reaches the ideal
    std::int32_t step = 1; // levels between two labels
    // The coordinate system: the area spans x from scaleLeft to scaleLeft + scaleWidth
    // and y from scaleTop (top edge) to scaleTop + scaleHeight (bottom edge).
    double scaleLeft = 0;
    double scaleTop = 0;
    double scaleWidth = 1;
    double scaleHeight = 1;
    std::vector<Stroke> strokes; // in drawing order
};

// The graph of a material row from its ideal ML and amount captions and the run
// count. The waste at a level is the sheet's ML waste: rounded for one run, then
// times the runs, so the graph agrees with the sheet at every level and reaches
// zero at the ideal. Amounts and wastes are wider than 32 bits (the sheet's amount
// of a large material at 1,000,000 runs). Nothing to draw (nullopt) when the ideal
// is 0 or less. A caption that is no number, a run count below 1, an overflow or a
// waste of 0 at ML 0 (no height to draw in) is a Failure.
std::optional<Picture> WasteGraph(std::string_view idealCaption, std::string_view amountCaption,
    std::string_view runsText, double baseWastageFactor, const NumberFormat& fmt);

} // namespace brenta::graph
