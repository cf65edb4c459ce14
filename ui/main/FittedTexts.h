// Keeping every shown text of a window readable in the fixed place it has: a text
// wider than its place is drawn smaller (down to a floor), then cut at its end with
// "…" and shown whole in its tool tip, never cut at its start; a number is never cut
// but shown in a short exponent form, the whole figure grouped in its tool tip. A
// text box without the focus shows its text from its start.
#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

#include "base/Numbers.h"
#include "ui/main/TextFit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace brenta::ui {

// The fitted texts under one widget (a window's client or the window itself): what
// is fitted, at which font each box started, which of them show numbers. It lives
// as long as that widget, as its child.
class FittedTexts : public QObject {
public:
    // Every label (text, not picture), text box and selector under root draws its
    // text fitted to its place. A box without the focus shows its text from its
    // start (after the focus leaves and after its text is set) and, when the text
    // does not fit even at the floor, draws it as a label does until the focus
    // returns.
    explicit FittedTexts(QWidget* root);

    // The fitted texts a widget is one of, or none; those made for root, or none.
    static FittedTexts* Of(const QWidget* w);
    static FittedTexts* Under(const QWidget* root);

    // A fitted label or box whose text is a number written with fmt: when it does
    // not fit at the floor it shows the number's short form
    // (numbers::ShortNumberText, as many digits as fit, at most 4) instead of a
    // cut, and the whole figure, digit-grouped, in its tool tip. A text that is no
    // number is cut as any other.
    void AsNumber(QWidget* w, const NumberFormat& fmt);

    // What a fitted label or box draws now, and the tool tip it shows: its whole
    // text when cut (a number's grouped figure), its own tool tip otherwise.
    FittedText Shown(const QWidget* w) const;
    QString ToolTip(const QWidget* w) const;

    // Fits a box's text again at its starting font, after its text changed.
    void FitBox(QLineEdit* box) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Fitted {
        QFont base; // the font a box shrinks from
        std::optional<NumberFormat> number; // how its text is written, when it is a number
    };

    const Fitted* Find(const QObject* o) const;
    bool IsLabel(const QObject* o) const;
    FittedText FitFor(const QWidget* w, const QString& text, const QFont& font, int room) const;
    bool PaintLabel(QLabel* label) const;
    bool PaintBox(QLineEdit* box) const;
    static bool PaintCombo(QComboBox* box);

    QHash<const QObject*, Fitted> fitted_;
};

// The fitted texts under root (FittedTexts above); they live as long as root.
FittedTexts* FitTexts(QWidget* root);

// FittedTexts::AsNumber, for a widget of any fitted texts (nothing for another).
void FitAsNumber(QWidget* w, const NumberFormat& fmt);

// Sets a box's text without the reactions its change has elsewhere (the window's
// handlers), fitted as any other change of its text is.
void SetTextQuietly(QLineEdit* box, const QString& text);

// FittedTexts::Shown and ToolTip for a widget of any fitted texts; a widget of none
// shows no fitted text and its own tool tip.
FittedText ShownText(const QWidget* w);
QString FitToolTip(const QWidget* w);

} // namespace brenta::ui
