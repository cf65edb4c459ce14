// The main window's widgets as the rest of the program finds them: names, kinds,
// texts, tool tips, states, the grid's geometry, the menu tree and the tab order.
#include "calc/InputFields.h"
#include "calc/Times.h"
#include "tests/ui/Placement.h"
#include "ui/main/Look.h"
#include "ui/main/frmMainUi.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace brenta;
using namespace brenta::ui;

namespace {

QString TextOf(const QObject* o)
{
    if (auto* label = qobject_cast<const QLabel*>(o))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(o))
        return box->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(o))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(o))
        return frame->title();
    if (auto* action = qobject_cast<const QAction*>(o))
        return action->text();
    if (auto* menu = qobject_cast<const QMenu*>(o))
        return menu->title();
    return QStringLiteral("<no text>");
}

std::vector<QString> Entries(const QComboBox* list)
{
    std::vector<QString> entries;
    entries.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i)
        entries.push_back(list->itemText(i));
    return entries;
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { ui.setupUi(&window); }

    QObject* Named(const char* name) const { return window.findChild<QObject*>(QString::fromLatin1(name)); }

    QMainWindow window;
    frmMainUi ui;
};

TEST_F(LayoutTest, everyNameFindsItsOwnMemberOnce)
{
    const std::vector<std::pair<const char*, QObject*>> named = {
        {"lblML", ui.lblML},
        {"txtML", ui.txtML},
        {"lblWF", ui.lblWF},
        {"txtWF", ui.txtWF},
        {"lblPL", ui.lblPL},
        {"txtPL", ui.txtPL},
        {"lblRuns", ui.lblRuns},
        {"txtRuns", ui.txtRuns},
        {"lblBatchSizePrefix", ui.lblBatchSizePrefix},
        {"txtBatchSize", ui.txtBatchSize},
        {"cmdButtonize", ui.cmdButtonize},
        {"lblBPSearch", ui.lblBPSearch},
        {"txtSearch", ui.txtSearch},
        {"lblBPSelect", ui.lblBPSelect},
        {"cboBP", ui.cboBP},
        {"chkOwnThis", ui.chkOwnThis},
        {"cmdClear", ui.cmdClear},
        {"cmdBack", ui.cmdBack},
        {"fraAnalysis", ui.fraAnalysis},
        {"lblEfficiencyPrefix", ui.lblEfficiencyPrefix},
        {"lblEfficiency", ui.lblEfficiency},
        {"lblBuildCostPrefix", ui.lblBuildCostPrefix},
        {"lblBuildCost", ui.lblBuildCost},
        {"lblBuildWastePrefix", ui.lblBuildWastePrefix},
        {"lblBuildWaste", ui.lblBuildWaste},
        {"lblCostPerUnitPrefix", ui.lblCostPerUnitPrefix},
        {"lblCostPerUnit", ui.lblCostPerUnit},
        {"lblWastePerUnitPrefix", ui.lblWastePerUnitPrefix},
        {"lblWastePerUnit", ui.lblWastePerUnit},
        {"lblTimePrefix", ui.lblTimePrefix},
        {"lblTime", ui.lblTime},
        {"Label1", ui.Label1},
        {"lblPLTime", ui.lblPLTime},
        {"lblBuildTimePrefix", ui.lblBuildTimePrefix},
        {"lblBuildTime", ui.lblBuildTime},
        {"chkPOSLab", ui.chkPOSLab},
        {"pctIcon", ui.pctIcon},
        {"cboMetallurgy", ui.cboMetallurgy},
        {"lblMetallurgy", ui.lblMetallurgy},
        {"cboPE", ui.cboPE},
        {"lblPE", ui.lblPE},
        {"cboResearch", ui.cboResearch},
        {"lblResearch", ui.lblResearch},
        {"cboIndustry", ui.cboIndustry},
        {"lblIndustry", ui.lblIndustry},
        {"cboAssemblyArray", ui.cboAssemblyArray},
        {"fraMats", ui.fraMats},
        {"fraPPU", ui.fraPPU},
        {"fraWaste", ui.fraWaste},
        {"fraTotal", ui.fraTotal},
        {"fraIdealML", ui.fraIdealML},
        {"fraNextImprovement", ui.fraNextImprovement},
        {"File", ui.File},
        {"Import", ui.Import},
        {"MaterialList", ui.MaterialList},
        {"PricesDatFile", ui.PricesDatFile},
        {"MMIOFF", ui.MMIOFF},
        {"MMION", ui.MMION},
        {"PurchasedBPList", ui.PurchasedBPList},
        {"Export", ui.Export},
        {"OwnedBPListExport", ui.OwnedBPListExport},
        {"PricesSep", ui.PricesSep},
        {"PastePrices", ui.PastePrices},
        {"ImportPrices", ui.ImportPrices},
        {"ExportPrices", ui.ExportPrices},
        {"FileSep0", ui.FileSep0},
        {"Exit", ui.Exit},
        {"Tools", ui.Tools},
        {"MLtoML", ui.MLtoML},
        {"Graph", ui.Graph},
        {"OrderSheet", ui.OrderSheet},
        {"AutoPriceAll", ui.AutoPriceAll},
        {"BuildPlan", ui.BuildPlan},
        {"AOT", ui.AOT},
        {"Options", ui.Options},
        {"ShowUnowned", ui.ShowUnowned},
        {"Improvements", ui.Improvements},
    };
    for (const auto& [name, member] : named) {
        SCOPED_TRACE(name);
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(window.findChildren<QObject*>(QString::fromLatin1(name)).size(), 1);
        EXPECT_EQ(Named(name), member);
    }
    // The kinds the handlers rely on when they look controls up by name.
    EXPECT_NE(window.findChild<QFrame*>("fraAnalysis"), nullptr);
    EXPECT_EQ(window.findChild<QGroupBox*>("fraAnalysis"), nullptr);
    EXPECT_NE(window.findChild<QLabel*>("pctIcon"), nullptr);
    EXPECT_NE(window.findChild<QMenu*>("MaterialList"), nullptr);
    EXPECT_TRUE(window.findChild<QAction*>("FileSep0")->isSeparator());
    for (const char* list : {"cboBP", "cboMetallurgy", "cboPE", "cboResearch", "cboIndustry", "cboAssemblyArray"})
        EXPECT_FALSE(window.findChild<QComboBox*>(list)->isEditable()) << list;
}

TEST_F(LayoutTest, captionsAndInitialTexts)
{
    const std::vector<std::pair<const char*, const char*>> texts = {
        {"lblML", "Material Level:"},
        {"txtML", "0"},
        {"lblWF", "Wastage Factor:"},
        {"txtWF", "0.1"},
        {"lblPL", "Prod. Level:"},
        {"txtPL", "0"},
        {"lblRuns", "Runs:"},
        {"txtRuns", "1"},
        {"lblBatchSizePrefix", "Batch Size:"},
        {"txtBatchSize", "1"},
        {"cmdButtonize", "Buttonize"},
        {"lblBPSearch", "Search:"},
        {"txtSearch", ""},
        {"lblBPSelect", "Blueprint:"},
        {"chkOwnThis", "Own this BPO"},
        {"cmdClear", "Clear"},
        {"cmdBack", "Back"},
        {"lblEfficiencyPrefix", "Efficiency:"},
        {"lblEfficiency", "0%"},
        {"lblBuildCostPrefix", "Build Cost (Total):"},
        {"lblBuildCost", "0 ISK"},
        {"lblBuildWastePrefix", "Build Cost (Waste):"},
        {"lblBuildWaste", "0 ISK"},
        {"lblCostPerUnitPrefix", "Cost Per Unit (Total):"},
        {"lblCostPerUnit", "0 ISK"},
        {"lblWastePerUnitPrefix", "Cost Per Unit (Waste):"},
        {"lblWastePerUnit", "0 ISK"},
        {"lblTimePrefix", "ML Research Time:"},
        {"lblTime", "0D 0H 0M 0S"},
        {"Label1", "PL Research Time:"},
        {"lblPLTime", "0D 0H 0M 0S"},
        {"lblBuildTimePrefix", "Build Time:"},
        {"lblBuildTime", "0D 0H 0M 0S"},
        {"chkPOSLab", "POS Lab"},
        {"pctIcon", ""},
        {"lblMetallurgy", "Metallurgy"},
        {"lblPE", "Prod. Efficiency"},
        {"lblResearch", "Research"},
        {"lblIndustry", "Industry"},
        {"fraMats", "Ideal Materials Required"},
        {"fraPPU", "Unit Price"},
        {"fraWaste", "Waste"},
        {"fraTotal", "Total"},
        {"fraIdealML", "Ideal ML"},
        {"fraNextImprovement", "Improve At..."},
    };
    for (const auto& [name, text] : texts) {
        const QObject* o = Named(name);
        ASSERT_NE(o, nullptr) << name;
        // The words as designed; a caption's Alt letter only adds its marker.
        EXPECT_EQ(TextOf(o).remove(QLatin1Char('&')).toStdString(), text) << name;
    }
    EXPECT_TRUE(window.windowTitle().isEmpty());
}

TEST_F(LayoutTest, toolTipsAreExact)
{
    const char* const metallurgy = "5% per level reduction in ME research time.";
    const char* const pe = "5% per level reduction in waste material.";
    const std::vector<std::pair<const char*, const char*>> tips = {
        {"txtBatchSize", "How many items are produced per run."},
        {"txtSearch",
            "Press the enter key to search.  Pressing enter without changing your query will find the next "
            "match after the current one."},
        {"lblEfficiency", "(1-Waste/Total)*100%"},
        {"lblEfficiencyPrefix", ""},
        {"lblTimePrefix", "Material Level Research Time"},
        {"lblTime", ""},
        {"Label1", "Productivity Level Research Time"},
        {"chkPOSLab", "25% Faster Research"},
        {"cboMetallurgy", metallurgy},
        {"lblMetallurgy", metallurgy},
        {"cboPE", pe},
        {"lblPE", pe},
        {"cboResearch", ""},
        {"lblResearch", "5% per level reduction in PE research time."},
        {"cboIndustry", ""},
        {"lblIndustry", "4% per level reduction production time."},
        {"fraMats", "Ideal materials required with Production Efficiency 5."},
        {"fraPPU", "Double-click here for auto-pricing."},
        {"fraWaste",
            "The amount of waste material used in production.  Researching the BPO will reduce the waste."},
        {"fraTotal", "This is what you'll see on an un-researched BPO if you have Production Efficiency 5."},
        {"fraIdealML", "This is the ML at which you will have 0 waste material."},
        {"fraNextImprovement", ""},
        {"txtPPU_0", "ISK per unit, uses point-decimal (US) format, press Enter to save a new price value"},
        {"txtPPU_24", "ISK per unit, uses point-decimal (US) format, press Enter to save a new price value"},
    };
    // The run count's tip names the cap the box really applies.
    EXPECT_EQ(ui.txtRuns->toolTip(), QStringLiteral("Capped at ") + QString::number(fields::kMaxRuns));
    for (const auto& [name, tip] : tips) {
        const auto* w = qobject_cast<const QWidget*>(Named(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->toolTip().toStdString(), tip) << name;
    }
}

TEST_F(LayoutTest, designStatesOfTheInputs)
{
    EXPECT_FALSE(ui.chkOwnThis->isEnabled());
    EXPECT_FALSE(ui.chkOwnThis->isChecked());
    EXPECT_FALSE(ui.cmdBack->isEnabled());
    EXPECT_FALSE(ui.chkPOSLab->isChecked());
    for (QLineEdit* box : {ui.txtML, ui.txtPL, ui.txtRuns, ui.txtSearch, ui.txtPPU[0]})
        EXPECT_FALSE(box->isReadOnly()) << box->objectName().toStdString();
    for (QLineEdit* box : {ui.txtWF, ui.txtBatchSize}) {
        EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
        EXPECT_EQ(BackColour(box), BgrColour(Colour::Grey)) << box->objectName().toStdString();
    }
    EXPECT_NE(BackColour(ui.txtML), BgrColour(Colour::Grey));
    EXPECT_EQ(BackColour(&window), BgrColour(Colour::Grey));
    for (QWidget* frame : std::initializer_list<QWidget*>{ui.fraAnalysis, ui.fraMats, ui.fraPPU, ui.fraWaste,
             ui.fraTotal, ui.fraIdealML, ui.fraNextImprovement})
        EXPECT_EQ(BackColour(frame), BgrColour(Colour::Grey)) << frame->objectName().toStdString();
    EXPECT_EQ(BackColour(ui.pctIcon), BgrColour(Colour::StripeEven));
}

TEST_F(LayoutTest, dropDownListEntries)
{
    const std::vector<QString> levels = {"0", "1", "2", "3", "4", "5"};
    for (QComboBox* skill : {ui.cboMetallurgy, ui.cboPE, ui.cboResearch, ui.cboIndustry}) {
        EXPECT_EQ(Entries(skill), levels) << skill->objectName().toStdString();
        EXPECT_EQ(skill->currentIndex(), 0) << skill->objectName().toStdString();
    }
    // The selector lists the core's arrays in their order, so entry k applies array k.
    std::vector<QString> arrays;
    arrays.reserve(times::kAssemblyArrays.size());
    for (const times::AssemblyArray& array : times::kAssemblyArrays)
        arrays.push_back(QString::fromLatin1(array.name));
    EXPECT_EQ(Entries(ui.cboAssemblyArray), arrays);
    // Start-up's selection of "None" has to be a change of selection.
    EXPECT_EQ(ui.cboAssemblyArray->currentIndex(), -1);
    EXPECT_EQ(ui.cboBP->count(), 0);
}

TEST_F(LayoutTest, windowFrameAndAnalysisArea)
{
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    // The width is fixed: the player resizes nothing, and every frame fits it.
    EXPECT_EQ(window.minimumWidth(), window.maximumWidth());
    for (QWidget* frame : {static_cast<QWidget*>(ui.fraAnalysis), static_cast<QWidget*>(ui.fraNextImprovement)})
        EXPECT_LE(frame->mapTo(ui.centralWidget, QPoint(frame->width(), 0)).x(), window.minimumWidth())
            << frame->objectName().toStdString();
    // The icon is square and lives in the analysis area, whichever widget holds the rest.
    EXPECT_EQ(ui.pctIcon->width(), ui.pctIcon->height());
    EXPECT_EQ(ui.pctIcon->parentWidget(), ui.fraAnalysis);
}

// Every named control lies inside the widget that holds it, and no two controls
// of one holder cover each other: a control placed on top of another, or partly
// outside its frame, is one the player cannot read or click.
TEST_F(LayoutTest, controlsLieInsideTheirHoldersAndNeverOverlap)
{
    window.show(); // the client takes its size from the scroll area once shown
    QCoreApplication::processEvents();
    EXPECT_GT(test::ExpectInsideAndApart(ui.centralWidget), 7 * frmMainUi::RowCount);
}

// Every caption the window starts with can be read whole at its own font.
TEST_F(LayoutTest, everyCaptionFitsItsPlace)
{
    for (QLabel* label : ui.centralWidget->findChildren<QLabel*>()) {
        if (label->isHidden() || label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        // A caption's Alt letter marker is drawn as an underline, taking no room.
        const QRect needed = metrics.boundingRect(room,
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0)
                | (label->buddy() ? Qt::TextShowMnemonic : 0),
            label->text());
        EXPECT_LE(needed.width(), room.width()) << label->objectName().toStdString();
        EXPECT_LE(metrics.height(), room.height()) << label->objectName().toStdString();
    }
    for (QAbstractButton* button : ui.centralWidget->findChildren<QAbstractButton*>()) {
        if (button->isHidden() || button->text().isEmpty())
            continue;
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        int needed = QFontMetrics(button->font()).horizontalAdvance(text);
        if (qobject_cast<QCheckBox*>(button))
            needed += button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button)
                + button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
        else
            needed += 4; // the button's frame
        EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    }
}

// The material grid: seven columns, each cell in its column's frame; the cells of
// one row share a line, rows follow each other at one pitch in the arrays' order,
// and every cell starts with its column's text, colour and stripe.
TEST_F(LayoutTest, gridCellsSitOnTheirRows)
{
    struct Column {
        const char* name;
        QWidget* frame;
        const char* text;
        unsigned textColour;
    };
    auto cell = [&](const char* column, int row) {
        return qobject_cast<QWidget*>(Named((std::string(column) + "_" + std::to_string(row)).c_str()));
    };
    const std::vector<Column> columns = {
        {"lblPrefix", ui.fraMats, "", Colour::White},
        {"lblAmount", ui.fraMats, "0", Colour::White},
        {"txtPPU", ui.fraPPU, "0", Colour::White},
        {"lblWaste", ui.fraWaste, "0", Colour::White},
        {"lblTotal", ui.fraTotal, "0", Colour::Cyan},
        {"lblIdeal", ui.fraIdealML, "0", Colour::White},
        {"lblImprove", ui.fraNextImprovement, "0", Colour::White},
    };
    const int pitch = cell("lblPrefix", 1)->y() - cell("lblPrefix", 0)->y();
    ASSERT_GE(pitch, cell("lblPrefix", 0)->height() - 3); // a shared border at most
    const int frameTop = ui.fraMats->y();
    int previousRight = 0;
    const QWidget* previousFrame = nullptr;
    for (const Column& c : columns) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.frame->y(), frameTop);
        EXPECT_EQ(c.frame->height(), ui.fraMats->height());
        // Frames stand side by side, left to right in the columns' order.
        if (c.frame != previousFrame) {
            const int frameLeft = c.frame->mapTo(ui.centralWidget, QPoint(0, 0)).x();
            EXPECT_GE(frameLeft, previousRight);
            previousRight = frameLeft + c.frame->width();
            previousFrame = c.frame;
        }
        const QWidget* first = cell(c.name, 0);
        for (int row = 0; row < frmMainUi::RowCount; ++row) {
            SCOPED_TRACE(row);
            QWidget* w = cell(c.name, row);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->parentWidget(), c.frame);
            EXPECT_EQ(w->x(), first->x());
            EXPECT_EQ(w->size(), first->size());
            EXPECT_EQ(w->y(), first->y() + row * pitch);
            EXPECT_EQ(w->y() + c.frame->y(), cell("lblPrefix", row)->y() + frameTop);
            EXPECT_EQ(TextOf(w).toStdString(), c.text);
            EXPECT_EQ(ForeColour(w), BgrColour(c.textColour));
            EXPECT_EQ(BackColour(w), BgrColour(row % 2 == 0 ? Colour::StripeEven : Colour::StripeOdd));
        }
    }
    // The amount stands right of the name in the same frame.
    EXPECT_GE(cell("lblAmount", 0)->x(), cell("lblPrefix", 0)->geometry().right());
    // The arrays address the same widgets as the names, row by row.
    for (int row = 0; row < frmMainUi::RowCount; ++row) {
        EXPECT_EQ(ui.lblPrefix[row], cell("lblPrefix", row));
        EXPECT_EQ(ui.txtPPU[row], cell("txtPPU", row));
        EXPECT_EQ(ui.lblWaste[row], cell("lblWaste", row));
        EXPECT_EQ(ui.lblImprove[row], cell("lblImprove", row));
    }
}

TEST_F(LayoutTest, menuTreeAndEntryStates)
{
    using Actions = QList<QAction*>;
    EXPECT_EQ(
        ui.menuBar->actions(), (Actions{ui.File->menuAction(), ui.Tools->menuAction(), ui.Options->menuAction()}));
    EXPECT_EQ(ui.File->actions(),
        (Actions{ui.Import->menuAction(), ui.Export->menuAction(), ui.PricesSep, ui.PastePrices, ui.ImportPrices,
            ui.ExportPrices, ui.FileSep0, ui.Exit}));
    EXPECT_EQ(ui.Import->actions(), (Actions{ui.MaterialList->menuAction(), ui.PurchasedBPList}));
    EXPECT_EQ(ui.MaterialList->actions(), (Actions{ui.PricesDatFile, ui.MMIOFF, ui.MMION}));
    EXPECT_EQ(ui.Export->actions(), (Actions{ui.OwnedBPListExport}));
    EXPECT_EQ(
        ui.Tools->actions(), (Actions{ui.MLtoML, ui.Graph, ui.OrderSheet, ui.AutoPriceAll, ui.BuildPlan, ui.AOT}));
    EXPECT_EQ(ui.Options->actions(), (Actions{ui.ShowUnowned, ui.Improvements}));

    struct Entry {
        const char* name;
        const char* caption;
        bool enabled, visible, checkable, checked;
    };
    const std::vector<Entry> entries = {
        {"File", "File", true, true, false, false},
        {"Import", "Import", true, true, false, false},
        {"MaterialList", "Material List", true, true, false, false},
        {"PricesDatFile", "Prices *.dat File", true, true, false, false},
        {"MMIOFF", "Matari Mineral Index (Offline)", false, true, false, false},
        {"MMION", "Matari Mineral Index (Online)", false, false, false, false},
        {"PurchasedBPList", "Purchased BP List", true, true, false, false},
        {"Export", "Export", true, true, false, false},
        {"OwnedBPListExport", "Owned BPs (*.txt)", true, true, false, false},
        {"PastePrices", "Paste Prices", true, true, false, false},
        {"ImportPrices", "Import Prices\u2026", true, true, false, false},
        {"ExportPrices", "Export Prices\u2026", true, true, false, false},
        {"Exit", "Exit", true, true, false, false},
        {"Tools", "Tools", true, true, false, false},
        {"MLtoML", "ML to ML Calculations", true, true, false, false},
        {"Graph", "Graph", false, true, false, false},
        {"OrderSheet", "Order Sheet (TBA)", false, true, false, false},
        {"AutoPriceAll", "Auto-Price All", true, true, false, false},
        {"BuildPlan", "Build Plan", false, true, false, false},
        {"AOT", "Always on Top", true, true, true, false},
        {"Options", "Options", true, true, false, false},
        {"ShowUnowned", "Display Unowned BPs", true, true, true, true},
        {"Improvements", "Show Next Improvement", true, true, true, false},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        QObject* o = Named(e.name);
        ASSERT_NE(o, nullptr);
        auto* menu = qobject_cast<QMenu*>(o);
        const QAction* action = menu ? menu->menuAction() : qobject_cast<QAction*>(o);
        ASSERT_NE(action, nullptr);
        // The visible words; the bar's titles carry an Alt mnemonic besides.
        EXPECT_EQ(QString(action->text()).remove(QLatin1Char('&')).toStdString(), e.caption);
        EXPECT_EQ(action->isEnabled(), e.enabled);
        EXPECT_EQ(action->isVisible(), e.visible);
        EXPECT_EQ(action->isCheckable(), e.checkable);
        EXPECT_EQ(action->isChecked(), e.checked);
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
}

TEST_F(LayoutTest, tabOrderFollowsTheInputs)
{
    const std::vector<std::string> expected
        = {"txtML", "txtWF", "txtPL", "txtRuns", "txtBatchSize", "cmdButtonize", "txtSearch", "cmdClear", "cboBP",
            "cmdBack", "chkOwnThis", "chkPOSLab", "cboMetallurgy", "cboPE", "cboResearch", "cboIndustry"};
    // The tab-reachable widgets from txtML onwards, in the order Tab visits them.
    std::vector<std::string> visited;
    QWidget* w = ui.txtML;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            visited.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    } while (w != ui.txtML && visited.size() < expected.size());
    EXPECT_EQ(visited, expected);
}

TEST(LookTest, vbColoursAreBlueGreenRed)
{
    struct Case {
        unsigned bgr;
        int red, green, blue;
    };
    for (const Case& c : std::vector<Case>{
             {Colour::Cyan, 0, 255, 255},
             {Colour::Yellow, 255, 255, 0},
             {Colour::Red, 255, 0, 0},
             {Colour::Navy, 0, 0, 128},
             {Colour::Green, 0, 255, 0},
             {65280, 0, 255, 0},
             {0x123456, 0x56, 0x34, 0x12},
         })
        EXPECT_EQ(BgrColour(c.bgr), QColor(c.red, c.green, c.blue)) << std::hex << c.bgr;
}

TEST(LookTest, coloursReadBackAndPaintTheControl)
{
    QLabel label;
    QLineEdit box;
    for (QWidget* w : std::initializer_list<QWidget*>{&label, &box}) {
        SetBackColour(w, BgrColour(Colour::Navy));
        SetForeColour(w, BgrColour(Colour::Magenta));
        EXPECT_EQ(BackColour(w), BgrColour(Colour::Navy));
        EXPECT_EQ(ForeColour(w), BgrColour(Colour::Magenta));
        EXPECT_TRUE(w->autoFillBackground());
    }
    // The roles each kind actually paints with.
    EXPECT_EQ(label.palette().color(QPalette::Window), BgrColour(Colour::Navy));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), BgrColour(Colour::Magenta));
    EXPECT_EQ(box.palette().color(QPalette::Base), BgrColour(Colour::Navy));
    EXPECT_EQ(box.palette().color(QPalette::Text), BgrColour(Colour::Magenta));
}

TEST(LookTest, twipsFollowTheLogicalDpi)
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    EXPECT_EQ(TwipsToPixels(1440), qRound(dpi));
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(PixelsToTwips(qRound(dpi)), 1440);
    if (dpi != 96.0)
        GTEST_SKIP() << "exact rounding cases assume 96 DPI";
    struct Case {
        int twips, px;
    };
    for (const Case& c : std::vector<Case>{{15, 1}, {7, 0}, {8, 1}, {255, 17}, {11280, 752}, {-15, -1}})
        EXPECT_EQ(TwipsToPixels(c.twips), c.px) << c.twips;
    EXPECT_EQ(PixelsToTwips(17), 255);
    EXPECT_EQ(TwipRect(120, 240, 975, 255), QRect(8, 16, 65, 17));
}

} // namespace
