// Every number and computed text readable in its fixed place, whatever the desktop:
// fitted or cut at its end with the whole text in the tool tip, fixed colours on the
// fixed background, menus from the keyboard, selectors the wheel leaves alone, and
// window heights counted from the outer frame.

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <optional>
#include <utility>

#include "tests/ui/MainWindowFixture.h"
#include "ui/main/FittedTexts.h"
#include "ui/main/Look.h"
#include "ui/windows/frmComparison.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint");

// The short form a number too wide for its place shows, when shown is one of whole's.
bool IsShortFormOf(const QString& shown, const QString& whole, const NumberFormat& fmt)
{
    try {
        const double value = numbers::ToNumber(whole.toStdString(), fmt);
        for (int digits = 1; digits <= 4; ++digits)
            if (shown.toStdString() == numbers::ShortNumberText(value, digits, fmt))
                return true;
    } catch (const Failure&) {
    }
    return false;
}

// Whole, or its start with "…" and the whole text in the tool tip; never its end
// alone. A number (with fmt given) may show its short form instead, its whole figure
// grouped in the tool tip.
::testing::AssertionResult Readable(
    const QWidget* w, const QString& whole, const std::optional<NumberFormat>& fmt = std::nullopt)
{
    const ui::FittedText shown = ui::ShownText(w);
    if (!shown.elided && shown.shown == whole)
        return ::testing::AssertionSuccess();
    if (shown.elided && ui::FitToolTip(w) == whole
        && (shown.shown == whole
            || (shown.shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.shown.chopped(1)))))
        return ::testing::AssertionSuccess();
    if (fmt && shown.elided && IsShortFormOf(shown.shown, whole, *fmt)
        && ui::FitToolTip(w).toStdString() == numbers::GroupedNumberText(whole.toStdString(), *fmt))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << w->objectName().toStdString() << " shows \"" << shown.shown.toStdString() << "\" of \""
        << whole.toStdString() << "\", tip \"" << ui::FitToolTip(w).toStdString() << "\"";
}

class Readability : public test::MainWindowTest {};
BRENTA_BOTH_LOCALES(Readability);

TEST(FitText, ShrinksToTheFloorThenCutsAtTheEnd)
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    const QString text = QStringLiteral("353,572,338,000,000.00 ISK");
    const int natural = QFontMetrics(font).horizontalAdvance(text);

    const ui::FittedText roomy = ui::FitText(text, font, natural);
    EXPECT_EQ(roomy.shown, text);
    EXPECT_EQ(roomy.font.pointSizeF(), 8.0);

    const ui::FittedText smaller = ui::FitText(text, font, natural * 4 / 5);
    EXPECT_FALSE(smaller.elided);
    EXPECT_LT(smaller.font.pointSizeF(), 8.0);
    EXPECT_LE(QFontMetrics(smaller.font).horizontalAdvance(text), natural * 4 / 5);

    const ui::FittedText cut = ui::FitText(text, font, natural / 3);
    EXPECT_TRUE(cut.elided);
    EXPECT_EQ(cut.font.pointSizeF(), ui::FitFloorPoints);
    EXPECT_TRUE(cut.shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE(text.startsWith(cut.shown.chopped(1)));
}

// The fitted size is found from the width at the font's own size and a measure or
// two next to where that points, not by measuring every half point: it has to be
// the very size trying each in turn from the top finds, cut the same way.
TEST(FitText, ChoosesTheSizeTryingEveryHalfPointWould)
{
    const auto tryingEach = [](const QString& text, QFont font, int room) {
        int width = QFontMetrics(font).horizontalAdvance(text);
        while (width > room && font.pointSizeF() - 0.5 >= ui::FitFloorPoints) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            width = QFontMetrics(font).horizontalAdvance(text);
        }
        return std::pair{font.pointSizeF(), width > room};
    };
    const QString texts[] = {QStringLiteral("0.1000000000000"), QStringLiteral("353,572,338,000,000.00 ISK"),
        QStringLiteral("100mm Reinforced Steel Plates I Blueprint"), QStringLiteral("Wi"),
        QStringLiteral("132909143D 12H 26M 40S")};
    for (const double points : {8.0, 8.25, 6.5, 11.0}) {
        QFont font = QApplication::font();
        font.setPointSizeF(points);
        for (const QString& text : texts) {
            const int natural = QFontMetrics(font).horizontalAdvance(text);
            for (int room = natural + 1; room >= 1; --room) {
                SCOPED_TRACE(testing::Message() << points << " pt, \"" << text.toStdString() << "\" in " << room);
                const ui::FittedText fitted = ui::FitText(text, font, room);
                const auto [size, cut] = tryingEach(text, font, room);
                ASSERT_EQ(fitted.font.pointSizeF(), size);
                ASSERT_EQ(fitted.elided, cut);
                ASSERT_EQ(
                    fitted.shown, cut ? QFontMetrics(fitted.font).elidedText(text, Qt::ElideRight, room) : text);
            }
        }
    }
}

TEST_P(Readability, HugeRunsLongTimesAndBigPricesStayReadable)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Type(w.ControlsForTests().txtPPU[0], QString::fromStdString(L("296013356.75")));
    QTest::keyClick(w.ControlsForTests().txtPPU[0], Qt::Key_Return);
    Type(w.ControlsForTests().txtRuns, QStringLiteral("50000000"));
    // The longest build time the run cap allows on the slowest blueprints.
    w.ControlsForTests().lblBuildTime->setText(QStringLiteral("132909143D 12H 26M 40S"));
    w.ControlsForTests().lblAmount[1]->setText(QString::fromStdString(L("125,000,000,000")));
    w.ControlsForTests().txtRuns->clearFocus();

    for (QLabel* label : w.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&w) && label->pixmap().isNull()) {
            // A caption's words, its Alt letter's marker drawn as an underline.
            const QString words = label->buddy() ? QString(label->text()).remove(QLatin1Char('&')) : label->text();
            EXPECT_TRUE(Readable(label, words, fmt));
        }
    }
    for (QLineEdit* box :
        {w.ControlsForTests().txtPPU[0], w.ControlsForTests().txtWF, w.ControlsForTests().txtRuns})
        EXPECT_TRUE(Readable(box, box->text(), fmt));
    EXPECT_TRUE(Readable(w.ControlsForTests().cboBP, kPlates));
    EXPECT_EQ(w.ControlsForTests().txtWF->cursorPosition(), 0);
    EXPECT_EQ(ui::ShownText(w.ControlsForTests().txtPPU[0]).elided, false)
        << "a price box holds 296013356.75 whole";
}

// Whether a box lays out its whole text without scrolling it: drawn alike with the
// cursor at either end. A box showing less than its text must say so.
bool DrawsItsWholeText(QLineEdit* box)
{
    box->end(false);
    const QImage atEnd = box->grab().toImage();
    box->home(false);
    return box->grab().toImage() == atEnd;
}

TEST_P(Readability, APriceBoxShowsTheStartOfItsTextOnceTheFocusLeaves)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QLineEdit* price = w.ControlsForTests().txtPPU[0];
    Type(price, QString::fromStdString(L("123456789012345.75")));
    w.ControlsForTests().txtML->setFocus(); // focus leaves the box
    EXPECT_EQ(price->cursorPosition(), 0);
    EXPECT_TRUE(Readable(price, price->text(), fmt));
    EXPECT_TRUE(ui::ShownText(price).elided) << "18 digits do not fit a price box";
    EXPECT_EQ(ui::FitToolTip(price).toStdString(), L("123,456,789,012,345.75"));

    // Set by the program while the box has no focus: its start as well.
    QLineEdit* other = w.ControlsForTests().txtPPU[1];
    other->setText(QString::fromStdString(L("0.0000000000000001")));
    EXPECT_EQ(other->cursorPosition(), 0);
    EXPECT_TRUE(Readable(other, other->text(), fmt));
    EXPECT_EQ(ui::FitToolTip(other).toStdString(), L("0.0000000000000001"));

    // Back in the box, the player edits the text itself.
    price->setFocus();
    EXPECT_EQ(ui::ShownText(price).shown, price->text());
}

TEST_P(Readability, TheWastageFactorShowsItsTextWholeOrSaysItIsCut)
{
    ui::frmMain& w = Start();
    QLineEdit* wf = w.ControlsForTests().txtWF;
    for (const char* text : {"0.1", "0.1000000000000", "0.0016666666667", "Invalid ML", "7158278.9000000000000"}) {
        SCOPED_TRACE(text);
        wf->setText(QString::fromStdString(L(text)));
        EXPECT_TRUE(Readable(wf, wf->text()));
        if (!ui::ShownText(wf).elided)
            EXPECT_TRUE(DrawsItsWholeText(wf));
        else
            EXPECT_TRUE(ui::ShownText(wf).shown.endsWith(QChar(0x2026)));
    }
}

// A grid figure too wide even at the smallest size is never cut to a smaller-looking
// number: 15,968,500,000,000 units (Tritanium of the largest blueprint at 1,000,000
// runs) show in short form, the whole figure grouped in the tool tip.
TEST_P(Readability, AGridFigureTooWideShowsItsShortFormNeverACut)
{
    ui::frmMain& w = Start();
    SelectBlueprint(QStringLiteral("Zenithar Blueprint"));
    Type(w.ControlsForTests().txtRuns, QStringLiteral("1000000"));
    w.ControlsForTests().txtML->setFocus();
    QLabel* amount = w.ControlsForTests().lblAmount[0];
    ASSERT_EQ(amount->text(), QStringLiteral("15968500000000"));
    const ui::FittedText shown = ui::ShownText(amount);
    ASSERT_TRUE(shown.elided);
    EXPECT_TRUE(IsShortFormOf(shown.shown, amount->text(), fmt)) << shown.shown.toStdString();
    EXPECT_TRUE(shown.shown.contains(QStringLiteral("E+13")));
    EXPECT_EQ(ui::FitToolTip(amount).toStdString(), L("15,968,500,000,000"));
    for (int r = 0; r < 25; ++r) {
        for (QLabel* figure : {w.ControlsForTests().lblAmount[r], w.ControlsForTests().lblWaste[r],
                 w.ControlsForTests().lblTotal[r]}) {
            if (figure->isVisibleTo(&w)) {
                EXPECT_TRUE(Readable(figure, figure->text(), fmt));
                EXPECT_FALSE(ui::ShownText(figure).shown.endsWith(QChar(0x2026))) << figure->text().toStdString();
            }
        }
    }
    // A text that is no number is cut as any other.
    amount->setText(QStringLiteral("not a number but far too long a text for the amount column"));
    EXPECT_TRUE(Readable(amount, amount->text()));
}

TEST_P(Readability, ReadOnlyBoxesShowTheirStartAfterTabbingThrough)
{
    ui::frmMain& w = Start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.ControlsForTests().txtWF->setText(QStringLiteral("0.10000000009090909090909"));
    w.ControlsForTests().txtWF->setFocus();
    w.ControlsForTests().txtWF->end(false);
    w.ControlsForTests().txtPL->setFocus();
    EXPECT_EQ(w.ControlsForTests().txtWF->cursorPosition(), 0);
    EXPECT_TRUE(Readable(w.ControlsForTests().txtWF, w.ControlsForTests().txtWF->text()));
}

TEST_P(Readability, ComparisonCaptionsEndBeforeTheirValues)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Type(w.ControlsForTests().txtRuns, QStringLiteral("50000000"));
    w.ControlsForTests().MLtoML->trigger();
    ui::frmComparison* c = Comparison();
    ASSERT_NE(c, nullptr);
    const struct {
        QLabel* caption;
        QLabel* value;
    } pairs[] = {{c->lblBuildCost1Prefix, c->lblBuildCost1}, {c->lblBuildCost2Prefix, c->lblBuildCost2},
        {c->lblSavingsPrefix, c->lblISKSavings}, {c->lblResearchTimePrefix, c->lblResearchTime}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.caption->objectName().toStdString());
        EXPECT_TRUE(Readable(p.caption, p.caption->text()));
        EXPECT_TRUE(Readable(p.value, p.value->text()));
        const ui::FittedText shown = ui::ShownText(p.caption);
        const int captionEnd = p.caption->x() + QFontMetrics(shown.font).horizontalAdvance(shown.shown);
        EXPECT_LT(captionEnd, p.value->x() + p.value->indent());
    }
    c->lblPrefix[0]->setText(QStringLiteral("[Raw] A material name far too long for the name column of the grid"));
    EXPECT_TRUE(Readable(c->lblPrefix[0], c->lblPrefix[0]->text()));
    EXPECT_TRUE(ui::ShownText(c->lblPrefix[0]).elided);
    c->close();
}

TEST_P(Readability, WindowsHaveTheShrinkRulesOuterHeight)
{
    ui::frmMain& w = Start();
    EXPECT_EQ(w.frameGeometry().height(), ui::TwipsToPixels(w.WindowHeightTwips()));
    SelectBlueprint(kPlates);
    w.ControlsForTests().MLtoML->trigger();
    ui::frmComparison* c = Comparison();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->frameGeometry().height(), ui::TwipsToPixels(c->WindowHeightTwips()));
    c->close();
}

// On a screen too small for the window (too low at 1x, too low and too narrow at
// twice the scale) the window stays within the free area; the grid scrolls up and
// down under the inputs, which stay in view, and both scroll sideways together.
TEST_P(Readability, AWindowLargerThanTheScreenScrollsItsGridUnderTheInputs)
{
    ui::frmMain& w = Start();
    const QRect free = w.screen()->availableGeometry();
    const int oneRowWidth = w.width();
    QScrollArea* grid = w.ControlsForTests().gridArea;
    QScrollArea* inputs = w.ControlsForTests().inputArea;
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
    w.ShrinkFrame(24);
    QApplication::processEvents();
    const QRect frame = w.frameGeometry();
    EXPECT_TRUE(free.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                      << frame.height();
    const bool tall = ui::TwipsToPixels(w.WindowHeightTwips()) > free.height();
    const bool wide = w.ControlsForTests().gridClient->width() + grid->verticalScrollBar()->sizeHint().width()
        > free.width() - (frame.width() - w.width());
    if (!tall && !wide)
        GTEST_SKIP() << "the screen shows the whole window";
    if (tall) {
        EXPECT_EQ(frame.height(), free.height());
        EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    }
    if (wide) {
        EXPECT_EQ(frame.width(), free.width());
        EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
    } else {
        EXPECT_EQ(w.width(), oneRowWidth + grid->verticalScrollBar()->sizeHint().width());
    }

    // The wheel over the grid moves its rows and leaves the inputs where they are.
    const auto at = [&w](const QWidget* control) { return control->mapTo(&w, QPoint(0, 0)); };
    const QPoint field = at(w.ControlsForTests().txtML);
    const QPoint row = at(w.ControlsForTests().lblAmount[0]);
    // A wheel over the grid reaches its viewport (Qt hands only the platform's own
    // wheel events on to the parents, so it is sent there).
    const QPoint over = w.ControlsForTests().lblAmount[3]->mapTo(grid->viewport(), QPoint(5, 5));
    QWheelEvent wheel(over, grid->viewport()->mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    EXPECT_EQ(at(w.ControlsForTests().txtML), field);
    EXPECT_LT(at(w.ControlsForTests().lblAmount[0]).y(), row.y());
    EXPECT_TRUE(inputs->viewport()->rect().contains(
        w.ControlsForTests().txtML->mapTo(inputs->viewport(), w.ControlsForTests().txtML->rect().bottomRight())));

    // The last row and the right ends of the inputs and of the grid can be scrolled into view.
    const auto shows = [](const QScrollArea* area, const QWidget* control) {
        return area->viewport()->rect().contains(
            QRect(control->mapTo(area->viewport(), QPoint(0, 0)), control->size()));
    };
    grid->ensureWidgetVisible(w.ControlsForTests().lblAmount[24]);
    EXPECT_TRUE(shows(grid, w.ControlsForTests().lblAmount[24]));
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    EXPECT_TRUE(shows(grid, w.ControlsForTests().lblImprove[24]));
    EXPECT_TRUE(shows(inputs, w.ControlsForTests().chkOwnThis));
    EXPECT_TRUE(shows(inputs, w.ControlsForTests().cmdButtonize));
    EXPECT_TRUE(shows(inputs, w.ControlsForTests().lblIndustry));
    // A box's shortcut takes the focus to it and brings it into view.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.ControlsForTests().txtML);
    EXPECT_TRUE(shows(inputs, w.ControlsForTests().txtML));
    grid->horizontalScrollBar()->setValue(0);
    EXPECT_TRUE(shows(inputs, w.ControlsForTests().lblML));

    w.ShrinkFrame(0);
    QApplication::processEvents();
    EXPECT_TRUE(free.contains(w.frameGeometry()));
    if (!wide) { // fits again: no scroll bar, the design's width
        EXPECT_EQ(w.frameGeometry().height(), ui::TwipsToPixels(w.WindowHeightTwips()));
        EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
        EXPECT_EQ(w.width(), oneRowWidth);
    }
}

TEST_P(Readability, DarkDesktopPaletteLeavesTheFixedColoursAlone)
{
    const QPalette desktop = QApplication::palette();
    QPalette dark(QColor(220, 220, 220), QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    QApplication::setPalette(dark);
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    w.ControlsForTests().MLtoML->trigger();
    ui::frmComparison* c = Comparison();
    ASSERT_NE(c, nullptr);
    const QColor grey = ui::BgrColour(ui::Colour::Grey);
    for (const QWidget* widget :
        std::initializer_list<const QWidget*>{w.ControlsForTests().lblML, w.ControlsForTests().menuBar,
            w.ControlsForTests().File, w.ControlsForTests().fraMats, w.ControlsForTests().lblBuildCostPrefix,
            w.ControlsForTests().txtML, w.ControlsForTests().cmdClear, c->lblFromML, c->fraMats, c->txtFromML}) {
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::Window), grey);
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::ButtonText), QColor(Qt::black));
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
        EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    }
    c->close();
    window.reset();
    QApplication::setPalette(desktop);
}

TEST_P(Readability, AltOpensEachMenuWithoutTypingIntoTheFocusedBox)
{
    ui::frmMain& w = Start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QString ml = w.ControlsForTests().txtML->text();
    const struct {
        Qt::Key key;
        QMenu* menu;
    } cases[] = {{Qt::Key_F, w.ControlsForTests().File}, {Qt::Key_T, w.ControlsForTests().Tools},
        {Qt::Key_O, w.ControlsForTests().Options}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.menu->objectName().toStdString());
        // The bar opens a menu on Alt and its letter through the title's mnemonic, whatever the style.
        EXPECT_EQ(QKeySequence::mnemonic(k.menu->title()), QKeySequence(Qt::ALT | k.key));
        w.ControlsForTests().txtML->setFocus();
        QTest::keyClick(w.ControlsForTests().txtML, k.key, Qt::AltModifier);
        QTRY_VERIFY(k.menu->isVisible());
        k.menu->close();
        QTRY_VERIFY(!k.menu->isVisible());
        EXPECT_EQ(w.ControlsForTests().txtML->text(), ml);
    }
}

// The window opens with the focus in the blueprint selector, and every caption of
// an input takes its box to the focus with Alt and its own letter, one that no
// other caption and no menu title uses.
TEST_P(Readability, TheKeyboardStartsInTheSelectorAndEachCaptionHasItsAltLetter)
{
    ui::frmMain& w = Start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.ControlsForTests().cboBP);

    const auto& u = w.ControlsForTests();
    const struct {
        QLabel* caption;
        QWidget* box;
        Qt::Key letter;
    } cases[] = {
        {u.lblML, u.txtML, Qt::Key_M},
        {u.lblWF, u.txtWF, Qt::Key_W},
        {u.lblPL, u.txtPL, Qt::Key_P},
        {u.lblRuns, u.txtRuns, Qt::Key_R},
        {u.lblBatchSizePrefix, u.txtBatchSize, Qt::Key_A},
        {u.lblBPSearch, u.txtSearch, Qt::Key_S},
        {u.lblBPSelect, u.cboBP, Qt::Key_B},
        {u.lblMetallurgy, u.cboMetallurgy, Qt::Key_L},
        {u.lblPE, u.cboPE, Qt::Key_E},
        {u.lblResearch, u.cboResearch, Qt::Key_C},
        {u.lblIndustry, u.cboIndustry, Qt::Key_I},
    };
    QList<QKeySequence> taken;
    for (const QMenu* menu : {u.File, u.Tools, u.Options})
        taken << QKeySequence::mnemonic(menu->title());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption->objectName().toStdString());
        const QKeySequence mnemonic = QKeySequence::mnemonic(c.caption->text());
        EXPECT_EQ(mnemonic, QKeySequence(Qt::ALT | c.letter));
        EXPECT_FALSE(taken.contains(mnemonic));
        taken << mnemonic;
        EXPECT_EQ(c.caption->buddy(), c.box);
        // From a box elsewhere in the window, by the keys alone.
        QWidget* from = c.box == u.txtSearch ? static_cast<QWidget*>(u.txtML) : u.txtSearch;
        from->setFocus();
        QTest::keyClick(from, c.letter, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), c.box);
    }
    EXPECT_EQ(u.txtML->text(), "0"); // nothing typed on the way
}

TEST_P(Readability, WheelChangesASelectorOnlyWithTheFocus)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const auto shown = w.ShownIndex();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const auto spin = [](QComboBox* box) {
        QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
    };
    w.ControlsForTests().txtSearch->setFocus();
    for (QComboBox* box :
        {w.ControlsForTests().cboMetallurgy, w.ControlsForTests().cboBP, w.ControlsForTests().cboAssemblyArray}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const int before = box->currentIndex();
        spin(box);
        EXPECT_EQ(box->currentIndex(), before);
        EXPECT_FALSE(box->hasFocus());
    }
    EXPECT_EQ(w.ShownIndex(), shown);
    w.ControlsForTests().cboMetallurgy->setFocus();
    spin(w.ControlsForTests().cboMetallurgy);
    EXPECT_EQ(w.ControlsForTests().cboMetallurgy->currentIndex(), 1);
}

TEST_P(Readability, TheShownBlueprintIsNamedOnTheIconAndOnBack)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const std::int16_t plates = *w.ShownIndex();
    const std::int16_t other = static_cast<std::int16_t>(plates == 0 ? 1 : 0);
    ShowAsFindBPDoes(other);
    const QString otherName = QString::fromStdString(NameOf(other));
    EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kPlates);
    EXPECT_EQ(w.ControlsForTests().pctIcon->toolTip(), otherName);
    EXPECT_EQ(w.ControlsForTests().cmdBack->toolTip(), QStringLiteral("Back to ") + kPlates);
    QTest::mouseClick(w.ControlsForTests().cmdBack, Qt::LeftButton);
    EXPECT_EQ(w.ControlsForTests().pctIcon->toolTip(), kPlates);
    EXPECT_EQ(w.ControlsForTests().cmdBack->toolTip(), QStringLiteral("Back to ") + otherName);
}

} // namespace
