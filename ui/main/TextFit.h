// How a text is made to fit a place of a given width: drawn smaller, down to a
// floor, then cut at its end with "…". Measuring only; the widgets that draw their
// texts this way are FittedTexts'.
#pragma once

#include <QFont>
#include <QString>

namespace brenta::ui {

// Smallest point size a text is drawn at before it is cut.
inline constexpr double FitFloorPoints = 6.0;

struct FittedText {
    QFont font;
    QString shown; // the text itself, or its start with "…" when even the floor is too wide
    bool elided = false;
};

// The largest font from font down to the floor, in half points, at which text fits
// room pixels, and what is drawn at it.
FittedText FitText(const QString& text, const QFont& font, int room);
// The same at the font as it is: a selector's names keep its size and are cut at their end.
FittedText ElideText(const QString& text, const QFont& font, int room);

} // namespace brenta::ui
