#include "ui/main/ScrolledClient.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace brenta::ui {

namespace {

QScrollArea* MakeArea(const char* name)
{
    auto* area = new QScrollArea;
    area->setObjectName(QString::fromLatin1(name));
    // Frameless and see-through: the window's own background shows around the controls.
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

// How much of the client scrolls: with room for the inputs and a few grid rows
// (and the sideways bar) only the grid scrolls; with less the whole client does,
// the grid at its full height inside it.
class ClientRoom : public QObject {
public:
    // Watches the whole client's area and the grid's client, whose sizes decide it.
    ClientRoom(const ScrolledClient& parts, int fewGridPx)
        : QObject(parts.area), parts_(parts), fewGridPx_(fewGridPx)
    {
        parts.area->installEventFilter(this);
        parts.gridClient->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            Apply();
        return QObject::eventFilter(watched, event);
    }

private:
    void Apply() const
    {
        const int inputs = parts_.inputArea->height();
        const int grid = parts_.gridClient->height();
        const int bar = parts_.gridArea->horizontalScrollBar()->sizeHint().height();
        const int sideways = parts_.gridClient->width() > parts_.area->width() ? bar : 0;
        const int fewRows = std::min(grid, fewGridPx_) + sideways;
        const int least = parts_.area->height() >= inputs + fewRows ? inputs + fewRows : inputs + grid + sideways;
        if (parts_.client->minimumHeight() != least)
            parts_.client->setMinimumHeight(least);
    }

    ScrolledClient parts_;
    int fewGridPx_;
};

// A control the keyboard gives the focus to (Tab, Shift+Tab, its shortcut) comes
// into view: in its own part first, then in the whole client where that scrolls
// too. Focus given otherwise (a click, the window's activation, the program's own
// choice at start) leaves the view where it is: what is clicked is in view already.
class KeyboardFocusInView : public QObject {
public:
    // Watches every focus change of the program (it is the only way to learn the
    // reason of one), for the controls inside area only.
    explicit KeyboardFocusInView(QScrollArea* area) : QObject(area), area_(area) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn || !watched->isWidgetType())
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason)
            return false;
        auto* control = static_cast<QWidget*>(watched);
        if (!area_->isAncestorOf(control))
            return false;
        for (QWidget* outer = control->parentWidget(); outer && outer != area_->parentWidget();
             outer = outer->parentWidget()) {
            if (auto* part = qobject_cast<QScrollArea*>(outer)) {
                // The whole control, not only a box's text cursor as ensureWidgetVisible would.
                const QPoint centre = control->mapTo(part->widget(), control->rect().center());
                part->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1, control->height() / 2 + 1);
            }
        }
        return false;
    }

private:
    QScrollArea* area_;
};

} // namespace

ScrolledClient MakeScrolledClient(int width, int inputsHeight, int gridHeight, int fewGridPx)
{
    ScrolledClient parts;
    parts.area = MakeArea("clientArea");
    parts.area->setWidgetResizable(true);
    parts.area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    parts.client = new QWidget;
    parts.client->setObjectName(QStringLiteral("centralWidget"));
    parts.area->setWidget(parts.client);
    auto* column = new QVBoxLayout(parts.client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    parts.inputArea = MakeArea("inputArea");
    parts.inputArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    parts.inputArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    parts.inputClient = new QWidget;
    parts.inputClient->setObjectName(QStringLiteral("inputClient"));
    parts.inputClient->setFixedSize(width, inputsHeight);
    parts.inputArea->setWidget(parts.inputClient);
    parts.inputArea->setFixedHeight(inputsHeight);
    column->addWidget(parts.inputArea);

    parts.gridArea = MakeArea("gridArea");
    parts.gridArea->setMinimumHeight(1);
    parts.gridClient = new QWidget;
    parts.gridClient->setObjectName(QStringLiteral("gridClient"));
    parts.gridClient->setFixedSize(width, gridHeight);
    parts.gridArea->setWidget(parts.gridClient);
    column->addWidget(parts.gridArea, 1);

    // One sideways position for both: the inputs follow the grid's bar, and the
    // grid follows the inputs where a key (Tab to a box out of view) moves them.
    QScrollBar* gridBar = parts.gridArea->horizontalScrollBar();
    QScrollBar* inputBar = parts.inputArea->horizontalScrollBar();
    QObject::connect(gridBar, &QScrollBar::valueChanged, inputBar, &QScrollBar::setValue);
    QObject::connect(inputBar, &QScrollBar::valueChanged, gridBar, [gridBar, inputBar](int value) {
        if (std::min(gridBar->value(), inputBar->maximum()) != value)
            gridBar->setValue(value);
    });
    new ClientRoom(parts, fewGridPx);

    qApp->installEventFilter(new KeyboardFocusInView(parts.area));
    return parts;
}

} // namespace brenta::ui
