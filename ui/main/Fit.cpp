#include "ui/main/Fit.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace brenta::ui {

namespace {

constexpr const char* BaseFontProperty = "brentaFitBaseFont";
constexpr const char* WheelProperty = "brentaWheelNeedsFocus";
constexpr const char* NumberProperty = "brentaFitNumber"; // the decimal separator of a number's text
constexpr int ShortFormMostDigits = 4;

// The number a widget's text stands for, when it is marked as one and reads as one.
std::optional<double> NumberOf(const QWidget* w, const QString& text, NumberFormat& fmt)
{
    const QVariant dec = w->property(NumberProperty);
    if (!dec.isValid())
        return std::nullopt;
    fmt = NumberFormat::FromDecimalSeparator(dec.toChar().toLatin1());
    try {
        return numbers::ToNumber(text.toStdString(), fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// FitText, but a number too wide even at the floor shows its short form with as
// many digits as fit: a cut would read as a smaller number.
FittedText FitFor(const QWidget* w, const QString& text, const QFont& font, int room)
{
    FittedText fitted = FitText(text, font, room);
    NumberFormat fmt;
    const std::optional<double> value = fitted.elided ? NumberOf(w, text, fmt) : std::nullopt;
    if (!value)
        return fitted;
    FittedText shortForm = fitted;
    for (int digits = ShortFormMostDigits; digits >= 1; --digits) {
        shortForm = FitText(QString::fromStdString(numbers::ShortNumberText(*value, digits, fmt)), font, room);
        if (!shortForm.elided)
            break;
    }
    shortForm.elided = true; // not the text itself: the whole figure goes in the tool tip
    return shortForm;
}

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

// A box's panel as the box itself describes it to the style.
QStyleOptionFrame BoxOption(const QLineEdit* box)
{
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.rect = box->contentsRect();
    opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    if (box->isReadOnly())
        opt.state |= QStyle::State_ReadOnly;
    opt.features = QStyleOptionFrame::None;
    return opt;
}

// Where a box lays out its text: the style's contents less the text margins and the
// box's own two pixels on either side.
QRect BoxTextRect(const QLineEdit* box)
{
    const QStyleOptionFrame opt = BoxOption(box);
    constexpr int BoxMargin = 2;
    return box->style()
        ->subElementRect(QStyle::SE_LineEditContents, &opt, box)
        .marginsRemoved(box->textMargins())
        .adjusted(BoxMargin, 0, -BoxMargin, 0);
}

// The text room of a box: its text rectangle less a pixel for the cursor, as the
// box itself decides whether its text fits or scrolls.
int LineEditRoom(const QLineEdit* box) { return BoxTextRect(box).width() - 1; }

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

// Whether a box holds the focus of its window, also while another window is active:
// the player's edit goes on there once the window is back.
bool HoldsFocus(const QLineEdit* box) { return box->hasFocus() || box->window()->focusWidget() == box; }

void FitLineEdit(QLineEdit* box)
{
    const QFont base = box->property(BaseFontProperty).value<QFont>();
    const FittedText fitted = FitText(box->text(), base, LineEditRoom(box));
    if (box->font() != fitted.font)
        box->setFont(fitted.font);
    // Without the focus a box shows the start of its text, whatever set it.
    if (!HoldsFocus(box))
        box->setCursorPosition(0);
}

} // namespace

void SetTextQuietly(QLineEdit* box, const QString& text)
{
    {
        const QSignalBlocker quiet(box);
        box->setText(text);
    }
    if (box->property(BaseFontProperty).isValid())
        FitLineEdit(box);
}

namespace {

class Fitter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            if (FitsLabel(watched))
                return PaintLabel(static_cast<QLabel*>(watched));
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                return PaintBox(box);
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
        case QEvent::FocusOut: {
            // The focus leaving for good, not for a menu of the box's own or another
            // window for a while: the box shows the start of its text again.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (auto* box = qobject_cast<QLineEdit*>(watched);
                box && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                box->setCursorPosition(0);
            break;
        }
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
        const FittedText fitted = FitFor(label, LabelWords(label), label->font(), room.width());
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

    // A box without the focus whose text does not fit even at the floor draws it as
    // a label does (cut at its end with "…", or a number's short form); with the
    // focus the box draws itself, the text scrolling under the cursor.
    static bool PaintBox(QLineEdit* box)
    {
        if (HoldsFocus(box) || !box->property(BaseFontProperty).isValid())
            return false;
        const FittedText shown = ShownText(box);
        if (!shown.elided)
            return false;
        QPainter painter(box);
        const QStyleOptionFrame panel = BoxOption(box);
        box->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, box);
        painter.setFont(shown.font);
        const Qt::Alignment align = QStyle::visualAlignment(box->layoutDirection(), box->alignment());
        box->style()->drawItemText(&painter, BoxTextRect(box), static_cast<int>(align), box->palette(),
            box->isEnabled(), shown.shown, QPalette::Text);
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
        return FitFor(label, LabelWords(label), label->font(), LabelTextRect(label).width());
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(w); box && box->property(BaseFontProperty).isValid()) {
        FittedText fitted = FitFor(box, box->text(), box->font(), LineEditRoom(box));
        // With the focus the box shows its own text, scrolling under the cursor.
        if (HoldsFocus(box))
            return {box->font(), box->text(), fitted.elided};
        return fitted;
    }
    if (const auto* box = qobject_cast<const QComboBox*>(w); box && box->property(BaseFontProperty).isValid())
        return ElideText(box->currentText(), box->font(), ComboRoom(box));
    return {w->font(), QString(), false};
}

QString FitToolTip(const QWidget* w)
{
    if (!ShownText(w).elided)
        return w->toolTip();
    const auto whole = [w](const QString& text) {
        NumberFormat fmt;
        if (NumberOf(w, text, fmt))
            return QString::fromStdString(numbers::GroupedNumberText(text.toStdString(), fmt));
        return text;
    };
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return whole(LabelWords(label));
    if (const auto* box = qobject_cast<const QLineEdit*>(w))
        return whole(box->text());
    if (const auto* box = qobject_cast<const QComboBox*>(w))
        return box->currentText();
    return w->toolTip();
}

void FitAsNumber(QWidget* w, const NumberFormat& fmt)
{
    w->setProperty(NumberProperty, QChar::fromLatin1(fmt.decSep));
    w->update();
}

void WheelNeedsFocus(QComboBox* box)
{
    // Focus by click or key only; the wheel neither takes the focus nor changes an unfocused box.
    box->setFocusPolicy(Qt::StrongFocus);
    box->setProperty(WheelProperty, true);
    box->installEventFilter(TheFitter());
}

} // namespace brenta::ui
