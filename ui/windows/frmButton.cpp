#include "ui/windows/frmButton.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/windows/AlwaysOnTop.h"

namespace brenta::ui {

namespace {

constexpr int kSide = 375; // inside, twips
constexpr int kBorderPx = 1;
constexpr unsigned kBackground = 0x404040;

} // namespace

frmButton::frmButton(QWidget& owner, Owner calls)
    : QFrame(&owner, Qt::Window | Qt::FramelessWindowHint), owner_(owner), calls_(std::move(calls))
{
    setObjectName(QStringLiteral("frmButton"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderPx);
    SetBackColour(this, BgrColour(kBackground));
    SetForeColour(this, BgrColour(0x000000)); // the border line
    setFixedSize(TwipsToPixels(kSide) + 2 * kBorderPx, TwipsToPixels(kSide) + 2 * kBorderPx);
    setFocusPolicy(Qt::StrongFocus);

    Label1 = new QLabel(QStringLiteral("BRT"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(TwipRect(0, 90, kSide, 255).translated(kBorderPx, kBorderPx));
    SetBackColour(Label1, BgrColour(kBackground));
    SetForeColour(Label1, BgrColour(0xFFFFFF));
    // A click on the text reaches the square: the label does not take mouse presses.
}

void frmButton::FormLoad()
{
    // The top left corner of the screen the main window is on, inside its free area.
    const QScreen* screen = owner_.screen();
    const QPoint corner = screen ? screen->geometry().topLeft() : QPoint();
    owner_.hide();
    PlaceOnScreen(this, corner + QPoint(TwipsToPixels(0), TwipsToPixels(200)));
    // Into the topmost band before it appears, so it shows once, already on top.
    std::int16_t on = 1;
    AlwaysOnTop::SetTopmost(this, on);
    show();
    raise();
    // The keys that bring the window back reach the square.
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void frmButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        close();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void frmButton::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

// A click: pressed and released over the square, the text included.
void frmButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click
        = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        close();
}

void frmButton::closeEvent(QCloseEvent* event)
{
    // However the square goes away, the calculator comes back, in the topmost band
    // when "Always on Top" says so and as an ordinary window when it does not, so
    // the check mark always tells the truth; only while the program shuts down does
    // the main window stay hidden.
    if (!calls_.unloading()) {
        owner_.show();
        std::int16_t on = calls_.alwaysOnTop() ? 1 : 0;
        AlwaysOnTop::SetTopmost(&owner_, on);
        owner_.raise();
        owner_.activateWindow();
    }
    event->accept();
}

} // namespace brenta::ui
