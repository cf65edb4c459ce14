// Units and colours of the windows: positions are designed in twips and colours
// written as &HBBGGRR values, so every window converts through these helpers.
#pragma once

#include <QColor>
#include <QRect>

#include <string>

#include "catalogue/Catalogue.h"

class QWidget;

namespace brenta::ui {

// Design colours as &HBBGGRR (blue, green, red bytes); turn them into a QColor with BgrColour.
namespace Colour {
inline constexpr unsigned StripeEven = 0x404040; // grid rows 0, 2, 4, ... and the icon box
inline constexpr unsigned StripeOdd = 0x000000; // grid rows 1, 3, 5, ...
inline constexpr unsigned Navy = 0x800000; // the selected grid row
inline constexpr unsigned White = 0xFFFFFF;
inline constexpr unsigned Cyan = 0xFFFF00; // red 0, green 255, blue 255
inline constexpr unsigned Green = 0x00FF00; // 65280
inline constexpr unsigned Yellow = 0x00FFFF;
inline constexpr unsigned Red = 0x0000FF;
inline constexpr unsigned Magenta = 0xFF00FF;
inline constexpr unsigned Grey = 0xC0C0C0; // window and frame background, read-only boxes
inline constexpr unsigned DarkGrey = 0x808080; // text of disabled controls, readable on Grey
} // namespace Colour

// Twips (1/1440 inch) to device-independent pixels at the primary screen's logical
// DPI, rounded to the nearest pixel; 96 DPI when there is no screen.
int TwipsToPixels(int twips);
int PixelsToTwips(int px);
QRect TwipRect(int left, int top, int width, int height);

// Text colour of a material's name and amount by the kind prefix of its name.
inline unsigned KindColour(const std::string& name)
{
    switch (KindOf(name)) {
    case ItemKind::Skill:
    case ItemKind::T1:
        return Colour::Yellow;
    case ItemKind::Item:
        return Colour::Green;
    case ItemKind::Ship:
        return Colour::Red;
    case ItemKind::T2:
        return Colour::Magenta;
    case ItemKind::Raw:
        return Colour::Cyan;
    default:
        return Colour::White;
    }
}

// &HBBGGRR to a colour; only the low three bytes count.
QColor BgrColour(unsigned bgr);

// Background and text colour of a control, kept in its palette so they can be read
// back: the Window role (Base as well for text boxes, which paint their field with
// it) with the background filled, and the WindowText and Text roles.
void SetBackColour(QWidget* w, const QColor& colour);
QColor BackColour(const QWidget* w);
void SetForeColour(QWidget* w, const QColor& colour);
QColor ForeColour(const QWidget* w);

// Every colour role of a window whose background is fixed: the grey background with
// black text, white fields, navy selection and dark grey disabled text, so a dark
// desktop palette never puts its light text on the grey.
void SetFixedColours(QWidget* w);

} // namespace brenta::ui
