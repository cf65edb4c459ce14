// The comparison window and the waste graph, reached from the main window as a
// player reaches them: the Tools menu, clicks and typing in the comparison's boxes.

#include <QApplication>
#include <QGroupBox>
#include <QImage>

#include "tests/ui/MainWindowFixture.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/windows/frmComparison.h"
#include "ui/windows/frmGraph.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint");
const QString kPlatesII = QStringLiteral("100mm Reinforced Steel Plates II Blueprint");
using Texts = std::vector<std::string>;

class Research : public test::MainWindowTest {
protected:
    ui::frmComparison* OpenComparison()
    {
        window->ControlsForTests().MLtoML->trigger();
        return Comparison();
    }

    ui::frmGraph* Graph() const { return window->findChild<ui::frmGraph*>(QStringLiteral("frmGraph")); }

    // Cells of one comparison column: first rows of a 25-cell column, or of the end half of lblWaste.
    template <std::size_t N>
    static Texts Cells(const std::array<QLabel*, N>& cells, int rows, int from = 0)
    {
        Texts texts;
        const auto first = static_cast<std::size_t>(from);
        for (int r = 0; r < rows; ++r)
            texts.push_back(cells[first + static_cast<std::size_t>(r)]->text().toStdString());
        return texts;
    }

    static bool RowShown(const ui::frmComparison& c, int r)
    {
        const auto i = static_cast<std::size_t>(r);
        return !c.lblPrefix[i]->isHidden() && !c.lblAmount[i]->isHidden() && !c.lblWaste[i]->isHidden()
            && !c.lblWaste[i + 25]->isHidden() && !c.lblSavings[i]->isHidden();
    }
};
BRENTA_BOTH_LOCALES(Research);

TEST_P(Research, ComparisonOpensOnTheSheetAndAgreesWithIt)
{
    ui::frmMain& w = Start();
    w.ControlsForTests().MLtoML->trigger();
    EXPECT_EQ(Comparison(), nullptr); // no blueprint, nothing happens
    EXPECT_TRUE(w.isEnabled());

    SelectBlueprint(kPlates);
    Choose(w.ControlsForTests().cboPE, 5);
    Type(w.ControlsForTests().txtRuns, "3");
    ui::frmComparison* c = OpenComparison();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_FALSE(w.isEnabled());
    EXPECT_EQ(c->windowTitle(), "ML to ML Comparison - " + kPlates);
    EXPECT_EQ(c->txtFromML->text(), "0");
    EXPECT_EQ(c->txtToML->text(), "0");

    const Texts sheetWaste = Column(w.ControlsForTests().lblWaste, 6);
    EXPECT_EQ(sheetWaste, (Texts{"204", "60", "84", "12", "0", "0"}));
    EXPECT_EQ(Cells(c->lblWaste, 6), sheetWaste);
    EXPECT_EQ(Cells(c->lblWaste, 6, 25), sheetWaste);
    EXPECT_EQ(Cells(c->lblSavings, 6), Texts(6, "0"));
    EXPECT_EQ(Cells(c->lblAmount, 6), Column(w.ControlsForTests().lblAmount, 6));
    EXPECT_EQ(c->lblBuildCost1->text(), w.ControlsForTests().lblBuildCost->text());
    EXPECT_EQ(c->lblBuildCost2->text(), w.ControlsForTests().lblBuildCost->text());
    EXPECT_EQ(c->lblISKSavings->text().toStdString(), L("0.00 ISK"));
    EXPECT_EQ(c->lblResearchTime->text(), "0D 0H 0M 0S");
    EXPECT_EQ(c->txtWastageFactor[0]->text().toStdString(), L("0.1000000000000"));
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(ui::ForeColour(c->lblPrefix[r]), ui::ForeColour(w.ControlsForTests().lblPrefix[r])) << r;
        EXPECT_EQ(ui::ForeColour(c->lblAmount[r]), ui::ForeColour(w.ControlsForTests().lblPrefix[r])) << r;
        EXPECT_EQ(ui::BackColour(c->lblWaste[r + 25]), ui::BgrColour(r % 2 ? 0x000000 : 0x404040)) << r;
    }
    EXPECT_TRUE(RowShown(*c, 5));
    EXPECT_FALSE(RowShown(*c, 6));
    EXPECT_EQ(c->fraMats->height(), ui::TwipsToPixels(6 * 240 + 375));
    EXPECT_EQ(c->fraSavings->height(), c->fraMats->height());
    EXPECT_EQ(c->WindowHeightTwips(), 6 * 240 + 375 + 2265);
    EXPECT_EQ(c->fraWaste[1]->toolTip().toStdString(),
        "The amount of waste material used in production.  Researching the BPO will reduce the waste.");
}

TEST_P(Research, TypingALevelRecomputesItsSideAndBadLevelsSayInvalidML)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Choose(w.ControlsForTests().cboPE, 5);
    Type(w.ControlsForTests().txtRuns, "3");
    ui::frmComparison* c = OpenComparison();
    ASSERT_NE(c, nullptr);

    Type(c->txtToML, "5");
    EXPECT_EQ(Cells(c->lblWaste, 6, 25), (Texts{"33", "9", "15", "3", "0", "0"})); // per run 11, 3, 5, 1
    EXPECT_EQ(Cells(c->lblWaste, 6), (Texts{"204", "60", "84", "12", "0", "0"}));
    EXPECT_EQ(Cells(c->lblSavings, 6), (Texts{"171", "51", "69", "9", "0", "0"}));
    EXPECT_EQ(c->lblBuildCost1->text(), w.ControlsForTests().lblBuildCost->text());
    EXPECT_EQ(c->lblISKSavings->text().toStdString(), L("4,110.00 ISK")); // 171*2 + 51*8 + 69*32 + 9*128
    EXPECT_EQ(c->lblResearchTime->text(), "0D 16H 40M 0S");

    // Starting above the end: the savings and the time turn negative.
    Type(c->txtFromML, "10");
    EXPECT_EQ(Cells(c->lblWaste, 4), (Texts{"18", "6", "9", "0"}));
    EXPECT_EQ(Cells(c->lblSavings, 4), (Texts{"-15", "-3", "-6", "-3"}));
    EXPECT_EQ(c->lblResearchTime->text(), "-1D -17H -40M 0S");

    // A bad level: its own box says so; what was shown before stays.
    Type(c->txtToML, "x");
    EXPECT_EQ(c->txtWastageFactor[1]->text(), "Invalid ML");
    EXPECT_EQ(c->txtWastageFactor[0]->text().toStdString(), L("0.0090909090909")); // 0.1 / (1 + 10)
    EXPECT_EQ(Cells(c->lblWaste, 1, 25), Texts{"33"});
    Type(c->txtFromML, "");
    EXPECT_EQ(c->txtWastageFactor[0]->text(), "Invalid ML");
    EXPECT_EQ(Cells(c->lblWaste, 1), Texts{"18"});
    EXPECT_FALSE(w.isEnabled());
}

TEST_P(Research, SkillRowsKeepZeroWasteAndTheirLevel)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlatesII);
    ui::frmComparison* c = OpenComparison();
    ASSERT_NE(c, nullptr);
    Type(c->txtToML, "10");
    EXPECT_EQ(Cells(c->lblPrefix, 2, 6), (Texts{"[Skill] Industry", "[Skill] Armor Lamination"}));
    EXPECT_EQ(Cells(c->lblAmount, 2, 6), (Texts{"2", "2"}));
    for (const auto& column : {Cells(c->lblWaste, 3, 6), Cells(c->lblWaste, 3, 31), Cells(c->lblSavings, 3, 6)})
        EXPECT_EQ(column, (Texts{"0", "0", "0"})); // two skills and a first-tech item
    EXPECT_EQ(Cells(c->lblWaste, 1, 0), Column(w.ControlsForTests().lblWaste, 1));
    EXPECT_EQ(c->lblBuildCost1->text(), w.ControlsForTests().lblBuildCost->text());
    EXPECT_TRUE(RowShown(*c, 14));
    EXPECT_FALSE(RowShown(*c, 15));
}

TEST_P(Research, TheGridFitsOneToTwentyFiveRows)
{
    ui::frmMain& w = Start();
    SelectBlueprint(QStringLiteral("Bomb Blueprint")); // one material
    ui::frmComparison* one = OpenComparison();
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(RowShown(*one, 0));
    EXPECT_FALSE(RowShown(*one, 1));
    EXPECT_EQ(one->fraMats->height(), ui::TwipsToPixels(615));
    EXPECT_EQ(one->WindowHeightTwips(), 2880);
    one->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Comparison() == nullptr; }));

    // No blueprint fills all 25 rows: the plates' rows and 19 more as the sheet
    // would hand them over.
    SelectBlueprint(kPlates);
    ui::frmComparison* full = OpenComparison();
    ASSERT_NE(full, nullptr);
    ui::ComparisonSource source = w.ComparisonInput();
    ASSERT_EQ(source.rows.size(), 6u);
    for (int r = 6; r < 25; ++r) {
        source.rows.push_back({QStringLiteral("[Raw] Tritanium"), QStringLiteral("676"), source.rows[0].colour});
        source.input.baseQty.push_back(676);
    }
    full->Load(source);
    for (int r = 0; r < 25; ++r)
        EXPECT_TRUE(RowShown(*full, r)) << r;
    EXPECT_EQ(full->fraMats->height(), ui::TwipsToPixels(6615));
    EXPECT_EQ(full->fraWaste[0]->height(), ui::TwipsToPixels(6615));
    EXPECT_EQ(full->WindowHeightTwips(), 8880);
    EXPECT_EQ(full->lblWaste[49]->text(), "237"); // 676 at Production Efficiency 0
}

TEST_P(Research, ClickingACellTogglesItsRow)
{
    Start();
    SelectBlueprint(kPlates);
    ui::frmComparison* c = OpenComparison();
    ASSERT_NE(c, nullptr);
    const QColor navy = ui::BgrColour(ui::Colour::Navy);

    QTest::mouseClick(c->lblWaste[30], Qt::LeftButton);
    for (QLabel* cell : {c->lblPrefix[5], c->lblAmount[5], c->lblWaste[5], c->lblWaste[30], c->lblSavings[5]})
        EXPECT_EQ(ui::BackColour(cell), navy) << cell->objectName().toStdString();
    QTest::mouseClick(c->lblSavings[5], Qt::LeftButton); // a second click clears it
    for (QLabel* cell : {c->lblPrefix[5], c->lblWaste[5], c->lblWaste[30], c->lblSavings[5]})
        EXPECT_EQ(ui::BackColour(cell), ui::BgrColour(ui::Colour::StripeOdd)) << cell->objectName().toStdString();

    QTest::mouseClick(c->lblAmount[2], Qt::LeftButton);
    QTest::mouseClick(c->lblWaste[4], Qt::LeftButton); // another row takes the selection
    EXPECT_EQ(ui::BackColour(c->lblPrefix[4]), navy);
    EXPECT_EQ(ui::BackColour(c->lblWaste[27]), ui::BgrColour(ui::Colour::StripeEven));
}

TEST_P(Research, EveryWayOutEnablesTheMainWindowAgain)
{
    const struct {
        const char* name;
        void (*close)(ui::frmMain&, ui::frmComparison&);
    } ways[] = {
        {"close box", [](ui::frmMain&, ui::frmComparison& c) { c.close(); }},
        {"Escape", [](ui::frmMain&, ui::frmComparison& c) { QTest::keyClick(&c, Qt::Key_Escape); }},
        {"main window closing", [](ui::frmMain& w, ui::frmComparison&) { w.close(); }},
    };
    for (const auto& way : ways) {
        ui::frmMain& w = Start();
        SelectBlueprint(kPlates);
        ui::frmComparison* c = OpenComparison();
        ASSERT_NE(c, nullptr) << way.name;
        ASSERT_FALSE(w.isEnabled()) << way.name;
        way.close(w, *c);
        EXPECT_TRUE(w.isEnabled()) << way.name;
        ASSERT_TRUE(QTest::qWaitFor([&] { return Comparison() == nullptr; })) << way.name;
    }
    // Deleting the main window takes an open comparison along.
    Start();
    SelectBlueprint(kPlates);
    ASSERT_NE(OpenComparison(), nullptr);
    window.reset();
    EXPECT_EQ(Comparison(), nullptr);
}

TEST_P(Research, GraphOpensAtTheRightEdgeAndIsReused)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates); // Tritanium: 676 units, ideal 135
    w.DrawGraphMLvWaste(0);
    ui::frmGraph* g = Graph();
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->isVisible());
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(g->windowTitle(), "Wastage Graph - Tritanium"); // the material, without its kind prefix
    EXPECT_EQ(g->size(), QSize(ui::TwipsToPixels(9795), ui::TwipsToPixels(6060)));
    // Against the main window's right edge, moved in as far as the screen needs.
    const QRect free = w.screen()->availableGeometry();
    const auto besideMain = [&w, &g, &free] {
        const QRect outer = w.frameGeometry();
        return ui::FitRect(QRect(QPoint(outer.x() + outer.width(), outer.y()), g->frameGeometry().size()), free)
            .topLeft();
    };
    QApplication::processEvents();
    EXPECT_EQ(g->pos(), besideMain());
    EXPECT_TRUE(free.contains(g->frameGeometry()));
    EXPECT_EQ(g->Picture().maxML, 135);
    EXPECT_EQ(g->Picture().maxWaste, 68);
    EXPECT_TRUE(messages.empty());

    // Another row redraws the same window, placed again beside the main window.
    w.move(w.pos() + QPoint(30, 20));
    w.DrawGraphMLvWaste(3); // Isogen: 39 units, ideal 7
    EXPECT_EQ(Graph(), g);
    EXPECT_EQ(g->Picture().maxML, 7);
    EXPECT_EQ(g->windowTitle(), "Wastage Graph - Isogen");
    QApplication::processEvents();
    EXPECT_EQ(g->pos(), besideMain());
    EXPECT_TRUE(free.contains(g->frameGeometry()));

    // Nothing for a material without ML waste.
    w.DrawGraphMLvWaste(4); // Nocxium: ideal 0
    EXPECT_EQ(g->Picture().maxML, 7);
    EXPECT_TRUE(messages.empty());
}

TEST_P(Research, GraphIsPaintedFromItsKeptPicture)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    w.DrawGraphMLvWaste(0);
    ui::frmGraph* g = Graph();
    ASSERT_NE(g, nullptr);
    const QImage first = g->grab().toImage();
    const QTransform map = g->Mapping();
    // Whether a point of the picture is drawn in a colour, give or take the pixel it rounds to.
    const auto drawnIn = [&first, &map](double x, double y, unsigned colour) {
        const QPoint p = map.map(QPointF(x, y)).toPoint();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (QColor(first.pixel(p + QPoint(dx, dy))) == ui::BgrColour(colour))
                    return true;
        return false;
    };
    EXPECT_EQ(QColor(first.pixel(2, 2)), QColor(Qt::black));
    EXPECT_TRUE(drawnIn(0.5, 0, graph::kYellow)); // the curve starts at the top left
    EXPECT_TRUE(drawnIn(0, 60, graph::kWhite)); // the vertical axis
    EXPECT_TRUE(drawnIn(42, 10, graph::kGrey)); // a grid line
    EXPECT_FALSE(drawnIn(60, 10, graph::kGrey)); // between grid lines
    // Covered and exposed again: the same picture.
    g->hide();
    g->show();
    EXPECT_EQ(g->grab().toImage(), first);
}

TEST_P(Research, GraphTextsClearTheCurveAndEachOther)
{
    const struct {
        const char* ideal;
        const char* amount;
    } cases[] = {{"135", "676"}, {"800", "4001"}, {"480000", "10000"}};
    // At the window's own size, and cut to a small screen after the picture is
    // drawn (as the window is when it shows there: about 500 by 270 at twice the
    // scale on a 1024 by 600 screen).
    const QSize sizes[] = {QSize(), QSize(500, 270)};
    for (const auto& c : cases)
        for (const QSize& size : sizes) {
            SCOPED_TRACE(std::string(c.ideal) + (size.isValid() ? " cut" : ""));
            ui::frmGraph g(nullptr);
            const auto picture = graph::WasteGraph(c.ideal, c.amount, "1", 0.1, fmt);
            ASSERT_TRUE(picture.has_value());
            g.Draw(*picture);
            g.show();
            if (size.isValid())
                g.setFixedSize(size);
            ASSERT_EQ(g.size(), size.isValid() ? size : QSize(ui::TwipsToPixels(9795), ui::TwipsToPixels(6060)));
            const QTransform map = g.Mapping();
            std::vector<QRectF> curve;
            for (const graph::Stroke& s : picture->strokes)
                if (s.kind == graph::Stroke::Kind::Line
                    && (s.colour == graph::kYellow || s.colour == graph::kWhite))
                    curve.push_back(QRectF(map.map(QPointF(s.from.x, s.from.y)), map.map(QPointF(s.to.x, s.to.y)))
                                        .normalized());
            const auto& labels = g.Labels();
            std::size_t shown = 0;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                if (!labels[i].shown)
                    continue;
                ++shown;
                EXPECT_TRUE(g.rect().contains(labels[i].rect)) << labels[i].text.toStdString();
                for (const QRectF& line : curve)
                    EXPECT_FALSE(QRectF(labels[i].rect).intersects(line.adjusted(-0.5, -0.5, 0.5, 0.5)))
                        << labels[i].text.toStdString();
                for (std::size_t j = i + 1; j < labels.size(); ++j)
                    EXPECT_FALSE(labels[j].shown && labels[i].rect.intersects(labels[j].rect))
                        << labels[i].text.toStdString() << " on " << labels[j].text.toStdString();
            }
            EXPECT_GE(shown * 4, labels.size() * 3) << "most texts keep a place";
            EXPECT_TRUE(labels.front().shown) << "the waste at ML 0 has a place of its own";
            EXPECT_TRUE(labels.back().shown) << "and so has the end of the range";
            EXPECT_TRUE(labels.back().text.startsWith("(" + QString::number(picture->maxML) + ","));
        }
}

// The waste of the sheet's largest amounts (a material of thousands of units a run,
// at 1,000,000 runs) is drawn, and the end of a range cut before the ideal says
// what the waste there is and where the ideal lies.
TEST_P(Research, GraphOfTheLargestAmountsAndOfAnIdealPast500)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlatesII); // Tritanium: 6478 units a run, ideal 1295
    ASSERT_EQ(w.ControlsForTests().lblIdeal[0]->text(), QStringLiteral("1295"));
    for (const auto& [runs, waste, end] :
        {std::tuple{"1", 648, "(500,1) ideal ML 1295"}, {"1000000", 648000000, "(500,1000000) ideal ML 1295"}}) {
        SCOPED_TRACE(runs);
        Type(w.ControlsForTests().txtRuns, QString::fromLatin1(runs));
        w.DrawGraphMLvWaste(0);
        ui::frmGraph* g = Graph();
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->Picture().maxWaste, waste);
        EXPECT_EQ(g->Labels().back().text.toStdString(), end);
        EXPECT_TRUE(g->Labels().back().shown);
        EXPECT_EQ(g->windowTitle(), "Wastage Graph - Tritanium");
    }
    EXPECT_TRUE(messages.empty());
}

TEST_P(Research, AGraphThatCannotBeDrawnClosesTheWindowWithAMessage)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    w.DrawGraphMLvWaste(0);
    ASSERT_NE(Graph(), nullptr);
    w.ControlsForTests().txtRuns->setText(QStringLiteral("0")); // no run to draw the waste of
    w.DrawGraphMLvWaste(1);
    EXPECT_EQ(Graph(), nullptr);
    EXPECT_EQ(messages, (Texts{"The graph form failed to load for some reason."}));
    w.DrawGraphMLvWaste(25); // no such row
    EXPECT_EQ(messages.size(), 2u);
}

} // namespace
