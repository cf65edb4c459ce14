#include "ui/main/Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace brenta::ui {

namespace {

constexpr const char* DesignSizeProperty = "brentaDesignSize";
constexpr const char* OuterHeightProperty = "brentaOuterHeight";
constexpr const char* BaseWidthProperty = "brentaBaseWidth";
constexpr const char* DecorationProperty = "brentaDecoration";
constexpr const char* PendingProperty = "brentaPlacePending";

// The window manager's frame around a window: known only once the window shows.
QSize Decoration(const QWidget* window)
{
    return window->isVisible() ? window->frameGeometry().size() - window->size() : QSize(0, 0);
}

// Whether the frame around the window differs from the one seen last time.
bool DecorationChanged(QWidget* window)
{
    const QSize now = Decoration(window);
    const QVariant seen = window->property(DecorationProperty);
    window->setProperty(DecorationProperty, now);
    return !seen.isValid() || seen.toSize() != now;
}

// Sets the inner size a window keeps; says whether it changed.
bool SetInnerSize(QWidget* window, const QSize& size)
{
    if (window->minimumSize() == size && window->maximumSize() == size)
        return false;
    window->setFixedSize(size);
    return true;
}

void MoveInside(QWidget* window, const QRect& free)
{
    const QRect frame(window->frameGeometry().topLeft(), window->size() + Decoration(window));
    const QPoint place = FitRect(frame, free).topLeft();
    if (place != frame.topLeft())
        window->move(place);
}

// A secondary window: its own size, cut to the free area, and moved inside it. A
// window of a fixed size keeps the size it was made with where the area allows (a
// smaller screen cuts it, a larger one gives it back); one the player can resize
// keeps the player's size (size: the one it is being given), cut to the area only.
void FitSecondary(QWidget* window, bool place, QSize size)
{
    const bool fixed = window->minimumSize() == window->maximumSize();
    if (fixed && !window->property(DesignSizeProperty).isValid())
        window->setProperty(DesignSizeProperty, window->size());
    const QRect free = FreeAreaFor(window->frameGeometry());
    if (free.isEmpty())
        return;
    const QSize room = free.size() - Decoration(window);
    bool resized = false;
    if (fixed) {
        resized = SetInnerSize(window, window->property(DesignSizeProperty).toSize().boundedTo(room));
    } else if (!room.isEmpty() && size != size.boundedTo(room)) {
        window->resize(size.boundedTo(room));
        resized = true;
    }
    if (resized || place)
        MoveInside(window, free);
}

// A window whose client scrolls (the main window's central widget, or the one
// widget a window's layout holds): what does not fit shows through scroll bars,
// whose room the window gets on top of the client's own size.
const QScrollArea* ScrollingClient(const QWidget* window)
{
    if (const auto* main = qobject_cast<const QMainWindow*>(window))
        return qobject_cast<const QScrollArea*>(main->centralWidget());
    const QLayout* layout = window->layout();
    return layout && layout->count() == 1 ? qobject_cast<const QScrollArea*>(layout->itemAt(0)->widget())
                                          : nullptr;
}

void ApplyOuterHeight(QWidget* window, bool place)
{
    if (!window->property(BaseWidthProperty).isValid())
        window->setProperty(BaseWidthProperty, window->width());
    const QSize decoration = Decoration(window);
    const QSize wanted(window->property(BaseWidthProperty).toInt(),
        window->property(OuterHeightProperty).toInt() - decoration.height());
    if (wanted.height() <= 0)
        return;
    const QRect free = FreeAreaFor(window->frameGeometry());
    QSize inner = wanted;
    if (!free.isEmpty()) {
        const QSize room = free.size() - decoration;
        if (const QScrollArea* area = ScrollingClient(window)) {
            const int barWidth = area->verticalScrollBar()->sizeHint().width();
            const int barHeight = area->horizontalScrollBar()->sizeHint().height();
            bool tall = wanted.height() > room.height();
            const bool wide = wanted.width() + (tall ? barWidth : 0) > room.width();
            if (wide && !tall)
                tall = wanted.height() + barHeight > room.height();
            inner = QSize(std::min(wanted.width() + (tall ? barWidth : 0), room.width()),
                std::min(wanted.height() + (wide ? barHeight : 0), room.height()));
        } else {
            inner = wanted.boundedTo(room);
        }
    }
    if (SetInnerSize(window, inner) || place)
        MoveInside(window, free);
}

class Keeper : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize)
            return QObject::eventFilter(watched, event);
        auto* window = static_cast<QWidget*>(watched);
        // Placed when it shows and when its frame changes; a move of the player's
        // own keeps its place unless the window no longer fits where it went. A
        // new frame is placed once the platform has put it where the window was
        // asked to go, which it does after telling of the frame.
        const bool framed = DecorationChanged(window);
        Fit(window, type == QEvent::Show,
            type == QEvent::Resize ? static_cast<QResizeEvent*>(event)->size() : window->size());
        if (framed && type != QEvent::Show && !window->property(PendingProperty).toBool()) {
            window->setProperty(PendingProperty, true);
            QMetaObject::invokeMethod(
                window,
                [window] {
                    window->setProperty(PendingProperty, false);
                    Fit(window, true, window->size());
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void Fit(QWidget* window, bool place, QSize size)
    {
        if (window->property(OuterHeightProperty).isValid())
            ApplyOuterHeight(window, place);
        else
            FitSecondary(window, place, size);
    }
};

Keeper* TheKeeper()
{
    static Keeper* keeper = nullptr;
    if (!keeper)
        keeper = new Keeper();
    return keeper;
}

} // namespace

QRect FitRect(const QRect& rect, const QRect& area)
{
    if (area.isEmpty())
        return rect;
    const QSize size = rect.size().boundedTo(area.size());
    const int left = std::clamp(rect.left(), area.left(), area.left() + area.width() - size.width());
    const int top = std::clamp(rect.top(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(left, top), size);
}

QRect FreeAreaFor(const QRect& rect)
{
    const QScreen* best = nullptr;
    long long shown = 0;
    long long nearest = std::numeric_limits<long long>::max();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect geometry = screen->geometry();
        const QRect common = geometry.intersected(rect);
        const long long area = common.isEmpty() ? 0 : 1LL * common.width() * common.height();
        if (area > shown) {
            shown = area;
            best = screen;
        }
        if (shown == 0) {
            // Off every screen: the one whose edge is closest to the rect's centre.
            const QPoint centre = rect.center();
            const long long dx = std::max({geometry.left() - centre.x(), 0, centre.x() - geometry.right()});
            const long long dy = std::max({geometry.top() - centre.y(), 0, centre.y() - geometry.bottom()});
            if (dx * dx + dy * dy < nearest) {
                nearest = dx * dx + dy * dy;
                best = screen;
            }
        }
    }
    if (!best)
        best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : QRect();
}

void PlaceOnScreen(QWidget* window, const QPoint& frameTopLeft)
{
    KeepOnScreen(window);
    window->move(frameTopLeft);
    FitSecondary(window, true, window->size());
}

void KeepOnScreen(QWidget* window) { window->installEventFilter(TheKeeper()); }

void SetOuterHeight(QWidget* window, int outerPx)
{
    window->setProperty(OuterHeightProperty, outerPx);
    window->installEventFilter(TheKeeper());
    ApplyOuterHeight(window, true);
}

} // namespace brenta::ui
