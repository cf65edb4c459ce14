#include "ui/main/Look.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace brenta::ui {

namespace {

constexpr double TwipsPerInch = 1440.0;

double LogicalDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

bool PaintsWithBase(const QWidget* w) { return qobject_cast<const QLineEdit*>(w) != nullptr; }

} // namespace

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(twips * LogicalDpi() / TwipsPerInch)); }

int PixelsToTwips(int px) { return static_cast<int>(std::lround(px * TwipsPerInch / LogicalDpi())); }

QRect TwipRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

QColor BgrColour(unsigned bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
        static_cast<int>((bgr >> 16) & 0xFFu));
}

void SetBackColour(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    if (PaintsWithBase(w))
        pal.setColor(QPalette::Base, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QColor BackColour(const QWidget* w)
{
    return w->palette().color(PaintsWithBase(w) ? QPalette::Base : QPalette::Window);
}

void SetForeColour(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    w->setPalette(pal);
}

QColor ForeColour(const QWidget* w)
{
    return w->palette().color(PaintsWithBase(w) ? QPalette::Text : QPalette::WindowText);
}

void SetFixedColours(QWidget* w)
{
    const QColor grey = BgrColour(Colour::Grey);
    const QColor black(Qt::black);
    const QColor white = BgrColour(Colour::White);
    QPalette pal(black, grey, grey.lighter(125), grey.darker(200), grey.darker(150), black, white, white, grey);
    pal.setColor(QPalette::Highlight, BgrColour(Colour::Navy));
    pal.setColor(QPalette::HighlightedText, white);
    pal.setColor(QPalette::AlternateBase, grey.lighter(110));
    pal.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    pal.setColor(QPalette::ToolTipText, black);
    pal.setColor(QPalette::PlaceholderText, BgrColour(Colour::DarkGrey));
    pal.setColor(QPalette::Link, Qt::blue);
    pal.setColor(QPalette::LinkVisited, Qt::darkMagenta);
    // The style's own disabled text is about as light as the grey background.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, BgrColour(Colour::DarkGrey));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace brenta::ui
