#include "ui/main/MaterialGrid.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include <string>

#include "base/Failure.h"
#include "base/Numbers.h"
#include "ui/main/Look.h"

namespace brenta::ui {

namespace {

// The colours of a column's cells, made once per stripe from the palette its first
// cell inherits: the cells share them instead of each copying and setting a palette
// twice. A text box paints its field with the Base role, a label with Window.
struct StripePalettes {
    QPalette even;
    QPalette odd;

    StripePalettes(const QWidget* firstCell, const QColor& textColour)
    {
        even = firstCell->palette();
        even.setColor(QPalette::WindowText, textColour);
        even.setColor(QPalette::Text, textColour);
        odd = even;
        even.setColor(QPalette::Window, MaterialGrid::Stripe(0));
        odd.setColor(QPalette::Window, MaterialGrid::Stripe(1));
        if (qobject_cast<const QLineEdit*>(firstCell)) {
            even.setColor(QPalette::Base, MaterialGrid::Stripe(0));
            odd.setColor(QPalette::Base, MaterialGrid::Stripe(1));
        }
    }

    void Paint(QWidget* cell, int row) const
    {
        cell->setPalette(row % 2 == 0 ? even : odd);
        cell->setAutoFillBackground(true);
    }
};

} // namespace

int MaterialGrid::FrameTwips(std::int16_t maxIndex)
{
    return maxIndex == kRows - 1
        ? kFullFrameHeight
        : numbers::Add16(numbers::Mul16(numbers::Add16(maxIndex, 1), kRowPitch), kFrameMargin);
}

QColor MaterialGrid::Stripe(int row) { return BgrColour(row % 2 == 0 ? Colour::StripeEven : Colour::StripeOdd); }

void MaterialGrid::SetClient(QWidget* client, int bottomMarginTwips)
{
    client_ = client;
    bottomMarginTwips_ = bottomMarginTwips;
}

QGroupBox* MaterialGrid::AddFrame(
    const QString& name, const QString& caption, const QString& toolTip, int left, int width)
{
    auto* frame = new QGroupBox(caption, client_);
    frame->setObjectName(name);
    frame->setGeometry(TwipRect(left, 0, width, kDesignFrameHeight));
    if (!toolTip.isEmpty())
        frame->setToolTip(toolTip);
    SetBackColour(frame, BgrColour(Colour::Grey));
    frames_.push_back(frame);
    return frame;
}

QLabel* MaterialGrid::MakeCell(
    QWidget* frame, const QString& name, const QString& text, Qt::Alignment align, int row, int left, int width)
{
    auto* cell = new QLabel(text, frame);
    cell->setObjectName(name);
    cell->setGeometry(TwipRect(left, RowTop(row), width, kCellHeight));
    cell->setTextFormat(Qt::PlainText);
    cell->setAlignment(align);
    cell->setIndent(kCellIndentPx);
    return cell;
}

void MaterialGrid::AddColumn(const Column& cells, unsigned textColour, Selection selection)
{
    const StripePalettes stripes(cells[0], BgrColour(textColour));
    for (int row = 0; row < kRows; ++row)
        stripes.Paint(cells[static_cast<std::size_t>(row)], row);
    columns_.push_back({cells, selection});
}

MaterialGrid::LabelColumn MaterialGrid::AddLabelColumn(QWidget* frame, const char* name, const QString& text,
    Qt::Alignment align, int left, int width, unsigned textColour)
{
    LabelColumn labels{};
    Column cells{};
    for (int row = 0; row < kRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        labels[i] = MakeCell(
            frame, QString::fromLatin1(name) + '_' + QString::number(row), text, align, row, left, width);
        cells[i] = labels[i];
    }
    AddColumn(cells, textColour);
    return labels;
}

int MaterialGrid::ShowRows(std::int16_t maxIndex)
{
    for (const Entry& column : columns_) {
        for (int r = 0; r < kRows; ++r)
            column.cells[static_cast<std::size_t>(r)]->setVisible(r <= maxIndex);
    }
    const int frameTwips = FrameTwips(maxIndex);
    // The grid scrolls rather than hide its last rows on a screen too low for them.
    SetFrameHeight(frameTwips);
    return frameTwips;
}

void MaterialGrid::SetFrameHeight(int frameTwips) const
{
    for (QGroupBox* frame : frames_)
        frame->setFixedHeight(TwipsToPixels(frameTwips));
    if (client_)
        client_->setFixedHeight(TwipsToPixels(frameTwips + bottomMarginTwips_));
}

void MaterialGrid::Paint(std::int16_t r, bool highlighted) const
{
    if (r < 0 || r >= kRows)
        throw Failure("No grid row " + std::to_string(r));
    const QColor colour = highlighted ? BgrColour(Colour::Navy) : Stripe(r);
    for (const Entry& column : columns_) {
        if (!highlighted || column.selection == Selection::Highlighted)
            SetBackColour(column.cells[static_cast<std::size_t>(r)], colour);
    }
}

void MaterialGrid::HighlightRow(std::int16_t r)
{
    Paint(r, true);
    if (selected_ && *selected_ != r)
        UnhighlightRow(*selected_);
    selected_ = r;
}

void MaterialGrid::UnhighlightRow(std::int16_t r)
{
    Paint(r, false);
    if (selected_ == r)
        selected_.reset();
}

void MaterialGrid::ClickRow(std::int16_t r)
{
    if (selected_ == r)
        UnhighlightRow(r);
    else
        HighlightRow(r);
}

void MaterialGrid::ClearSelection()
{
    if (selected_)
        UnhighlightRow(*selected_);
}

} // namespace brenta::ui
