#include "calc/WasteGraph.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/LocaleTest.h"

using namespace brenta;

namespace {

using Texts = std::vector<std::string>;

struct Drawn {
    Texts labels; // white texts, left to right
    std::vector<graph::Point> labelAt; // their top-left corners
    std::vector<double> gridX; // grey lines
    std::vector<graph::Stroke> curve; // yellow lines
    std::vector<graph::Stroke> axes; // white lines
    std::vector<graph::Stroke> green; // the end label
};

Drawn Sort(const graph::Picture& p)
{
    Drawn d;
    for (const graph::Stroke& s : p.strokes) {
        if (s.kind == graph::Stroke::Kind::Text && s.colour == graph::kWhite) {
            d.labels.push_back(s.text);
            d.labelAt.push_back(s.from);
        } else if (s.kind == graph::Stroke::Kind::Text && s.colour == graph::kGreen) {
            d.green.push_back(s);
        } else if (s.colour == graph::kGrey) {
            EXPECT_EQ(s.from.x, s.to.x);
            d.gridX.push_back(s.from.x);
        } else if (s.colour == graph::kYellow) {
            d.curve.push_back(s);
        } else {
            d.axes.push_back(s);
        }
    }
    return d;
}

std::vector<double> Levels(const Drawn& d)
{
    std::vector<double> x;
    for (const graph::Point& at : d.labelAt)
        x.push_back(at.x);
    return x;
}

// The curve's height at a level: where its horizontal step from that level lies.
double CurveHeightAt(const Drawn& d, double x)
{
    for (const graph::Stroke& s : d.curve)
        if (s.from.y == s.to.y && s.from.x == x)
            return s.from.y;
    ADD_FAILURE() << "no step at " << x;
    return -1;
}

class WasteGraphLocales : public test::LocaleTest {};
BRENTA_BOTH_LOCALES(WasteGraphLocales);

TEST_P(WasteGraphLocales, Ideal135LabelsEveryFourteenthLevel)
{
    const auto p = graph::WasteGraph("135", "676", "1", 0.1, fmt);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->maxML, 135);
    EXPECT_EQ(p->maxWaste, 68);
    EXPECT_EQ(p->step, 14);
    EXPECT_DOUBLE_EQ(p->scaleLeft, -6.75);
    EXPECT_DOUBLE_EQ(p->scaleTop, -3.4);
    EXPECT_DOUBLE_EQ(p->scaleWidth, 148.5);
    EXPECT_DOUBLE_EQ(p->scaleHeight, 74.8);

    const Drawn d = Sort(*p);
    Texts expected;
    for (const char* pair : {"0,68", "14,5", "28,2", "42,2", "56,1", "70,1", "84,1", "98,1", "112,1", "126,1"})
        expected.push_back("(" + test::Localised(pair, fmt) + ")");
    EXPECT_EQ(d.labels, expected);
    EXPECT_EQ(d.gridX, (std::vector<double>{14, 28, 42, 56, 70, 84, 98, 112, 126, 135}));
    ASSERT_EQ(d.green.size(), 1u);
    EXPECT_EQ(d.green[0].text, "(135,0)"); // a plain comma whatever the locale
    EXPECT_EQ(d.green[0].from, (graph::Point{0.95 * 135, 3 * 68 / 4.0}));
    // The waste at ML 0 where the curve starts, the others half way down.
    EXPECT_EQ(d.labelAt.front(), (graph::Point{0, 0}));
    for (std::size_t i = 1; i < d.labelAt.size(); ++i)
        EXPECT_EQ(d.labelAt[i].y, 34);

    // The axes meet at the baseline's left end; each label agrees with the curve.
    ASSERT_EQ(d.axes.size(), 2u);
    EXPECT_EQ(d.axes[0].from, (graph::Point{0, 68}));
    EXPECT_EQ(d.axes[0].to, (graph::Point{0, 0}));
    EXPECT_EQ(d.axes[1].to, (graph::Point{135, 68}));
    for (std::size_t i = 0; i < d.labels.size(); ++i) {
        const std::string& label = d.labels[i];
        const double waste = std::stod(label.substr(label.find(fmt.digSep) + 1));
        EXPECT_EQ(CurveHeightAt(d, d.labelAt[i].x), 68 - waste) << label;
    }
    // The curve runs from the top left to the baseline at the ideal, never rising.
    EXPECT_EQ(d.curve.front().from, (graph::Point{0, 0}));
    EXPECT_EQ(d.curve.back().to, (graph::Point{135, 68}));
    for (const graph::Stroke& s : d.curve)
        EXPECT_GE(s.to.y, s.from.y);
}

TEST_P(WasteGraphLocales, ShortAndLongRanges)
{
    const auto seven = graph::WasteGraph("7", "39", "1", 0.1, fmt);
    ASSERT_TRUE(seven);
    const Drawn d7 = Sort(*seven);
    EXPECT_EQ(Levels(d7), (std::vector<double>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(d7.labels.front(), "(0" + std::string(1, fmt.digSep) + "4)");
    EXPECT_EQ(d7.gridX, (std::vector<double>{1, 2, 3, 4, 5, 6, 7}));

    // Ideals past 500 stop the levels at 500 while the axis runs on to the ideal.
    const auto eight = graph::WasteGraph("800", "4001", "1", 0.1, fmt);
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->maxML, 500);
    EXPECT_EQ(eight->step, 50);
    const Drawn d8 = Sort(*eight);
    EXPECT_EQ(Levels(d8), (std::vector<double>{0, 50, 100, 150, 200, 250, 300, 350, 400, 450}));
    EXPECT_EQ(d8.axes[1].to.x, 800);
    EXPECT_EQ(d8.gridX.back(), 500);
    // The end label tells the waste at 500 and the ideal beyond: never a zero that is not there.
    EXPECT_EQ(eight->endWaste, 1);
    EXPECT_EQ(d8.green[0].text, "(500,1) ideal ML 800");
    EXPECT_DOUBLE_EQ(eight->scaleWidth, 550);

    for (const auto& [ideal, step] : {std::pair{11, 1}, {14, 1}, {15, 2}, {24, 2}, {25, 3}}) {
        const auto p = graph::WasteGraph(std::to_string(ideal), "10000", "1", 0.1, fmt);
        EXPECT_EQ(p->step, step) << ideal;
    }
}

// At many runs the waste is the sheet's: rounded for one run, then times the runs,
// in numbers wider than 32 bits; the curve still reaches zero at the ideal.
TEST_P(WasteGraphLocales, ManyRunsWasteAsTheSheetDoes)
{
    const struct {
        const char* ideal;
        const char* amount;
        const char* runs;
        std::int64_t maxWaste;
        const char* secondLabel;
        const char* end;
    } cases[] = {
        {"135", "676000", "1000", 68000, "(14,5000)", "(135,0)"},
        {"135", "676000000", "1000000", 68000000, "(14,5000000)", "(135,0)"},
        {"1295", "6478000000", "1000000", 648000000, "(50,13000000)", "(500,1000000) ideal ML 1295"},
        {"1295", "6478", "1", 648, "(50,13)", "(500,1) ideal ML 1295"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        const auto p = graph::WasteGraph(c.ideal, c.amount, c.runs, 0.1, fmt);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->maxWaste, c.maxWaste);
        const Drawn d = Sort(*p);
        ASSERT_GE(d.labels.size(), 2u);
        EXPECT_EQ(d.labels[1], test::Localised(c.secondLabel, fmt));
        ASSERT_EQ(d.green.size(), 1u);
        EXPECT_EQ(d.green[0].text, c.end);
        EXPECT_EQ(d.curve.back().to.y, static_cast<double>(c.maxWaste - p->endWaste));
    }
    EXPECT_THROW(graph::WasteGraph("135", "676", "0", 0.1, fmt), Failure);
    EXPECT_THROW(graph::WasteGraph("135", "676", "", 0.1, fmt), Failure);
}

TEST_P(WasteGraphLocales, HalfUnitsOfWasteRoundUpInLabelsAndCurve)
{
    const auto p = graph::WasteGraph("5", "25", "1", 0.1, fmt); // 2.5 units at ML 0
    ASSERT_TRUE(p);
    EXPECT_EQ(p->maxWaste, 3);
    const Drawn d = Sort(*p);
    EXPECT_EQ(d.labels.front(), "(0" + std::string(1, fmt.digSep) + "3)");
    EXPECT_EQ(d.curve.front().from, (graph::Point{0, 0}));
    EXPECT_EQ(CurveHeightAt(d, 1), 2); // 1.25 rounds to 1: two units below the start
}

TEST_P(WasteGraphLocales, NothingForIdealZeroAndFailuresForWhatCannotBeDrawn)
{
    EXPECT_FALSE(graph::WasteGraph("0", "676", "1", 0.1, fmt));
    EXPECT_FALSE(graph::WasteGraph("-3", "676", "1", 0.1, fmt));
    EXPECT_THROW(graph::WasteGraph("abc", "676", "1", 0.1, fmt), Failure);
    EXPECT_THROW(graph::WasteGraph("135", "", "1", 0.1, fmt), Failure);
    EXPECT_THROW(graph::WasteGraph("1", "4", "1", 0.1, fmt), Failure); // no waste at ML 0: no height
    EXPECT_THROW(graph::WasteGraph("3000000000", "676", "1", 0.1, fmt), Failure);
}

} // namespace
