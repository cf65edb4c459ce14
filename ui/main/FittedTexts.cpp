#include "ui/main/FittedTexts.h"

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
#include <QWidget>

namespace brenta::ui {

namespace {

constexpr int ShortFormMostDigits = 4;

// The number a text stands for, when it is written with fmt and reads as one.
std::optional<double> NumberOf(const QString& text, const NumberFormat& fmt)
{
    try {
        return numbers::ToNumber(text.toStdString(), fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
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

} // namespace

FittedTexts::FittedTexts(QWidget* root) : QObject(root)
{
    const auto keep = [this](QWidget* w) {
        fitted_.insert(w, Fitted{w->font(), std::nullopt});
        w->installEventFilter(this);
        // A widget taken away before the window leaves no entry another could be taken for.
        connect(w, &QObject::destroyed, this, [this](QObject* gone) { fitted_.remove(gone); });
    };
    for (QLabel* label : root->findChildren<QLabel*>())
        keep(label);
    for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
        if (box->parent() && qobject_cast<QComboBox*>(box->parent()))
            continue;
        keep(box);
        connect(box, &QLineEdit::textChanged, this, [this, box] { FitBox(box); });
        FitBox(box);
    }
    for (QComboBox* box : root->findChildren<QComboBox*>())
        keep(box);
}

FittedTexts* FittedTexts::Of(const QWidget* w)
{
    for (const QWidget* a = w; a; a = a->parentWidget()) {
        for (QObject* child : a->children()) {
            auto* texts = dynamic_cast<FittedTexts*>(child);
            if (texts && texts->Find(w))
                return texts;
        }
    }
    return nullptr;
}

FittedTexts* FittedTexts::Under(const QWidget* root)
{
    for (QObject* child : root->children())
        if (auto* texts = dynamic_cast<FittedTexts*>(child))
            return texts;
    return nullptr;
}

const FittedTexts::Fitted* FittedTexts::Find(const QObject* o) const
{
    const auto it = fitted_.constFind(o);
    return it == fitted_.constEnd() ? nullptr : &*it;
}

bool FittedTexts::IsLabel(const QObject* o) const
{
    const auto* label = qobject_cast<const QLabel*>(o);
    return label && Find(label) && label->pixmap().isNull();
}

void FittedTexts::AsNumber(QWidget* w, const NumberFormat& fmt)
{
    const auto it = fitted_.find(w);
    if (it == fitted_.end())
        return;
    it->number = fmt;
    w->update();
}

// FitText, but a number too wide even at the floor shows its short form with as
// many digits as fit: a cut would read as a smaller number.
FittedText FittedTexts::FitFor(const QWidget* w, const QString& text, const QFont& font, int room) const
{
    FittedText fitted = FitText(text, font, room);
    if (!fitted.elided)
        return fitted;
    const Fitted* f = Find(w);
    const std::optional<double> value = f && f->number ? NumberOf(text, *f->number) : std::nullopt;
    if (!value)
        return fitted;
    FittedText shortForm = fitted;
    for (int digits = ShortFormMostDigits; digits >= 1; --digits) {
        shortForm
            = FitText(QString::fromStdString(numbers::ShortNumberText(*value, digits, *f->number)), font, room);
        if (!shortForm.elided)
            break;
    }
    shortForm.elided = true; // not the text itself: the whole figure goes in the tool tip
    return shortForm;
}

void FittedTexts::FitBox(QLineEdit* box) const
{
    const Fitted* f = Find(box);
    if (!f)
        return;
    const FittedText fitted = FitText(box->text(), f->base, LineEditRoom(box));
    if (box->font() != fitted.font)
        box->setFont(fitted.font);
    // Without the focus a box shows the start of its text, whatever set it.
    if (!HoldsFocus(box))
        box->setCursorPosition(0);
}

FittedText FittedTexts::Shown(const QWidget* w) const
{
    if (IsLabel(w)) {
        const auto* label = static_cast<const QLabel*>(w);
        return FitFor(label, LabelWords(label), label->font(), LabelTextRect(label).width());
    }
    if (!Find(w))
        return {w->font(), QString(), false};
    if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
        FittedText fitted = FitFor(box, box->text(), box->font(), LineEditRoom(box));
        // With the focus the box shows its own text, scrolling under the cursor.
        if (HoldsFocus(box))
            return {box->font(), box->text(), fitted.elided};
        return fitted;
    }
    if (const auto* box = qobject_cast<const QComboBox*>(w))
        return ElideText(box->currentText(), box->font(), ComboRoom(box));
    return {w->font(), QString(), false};
}

QString FittedTexts::ToolTip(const QWidget* w) const
{
    if (!Shown(w).elided)
        return w->toolTip();
    const Fitted* f = Find(w);
    const auto whole = [f](const QString& text) {
        if (f && f->number && NumberOf(text, *f->number))
            return QString::fromStdString(numbers::GroupedNumberText(text.toStdString(), *f->number));
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

bool FittedTexts::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        if (IsLabel(watched))
            return PaintLabel(static_cast<QLabel*>(watched));
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            return PaintBox(box);
        if (auto* box = qobject_cast<QComboBox*>(watched); box && !box->isEditable())
            return PaintCombo(box);
        break;
    case QEvent::ToolTip: {
        auto* w = static_cast<QWidget*>(watched);
        if (Shown(w).elided) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToolTip(w), w);
            return true;
        }
        break;
    }
    case QEvent::Resize:
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            FitBox(box);
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
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool FittedTexts::PaintLabel(QLabel* label) const
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
        flags |= label->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, label) ? Qt::TextShowMnemonic
                                                                                         : Qt::TextHideMnemonic;
    }
    label->style()->drawItemText(
        &painter, room, flags, label->palette(), label->isEnabled(), shown, label->foregroundRole());
    return true;
}

// A box without the focus whose text does not fit even at the floor draws it as a
// label does (cut at its end with "…", or a number's short form); with the focus
// the box draws itself, the text scrolling under the cursor.
bool FittedTexts::PaintBox(QLineEdit* box) const
{
    if (HoldsFocus(box) || !Find(box))
        return false;
    const FittedText shown = Shown(box);
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

bool FittedTexts::PaintCombo(QComboBox* box)
{
    QStylePainter painter(box);
    painter.setPen(box->palette().color(QPalette::Text));
    QStyleOptionComboBox opt = ComboOption(box);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    opt.currentText = ElideText(opt.currentText, box->font(), ComboRoom(box)).shown;
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
    return true;
}

FittedTexts* FitTexts(QWidget* root) { return new FittedTexts(root); }

void FitAsNumber(QWidget* w, const NumberFormat& fmt)
{
    if (FittedTexts* texts = FittedTexts::Of(w))
        texts->AsNumber(w, fmt);
}

void SetTextQuietly(QLineEdit* box, const QString& text)
{
    {
        const QSignalBlocker quiet(box);
        box->setText(text);
    }
    if (const FittedTexts* texts = FittedTexts::Of(box))
        texts->FitBox(box);
}

FittedText ShownText(const QWidget* w)
{
    const FittedTexts* texts = FittedTexts::Of(w);
    return texts ? texts->Shown(w) : FittedText{w->font(), QString(), false};
}

QString FitToolTip(const QWidget* w)
{
    const FittedTexts* texts = FittedTexts::Of(w);
    return texts ? texts->ToolTip(w) : w->toolTip();
}

} // namespace brenta::ui
