// The main window's side of the secondary windows that take the player somewhere:
// the context menu of a material's name (its graph, or the blueprint that builds it)
// and the floating button.

#include "ui/main/frmMain.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>

#include "calc/AutoPrice.h"
#include "ui/main/Placement.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmButton.h"
#include "ui/windows/frmContextMenu.h"

namespace brenta::ui {

using namespace mainwindow;

namespace {

// Mouse-button releases over a name cell, whichever button; the cells carry
// their row as a property. The right button's release is the name cell's own.
using RowMouseUp = std::function<void(std::int16_t, Qt::MouseButton)>;

class NameCellMouseUp : public QObject {
public:
    NameCellMouseUp(QObject* parent, RowMouseUp mouseUp) : QObject(parent), mouseUp_(std::move(mouseUp)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const auto* cell = static_cast<QWidget*>(watched);
            const QVariant row = cell->property("row");
            if (row.isValid() && cell->rect().contains(mouse->position().toPoint())) {
                mouseUp_(static_cast<std::int16_t>(row.toInt()), mouse->button());
                return mouse->button() == Qt::RightButton;
            }
        }
        return false;
    }

private:
    RowMouseUp mouseUp_;
};

// The keyboard's way to a row's menu: the Menu key or Shift+F10 in the row's
// price box, the one cell of a row that takes the focus.
class RowMenuKeys : public QObject {
public:
    RowMenuKeys(QWidget* box, std::int16_t row, RowMouseUp mouseUp)
        : QObject(box), mouseUp_(std::move(mouseUp)), row_(row)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        bool open = false;
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
            open = (key->key() == Qt::Key_Menu && mods == Qt::NoModifier)
                || (key->key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
        } else if (event->type() == QEvent::ContextMenu) {
            // The box's own edit menu stays on the right button.
            open = static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        }
        if (!open)
            return QObject::eventFilter(watched, event);
        mouseUp_(row_, Qt::RightButton);
        return true;
    }

private:
    RowMouseUp mouseUp_;
    std::int16_t row_;
};

} // namespace

void frmMain::SetUpDrillDown()
{
    const RowMouseUp mouseUp
        = [this](std::int16_t row, Qt::MouseButton button) { lblPrefix_MouseUp(row, button); };
    auto* cells = new NameCellMouseUp(this, mouseUp);
    for (QLabel* cell : ui.lblPrefix)
        cell->installEventFilter(cells);
    for (int r = 0; r < kRows; ++r)
        new RowMenuKeys(ui.txtPPU[static_cast<std::size_t>(r)], static_cast<std::int16_t>(r), mouseUp);
    connect(ui.cmdButtonize, &QPushButton::clicked, this, [this] { cmdButtonize_Click(); });
}

void frmMain::lblPrefix_MouseUp(std::int16_t Index, Qt::MouseButton Button)
{
    // Only the right button (or the keyboard's menu keys) opens the menu, and only over a material.
    if (Button != Qt::RightButton || !isEnabled())
        return;
    const QLabel* cell = nullptr;
    bool findBP = false;
    try {
        cell = At(ui.lblPrefix, Index);
        const show::Row* row = job::RowOf(job_, Index);
        if (!row || row->name.empty())
            return;
        findBP = BuilderOfRow(Index).has_value();
    } catch (const Failure&) {
        return; // a row outside the grid, or whose type ID names no item, has nothing to offer
    }

    auto* menu = new frmContextMenu(*this, Index, findBP,
        frmContextMenu::Actions{[this](std::int16_t row) { DrawGraphMLvWaste(row); },
            [this](std::int16_t row) { ShowBuilder(row); }, [this] { return IsUnloading(); },
            [this] { CopySheet(); }});
    setEnabled(false);
    // Over the row's name, wherever the grid is scrolled to, and on the screen.
    PlaceOnScreen(menu, cell->mapToGlobal(QPoint(0, 0)));
    menu->FormLoad();
}

std::optional<std::int16_t> frmMain::BuilderOfRow(std::int16_t r)
{
    return BuilderLookup().OfItem(At(cat.strItemNames, RowMaterial(r)));
}

void frmMain::ShowBuilder(std::int16_t r)
{
    std::optional<std::int16_t> builder;
    try {
        builder = BuilderOfRow(r);
    } catch (const Failure&) {
        return;
    }
    if (builder)
        ShowWithBack(*builder);
}

void frmMain::ShowWithBack(std::int16_t index)
{
    const std::int16_t before = curBP;
    // A blueprint that cannot be shown changes nothing, Back included.
    if (!LoadBP(index))
        return;
    backBP = before;
    ui.cmdBack->setEnabled(true);
}

void frmMain::cmdButtonize_Click()
{
    auto* button = new frmButton(
        *this, frmButton::Owner{[this] { return IsUnloading(); }, [this] { return AlwaysOnTopChosen(); }});
    button->FormLoad();
}

} // namespace brenta::ui
