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
    std::string_view runsText, double baseWastageFactor, const NumberFormat& fmt)
{
    if (!(ToNumber(idealCaption, fmt) > 0))
        return std::nullopt;

    Picture p;
    p.ideal = TextToInt32(idealCaption, fmt);
    p.maxML = p.ideal > kMostLevels ? kMostLevels : p.ideal;
    const std::int32_t runs = TextToInt32(runsText, fmt);
    if (runs < 1)
        throw Failure("No run to draw the waste of");
    // The amount caption is the whole job's; the sheet rounds the waste of one run.
    const double amount = RoundHalfEven(ToNumber(amountCaption, fmt));
    const double perRun = Finite(amount / runs);
    const auto wasteAt = [&](std::int32_t m) {
        double oneRun = Finite(modWastage::WastageAtML(m, baseWastageFactor) * perRun);
        return ToInt64(Finite(modRounding::RoundNumberValue(oneRun, fmt) * runs));
    };

    // Every label and every height comes from the same waste of its level.
    std::vector<std::int64_t> waste(static_cast<std::size_t>(p.maxML) + 1);
    for (std::int32_t m = 0; m <= p.maxML; ++m)
        waste[static_cast<std::size_t>(m)] = wasteAt(m);
    p.maxWaste = waste.front();
    p.endWaste = waste.back();
    const auto height
        = [&](std::int32_t m) { return static_cast<double>(p.maxWaste - waste[static_cast<std::size_t>(m)]); };

    const double base = static_cast<double>(p.maxWaste);
    p.scaleWidth = p.maxML * 1.1;
    p.scaleHeight = base * 1.1;
    p.scaleLeft = -0.05 * p.maxML;
    p.scaleTop = -0.05 * base;
    if (p.scaleWidth == 0 || p.scaleHeight == 0)
        throw Failure("The graph has no area to draw in");

    Line(p, {0, base}, {0, 0}, kWhite);
    Line(p, {0, base}, {static_cast<double>(p.ideal), base}, kWhite);

    if (p.maxML >= 11) {
        double tenth = p.maxML / 10.0;
        p.step = ToInt32(modRounding::RoundNumberValue(tenth, fmt));
    }
    for (std::int32_t m = 0; m <= p.maxML - 1; m += p.step) {
        // The waste at ML 0 is the curve's start at the top left; the others sit half
        // way down their grid lines.
        const double y = m == 0 ? 0 : base / 2;
        Text(p, {static_cast<double>(m), y},
            "(" + IntText(m) + fmt.digSep + IntText(waste[static_cast<std::size_t>(m)]) + ")", kWhite);
        if (m > 0)
            Line(p, {static_cast<double>(m), 0}, {static_cast<double>(m), base}, kGrey);
    }

    // The end of the range: the waste there, 0 where the range reaches the ideal;
    // a range cut before the ideal names the ideal beside it.
    const double end = p.maxML;
    std::string endText = "(" + IntText(p.maxML) + "," + IntText(p.endWaste) + ")";
    if (p.maxML < p.ideal)
        endText += " ideal ML " + IntText(p.ideal);
    Text(p, {0.95 * end, 3 * base / 4}, std::move(endText), kGreen);
    Line(p, {end, 0}, {end, base}, kGrey);

    for (std::int32_t m = 0; m < p.maxML; ++m) {
        const double x = m;
        const double y1 = height(m);
        const double y2 = height(m + 1);
        Line(p, {x, y1}, {x + 1, y1}, kYellow);
        if (y2 != y1)
            Line(p, {x + 1, y1}, {x + 1, y2}, kYellow);
    }
    return p;
}

} // namespace brenta::graph
