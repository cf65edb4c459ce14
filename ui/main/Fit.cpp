#include "ui/main/Fit.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolTip>
#include <QVariant>
#include <QWidget>

namespace brenta::ui {

namespace {

constexpr const char* BaseFontProperty = "brentaFitBaseFont";
constexpr const char* WheelProperty = "brentaWheelNeedsFocus";

// Room of a label's text: its contents less the indent on the side it is aligned to.
QRect LabelTextRect(const QLabel* label)
{
    QRect r = label->contentsRect();
    const int m = label->margin();
    r.adjust(m, m, -m, -m);
    const int indent = label->indent() > 0 ? label->indent() : 0;
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    if (align & Qt::AlignLeft)
        r.setLeft(r.left() + indent);
    if (align & Qt::AlignRight)
        r.setRight(r.right() - indent);
    return r;
}

// A label's words as drawn: a caption with a box to focus shows its Alt letter's
// marker as an underline, not as a character.
QString LabelWords(const QLabel* label)
{
    if (!label->buddy())
        return label->text();
    QString words = label->text();
    for (qsizetype i = 0; i < words.size(); ++i)
        if (words[i] == QLatin1Char('&'))
            words.remove(i, 1); // "&&" leaves one "&", which the loop then passes
    return words;
}

bool FitsLabel(const QObject* o)
{
    const auto* label = qobject_cast<const QLabel*>(o);
    return label && label->property(BaseFontProperty).isValid() && label->pixmap().isNull();
}

// The text room of a box: its width less the frame, the text margins and the
// box's own margin on either side and a pixel for the cursor.
int LineEditRoom(const QLineEdit* box)
{
    const int frame = box->hasFrame() ? 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QMargins margins = box->textMargins();
    return box->width() - frame - margins.left() - margins.right() - 2 * 2 - 1;
}

QStyleOptionComboBox ComboOption(const QComboBox* box)
{
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = box->isEditable();
    opt.frame = box->hasFrame();
    opt.currentText = box->currentText();
    opt.currentIcon = box->itemIcon(box->currentIndex());
    opt.iconSize = box->iconSize();
    opt.subControls = QStyle::SC_All;
    if (box->hasFocus() && !opt.editable)
        opt.state |= QStyle::State_Selected;
    return opt;
}

int ComboRoom(const QComboBox* box)
{
    const QStyleOptionComboBox opt = ComboOption(box);
    return box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box).width() - 2;
}

void FitLineEdit(QLineEdit* box)
{
    const QFont base = box->property(BaseFontProperty).value<QFont>();
    const FittedText fitted = FitText(box->text(), base, LineEditRoom(box));
    if (box->font() != fitted.font)
        box->setFont(fitted.font);
    if (box->isReadOnly() && !box->hasFocus())
        box->setCursorPosition(0);
}

class Fitter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            if (FitsLabel(watched))
                return PaintLabel(static_cast<QLabel*>(watched));
            if (auto* box = qobject_cast<QComboBox*>(watched); box && !box->isEditable())
                return PaintCombo(box);
            break;
        case QEvent::ToolTip: {
            auto* w = static_cast<QWidget*>(watched);
            if (ShownText(w).elided) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), FitToolTip(w), w);
                return true;
            }
            break;
        }
        case QEvent::Resize:
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                FitLineEdit(box);
            break;
        case QEvent::FocusOut:
            if (auto* box = qobject_cast<QLineEdit*>(watched); box && box->isReadOnly())
                box->setCursorPosition(0);
            break;
        case QEvent::Wheel:
            if (watched->property(WheelProperty).isValid() && !static_cast<QWidget*>(watched)->hasFocus()) {
                event->ignore();
                return true;
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool PaintLabel(QLabel* label)
    {
        const QRect room = LabelTextRect(label);
        const FittedText fitted = FitText(LabelWords(label), label->font(), room.width());
        QPainter painter(label);
        painter.setFont(fitted.font);
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        int flags = static_cast<int>(align);
        QString shown = fitted.shown;
        // A caption with a box to focus underlines its Alt letter, as the style shows them.
        if (label->buddy() && !fitted.elided) {
            shown = label->text();
            flags |= label->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, label)
                ? Qt::TextShowMnemonic
                : Qt::TextHideMnemonic;
        }
        label->style()->drawItemText(
            &painter, room, flags, label->palette(), label->isEnabled(), shown, label->foregroundRole());
        return true;
    }

    static bool PaintCombo(QComboBox* box)
    {
        QStylePainter painter(box);
        painter.setPen(box->palette().color(QPalette::Text));
        QStyleOptionComboBox opt = ComboOption(box);
        painter.drawComplexControl(QStyle::CC_ComboBox, opt);
        opt.currentText = ElideText(opt.currentText, box->font(), ComboRoom(box)).shown;
        painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
        return true;
    }
};

Fitter* TheFitter()
{
    static Fitter* fitter = nullptr;
    if (!fitter)
        fitter = new Fitter();
    return fitter;
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
    // The text is measured once per size: laying it out is what a fit costs, and
    // every label is fitted again on each paint.
    int width = QFontMetrics(fitted.font).horizontalAdvance(text);
    while (width > room && fitted.font.pointSizeF() - 0.5 >= FitFloorPoints) {
        fitted.font.setPointSizeF(fitted.font.pointSizeF() - 0.5);
        width = QFontMetrics(fitted.font).horizontalAdvance(text);
    }
    if (width > room) {
        fitted.shown = QFontMetrics(fitted.font).elidedText(text, Qt::ElideRight, room);
        fitted.elided = true;
    }
    return fitted;
}

void FitTexts(QWidget* root)
{
    Fitter* fitter = TheFitter();
    for (QLabel* label : root->findChildren<QLabel*>()) {
        label->setProperty(BaseFontProperty, label->font());
        label->installEventFilter(fitter);
    }
    for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
        if (box->parent() && qobject_cast<QComboBox*>(box->parent()))
            continue;
        box->setProperty(BaseFontProperty, box->font());
        box->installEventFilter(fitter);
        QObject::connect(box, &QLineEdit::textChanged, box, [box] { FitLineEdit(box); });
        FitLineEdit(box);
    }
    for (QComboBox* box : root->findChildren<QComboBox*>()) {
        box->setProperty(BaseFontProperty, box->font());
        box->installEventFilter(fitter);
    }
}

FittedText ShownText(const QWidget* w)
{
    if (FitsLabel(w)) {
        const auto* label = static_cast<const QLabel*>(w);
        return FitText(LabelWords(label), label->font(), LabelTextRect(label).width());
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(w); box && box->property(BaseFontProperty).isValid()) {
        // A box cannot draw "…": it shows its text from the start at the fitted font.
        const FittedText fitted = FitText(box->text(), box->font(), LineEditRoom(box));
        return {box->font(), box->text(), fitted.elided};
    }
    if (const auto* box = qobject_cast<const QComboBox*>(w); box && box->property(BaseFontProperty).isValid())
        return ElideText(box->currentText(), box->font(), ComboRoom(box));
    return {w->font(), QString(), false};
}

QString FitToolTip(const QWidget* w)
{
    if (!ShownText(w).elided)
        return w->toolTip();
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return LabelWords(label);
    if (const auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    if (const auto* box = qobject_cast<const QComboBox*>(w))
        return box->currentText();
    return w->toolTip();
}

void WheelNeedsFocus(QComboBox* box)
{
    // Focus by click or key only; the wheel neither takes the focus nor changes an unfocused box.
    box->setFocusPolicy(Qt::StrongFocus);
    box->setProperty(WheelProperty, true);
    box->installEventFilter(TheFitter());
}

} // namespace brenta::ui
