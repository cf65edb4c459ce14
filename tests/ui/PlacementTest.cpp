// Where the windows go: the one rule that fits a window's rectangle into the free
// area of a screen, and every window the program opens kept within its screen,
// also beside a main window pushed into the screen's corner and on a screen
// smaller than the windows (this file runs a second time at twice the scale).

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/main/Placement.h"
#include "ui/windows/FileDialog.h"
#include "ui/windows/frmButton.h"
#include "ui/windows/frmComparison.h"
#include "ui/windows/frmContextMenu.h"
#include "ui/windows/frmGraph.h"
#include "ui/windows/frmPricePreview.h"

using namespace brenta;

namespace {

TEST(FitRect, MovesInsideTheAreaAndShrinksWhereLarger)
{
    const QRect screen(0, 0, 800, 600);
    const QRect belowPanel(0, 30, 800, 570);
    const QRect secondScreen(1366, 0, 1024, 600);
    const struct {
        const char* what;
        QRect rect;
        QRect area;
        QRect fitted;
    } cases[] = {
        {"inside stays", QRect(10, 10, 100, 100), screen, QRect(10, 10, 100, 100)},
        {"touching the far corner stays", QRect(700, 500, 100, 100), screen, QRect(700, 500, 100, 100)},
        {"past the right edge", QRect(750, 10, 100, 100), screen, QRect(700, 10, 100, 100)},
        {"past the left edge", QRect(-50, 10, 100, 100), screen, QRect(0, 10, 100, 100)},
        {"past the bottom", QRect(10, 580, 100, 100), screen, QRect(10, 500, 100, 100)},
        {"past the top and left", QRect(-5, -5, 100, 100), screen, QRect(0, 0, 100, 100)},
        {"far off to the bottom right", QRect(5000, 5000, 100, 100), screen, QRect(700, 500, 100, 100)},
        {"wider than the area", QRect(100, 10, 900, 100), screen, QRect(0, 10, 800, 100)},
        {"taller and below", QRect(10, 300, 100, 700), screen, QRect(10, 0, 100, 600)},
        {"larger both ways", QRect(-20, 40, 1532, 900), screen, screen},
        {"under a panel", QRect(10, 0, 100, 100), belowPanel, QRect(10, 30, 100, 100)},
        {"onto a screen to the right", QRect(0, 0, 100, 100), secondScreen, QRect(1366, 0, 100, 100)},
        {"no area leaves it", QRect(-5, -5, 100, 100), QRect(), QRect(-5, -5, 100, 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ui::FitRect(c.rect, c.area), c.fitted);
    }
}

TEST(FreeAreaFor, IsTheScreensFreeAreaAlsoForARectOffEveryScreen)
{
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(ui::FreeAreaFor(QRect(10, 10, 50, 50)), free);
    EXPECT_EQ(ui::FreeAreaFor(QRect(-9000, 9000, 50, 50)), free);
}

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint");

class OnTheScreen : public test::MainWindowTest {
protected:
    // The main window as far into the screen's bottom right corner as it goes,
    // showing a blueprint.
    ui::frmMain& StartInTheCorner()
    {
        ui::frmMain& w = Start();
        SelectBlueprint(kPlates);
        w.move(Free().bottomRight());
        QApplication::processEvents();
        return w;
    }

    QRect Free() const { return window->screen()->availableGeometry(); }

    void ExpectOnTheScreen(const QWidget* w) const
    {
        QApplication::processEvents(); // a frame is placed once the platform has drawn it
        ASSERT_NE(w, nullptr);
        const QRect frame = w->frameGeometry();
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_TRUE(Free().contains(frame)) << w->objectName().toStdString() << " at " << frame.x() << ","
                                            << frame.y() << " " << frame.width() << "x" << frame.height();
    }
};
INSTANTIATE_TEST_SUITE_P(Point, OnTheScreen, ::testing::Values('.'), test::LocaleName);

TEST_P(OnTheScreen, TheMainWindowMovedOffTheScreenComesBack)
{
    ui::frmMain& w = StartInTheCorner();
    ExpectOnTheScreen(&w);
    // Grown by a longer sheet, it moves up rather than run below the screen.
    w.ShrinkFrame(24);
    ExpectOnTheScreen(&w);
}

TEST_P(OnTheScreen, TheGraphAndTheContextMenuBesideAWindowInTheCorner)
{
    ui::frmMain& w = StartInTheCorner();
    w.DrawGraphMLvWaste(0);
    ExpectOnTheScreen(w.findChild<ui::frmGraph*>(QStringLiteral("frmGraph")));

    const int last = [&w] {
        std::size_t r = 0;
        while (r + 1 < static_cast<std::size_t>(ui::frmMainUi::RowCount)
            && w.ControlsForTests().lblPrefix[r + 1]->isVisible()
            && !w.ControlsForTests().lblPrefix[r + 1]->text().isEmpty())
            ++r;
        return static_cast<int>(r);
    }();
    w.ControlsForTests().gridArea->ensureWidgetVisible(
        w.ControlsForTests().lblPrefix[static_cast<std::size_t>(last)]);
    QTest::mouseClick(w.ControlsForTests().lblPrefix[static_cast<std::size_t>(last)], Qt::RightButton);
    QPointer<ui::frmContextMenu> menu = w.findChild<ui::frmContextMenu*>(QStringLiteral("frmContextMenu"));
    ExpectOnTheScreen(menu);
    if (menu)
        menu->close();
}

TEST_P(OnTheScreen, TheComparisonTheButtonAndTheFileDialog)
{
    ui::frmMain& w = StartInTheCorner();
    w.ControlsForTests().MLtoML->trigger();
    ui::frmComparison* comparison = Comparison();
    ExpectOnTheScreen(comparison);
    if (comparison)
        comparison->close();

    QTest::mouseClick(w.ControlsForTests().cmdButtonize, Qt::LeftButton);
    QPointer<ui::frmButton> button = w.findChild<ui::frmButton*>(QStringLiteral("frmButton"));
    ExpectOnTheScreen(button);
    if (button)
        button->close();
    QApplication::processEvents();

    const ui::FileDialogHook previous = ui::SetFileDialogHook([](QDialog&) {});
    w.ControlsForTests().PricesDatFile->trigger();
    QDialog* dialog = test::ShownDialog("frmOpen");
    ExpectOnTheScreen(dialog);
    if (dialog)
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    ui::SetFileDialogHook(previous);
}

// The preview of pasted prices on a screen smaller than it: within the screen, its
// buttons in view, what was read scrolling above them.
TEST_P(OnTheScreen, ThePricePreviewKeepsItsButtonsInView)
{
    ui::frmMain& w = StartInTheCorner();
    QGuiApplication::clipboard()->setText(QStringLiteral(
        "Name\tPrice\nTritanium\t3.5\nPyerite\t4\nNo Such Item\t12\nOther\t1\nMexallon\t-4\n34\tabc\n35\tx\n"));
    w.ControlsForTests().PastePrices->trigger();
    QPointer<ui::frmPricePreview> preview = w.findChild<ui::frmPricePreview*>();
    ExpectOnTheScreen(preview);
    ASSERT_NE(preview, nullptr);
    for (const char* name : {"cmdApply", "cmdCancel"}) {
        const auto* button = preview->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(Free().contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()))) << name;
    }
    preview->close();
}

// A comparison of every row on a screen smaller than it: each of its controls can
// be scrolled wholly into the window while the levels stay where they are, the
// rows scrolling under them; Tab to a level scrolled out of view brings it back.
TEST_P(OnTheScreen, EveryControlOfTheComparisonCanBeScrolledIntoView)
{
    ui::frmMain& w = StartInTheCorner();
    w.ControlsForTests().MLtoML->trigger();
    ui::frmComparison* c = Comparison();
    ASSERT_NE(c, nullptr);
    ui::ComparisonSource source = w.ComparisonInput();
    while (source.rows.size() < ui::frmComparison::RowCount) {
        source.rows.push_back(source.rows.front());
        source.input.baseQty.push_back(source.input.baseQty.front());
    }
    c->Load(source);
    ExpectOnTheScreen(c);
    c->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c));

    // Whether a control lies wholly inside the window and every scroll area around it.
    const auto shown = [c](const QWidget* control) {
        for (const QWidget* outer = control->parentWidget(); outer; outer = outer->parentWidget()) {
            const auto* area = qobject_cast<const QScrollArea*>(outer);
            const QWidget* bounds = outer == c ? c : area ? area->viewport() : nullptr;
            if (bounds && !bounds->rect().contains(QRect(control->mapTo(bounds, QPoint(0, 0)), control->size())))
                return false;
            if (outer == c)
                return true;
        }
        return false;
    };
    const QPoint levels = c->txtFromML->mapTo(c, QPoint(0, 0));
    std::vector<QWidget*> controls;
    for (QLabel* label : c->findChildren<QLabel*>())
        controls.push_back(label);
    for (QLineEdit* box : c->findChildren<QLineEdit*>())
        controls.push_back(box);
    for (QWidget* control : controls) {
        if (!control->isVisibleTo(c))
            continue;
        for (QWidget* outer = control->parentWidget(); outer && outer != c; outer = outer->parentWidget()) {
            if (auto* area = qobject_cast<QScrollArea*>(outer)) {
                const QPoint centre = control->mapTo(area->widget(), control->rect().center());
                area->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1, control->height() / 2 + 1);
            }
        }
        EXPECT_TRUE(shown(control)) << control->objectName().toStdString();
        // However far the rows are scrolled, the levels keep their height in the window.
        EXPECT_EQ(c->txtFromML->mapTo(c, QPoint(0, 0)).y(), levels.y()) << control->objectName().toStdString();
    }

    // Scrolled to the far right, the levels are out of view where the window is
    // narrower than the comparison; Tab to one brings it into view.
    QScrollBar* sideways = c->findChild<QScrollArea*>(QStringLiteral("gridArea"))->horizontalScrollBar();
    sideways->setValue(sideways->maximum());
    c->txtFromML->setFocus();
    EXPECT_EQ(shown(c->txtToML), sideways->maximum() == 0);
    QTest::keyClick(c->txtFromML, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), c->txtToML);
    EXPECT_TRUE(shown(c->txtToML));
    c->close();
}

} // namespace
