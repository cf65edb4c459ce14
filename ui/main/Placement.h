// Where the windows go on the player's screens: every window, the main one and
// each secondary one, lies within the free area (panels excluded) of the screen it
// opens on, moved inside and made smaller where it is larger than that area. One
// rule, FitRect, decides the place of each.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace brenta::ui {

// rect moved the least distance that puts it inside area, and first cut to area's
// width and height where it is wider or taller. An empty area leaves rect as it is.
QRect FitRect(const QRect& rect, const QRect& area);

// The free area of the screen that shows the most of rect, else of the screen
// nearest to it; an empty rect when there is no screen at all.
QRect FreeAreaFor(const QRect& rect);

// Moves a top-level window so that its frame (title bar and borders included) starts
// at frameTopLeft, or as near as keeps it within the free area of the screen that
// shows the most of it there; a window larger than that area is made smaller first.
void PlaceOnScreen(QWidget* window, const QPoint& frameTopLeft);

// A secondary window placed on its screen when it is shown and again whenever the
// window manager gives it another frame (which is known only after it shows).
void KeepOnScreen(QWidget* window);

// Sets a top-level window's height so that its outer frame (title bar and borders
// included) is outerPx high, and keeps it so when the window manager adds or
// changes the frame after the window is shown. The window stays within its
// screen's free area: a window whose client scrolls (the main window's, or the
// one scroll area a window's layout holds) gets its scroll bars' room instead of
// a part of the client, any other one is cut to the area.
void SetOuterHeight(QWidget* window, int outerPx);

} // namespace brenta::ui
