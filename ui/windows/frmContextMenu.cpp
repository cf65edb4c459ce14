#include "ui/windows/frmContextMenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>

#include "ui/main/Look.h"
#include "ui/windows/AlwaysOnTop.h"

namespace brenta::ui {

namespace {

constexpr int kWidth = 1215; // twips, inside
constexpr int kHeight = 1455;
constexpr int kOptionHeight = 255;
constexpr int kOptionPitch = 240;

// A background always with the text colour made for it: the desktop's window
// colour with the desktop's text, a fixed white with fixed black (dark grey while
// disabled), the desktop's selection with its selected text. Every state of the
// option keeps the pair, so no desktop scheme puts its light text on the white.
struct Colours {
    QColor background;
    QColor text;
    QColor disabledText;
};

Colours Desktop()
{
    const QPalette desktop = QApplication::palette();
    return {desktop.color(QPalette::Active, QPalette::Window),
        desktop.color(QPalette::Active, QPalette::WindowText),
        desktop.color(QPalette::Disabled, QPalette::WindowText)};
}

Colours FixedWhite() { return {BgrColour(Colour::White), BgrColour(0x000000), BgrColour(Colour::DarkGrey)}; }

Colours Selected()
{
    const QPalette desktop = QApplication::palette();
    const QColor text = desktop.color(QPalette::Active, QPalette::HighlightedText);
    return {desktop.color(QPalette::Active, QPalette::Highlight), text, text};
}

void Paint(QLabel* option, const Colours& colours)
{
    QPalette pal = option->palette();
    pal.setColor(QPalette::Window, colours.background);
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        pal.setColor(group, QPalette::WindowText, colours.text);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, colours.disabledText);
    option->setPalette(pal);
    option->setAutoFillBackground(true);
}

} // namespace

frmContextMenu::frmContextMenu(QWidget& owner, std::int16_t row, bool findBP, Actions actions)
    : QWidget(&owner, Qt::Window | Qt::FramelessWindowHint), owner_(owner), actions_(std::move(actions)),
      row_(row), findBP_(findBP)
{
    setObjectName(QStringLiteral("frmContextMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(TwipsToPixels(kWidth), TwipsToPixels(kHeight));

    // The options are narrow: a desktop font too wide for "ML vs. Waste" is taken a
    // little smaller rather than clipping the caption.
    QFont narrow = font();
    const int room = TwipsToPixels(kWidth) - 4;
    while (
        narrow.pointSizeF() > 6 && QFontMetrics(narrow).horizontalAdvance(QStringLiteral("ML vs. Waste")) > room)
        narrow.setPointSizeF(narrow.pointSizeF() - 0.5);
    setFont(narrow);

    const QString captions[] = {QString(), QStringLiteral("ML vs. Waste"), QStringLiteral("Find BP"),
        QStringLiteral("Copy Sheet"), QString(), QString(), QStringLiteral("Cancel")};
    for (int k = 1; k <= 6; ++k) {
        auto* option = new QLabel(captions[k], this);
        option->setObjectName(QStringLiteral("lblContextOption_%1").arg(k));
        option->setTextFormat(Qt::PlainText);
        option->setAlignment(Qt::AlignCenter);
        option->setFrameStyle(QFrame::Box | QFrame::Plain);
        option->setLineWidth(1);
        option->setGeometry(TwipRect(0, (k - 1) * kOptionPitch, kWidth, kOptionHeight));
        option->setMouseTracking(true);
        Paint(option, k == kOptionFindBP ? FixedWhite() : Desktop());
        // The spacers never react; "Find BP" waits for the load to know its builder.
        option->setEnabled(k == kOptionMLvWaste || k == kOptionCancel);
        lblContextOption[static_cast<std::size_t>(k)] = option;
    }
    // The options' mouse events, and a press in any other window of the program,
    // which closes the menu even where the window system keeps the focus here (a
    // click on the disabled main window, say).
    qApp->installEventFilter(this);
}

void frmContextMenu::FormLoad()
{
    // Opened over a disabled main window, whose state a child window shares.
    setEnabled(true);
    lblContextOption[kOptionFindBP]->setEnabled(findBP_);
    lblContextOption[kOptionCopySheet]->setEnabled(static_cast<bool>(actions_.copySheet));
    std::int16_t on = 1;
    AlwaysOnTop::SetTopmost(this, on);
    show();
    raise();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

int frmContextMenu::OptionOf(const QObject* widget) const
{
    for (int k = 1; k <= 6; ++k)
        if (lblContextOption[static_cast<std::size_t>(k)] == widget)
            return k;
    return 0;
}

bool frmContextMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() != this) {
        close();
        return false;
    }
    if (!watched->isWidgetType())
        return false;
    const int k = OptionOf(watched);
    // Disabled options never react: the spacers, and "Find BP" without a builder.
    if (k == 0 || !lblContextOption[static_cast<std::size_t>(k)]->isEnabled())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        lblContextOption_MouseMove(k);
        return false;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            pressed_ = k;
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const bool click = pressed_ == k
                && lblContextOption[static_cast<std::size_t>(k)]->rect().contains(mouse->position().toPoint());
            pressed_ = 0;
            if (click)
                lblContextOption_Click(k);
        }
        return true;
    }
    default:
        return false;
    }
}

// The option under the mouse (or chosen with the arrow keys) takes the desktop's
// selection colours; every other row turns white with black text.
void frmContextMenu::lblContextOption_MouseMove(int Index)
{
    current_ = Index;
    for (int a = 1; a <= 6; ++a)
        Paint(lblContextOption[static_cast<std::size_t>(a)], a == Index ? Selected() : FixedWhite());
}

// The next option that can be chosen, down (step 1) or up (step -1) from the
// current one, round the ends; from none, the first or the last.
int frmContextMenu::NextOption(int step) const
{
    int k = current_;
    for (int tried = 0; tried < 6; ++tried) {
        k = current_ == 0 && tried == 0 ? (step > 0 ? 1 : 6) : (k + step + 5) % 6 + 1;
        if (lblContextOption[static_cast<std::size_t>(k)]->isEnabled())
            return k;
    }
    return 0;
}

void frmContextMenu::lblContextOption_Click(int Index)
{
    // The menu goes first: what the option opens (a message box, say) takes the
    // focus, and a menu still open would close itself and be deleted beneath this
    // handler. Closed here, it is deleted only once this event is done.
    const Actions actions = actions_;
    const std::int16_t row = row_;
    const std::function<void()> copySheet = actions_.copySheet;
    close();
    switch (Index) {
    case kOptionMLvWaste:
        actions.graph(row);
        break;
    case kOptionFindBP:
        actions.findBP(row);
        break;
    case kOptionCopySheet:
        copySheet();
        break;
    default:
        break;
    }
}

void frmContextMenu::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (const int k = NextOption(event->key() == Qt::Key_Down ? 1 : -1); k != 0)
            lblContextOption_MouseMove(k);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (current_ != 0 && lblContextOption[static_cast<std::size_t>(current_)]->isEnabled())
            lblContextOption_Click(current_);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmContextMenu::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        close();
}

void frmContextMenu::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (unloading_)
        return;
    unloading_ = true;
    qApp->removeEventFilter(this);
    owner_.setEnabled(true);
    if (!actions_.ownerUnloading()) {
        owner_.show();
        owner_.raise();
        owner_.activateWindow();
    }
}

} // namespace brenta::ui
