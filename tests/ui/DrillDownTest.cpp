// Following a material down to the blueprint that builds it and back: the context
// menu of a name cell, "Find BP", Back, and the sheet of whatever blueprint is shown.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>

#include "tests/ui/MainWindowFixture.h"
#include "tests/ui/Placement.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/main/SignalCloser.h"
#include "ui/windows/frmButton.h"
#include "ui/windows/frmComparison.h"
#include "ui/windows/frmContextMenu.h"
#include "ui/windows/frmGraph.h"

using namespace brenta;

namespace {

const QString kAfterburner2 = QStringLiteral("100MN Afterburner II Blueprint");
constexpr const char* kAfterburner1 = "100MN Afterburner I Blueprint";
using Texts = std::vector<std::string>;

class DrillDown : public test::MainWindowTest {
protected:
    // The first afterburner owned at PL 3, so its build time depends on its own
    // productivity modifier (504 s; the second one's is 4000 s).
    void OwnFirstAfterburner() const { WriteFile("ownedbps.dat", "12067{0{3\r\n"); }

    ui::frmContextMenu* Menu() const { return window->findChild<ui::frmContextMenu*>("frmContextMenu"); }

    // A right click on the name cell of a row; returns the menu it opened, if any.
    ui::frmContextMenu* RightClick(int row, Qt::MouseButton button = Qt::RightButton)
    {
        QTest::mouseClick(window->ControlsForTests().lblPrefix[static_cast<std::size_t>(row)], button);
        return Menu();
    }

    static QLabel* Option(ui::frmContextMenu* menu, int k)
    {
        return menu->lblContextOption[static_cast<std::size_t>(k)];
    }

    static void Hover(QWidget* w)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }

    // Waits until the menu has gone and the main window can be used again.
    void ExpectClosed(QPointer<ui::frmContextMenu> menu) const
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isNull(); }));
        EXPECT_TRUE(window->isEnabled());
        EXPECT_TRUE(window->isVisible());
    }
};
INSTANTIATE_TEST_SUITE_P(Point, DrillDown, ::testing::Values('.'), test::LocaleName);

// 2520 s per run less 504 s x 3/4: 2142 s. The second afterburner's modifier would
// make it 2520 - 3000 s.
constexpr const char* kFirstAfterburnerBuildTime = "0D 0H 35M 42S";

TEST_P(DrillDown, TheSheetAndItsTimesBelongToTheShownBlueprint)
{
    OwnFirstAfterburner();
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);

    // Shown without the selector, as "Find BP" and Back show a blueprint.
    w.LoadBP(IndexOf(kAfterburner1));
    EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kAfterburner2);
    EXPECT_EQ(w.ControlsForTests().txtPL->text(), "3");
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), kFirstAfterburnerBuildTime);
    EXPECT_EQ(w.ControlsForTests().lblPLTime->text().toStdString(), "1D 18H 0M 0S"); // 3 x its own 50400 s

    // With the grid cleared and nothing selected, a blueprint shown is computed in full.
    w.ClearMaterialRows();
    ASSERT_EQ(w.ControlsForTests().cboBP->currentIndex(), -1);
    w.LoadBP(IndexOf(kAfterburner1));
    EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 6), (Texts{"388", "112", "174", "23", "1", "1"}));
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), kFirstAfterburnerBuildTime);

    // Cleared again: edits compute the wastage factor and nothing else, and no time
    // of the blueprint taken off the display stays.
    w.ClearMaterialRows();
    Type(w.ControlsForTests().txtML, "5");
    EXPECT_EQ(w.ControlsForTests().lblWaste[0]->text(), "0");
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), "0D 0H 0M 0S");
}

TEST_P(DrillDown, TheMenuOpensOverTheRowOnARightReleaseOnly)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);

    // A left click selects the row and opens nothing; neither does an empty row.
    EXPECT_EQ(RightClick(14, Qt::LeftButton), nullptr);
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[14]), ui::BgrColour(ui::Colour::Navy));
    QTest::mousePress(w.ControlsForTests().lblPrefix[14], Qt::RightButton);
    EXPECT_EQ(Menu(), nullptr); // the press alone does nothing

    QPointer<ui::frmContextMenu> menu = RightClick(6); // [Skill] Industry: no blueprint builds it
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(w.isEnabled());
    EXPECT_EQ(menu->Row(), 6);
    EXPECT_FALSE(Option(menu, ui::frmContextMenu::kOptionFindBP)->isEnabled());
    EXPECT_TRUE(menu->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(menu->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_GE(test::ExpectInsideAndApart(menu), 6); // every option on the menu, none covering another
    const QLabel* cell = w.ControlsForTests().lblPrefix[6];
    // Over the row's name, on the screen.
    EXPECT_EQ(menu->pos(),
        ui::FitRect(QRect(cell->mapToGlobal(QPoint(0, 0)), menu->size()), w.screen()->availableGeometry())
            .topLeft());

    const struct {
        const char* caption;
        bool enabled;
    } options[] = {{"ML vs. Waste", true}, {"Find BP", false}, {"Copy Sheet", true}, {"", false}, {"", false},
        {"Cancel", true}};
    for (int k = 1; k <= 6; ++k) {
        const QLabel* option = Option(menu, k);
        const auto& want = options[k - 1];
        EXPECT_EQ(option->objectName(), QStringLiteral("lblContextOption_%1").arg(k));
        EXPECT_EQ(option->text().toStdString(), want.caption) << k;
        // The options stand one under the other, in order, each across the whole menu.
        EXPECT_EQ(option->width(), menu->width()) << k;
        if (k > 1) {
            EXPECT_GE(option->y(), Option(menu, k - 1)->geometry().bottom() - 3) << k;
        }
        EXPECT_EQ(option->isEnabled(), want.enabled) << k;
        EXPECT_LE(option->fontMetrics().horizontalAdvance(option->text()), option->contentsRect().width()) << k;
    }
    const QPalette desktop = QApplication::palette();
    EXPECT_EQ(ui::BackColour(Option(menu, 1)), desktop.color(QPalette::Window));
    EXPECT_EQ(ui::BackColour(Option(menu, 2)), ui::BgrColour(ui::Colour::White));

    // The greyed "Find BP" cannot be chosen; Escape closes the menu with no action.
    QTest::mouseClick(Option(menu, 2), Qt::LeftButton);
    ASSERT_FALSE(menu.isNull());
    EXPECT_TRUE(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    ExpectClosed(menu);
    EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kAfterburner2);
    EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled());
}

TEST_P(DrillDown, TheHoverMovesToTheOptionUnderTheMouse)
{
    Start();
    SelectBlueprint(kAfterburner2);
    QPointer<ui::frmContextMenu> menu = RightClick(0);
    ASSERT_NE(menu, nullptr);
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    const QColor white = ui::BgrColour(ui::Colour::White);
    const QColor black = ui::BgrColour(0x000000);

    for (int k : {1, 6}) {
        Hover(Option(menu, k));
        for (int a = 1; a <= 6; ++a) {
            EXPECT_EQ(ui::BackColour(Option(menu, a)), a == k ? highlight : white) << k << " " << a;
            if (Option(menu, a)->isEnabled()) {
                EXPECT_EQ(ui::ForeColour(Option(menu, a)), a == k ? white : black) << k << " " << a;
            }
        }
    }
    Hover(Option(menu, 4)); // a spacer never reacts
    EXPECT_EQ(ui::BackColour(Option(menu, 6)), highlight);
    EXPECT_EQ(ui::BackColour(Option(menu, 4)), white);

    QTest::mouseClick(Option(menu, 6), Qt::LeftButton); // Cancel
    ExpectClosed(menu);
}

// Without a mouse: the Menu key or Shift+F10 in a row's price box opens that row's
// menu over the row; the arrows move between the options that can be chosen
// (round the ends, past the spacers) and Enter or Space chooses.
TEST_P(DrillDown, TheMenuKeysOpenARowsMenuAndTheArrowsAndEnterChoose)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const auto shown = w.ShownIndex();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QLineEdit* price = w.ControlsForTests().txtPPU[14];
    const QString typed = price->text();

    const auto open = [&](const std::function<void()>& keys) -> QPointer<ui::frmContextMenu> {
        price->setFocus();
        keys();
        QPointer<ui::frmContextMenu> menu = Menu();
        if (menu)
            EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isActiveWindow(); }));
        return menu;
    };
    const auto current = [](ui::frmContextMenu* menu) {
        const QColor selected = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
        for (int k = 1; k <= 6; ++k)
            if (ui::BackColour(Option(menu, k)) == selected)
                return k;
        return 0;
    };

    QPointer<ui::frmContextMenu> menu = open([&] { QTest::keyClick(price, Qt::Key_Menu); });
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Row(), 14);
    EXPECT_FALSE(w.isEnabled());
    EXPECT_EQ(menu->pos(),
        ui::FitRect(QRect(w.ControlsForTests().lblPrefix[14]->mapToGlobal(QPoint(0, 0)), menu->size()),
            w.screen()->availableGeometry())
            .topLeft());
    EXPECT_EQ(current(menu), 0);
    const struct {
        Qt::Key key;
        int expect;
    } moves[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 3}, {Qt::Key_Down, 6}, {Qt::Key_Down, 1},
        {Qt::Key_Up, 6}, {Qt::Key_Up, 3}, {Qt::Key_Up, 2}};
    for (const auto& m : moves) {
        QTest::keyClick(menu, m.key);
        EXPECT_EQ(current(menu), m.expect);
    }
    QTest::keyClick(menu, Qt::Key_Escape);
    ExpectClosed(menu);
    EXPECT_EQ(w.ShownIndex(), shown);
    EXPECT_EQ(price->text(), typed);

    // The keyboard's context menu event (what the platform makes of the Menu key) does the same.
    menu = open([&] {
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(2, 2), price->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(price, &keyboard);
    });
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Row(), 14);
    QTest::keyClick(menu, Qt::Key_Up); // Cancel
    QTest::keyClick(menu, Qt::Key_Space);
    ExpectClosed(menu);
    EXPECT_EQ(w.ShownIndex(), shown);

    // Shift+F10, down to "Find BP", Enter: the builder shows, Back returns.
    menu = open([&] { QTest::keyClick(price, Qt::Key_F10, Qt::ShiftModifier); });
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    ExpectClosed(menu);
    EXPECT_NE(w.ShownIndex(), shown);
    EXPECT_TRUE(w.ControlsForTests().cmdBack->isEnabled());
    EXPECT_EQ(price->text(), price->text().trimmed()); // no key reached the box as text

    // A row without a material opens nothing.
    QLineEdit* empty = w.ControlsForTests().txtPPU[24];
    empty->setFocus();
    QTest::keyClick(empty, Qt::Key_Menu);
    EXPECT_EQ(Menu(), nullptr);
}

// Every option stays readable on a dark and on a light desktop: its text against
// its own background, enabled or greyed, under the mouse or not.
TEST_P(DrillDown, EveryOptionIsReadableOnADarkAndALightDesktop)
{
    const QPalette desktop = QApplication::palette();
    // A dark scheme: light text on dark windows, a dark selection, mid-grey greyed text.
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x3d, 0x3d, 0x3d));
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::WindowText, Qt::white);
        dark.setColor(group, QPalette::Text, Qt::white);
        dark.setColor(group, QPalette::ButtonText, Qt::white);
        dark.setColor(group, QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
        dark.setColor(group, QPalette::HighlightedText, QColor(0xf9, 0xf9, 0xf9));
    }
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    const auto luminance = [](const QColor& c) {
        const auto channel
            = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const auto contrast = [&](const QColor& a, const QColor& b) {
        const double la = luminance(a);
        const double lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    };
    const auto expectReadable = [&](ui::frmContextMenu* menu, const char* state) {
        for (int k = 1; k <= 6; ++k) {
            const QLabel* option = Option(menu, k);
            if (option->text().isEmpty())
                continue;
            const QPalette::ColorGroup group = option->isEnabled() ? QPalette::Active : QPalette::Disabled;
            const QColor text = option->palette().color(group, QPalette::WindowText);
            const QColor back = option->palette().color(group, QPalette::Window);
            // Greyed text is meant to read weaker, yet still be read; white on white
            // (what a dark scheme's text on the fixed white would give) is 1.
            EXPECT_GE(contrast(text, back), option->isEnabled() ? 3.0 : 2.5)
                << state << ": " << option->text().toStdString() << " " << text.name().toStdString() << " on "
                << back.name().toStdString();
        }
    };
    for (const QPalette& palette : {dark, desktop}) {
        QApplication::setPalette(palette);
        Start();
        SelectBlueprint(kAfterburner2);
        for (const int row : {14, 6}) { // "Find BP" enabled, then greyed
            QPointer<ui::frmContextMenu> menu = RightClick(row);
            ASSERT_NE(menu, nullptr);
            expectReadable(menu, "opened");
            for (int k : {1, 6}) {
                Hover(Option(menu, k));
                expectReadable(menu, "hovered");
            }
            menu->close();
            ExpectClosed(menu);
        }
        window.reset();
    }
    QApplication::setPalette(desktop);
}

TEST_P(DrillDown, LosingTheFocusClosesTheMenuWithoutAction)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const auto shown = w.ShownIndex();

    QPointer<ui::frmContextMenu> menu = RightClick(14);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Option(menu, ui::frmContextMenu::kOptionFindBP)->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isActiveWindow(); }));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ExpectClosed(menu);
    EXPECT_EQ(w.ShownIndex(), shown);
    EXPECT_EQ(w.BackIndex(), std::nullopt);
    EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled());

    // A press on the disabled main window closes it as well.
    menu = RightClick(14);
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(w.ControlsForTests().lblWaste[3], Qt::LeftButton);
    ExpectClosed(menu);
    EXPECT_EQ(w.ShownIndex(), shown);
}

TEST_P(DrillDown, FindBPShowsTheBuilderWithItsOwnSheetAndEnablesBack)
{
    OwnFirstAfterburner();
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const std::int16_t second = *w.ShownIndex();

    // The 15th material is the first afterburner itself.
    QPointer<ui::frmContextMenu> menu = RightClick(14);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(w.ControlsForTests().lblPrefix[14]->text(), "[T1] 100MN Afterburner I");
    EXPECT_TRUE(Option(menu, 2)->isEnabled());
    QTest::mouseClick(Option(menu, 2), Qt::LeftButton);
    ExpectClosed(menu);

    EXPECT_EQ(w.ShownIndex(), IndexOf(kAfterburner1));
    EXPECT_EQ(w.BackIndex(), second);
    EXPECT_TRUE(w.ControlsForTests().cmdBack->isEnabled());
    EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kAfterburner2); // the selector is not changed
    EXPECT_EQ(w.ControlsForTests().lblPrefix[0]->text(), "[Raw] Tritanium");
    EXPECT_FALSE(w.ControlsForTests().lblPrefix[6]->isVisible());
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), kFirstAfterburnerBuildTime);

    // The level boxes edit the blueprint on display, not the selector's.
    Type(w.ControlsForTests().txtML, "7");
    EXPECT_EQ(w.Cat().strOwned[static_cast<std::size_t>(*w.ShownIndex())].text, "12067{7{3");
    EXPECT_FALSE(w.Cat().bOwned[static_cast<std::size_t>(second)]);
}

TEST_P(DrillDown, BackReturnsToTheBlueprintShownBeforeFindBP)
{
    OwnFirstAfterburner();
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const std::int16_t second = *w.ShownIndex();
    const std::int16_t first = IndexOf(kAfterburner1);
    const Texts secondWaste = Column(w.ControlsForTests().lblWaste, 15);
    const QString secondBuildTime = w.ControlsForTests().lblBuildTime->text();
    ASSERT_EQ(secondBuildTime, "0D 5H 33M 20S");

    // Once straight back, once after a search emptied the selector and the grid.
    for (const bool search : {false, true}) {
        QPointer<ui::frmContextMenu> menu = RightClick(14);
        ASSERT_NE(menu, nullptr);
        QTest::mouseClick(Option(menu, 2), Qt::LeftButton);
        ExpectClosed(menu);
        ASSERT_EQ(w.ShownIndex(), first);
        if (search) {
            Type(w.ControlsForTests().txtSearch, "no such blueprint");
            QTest::keyClick(w.ControlsForTests().txtSearch, Qt::Key_Return);
            ASSERT_EQ(w.ControlsForTests().cboBP->count(), 0);
            ASSERT_EQ(w.ControlsForTests().lblPrefix[0]->text(), "");
            EXPECT_TRUE(w.ControlsForTests().cmdBack->isEnabled());
        }
        QTest::mouseClick(w.ControlsForTests().cmdBack, Qt::LeftButton);
        EXPECT_EQ(w.ShownIndex(), second) << search;
        EXPECT_EQ(w.BackIndex(), first) << search;
        EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled()) << search;
        EXPECT_EQ(w.ControlsForTests().lblPrefix[14]->text(), "[T1] 100MN Afterburner I") << search;
        EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 15), secondWaste) << search;
        EXPECT_EQ(w.ControlsForTests().lblBuildTime->text(), secondBuildTime) << search;
        if (search) {
            EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), -1);
        } else {
            EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kAfterburner2);
        }
    }
}

TEST_P(DrillDown, MLvWasteDrawsTheGraphOfTheRow)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    QPointer<ui::frmContextMenu> menu = RightClick(3); // Isogen: ideal ML 11
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(Option(menu, 1), Qt::LeftButton);
    ExpectClosed(menu);
    const auto* graph = w.findChild<ui::frmGraph*>(QStringLiteral("frmGraph"));
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(graph->isVisible());
    EXPECT_EQ(graph->Picture().maxML, 11);
    EXPECT_EQ(w.ShownIndex(), IndexOf(kAfterburner2.toStdString()));
}

// A graph that fails says so in a message box; the box takes the focus from the
// menu, and the menu must already be gone by then rather than vanish beneath its
// own click. The hook stands in for the modal box: it takes the focus and runs an
// event loop of its own, as the box does.
TEST_P(DrillDown, AGraphThatFailsIsAnsweredAndTheProgramGoesOn)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    w.ControlsForTests().txtRuns->setText(QStringLiteral("0")); // no run: no graph
    QPointer<ui::frmContextMenu> menu = RightClick(3);
    ASSERT_NE(menu, nullptr);
    bool menuOpenUnderTheBox = false;
    const auto previous = ui::SetMessageHook([&](const QString& text) {
        messages.push_back(text.toStdString());
        menuOpenUnderTheBox = !menu.isNull() && menu->isVisible();
        QWidget box;
        box.show();
        box.activateWindow();
        if (menu)
            menu->close(); // what losing the focus does to an open menu
        QEventLoop modal;
        QTimer::singleShot(20, &modal, &QEventLoop::quit);
        modal.exec();
    });
    QTest::mouseClick(Option(menu, 1), Qt::LeftButton);
    ui::SetMessageHook(previous);

    EXPECT_FALSE(menuOpenUnderTheBox);
    EXPECT_EQ(messages, (Texts{"The graph form failed to load for some reason."}));
    ExpectClosed(menu);
    EXPECT_EQ(w.findChild<ui::frmGraph*>(QStringLiteral("frmGraph")), nullptr);
    // The program goes on: the next menu opens and works.
    w.ControlsForTests().txtRuns->setText(QStringLiteral("1"));
    menu = RightClick(3);
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(Option(menu, 1), Qt::LeftButton);
    ExpectClosed(menu);
    EXPECT_NE(w.findChild<ui::frmGraph*>(QStringLiteral("frmGraph")), nullptr);
}

TEST_P(DrillDown, TheComparisonWorksOnTheShownBlueprint)
{
    OwnFirstAfterburner();
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    QPointer<ui::frmContextMenu> menu = RightClick(14);
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(Option(menu, 2), Qt::LeftButton);
    ExpectClosed(menu);

    const auto comparison = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<ui::frmComparison*>(top))
                return c;
        return static_cast<ui::frmComparison*>(nullptr);
    };
    w.ControlsForTests().MLtoML->trigger();
    QPointer<ui::frmComparison> c = comparison();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->windowTitle().toStdString(), std::string("ML to ML Comparison - ") + kAfterburner1);
    EXPECT_EQ(c->lblPrefix[0]->text(), "[Raw] Tritanium");
    EXPECT_EQ(Texts{c->lblWaste[0]->text().toStdString()}, Column(w.ControlsForTests().lblWaste, 1));
    c->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.isNull(); }));

    // Shown with nothing selected in the selector, it still opens; with nothing shown, not.
    w.ClearMaterialRows();
    w.LoadBP(IndexOf(kAfterburner1));
    w.ControlsForTests().MLtoML->trigger();
    c = comparison();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->windowTitle().toStdString(), std::string("ML to ML Comparison - ") + kAfterburner1);
    c->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.isNull(); }));
    w.ClearMaterialRows();
    w.ControlsForTests().MLtoML->trigger();
    EXPECT_EQ(comparison(), nullptr);
}

// --- Floating button -----------------------------------------------------------------------

class FloatingButton : public DrillDown {
protected:
    ui::frmButton* Button() const { return window->findChild<ui::frmButton*>("frmButton"); }
};
INSTANTIATE_TEST_SUITE_P(Point, FloatingButton, ::testing::Values('.'), test::LocaleName);

TEST_P(FloatingButton, ButtonizeAndAClickOnTheSquareRestoreTheWindowInPlace)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    w.move(30, 150); // a place where the whole window fits, which it comes back to
    const QRect before = w.geometry();
    const int side = ui::TwipsToPixels(375) + 2; // inside, and a one-pixel border

    // Once by the text, once beside it.
    for (const QPoint spot : {QPoint(side / 2, side / 2), QPoint(2, 2)}) {
        QTest::mouseClick(w.ControlsForTests().cmdButtonize, Qt::LeftButton);
        QPointer<ui::frmButton> button = Button();
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(button->isVisible());
        EXPECT_EQ(button->pos(), QPoint(0, ui::TwipsToPixels(200)));
        EXPECT_EQ(button->size(), QSize(side, side));
        EXPECT_TRUE(button->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(button->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(ui::BackColour(button), ui::BgrColour(0x404040));
        EXPECT_EQ(button->Label1->objectName(), "Label1");
        EXPECT_EQ(button->Label1->text(), "BRT");
        EXPECT_EQ(ui::ForeColour(button->Label1), ui::BgrColour(ui::Colour::White));

        QWidget* target = button->childAt(spot) ? button->childAt(spot) : button.data();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(button.data(), spot));
        ASSERT_TRUE(QTest::qWaitFor([&] { return button.isNull(); }));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.geometry(), before);
        // Back as "Always on Top" says: an ordinary window while it shows no check
        // mark, so the windows it opens do not end up beneath it.
        EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_FALSE(w.ControlsForTests().AOT->isChecked());
        EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kAfterburner2);
    }

    // With the entry checked, the window comes back on top.
    w.ControlsForTests().AOT->trigger();
    QTest::mouseClick(w.ControlsForTests().cmdButtonize, Qt::LeftButton);
    QPointer<ui::frmButton> button = Button();
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button.data(), Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return button.isNull(); }));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.ControlsForTests().AOT->isChecked());
}

// Without a mouse: the square takes the focus when it opens, and Space, Enter or
// Escape bring the window back.
TEST_P(FloatingButton, SpaceEnterOrEscapeRestoreTheWindow)
{
    ui::frmMain& w = Start();
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        w.ControlsForTests().cmdButtonize->setFocus();
        QTest::keyClick(w.ControlsForTests().cmdButtonize, Qt::Key_Space);
        QPointer<ui::frmButton> button = Button();
        ASSERT_NE(button, nullptr);
        ASSERT_FALSE(w.isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == button; }));
        QTest::keyClick(QApplication::focusWidget(), key);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button.isNull(); }));
        EXPECT_TRUE(w.isVisible());
    }
}

// A close of the main window while only the square shows (from the taskbar, say)
// ends the program like any close: the files are written and nothing is left
// running without a window.
TEST_P(FloatingButton, ClosingTheHiddenWindowEndsTheProgram)
{
    ui::frmMain& w = Start();
    bool ended = false;
    QTimer::singleShot(0, &w, [&w, this] {
        QTest::mouseClick(w.ControlsForTests().cmdButtonize, Qt::LeftButton);
        ASSERT_NE(Button(), nullptr);
        w.close();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    guard.start(5000);
    ended = QApplication::exec() == 0;
    guard.stop();
    EXPECT_TRUE(ended) << "still running five seconds after the close";
    EXPECT_TRUE(std::filesystem::exists(Path("ownedbps.dat")));
    const auto* button = Button();
    EXPECT_TRUE(button == nullptr || !button->isVisible());
}

TEST_P(FloatingButton, SigtermWhileButtonisedSavesThePlayersFiles)
{
    ui::frmMain& w = Start();
    ui::SignalCloser closer(&w);
    QTest::mouseClick(w.ControlsForTests().cmdButtonize, Qt::LeftButton);
    QPointer<ui::frmButton> button = Button();
    ASSERT_NE(button, nullptr);
    ASSERT_FALSE(w.isVisible());

    std::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button.isNull() || !button->isVisible(); }));
    EXPECT_TRUE(std::filesystem::exists(Path("skills.dat")));
    EXPECT_TRUE(std::filesystem::exists(Path("ownedbps.dat")));
    EXPECT_TRUE(std::filesystem::exists(Path("matprices.dat")));
    EXPECT_EQ(settings.values["Options/PricesFile"], "matprices.dat");
    EXPECT_FALSE(w.isVisible()); // the shut-down does not bring the window back
}

} // namespace
