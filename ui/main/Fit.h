// Keeping every shown text readable in the fixed places the windows give it: a text
// wider than its place is drawn smaller (down to a floor), then cut at its end with
// "…" and shown whole in its tool tip, never cut at its start. Also selectors the
// wheel leaves alone until they have the focus.
#pragma once

#include <QFont>
#include <QString>

class QComboBox;
class QWidget;

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

// Every label (text, not picture) and text box under root draws its text fitted to
// its place; read-only boxes show their text from its start.
void FitTexts(QWidget* root);

// What a fitted label or box draws now, and the tool tip it shows: its whole text
// when cut, its own tool tip otherwise.
FittedText ShownText(const QWidget* w);
QString FitToolTip(const QWidget* w);

// A closed selector that the wheel changes only while it has the focus, so that
// scrolling over the window never picks another entry by chance.
void WheelNeedsFocus(QComboBox* box);

} // namespace brenta::ui
