#include "ui/windows/frmGraph.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>

#include <cmath>

#include "ui/main/Look.h"

namespace brenta::ui {

namespace {
constexpr int ClientWidth = 9795;
constexpr int ClientHeight = 6060;
} // namespace

frmGraph::frmGraph(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmGraph"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Wastage Graph"));
    setFixedSize(TwipsToPixels(ClientWidth), TwipsToPixels(ClientHeight));
    SetBackColour(this, BgrColour(Colour::StripeOdd));
    // The whole area is painted on every paint event.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void frmGraph::Draw(graph::Picture picture)
{
    picture_ = std::move(picture);
    PlaceLabels();
    update();
}

void frmGraph::PlaceLabels()
{
    labels_.clear();
    const QTransform mapping = Mapping();
    // The curve and the axes in pixels, a pixel wider on each side so a text never
    // touches them.
    std::vector<QRectF> curve;
    for (const graph::Stroke& stroke : picture_.strokes) {
        if (stroke.kind == graph::Stroke::Kind::Line
            && (stroke.colour == graph::kYellow || stroke.colour == graph::kWhite))
            curve.push_back(QRectF(
                mapping.map(QPointF(stroke.from.x, stroke.from.y)), mapping.map(QPointF(stroke.to.x, stroke.to.y)))
                                .normalized()
                                .adjusted(-1, -1, 1, 1));
    }
    const QFontMetrics metrics(font());
    const int step = std::max(1, metrics.height() / 4);
    const auto clear = [&](const QRect& r) {
        if (!rect().contains(r))
            return false;
        for (const QRectF& line : curve)
            if (line.intersects(QRectF(r)))
                return false;
        for (const Label& placed : labels_)
            if (placed.shown && placed.rect.intersects(r))
                return false;
        return true;
    };
    for (const graph::Stroke& stroke : picture_.strokes) {
        if (stroke.kind != graph::Stroke::Kind::Text)
            continue;
        Label label;
        label.text = QString::fromStdString(stroke.text);
        label.colour = stroke.colour;
        label.level = stroke.from.x;
        const QPoint at = mapping.map(QPointF(stroke.from.x, stroke.from.y)).toPoint();
        QRect own(at, metrics.size(Qt::TextSingleLine, label.text));
        // A text near the right edge ends at it rather than run off the window.
        if (own.right() >= width())
            own.moveRight(width() - 1);
        label.rect = own;
        label.shown = false;
        // Its own place first, then ever further from it: a little to the right (off
        // a curve that falls steeply beside its level), above it and below it, in turn.
        const int mostRight = 2 * metrics.height();
        for (int offset = 0; offset <= height() && !label.shown; offset += step) {
            for (const QRect& place : {own.translated(std::min(offset, mostRight), 0), own.translated(0, -offset),
                     own.translated(0, offset)}) {
                if (clear(place)) {
                    label.rect = place;
                    label.shown = true;
                    break;
                }
            }
        }
        labels_.push_back(label);
    }
}

bool frmGraph::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        // A text left out is shown when the pointer is at its level.
        const auto* help = static_cast<QHelpEvent*>(e);
        const QTransform mapping = Mapping();
        for (const Label& label : labels_) {
            if (label.shown)
                continue;
            const double x = mapping.map(QPointF(label.level, 0)).x();
            if (std::abs(help->pos().x() - x) <= 4) {
                QToolTip::showText(help->globalPos(), label.text, this);
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    return QWidget::event(e);
}

QTransform frmGraph::Mapping() const
{
    const double sx = width() / picture_.scaleWidth;
    const double sy = height() / picture_.scaleHeight;
    return QTransform(sx, 0, 0, sy, -picture_.scaleLeft * sx, -picture_.scaleTop * sy);
}

void frmGraph::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceLabels();
}

void frmGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), BgrColour(Colour::StripeOdd));
    const QTransform mapping = Mapping();
    QPen pen; // one pixel wide: only the positions are scaled
    for (const graph::Stroke& stroke : picture_.strokes) {
        const QColor colour = BgrColour(stroke.colour);
        const QPointF from = mapping.map(QPointF(stroke.from.x, stroke.from.y));
        if (stroke.kind == graph::Stroke::Kind::Line) {
            pen.setColor(colour);
            painter.setPen(pen);
            painter.drawLine(from, mapping.map(QPointF(stroke.to.x, stroke.to.y)));
        }
    }
    // Texts are placed in the picture's coordinates but drawn at the font's own size,
    // where they stay clear of the curve and of each other.
    for (const Label& label : labels_) {
        if (!label.shown)
            continue;
        painter.setPen(BgrColour(label.colour));
        painter.drawText(
            label.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, label.text);
    }
}

} // namespace brenta::ui
