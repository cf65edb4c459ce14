// A window's client that stays usable on a screen smaller than the window: the
// inputs at its top stay in view while the grid beneath them scrolls up and down
// under them, and both scroll sideways together; only on a screen too low for the
// inputs and a few grid rows does the whole client scroll, the grid at its full
// height inside it. A control given the focus from the keyboard (Tab, a shortcut)
// is scrolled into view. Where the window is as large as the client no scroll bar
// shows and every control is where the window's design puts it.
#pragma once

class QScrollArea;
class QWidget;

namespace brenta::ui {

struct ScrolledClient {
    QScrollArea* area = nullptr; // the whole client's; the window's one child
    QWidget* client = nullptr; // in area: the inputs over the grid
    QScrollArea* inputArea = nullptr;
    QWidget* inputClient = nullptr; // parent of the inputs' controls
    QScrollArea* gridArea = nullptr;
    QWidget* gridClient = nullptr; // parent of the grid's controls; its top is the grid's
};

// A client width pixels wide with inputsHeight of inputs over gridHeight of grid
// (the grid's height may change later: gridClient->setFixedHeight). The grid alone
// scrolls up and down while the area has room for the inputs and fewGridPx of it.
ScrolledClient MakeScrolledClient(int width, int inputsHeight, int gridHeight, int fewGridPx);

} // namespace brenta::ui
