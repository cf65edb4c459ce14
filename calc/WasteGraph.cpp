#include "calc/WasteGraph.h"

#include "calc/modRounding.h"
#include "calc/modWastage.h"

namespace brenta::graph {

using namespace numbers;

namespace {

constexpr std::int32_t kMostLevels = 500; // longer ranges are cut here, the axis runs on

void Line(Picture& p, Point from, Point to, unsigned colour)
{
    p.strokes.push_back(Stroke{Stroke::Kind::Line, from, to, colour, {}});
}

void Text(Picture& p, Point at, std::string text, unsigned colour)
{
    p.strokes.push_back(Stroke{Stroke::Kind::Text, at, at, colour, std::move(text)});
}

} // namespace

std::optional<Picture> WasteGraph(std::string_view idealCaption, std::string_view amountCaption,
    double baseWastageFactor, const NumberFormat& fmt)
{
    if (!(ToNumber(idealCaption, fmt) > 0))
        return std::nullopt;

    Picture p;
    p.ideal = TextToInt32(idealCaption, fmt);
    p.maxML = p.ideal > kMostLevels ? kMostLevels : p.ideal;
    const std::int32_t amount = ToInt32(ToNumber(amountCaption, fmt));
    double atZero = Finite(amount * baseWastageFactor);
    p.maxWaste = ToInt32(modRounding::RoundNumberValue(atZero, fmt));

    // Every label and every height comes from the same rounded waste of its level.
    std::vector<std::int32_t> height(static_cast<std::size_t>(p.maxML) + 1);
    std::vector<std::int32_t> waste(height.size());
    for (std::int32_t m = 0; m <= p.maxML; ++m) {
        const double w = modWastage::MLWaste(m, amount, baseWastageFactor, fmt);
        waste[static_cast<std::size_t>(m)] = ToInt32(w);
        height[static_cast<std::size_t>(m)] = ToInt32(Finite(p.maxWaste - w));
    }

    p.scaleWidth = p.maxML * 1.1;
    p.scaleHeight = p.maxWaste * 1.1;
    p.scaleLeft = -0.05 * p.maxML;
    p.scaleTop = -0.05 * p.maxWaste;
    if (p.scaleWidth == 0 || p.scaleHeight == 0)
        throw Failure("The graph has no area to draw in");

    const double base = p.maxWaste;
    Line(p, {0, base}, {0, 0}, kWhite);
    Line(p, {0, base}, {static_cast<double>(p.ideal), base}, kWhite);

    if (p.maxML >= 11) {
        double tenth = p.maxML / 10.0;
        p.step = ToInt32(modRounding::RoundNumberValue(tenth, fmt));
    }
    for (std::int32_t m = 0; m <= p.maxML - 1; m += p.step) {
        Text(p, {static_cast<double>(m), base / 2},
            "(" + IntText(m) + fmt.digSep + IntText(waste[static_cast<std::size_t>(m)]) + ")", kWhite);
        if (m > 0)
            Line(p, {static_cast<double>(m), 0}, {static_cast<double>(m), base}, kGrey);
    }

    const double end = p.maxML;
    Text(p, {0.95 * end, 3 * base / 4}, "(" + IntText(p.maxML) + ",0)", kGreen);
    Line(p, {end, 0}, {end, base}, kGrey);

    for (std::int32_t m = 0; m < p.maxML; ++m) {
        const double x = m;
        const double y1 = height[static_cast<std::size_t>(m)];
        const double y2 = height[static_cast<std::size_t>(m) + 1];
        Line(p, {x, y1}, {x + 1, y1}, kYellow);
        if (y2 != y1)
            Line(p, {x + 1, y1}, {x + 1, y2}, kYellow);
    }
    return p;
}

} // namespace brenta::graph
