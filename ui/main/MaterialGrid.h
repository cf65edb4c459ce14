// The material grid of the main window and of the comparison: frames side by side,
// each holding columns of cells, one row of cells per material. The rows are
// striped, the frames fit the rows shown, and the player may select one row, drawn
// navy. Each window builds its own frames and columns through one MaterialGrid and
// keeps it; the grid keeps the selected row as its index.
#pragma once

#include <QColor>
#include <QString>
#include <Qt>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/Comparison.h"
#include "calc/Sheet.h"

class QGroupBox;
class QLabel;
class QWidget;

namespace brenta::ui {

class MaterialGrid {
public:
    // One row for every row the sheet computes.
    static constexpr int kRows = 25;
    // Twips from one row's top to the next; a cell is a little taller, so the
    // stripes join without a gap.
    static constexpr int kRowPitch = 240;
    static constexpr int kCellHeight = 255;
    // A frame holds its rows and this much more: the caption above, a margin below.
    static constexpr int kFrameMargin = 375;
    // The frames' height as built, before a blueprint fits them to its rows (6375).
    static constexpr int kDesignFrameHeight = kRows * kRowPitch + kFrameMargin;
    // Every row shown: one pitch taller than the rule for fewer rows makes it (6615).
    static constexpr int kFullFrameHeight = kDesignFrameHeight + kRowPitch;
    // The least of the grid a scrolled client keeps in view: two rows in their frames.
    static constexpr int kFewRowsTwips = 2 * kRowPitch + kFrameMargin;
    // Texts sit a few pixels off the cell edges instead of touching the stripe's border.
    static constexpr int kCellIndentPx = 3;

    using Column = std::array<QWidget*, kRows>;
    using LabelColumn = std::array<QLabel*, kRows>;

    // Whether a column's cells take the selected row's colour. A text box keeps its
    // stripe: the player types into it.
    enum class Selection { Highlighted, KeepsStripe };

    // Top of row's cells in their frame.
    static constexpr int RowTop(int row) { return kRowPitch * (row + 1); }
    // The frames' height when rows 0 to maxIndex show.
    static int FrameTwips(std::int16_t maxIndex);
    // The background of an unselected row.
    static QColor Stripe(int row);

    // --- Building ------------------------------------------------------------------
    // The grid's frames sit at the top of client, which is bottomMarginTwips taller
    // than they are.
    void SetClient(QWidget* client, int bottomMarginTwips);
    // A frame at the top of the client, at the design height, on the grey background.
    QGroupBox* AddFrame(const QString& name, const QString& caption, const QString& toolTip, int left, int width);
    // One cell of row in frame, its text written as given (never rich text).
    static QLabel* MakeCell(QWidget* frame, const QString& name, const QString& text, Qt::Alignment align, int row,
        int left, int width);
    // Takes a column of cells into the grid and paints their stripes, with textColour
    // (&HBBGGRR) for their text.
    void AddColumn(const Column& cells, unsigned textColour, Selection selection = Selection::Highlighted);
    // A column of cells named name_0 to name_24 in frame, added as AddColumn does.
    LabelColumn AddLabelColumn(QWidget* frame, const char* name, const QString& text, Qt::Alignment align,
        int left, int width, unsigned textColour);

    // --- Rows shown --------------------------------------------------------------------
    // Shows rows 0 to maxIndex, hides the others and fits the frames and the client
    // to them; gives the frames' height in twips.
    int ShowRows(std::int16_t maxIndex);
    // Gives the frames frameTwips of height and the client room for them.
    void SetFrameHeight(int frameTwips) const;

    // --- The selected row --------------------------------------------------------------
    // Selects row r and draws it highlighted; the row selected before gets its stripe
    // back. A row outside the grid is a Failure.
    void HighlightRow(std::int16_t r);
    // Draws row r with its stripe; when it is the selected row, none is.
    void UnhighlightRow(std::int16_t r);
    // A click on row r: selects it, or clears the selection when it is the selected row.
    void ClickRow(std::int16_t r);
    void ClearSelection();
    std::optional<std::int16_t> SelectedRow() const { return selected_; }

private:
    struct Entry {
        Column cells;
        Selection selection;
    };
    void Paint(std::int16_t r, bool highlighted) const;

    QWidget* client_ = nullptr;
    int bottomMarginTwips_ = 0;
    std::vector<QGroupBox*> frames_;
    std::vector<Entry> columns_;
    std::optional<std::int16_t> selected_;
};

// The grid shows exactly the rows the sheet and the comparison compute.
static_assert(MaterialGrid::kRows == sheet::kRows);
static_assert(MaterialGrid::kRows == comparison::kRows);

} // namespace brenta::ui
