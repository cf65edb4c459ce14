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

    bool PaintsWithBase(const QWidget* w)
    {
        return qobject_cast<const QLineEdit*>(w) != nullptr;
    }

} // namespace

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips * LogicalDpi() / TwipsPerInch));
}

int PixelsToTwips(int px)
{
    return static_cast<int>(std::lround(px * TwipsPerInch / LogicalDpi()));
}

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

} // namespace brenta::ui
