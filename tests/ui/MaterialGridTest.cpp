// The material grid both the main window and the comparison are built on, on a
// bare client: the height rule, the stripes and the one selected row.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "base/Failure.h"
#include "ui/main/Look.h"
#include "ui/main/MaterialGrid.h"

using namespace brenta;
using ui::MaterialGrid;

namespace {

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.SetClient(&client, 60);
        frames[0] = grid.AddFrame(QStringLiteral("fraNames"), QStringLiteral("Names"), QString(), 120, 4335);
        frames[1] = grid.AddFrame(QStringLiteral("fraPrices"), QStringLiteral("Prices"), QString(), 4560, 1335);
        names = grid.AddLabelColumn(
            frames[0], "lblName", QString(), Qt::AlignLeft | Qt::AlignVCenter, 120, 3135, ui::Colour::Cyan);
        MaterialGrid::Column cells{};
        for (std::size_t r = 0; r < MaterialGrid::kRows; ++r) {
            boxes[r] = new QLineEdit(frames[1]);
            cells[r] = boxes[r];
        }
        grid.AddColumn(cells, ui::Colour::White, MaterialGrid::Selection::KeepsStripe);
    }

    static QColor Navy() { return ui::BgrColour(ui::Colour::Navy); }

    QWidget client;
    MaterialGrid grid;
    std::array<QGroupBox*, 2> frames{};
    MaterialGrid::LabelColumn names{};
    std::array<QLineEdit*, MaterialGrid::kRows> boxes{};
};

TEST_F(Grid, FramesAndClientFitTheRowsShown)
{
    const struct {
        std::int16_t maxIndex;
        int frameTwips;
    } cases[] = {{0, 615}, {5, 1815}, {23, 6135}, {24, 6615}};
    for (const auto& c : cases) {
        EXPECT_EQ(MaterialGrid::FrameTwips(c.maxIndex), c.frameTwips) << c.maxIndex;
        EXPECT_EQ(grid.ShowRows(c.maxIndex), c.frameTwips) << c.maxIndex;
        for (QGroupBox* frame : frames)
            EXPECT_EQ(frame->height(), ui::TwipsToPixels(c.frameTwips)) << c.maxIndex;
        EXPECT_EQ(client.height(), ui::TwipsToPixels(c.frameTwips + 60)) << c.maxIndex;
        for (int r = 0; r < MaterialGrid::kRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            EXPECT_EQ(!names[i]->isHidden(), r <= c.maxIndex) << c.maxIndex << " row " << r;
            EXPECT_EQ(!boxes[i]->isHidden(), r <= c.maxIndex) << c.maxIndex << " row " << r;
        }
    }
}

TEST_F(Grid, ColumnsAreStripedInTheirTextColour)
{
    for (std::size_t r = 0; r < MaterialGrid::kRows; ++r) {
        const QColor stripe = ui::BgrColour(r % 2 == 0 ? ui::Colour::StripeEven : ui::Colour::StripeOdd);
        EXPECT_EQ(ui::BackColour(names[r]), stripe) << r;
        EXPECT_EQ(ui::BackColour(boxes[r]), stripe) << r;
        EXPECT_EQ(ui::ForeColour(names[r]), ui::BgrColour(ui::Colour::Cyan)) << r;
        EXPECT_EQ(ui::ForeColour(boxes[r]), ui::BgrColour(ui::Colour::White)) << r;
        EXPECT_EQ(names[r]->y(), ui::TwipsToPixels(240 * (static_cast<int>(r) + 1))) << r;
    }
}

TEST_F(Grid, OneRowAtATimeIsSelected)
{
    grid.HighlightRow(2);
    EXPECT_EQ(grid.SelectedRow(), 2);
    EXPECT_EQ(ui::BackColour(names[2]), Navy());
    EXPECT_EQ(ui::BackColour(boxes[2]), MaterialGrid::Stripe(2)); // the box the player types in keeps its stripe

    // Selecting another row gives the one before its stripe back.
    grid.HighlightRow(5);
    EXPECT_EQ(grid.SelectedRow(), 5);
    EXPECT_EQ(ui::BackColour(names[2]), MaterialGrid::Stripe(2));
    EXPECT_EQ(ui::BackColour(names[5]), Navy());

    grid.ClickRow(5); // a click on the selected row clears it
    EXPECT_EQ(grid.SelectedRow(), std::nullopt);
    EXPECT_EQ(ui::BackColour(names[5]), MaterialGrid::Stripe(5));

    grid.ClickRow(7);
    EXPECT_EQ(grid.SelectedRow(), 7);
    EXPECT_THROW(grid.HighlightRow(MaterialGrid::kRows), Failure);
    EXPECT_THROW(grid.ClickRow(-1), Failure);
    EXPECT_EQ(grid.SelectedRow(), 7); // a row outside the grid changes nothing
    EXPECT_EQ(ui::BackColour(names[7]), Navy());

    grid.UnhighlightRow(3); // another row's stripe leaves the selection alone
    EXPECT_EQ(grid.SelectedRow(), 7);
    grid.ClearSelection();
    EXPECT_EQ(grid.SelectedRow(), std::nullopt);
    for (std::size_t r = 0; r < MaterialGrid::kRows; ++r)
        EXPECT_EQ(ui::BackColour(names[r]), MaterialGrid::Stripe(static_cast<int>(r))) << r;
}

} // namespace
