#include "ui/windows/frmGraph.h"

#include <QPainter>
#include <QPen>

#include "ui/main/Look.h"

namespace brenta::ui {

namespace {
    constexpr int ClientWidth = 9795;
    constexpr int ClientHeight = 6060;
}

frmGraph::frmGraph(QWidget* parent)
    : QWidget(parent)
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
    update();
}

QTransform frmGraph::Mapping() const
{
    const double sx = width() / picture_.scaleWidth;
    const double sy = height() / picture_.scaleHeight;
    return QTransform(sx, 0, 0, sy, -picture_.scaleLeft * sx, -picture_.scaleTop * sy);
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
        } else {
            // Text is placed in the picture's coordinates but drawn at the font's own size.
            painter.setPen(colour);
            painter.drawText(QRectF(from, QSizeF(width(), height())),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                QString::fromStdString(stroke.text));
        }
    }
}

} // namespace brenta::ui
