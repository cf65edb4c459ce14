// Keeping every shown text readable in the fixed places the windows give it: a text
// wider than its place is drawn smaller (down to a floor), then cut at its end with
// "…" and shown whole in its tool tip, never cut at its start; a number is never cut
// but shown in a short exponent form, the whole figure grouped in its tool tip. A
// text box without the focus shows its text from its start. Also selectors the
// wheel leaves alone until they have the focus.
#pragma once

#include <QFont>
#include <QString>

#include "base/Numbers.h"

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
// its place. A box without the focus shows its text from its start (after the
// focus leaves and after its text is set) and, when the text does not fit even at
// the floor, draws it as a label does until the focus returns.
void FitTexts(QWidget* root);

// A fitted label or box under FitTexts whose text is a number written with fmt:
// when it does not fit at the floor it shows the number's short form
// (numbers::ShortNumberText, as many digits as fit, at most 4) instead of a cut,
// and the whole figure, digit-grouped, in its tool tip. A text that is no number
// is cut as any other.
void FitAsNumber(QWidget* w, const NumberFormat& fmt);

// Sets a box's text without the reactions its change has elsewhere (the window's
// handlers), fitted as any other change of its text is.
void SetTextQuietly(QLineEdit* box, const QString& text);

// What a fitted label or box draws now, and the tool tip it shows: its whole text
// when cut (a number's grouped figure), its own tool tip otherwise.
FittedText ShownText(const QWidget* w);
QString FitToolTip(const QWidget* w);

// A closed selector that the wheel changes only while it has the focus, so that
// scrolling over the window never picks another entry by chance.
void WheelNeedsFocus(QComboBox* box);

} // namespace brenta::ui
