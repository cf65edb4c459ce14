#include "ui/main/TextFit.h"

#include <QFontMetrics>

#include <cmath>

namespace brenta::ui {

namespace {

constexpr double Step = 0.5; // points between the sizes a text is tried at

int WidthAt(const QString& text, const QFont& font, int steps)
{
    QFont smaller = font;
    smaller.setPointSizeF(font.pointSizeF() - Step * steps);
    return QFontMetrics(smaller).horizontalAdvance(text);
}

} // namespace

FittedText ElideText(const QString& text, const QFont& font, int room)
{
    FittedText fitted{font, text, false};
    const QFontMetrics metrics(font);
    if (room > 0 && metrics.horizontalAdvance(text) > room) {
        fitted.shown = metrics.elidedText(text, Qt::ElideRight, room);
        fitted.elided = true;
    }
    return fitted;
}

FittedText FitText(const QString& text, const QFont& font, int room)
{
    FittedText fitted{font, text, false};
    if (room <= 0 || text.isEmpty())
        return fitted;
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    if (natural <= room)
        return fitted;
    // The sizes below the font's own, a half point apart down to the floor (none for
    // a font given in pixels).
    const double size = font.pointSizeF();
    int lowest = 0;
    while (size - Step * (lowest + 1) >= FitFloorPoints)
        ++lowest;
    if (lowest == 0) {
        fitted.shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
        fitted.elided = true;
        return fitted;
    }
    // Every size measured is one more font the desktop looks up (the costly part of
    // a fit, far more than the measuring), so the size is not found by trying each
    // in turn: the width at the font's own size says where the text would just fit
    // if it shrank in proportion, and only the sizes next to that are measured. A
    // text is never narrower at a larger size, so the largest size that fits is the
    // one whose next larger size does not.
    const double proportional = size * room / natural;
    int steps = static_cast<int>(std::ceil((size - proportional) / Step));
    steps = std::clamp(steps, 1, lowest);
    int width = WidthAt(text, font, steps);
    if (width <= room) {
        while (steps > 1) {
            const int larger = WidthAt(text, font, steps - 1);
            if (larger > room)
                break;
            --steps;
            width = larger;
        }
    } else {
        while (width > room && steps < lowest)
            width = WidthAt(text, font, ++steps);
    }
    fitted.font.setPointSizeF(size - Step * steps);
    if (width > room) {
        fitted.shown = QFontMetrics(fitted.font).elidedText(text, Qt::ElideRight, room);
        fitted.elided = true;
    }
    return fitted;
}

} // namespace brenta::ui
