// The build plan window, reached as a player reaches it: Tools, "Build Plan", with
// the main window's boxes changed by typing and the plan's own buttons clicked.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTreeWidget>

#include <optional>

#include "calc/Sheet.h"
#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/main/Look.h"
#include "ui/windows/FileDialog.h"
#include "ui/windows/frmBuildPlan.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint");

class BuildPlanWindow : public test::MainWindowTest {
protected:
    ui::frmBuildPlan* Plan() const
    {
        return window->findChild<ui::frmBuildPlan*>(QStringLiteral("frmBuildPlan"), Qt::FindDirectChildrenOnly);
    }

    ui::frmBuildPlan& Open()
    {
        window->ControlsForTests().BuildPlan->trigger();
        ui::frmBuildPlan* plan = Plan();
        EXPECT_NE(plan, nullptr);
        return *plan;
    }

    // The plates at prices chosen to show every digit that matters: six minerals,
    // none of them built, so the whole plan is one level.
    void ShowPlates()
    {
        SelectBlueprint(kPlates);
        // Typed into the rows of Tritanium (34) to Zydrine (39) and saved with Enter.
        const char* prices[] = {"2.5", "10", "40.25", "150", "1000", "2500.5"};
        for (std::size_t r = 0; r < 6; ++r) {
            QLineEdit* box = window->ControlsForTests().txtPPU[r];
            Type(box, QString::fromStdString(L(prices[r])));
            QTest::keyClick(box, Qt::Key_Return);
        }
        ASSERT_EQ(window->Cat().dblPrices[39], 2500.5);
        messages.clear(); // the saved prices' confirmations
    }

    // The node of that name the job reaches (every node above it built).
    static std::size_t Reached(const plan::Plan& p, const std::string& name)
    {
        for (std::size_t i = 1; i < p.nodes.size(); ++i) {
            bool reached = true;
            for (std::size_t up = p.nodes[i].parent; up != plan::kNoParent; up = p.nodes[up].parent)
                reached = reached && p.nodes[up].build;
            if (reached && p.nodes[i].name == name)
                return i;
        }
        ADD_FAILURE() << "no reached node " << name;
        return 0;
    }

    // Focuses a node's row and presses a key on the tree, as a player does.
    static void PressOn(ui::frmBuildPlan& plan, std::size_t node, Qt::Key key)
    {
        plan.TestWidgets().tvwPlan->setFocus();
        plan.TestWidgets().tvwPlan->setCurrentItem(plan.TestItemOf(node), ui::frmBuildPlan::ColItem);
        QTest::keyClick(plan.TestWidgets().tvwPlan, key);
    }

    std::string NotComputed() const { return std::string(plan::kNotComputed); }
};
BRENTA_BOTH_LOCALES(BuildPlanWindow);

TEST_P(BuildPlanWindow, MenuEntryOnlyWhileABlueprintIsShown)
{
    Start();
    QAction* entry = window->ControlsForTests().BuildPlan;
    EXPECT_EQ(entry->text(), QStringLiteral("Build Plan"));
    EXPECT_TRUE(window->ControlsForTests().Tools->actions().contains(entry));
    EXPECT_FALSE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(Plan(), nullptr);

    SelectBlueprint(kPlates);
    EXPECT_TRUE(entry->isEnabled());
    ui::frmBuildPlan& plan = Open();
    EXPECT_TRUE(plan.isVisible());
    EXPECT_TRUE(window->isEnabled()); // the main window stays usable beside it

    // Nothing on display: the entry goes grey and the open window says why.
    window->ClearMaterialRows();
    EXPECT_FALSE(entry->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plan.Plan().has_value(); }));
    EXPECT_TRUE(plan.TestWidgets().lblProduct->text().startsWith(QStringLiteral("No blueprint")));
    EXPECT_FALSE(plan.TestWidgets().cmdSave->isEnabled());

    // Escape closes it, and the entry opens a new one.
    QPointer<ui::frmBuildPlan> closing(&plan);
    QTest::keyClick(&plan, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closing.isNull(); }));
}

TEST_P(BuildPlanWindow, FollowsTheRunsTheLevelsAndTheBlueprint)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    ASSERT_TRUE(plan.Plan());
    QTreeWidgetItem* product = plan.TestItemOf(0);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("1"));
    EXPECT_EQ(product->childCount(), 6);
    // Tritanium: 676 a run, 237 waste at ML 0 and Production Efficiency 0.
    EXPECT_EQ(product->child(0)->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("913"));

    Type(window->ControlsForTests().txtRuns, QStringLiteral("3"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return product->text(ui::frmBuildPlan::ColQuantity) == QStringLiteral("3"); }));
    EXPECT_EQ(product->child(0)->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("2739"));
    EXPECT_EQ(plan.TestWidgets().lblTotalCost->text(),
        window->ControlsForTests().lblBuildCost->text()); // the sheet's own figure

    Type(window->ControlsForTests().txtML, QStringLiteral("10"));
    // 676 x (0.1 / 11 + 0.25) = 175.1 a run.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return product->child(0)->text(ui::frmBuildPlan::ColQuantity) == QStringLiteral("2553"); }));
    EXPECT_EQ(
        product->child(0)->text(ui::frmBuildPlan::ColQuantity), window->ControlsForTests().lblTotal[0]->text());
    EXPECT_EQ(plan.TestWidgets().lblTotalCost->text(), window->ControlsForTests().lblBuildCost->text());

    // No runs, no plan, until there are runs again.
    Type(window->ControlsForTests().txtRuns, QStringLiteral("0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plan.Plan().has_value(); }));
    Type(window->ControlsForTests().txtRuns, QStringLiteral("2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan().has_value(); }));
    EXPECT_EQ(plan.TestItemOf(0)->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("2"));

    // Another blueprint: its own plan.
    SelectBlueprint(QStringLiteral("Canton Blueprint"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan() && plan.Plan()->nodes[0].name == "Canton"; }));
    EXPECT_EQ(plan.TestWidgets().lblTotalCost->text(), window->ControlsForTests().lblBuildCost->text());
}

// A price typed into the sheet and not saved costs the plan what it costs the sheet.
TEST_P(BuildPlanWindow, CostsTheJobsMaterialsAtTheSheetsPrices)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    window->ControlsForTests().txtPPU[0]->setText(QStringLiteral("7"));
    Type(window->ControlsForTests().txtRuns, QStringLiteral("2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan() && plan.Plan()->nodes[0].quantity == 2; }));
    EXPECT_EQ(plan.TestItemOf(0)->child(0)->text(ui::frmBuildPlan::ColUnitPrice).toStdString(), L("7.00"));
    EXPECT_EQ(plan.TestWidgets().lblTotalCost->text(), window->ControlsForTests().lblBuildCost->text());
    // What is not saved stays off the catalogue.
    EXPECT_NE(window->Cat().dblPrices[34], 7);
}

TEST_P(BuildPlanWindow, ComponentsCanBeFlippedAndTheTotalsFollow)
{
    Start();
    SelectBlueprint(QStringLiteral("Canton Blueprint"));
    ui::frmBuildPlan& plan = Open();
    ASSERT_TRUE(plan.Plan());
    const plan::Plan& shown = *plan.Plan();
    std::size_t flippable = 0;
    while (flippable < shown.nodes.size() && (flippable == 0 || !shown.nodes[flippable].Buildable()))
        ++flippable;
    ASSERT_LT(flippable, shown.nodes.size()) << "a ship with components has something to build";
    QTreeWidgetItem* item = plan.TestItemOf(flippable);
    const bool built = shown.nodes[flippable].build;
    const plan::Figure before = shown.totals.cost;
    item->setCheckState(ui::frmBuildPlan::ColBuild, built ? Qt::Unchecked : Qt::Checked);
    EXPECT_NE(plan.Plan()->nodes[flippable].build, built);
    EXPECT_NE(plan.Plan()->totals.cost, before);
    EXPECT_EQ(plan.TestWidgets().lblTotalCost->text().toStdString(),
        sheet::CostText(plan.Plan()->totals.cost.value_or(-1), fmt));

    QTest::mouseClick(plan.TestWidgets().cmdCheapest, Qt::LeftButton);
    EXPECT_EQ(plan.Plan()->totals.cost, before);
}

// A flip writes only what changed: after flips back and forth, a run count and
// "Cheapest", every row still shows its node's figures, greyed exactly where the
// job does not reach it, and every figure, greyed or not, opened or not, fits its
// column; the shopping list shows the plan's.
TEST_P(BuildPlanWindow, FlipsLeaveEveryRowAsTheNewPlanSaysAndWhole)
{
    WriteFile("matprices.dat",
        L("21071{100000000\r\n34{3\r\n35{7.5\r\n36{20\r\n37{50\r\n38{300\r\n39{900\r\n40{2000\r\n"));
    Start();
    SelectBlueprint(QStringLiteral("Zenithar Blueprint"));
    ui::frmBuildPlan& plan = Open();
    ASSERT_TRUE(plan.Plan());
    const auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        const plan::Plan& p = *plan.Plan();
        const QTreeWidget* tree = plan.TestWidgets().tvwPlan;
        QFont italic = tree->font();
        italic.setItalic(true);
        for (std::size_t i = 0; i < p.nodes.size(); ++i) {
            const plan::Node& n = p.nodes[i];
            bool reached = true;
            for (std::size_t up = n.parent; up != plan::kNoParent; up = p.nodes[up].parent)
                reached = reached && p.nodes[up].build;
            const QTreeWidgetItem* item = plan.TestItemOf(i);
            const auto money = [&](const plan::Figure& f) {
                return f ? sheet::MoneyText(*f, fmt) : std::string(plan::kNotComputed);
            };
            EXPECT_EQ(item->text(ui::frmBuildPlan::ColQuantity).toStdString(), numbers::ToText(n.quantity, fmt))
                << i;
            EXPECT_EQ(item->text(ui::frmBuildPlan::ColCost).toStdString(), money(n.cost)) << i;
            EXPECT_EQ(item->text(ui::frmBuildPlan::ColUnitPrice).toStdString(), money(n.unitCost)) << i;
            EXPECT_EQ(item->text(ui::frmBuildPlan::ColTime).isEmpty(), !(n.Buildable() && n.build)) << i;
            if (i != 0 && n.Buildable())
                EXPECT_EQ(item->checkState(ui::frmBuildPlan::ColBuild) == Qt::Checked, n.build) << i;
            EXPECT_EQ(item->font(ui::frmBuildPlan::ColCost).italic(), !reached) << i;
            EXPECT_EQ(
                item->foreground(ui::frmBuildPlan::ColCost).color() == ui::BgrColour(ui::Colour::White), reached)
                << i;
            for (int c = ui::frmBuildPlan::ColQuantity; c < ui::frmBuildPlan::PlanColumns; ++c)
                EXPECT_GE(tree->columnWidth(c),
                    QFontMetrics(reached ? tree->font() : italic).horizontalAdvance(item->text(c)))
                    << i << " column " << c;
        }
        const QTreeWidget* list = plan.TestWidgets().lvwShopping;
        ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(p.shopping.size()));
        for (std::size_t r = 0; r < p.shopping.size(); ++r) {
            const QTreeWidgetItem* row = list->topLevelItem(static_cast<int>(r));
            EXPECT_EQ(row->text(ui::frmBuildPlan::ShopItem).toStdString(), p.shopping[r].name);
            EXPECT_EQ(row->text(ui::frmBuildPlan::ShopCost).toStdString(),
                p.shopping[r].cost ? sheet::MoneyText(*p.shopping[r].cost, fmt) : std::string(plan::kNotComputed));
            for (int c = ui::frmBuildPlan::ShopQuantity; c < ui::frmBuildPlan::ShoppingColumns; ++c)
                EXPECT_GE(list->columnWidth(c), QFontMetrics(list->font()).horizontalAdvance(row->text(c))) << r;
        }
    };
    const std::size_t mast = Reached(*plan.Plan(), "[Comp] Capital Sensor Mast");
    PressOn(plan, mast, Qt::Key_Space);
    check("the mast bought");
    PressOn(plan, 1, Qt::Key_Space);
    check("the first component flipped");
    PressOn(plan, mast, Qt::Key_Space);
    check("the mast back");
    Type(window->ControlsForTests().txtRuns, QStringLiteral("40000"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan()->nodes[0].runs == 40000; }));
    check("far more runs");
    QTest::mouseClick(plan.TestWidgets().cmdCheapest, Qt::LeftButton);
    check("the cheapest again");
}

TEST_P(BuildPlanWindow, ClipboardAndCsvOfASmallPlan)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    Type(plan.TestWidgets().txtSalePrice, QString::fromStdString(L("40000.5")));

    QTest::mouseClick(plan.TestWidgets().cmdCopy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
        L("Mexallon\t378\t40.25\t15214.50\n"
          "Isogen\t53\t150.00\t7950.00\n"
          "Nocxium\t3\t1000.00\t3000.00\n"
          "Pyerite\t274\t10.00\t2740.00\n"
          "Zydrine\t1\t2500.50\t2500.50\n"
          "Tritanium\t913\t2.50\t2282.50\n"));

    const auto previous = ui::SetFileDialogHook([](QDialog& dialog) {
        test::TypeName(dialog, QStringLiteral("plates.csv"));
        test::Press(dialog, "cmdSave");
    });
    window->ControlsForTests().txtRuns->setFocus(); // the save dialog starts in the program's folder
    QTest::mouseClick(plan.TestWidgets().cmdSave, Qt::LeftButton);
    ui::SetFileDialogHook(previous);
    EXPECT_EQ(ReadFile("plates.csv"),
        "Depth,Item,Quantity,Choice,Runs,Batch,Surplus,ML,PL,Unit Price,Cost,Build Time,Market Price\r\n"
        "0,100mm Reinforced Steel Plates I,1,Build,1,1,0,0,0,40000.50,33687.50,0D 0H 10M 0S,\r\n"
        "1,[Raw] Tritanium,913,Buy,,,,,,2.50,2282.50,,2.50\r\n"
        "1,[Raw] Pyerite,274,Buy,,,,,,10.00,2740.00,,10.00\r\n"
        "1,[Raw] Mexallon,378,Buy,,,,,,40.25,15214.50,,40.25\r\n"
        "1,[Raw] Isogen,53,Buy,,,,,,150.00,7950.00,,150.00\r\n"
        "1,[Raw] Nocxium,3,Buy,,,,,,1000.00,3000.00,,1000.00\r\n"
        "1,[Raw] Zydrine,1,Buy,,,,,,2500.50,2500.50,,2500.50\r\n"
        ",Total cost,,,,,,,,,33687.50,,\r\n"
        ",Cost per unit,,,,,,,,,33687.50,,\r\n"
        ",Revenue,,,,,,,,,40000.50,,\r\n"
        ",Profit,,,,,,,,,6313.00,,\r\n"
        ",Profit per unit,,,,,,,,,6313.00,,\r\n"
        ",Total build time,,,,,,,,,,0D 0H 10M 0S,\r\n");
    EXPECT_TRUE(messages.empty());
}

TEST_P(BuildPlanWindow, SavingRefusesTheProgramsOwnFiles)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    WriteFile("ownedbps.dat", "");
    for (const char* name : {"ownedbps.dat", "skills.dat", "matprices.dat", "brenta"}) {
        messages.clear();
        plan.SavePlan(Path(name));
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_NE(messages[0].find("cannot be used for the plan: Brenta keeps its own data under that name"),
            std::string::npos)
            << messages[0];
    }
    EXPECT_EQ(ReadFile("ownedbps.dat"), "");
}

TEST_P(BuildPlanWindow, EveryInputTakesHugeNonFiniteAndNegativeValues)
{
    // A component whose buy cost is beyond the float range: its price file line as a
    // player's editor may leave it.
    WriteFile("matprices.dat", "21071{1E+308\r\n");
    Start();
    SelectBlueprint(QStringLiteral("Zenithar Blueprint"));
    Type(window->ControlsForTests().txtRuns, QStringLiteral("2"));
    ui::frmBuildPlan& plan = Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan() && plan.Plan()->nodes[0].runs == 2; }));
    const char other = fmt.decSep == '.' ? ',' : '.';

    // The sale price box: what it takes, and whether the revenue then is computed.
    struct Case {
        std::string typed;
        std::optional<double> price; // nothing: the box is not accepted
        bool revenueComputed;
    };
    const Case cases[] = {
        {"1e308", 1e308, false},
        {"1E+308", 1e308, false},
        {"-1e308", std::nullopt, false},
        {"1e309", std::nullopt, false},
        {"-5", std::nullopt, false},
        {"inf", std::nullopt, false},
        {"nan", std::nullopt, false},
        {"", std::nullopt, false},
        {"12abc", std::nullopt, false},
        {std::string("12") + other + "50", std::nullopt, false},
        {"99999999999999999999", 1e20, true},
        {L("12.5"), 12.5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("sale price \"" + c.typed + "\"");
        Type(plan.TestWidgets().txtSalePrice, QString::fromStdString(c.typed));
        ASSERT_TRUE(plan.Plan());
        EXPECT_EQ(plan.SalePriceAccepted(), c.price.has_value());
        EXPECT_EQ(plan.Plan()->productPrice, c.price);
        const QString unitPrice = plan.TestItemOf(0)->text(ui::frmBuildPlan::ColUnitPrice);
        if (c.price) {
            EXPECT_EQ(unitPrice.toStdString(), numbers::Format(*c.price, "###,##0.00", fmt));
            EXPECT_EQ(plan.TestWidgets().txtSalePrice->palette().color(QPalette::Base),
                ui::BgrColour(ui::Colour::White));
        } else {
            // Marked, and nothing computed from it: never the readable start of the text.
            EXPECT_EQ(unitPrice.toStdString(), NotComputed());
            EXPECT_NE(plan.TestWidgets().txtSalePrice->palette().color(QPalette::Base),
                ui::BgrColour(ui::Colour::White));
            EXPECT_TRUE(plan.TestWidgets().txtSalePrice->toolTip().startsWith(QStringLiteral("Not a price")));
        }
        if (c.revenueComputed) {
            EXPECT_EQ(plan.TestWidgets().lblRevenue->text().toStdString(), sheet::CostText(*c.price * 2, fmt));
            EXPECT_TRUE(plan.TestWidgets().lblStatus->text().isEmpty())
                << plan.TestWidgets().lblStatus->text().toStdString();
        } else {
            for (const QLabel* label :
                {plan.TestWidgets().lblRevenue, plan.TestWidgets().lblProfit, plan.TestWidgets().lblProfitPerUnit})
                EXPECT_EQ(label->text().toStdString(), NotComputed()) << label->objectName().toStdString();
            EXPECT_TRUE(plan.TestWidgets().lblStatus->text().startsWith(QStringLiteral("Revenue")))
                << plan.TestWidgets().lblStatus->text().toStdString();
        }
        EXPECT_NE(plan.TestWidgets().lblTotalCost->text().toStdString(), NotComputed());
        // The CSV holds what the box says, or says it is not computed.
        QFile::remove(QString::fromStdString(Path("zenithar.csv")));
        plan.SavePlan(Path("zenithar.csv"));
        const std::string csv = ReadFile("zenithar.csv");
        const std::string product
            = csv.substr(csv.find("\r\n") + 2, csv.find("\r\n", csv.find("\r\n") + 2) - csv.find("\r\n") - 2);
        EXPECT_NE(product.find(c.price ? numbers::Format(*c.price, "0.00", numbers::kDotFormat) : NotComputed()),
            std::string::npos)
            << product;
    }
    EXPECT_TRUE(messages.empty());

    // The mast, built as the cheaper, flipped to buying with Space: its cost and
    // every total above it are not computed, and the status line names it.
    const std::size_t mast = Reached(*plan.Plan(), "[Comp] Capital Sensor Mast");
    ASSERT_TRUE(plan.Plan()->nodes[mast].build);
    PressOn(plan, mast, Qt::Key_Space);
    ASSERT_TRUE(plan.Plan());
    EXPECT_FALSE(plan.Plan()->nodes[mast].build);
    EXPECT_EQ(plan.TestItemOf(mast)->text(ui::frmBuildPlan::ColCost).toStdString(), NotComputed());
    EXPECT_EQ(plan.TestWidgets().lblTotalCost->text().toStdString(), NotComputed());
    EXPECT_EQ(plan.TestWidgets().lblProfit->text().toStdString(), NotComputed());
    EXPECT_TRUE(plan.TestWidgets().lblStatus->text().contains(QStringLiteral("[Comp] Capital Sensor Mast")))
        << plan.TestWidgets().lblStatus->text().toStdString();

    // Copy and Save write what is computed and say what is not.
    QTest::mouseClick(plan.TestWidgets().cmdCopy, Qt::LeftButton);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Capital Sensor Mast\t")));
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QString::fromStdString("\t" + NotComputed() + "\n")));
    QFile::remove(QString::fromStdString(Path("zenithar.csv")));
    plan.SavePlan(Path("zenithar.csv"));
    EXPECT_NE(ReadFile("zenithar.csv").find(",Total cost,,,,,,,,," + NotComputed()), std::string::npos);

    // Cheapest, then a flip back with Enter: every figure again.
    QTest::mouseClick(plan.TestWidgets().cmdCheapest, Qt::LeftButton);
    EXPECT_NE(plan.TestWidgets().lblTotalCost->text().toStdString(), NotComputed());
    EXPECT_TRUE(plan.TestWidgets().lblStatus->text().isEmpty())
        << plan.TestWidgets().lblStatus->text().toStdString();
    PressOn(plan, mast, Qt::Key_Return);
    EXPECT_FALSE(plan.Plan()->nodes[mast].build);
    PressOn(plan, mast, Qt::Key_Enter);
    EXPECT_TRUE(plan.Plan()->nodes[mast].build);
    EXPECT_NE(plan.TestWidgets().lblTotalCost->text().toStdString(), NotComputed());
    EXPECT_TRUE(messages.empty());
}

TEST_P(BuildPlanWindow, AnOwnedLevelThePlanCannotUseIsNamed)
{
    // The mast's builder owned at levels no plan can use, as its file may hold them.
    for (const char* record : {"17620{x{y", "17620{99999999999{0", "17620{0{99999999999"}) {
        SCOPED_TRACE(record);
        WriteFile("ownedbps.dat", std::string(record) + "\r\n");
        Start();
        SelectBlueprint(QStringLiteral("Zenithar Blueprint"));
        ui::frmBuildPlan& plan = Open();
        EXPECT_FALSE(plan.Plan());
        const QString level = QString::fromLatin1(record).contains(QStringLiteral("{0{")) ? QStringLiteral("PL")
                                                                                          : QStringLiteral("ML");
        const QString text = plan.TestWidgets().lblProduct->text();
        EXPECT_TRUE(text.contains(QStringLiteral("Capital Sensor Mast Blueprint"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("the ") + level + QStringLiteral(" \""))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("run count"))) << text.toStdString();
        EXPECT_TRUE(plan.TestWidgets().lblStatus->text().contains(QStringLiteral("type its ") + level))
            << plan.TestWidgets().lblStatus->text().toStdString();
        window.reset();
    }
}

TEST_P(BuildPlanWindow, SaveWritesThePlanShownWhenItWasPressed)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    const std::string plates = plan::PlanCsv(*plan.Plan());

    // Another blueprint, then nothing at all, while the dialog is open.
    for (const bool clear : {false, true}) {
        SCOPED_TRACE(clear ? "cleared" : "another blueprint");
        const auto previous = ui::SetFileDialogHook([&](QDialog& dialog) {
            if (clear)
                window->ClearMaterialRows();
            else
                SelectBlueprint(QStringLiteral("Canton Blueprint"));
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return clear ? !plan.Plan() : plan.Plan()->nodes[0].name == "Canton"; }));
            test::TypeName(dialog, QStringLiteral("held.csv"));
            test::Press(dialog, "cmdSave");
        });
        QFile::remove(QString::fromStdString(Path("held.csv")));
        window->ControlsForTests().txtRuns->setFocus();
        QTest::mouseClick(plan.TestWidgets().cmdSave, Qt::LeftButton);
        ui::SetFileDialogHook(previous);
        EXPECT_EQ(ReadFile("held.csv"), plates);
        EXPECT_EQ(plan.TestWidgets().lblStatus->text(), QStringLiteral("Plan saved as held.csv."));
        ShowPlates();
        ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan() && plan.Plan()->nodes[0].name != "Canton"; }));
        // A new blueprint takes the last action's words away.
        EXPECT_TRUE(plan.TestWidgets().lblStatus->text().isEmpty())
            << plan.TestWidgets().lblStatus->text().toStdString();
    }

    // A save that fails says so on the status line too.
    messages.clear();
    plan.SavePlan(Path("no such folder/plan.csv"));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(plan.TestWidgets().lblStatus->text().startsWith(QStringLiteral("Plan not saved")))
        << plan.TestWidgets().lblStatus->text().toStdString();
    plan.SavePlan(Path("skills.dat"));
    EXPECT_EQ(plan.TestWidgets().lblStatus->text(), QStringLiteral("Plan not saved."));
}

TEST_P(BuildPlanWindow, UnitPricesMultiplyToTheRowsCost)
{
    // The mast dear to buy, the minerals priced: it is built, at a cost of its own.
    WriteFile("matprices.dat",
        L("21071{100000000\r\n34{3\r\n35{7.5\r\n36{20\r\n37{50\r\n38{300\r\n39{900\r\n40{2000\r\n"));
    Start();
    SelectBlueprint(QStringLiteral("Zenithar Blueprint"));
    ui::frmBuildPlan& plan = Open();
    ASSERT_TRUE(plan.Plan());
    const plan::Plan& p = *plan.Plan();
    std::size_t built = 0;
    for (std::size_t i = 1; i < p.nodes.size() && !built; ++i)
        if (p.nodes[i].build && p.nodes[i].Buildable() && p.nodes[i].unitPrice > 0 && p.nodes[i].cost > 0.0)
            built = i;
    ASSERT_NE(built, 0u) << "a ship with a component built";
    const plan::Node& n = p.nodes[built];
    QTreeWidgetItem* item = plan.TestItemOf(built);
    EXPECT_EQ(item->text(ui::frmBuildPlan::ColUnitPrice).toStdString(),
        numbers::Format(*n.cost / n.quantity, "###,##0.00", fmt));
    EXPECT_TRUE(item->toolTip(ui::frmBuildPlan::ColUnitPrice)
                    .contains(QString::fromStdString(numbers::Format(n.unitPrice, "###,##0.00", fmt))));

    // The product's row follows the sale price at once, typed key by key.
    plan.TestWidgets().txtSalePrice->setFocus();
    plan.TestWidgets().txtSalePrice->selectAll();
    QTest::keyClicks(plan.TestWidgets().txtSalePrice, QStringLiteral("777"));
    EXPECT_EQ(plan.TestItemOf(0)->text(ui::frmBuildPlan::ColUnitPrice).toStdString(), L("777.00"));
}

TEST_P(BuildPlanWindow, OpensWithinItsScreenAndKeepsItsPlace)
{
    Start();
    const QRect free = window->screen()->availableGeometry();
    // The main window at the right edge of the screen: the plan cannot go beside it.
    window->move(free.right() - window->frameGeometry().width() / 2, free.top());
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    const QRect placed = plan.frameGeometry();
    EXPECT_TRUE(free.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                       << placed.height() << " in " << free.width() << "x" << free.height();

    // Other blueprints, with other columns: the same size and place.
    for (const char* name : {"Zenithar Blueprint", "Canton Blueprint"}) {
        SelectBlueprint(QString::fromLatin1(name));
        ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan() && plan.Plan()->nodes.size() > 7; }));
        QApplication::processEvents();
        EXPECT_EQ(plan.frameGeometry(), placed) << name;
    }

    // The player's own size stays, smaller or larger, within the screen.
    const QSize smaller(plan.minimumSizeHint().width() + 10, plan.minimumSizeHint().height() + 10);
    plan.resize(smaller);
    QApplication::processEvents();
    EXPECT_EQ(plan.size(), smaller);
    plan.resize(smaller + QSize(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(plan.size(), smaller + QSize(40, 30));
    EXPECT_TRUE(free.contains(plan.frameGeometry()));
}

TEST_P(BuildPlanWindow, FiguresAndNamesAreNeverCutIntoOthers)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    plan.show();
    // A sale price whose figures are far wider than their place.
    Type(plan.TestWidgets().txtSalePrice, QStringLiteral("123456789012345678"));
    plan.resize(plan.minimumSizeHint().width(), plan.height());
    QApplication::processEvents();
    for (ui::PlanLabel* label :
        {plan.TestWidgets().lblRevenue, plan.TestWidgets().lblProfit, plan.TestWidgets().lblProfitPerUnit}) {
        const QString shown = label->Shown();
        SCOPED_TRACE(label->objectName().toStdString() + " shows " + shown.toStdString());
        // Whole, or the short form, or a text that ends in "…": never a cut number without one.
        const bool whole = shown == label->text();
        EXPECT_TRUE(whole || shown.contains(QStringLiteral("E+")) || shown.endsWith(QChar(0x2026)));
        EXPECT_FALSE(shown.startsWith(QStringLiteral("…")));
    }
    EXPECT_EQ(plan.TestWidgets().lblRevenue->Shown().toStdString(), L("1.235E+17 ISK"));
    // Every caption whole.
    for (QLabel* caption : plan.findChildren<QLabel*>())
        if (caption->text().endsWith(':'))
            EXPECT_GE(caption->width(), caption->sizeHint().width()) << caption->text().toStdString();

    // The skills on one line, however many; the shopping list's names readable as it opens.
    EXPECT_LE(plan.TestWidgets().lblSkills->height(), 2 * plan.TestWidgets().lblSkills->fontMetrics().height());
    const QFontMetrics metrics(plan.TestWidgets().lvwShopping->font());
    for (int r = 0; r < plan.TestWidgets().lvwShopping->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = plan.TestWidgets().lvwShopping->topLevelItem(r);
        EXPECT_GE(plan.TestWidgets().lvwShopping->columnWidth(ui::frmBuildPlan::ShopItem),
            metrics.horizontalAdvance(row->text(0)))
            << row->text(0).toStdString();
        EXPECT_EQ(row->toolTip(ui::frmBuildPlan::ShopItem), row->text(ui::frmBuildPlan::ShopItem));
    }
}

// The contrast ratio of two colours, as readability guides count it (1 to 21).
double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel
            = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Pixels of an area that stand out from the colour behind them.
int Standing(const QImage& image, const QRect& area, const QColor& behind)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && Contrast(image.pixelColor(x, y), behind) >= 3)
                ++count;
    return count;
}

TEST_P(BuildPlanWindow, ArrowsCheckBoxesAndGreyedItemsReadableOnADarkDesktop)
{
    // The desktop of a dark scheme under the Fusion style.
    const QString style = QApplication::style()->name();
    const QPalette desktop = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark(QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    QApplication::setPalette(dark);
    struct Restore {
        QString style;
        QPalette palette;
        ~Restore()
        {
            QApplication::setStyle(QStyleFactory::create(style));
            QApplication::setPalette(palette);
        }
    } restore{style, desktop};

    WriteFile("matprices.dat",
        L("21071{100000000\r\n34{3\r\n35{7.5\r\n36{20\r\n37{50\r\n38{300\r\n39{900\r\n40{2000\r\n"));
    Start();
    SelectBlueprint(QStringLiteral("Zenithar Blueprint"));
    ui::frmBuildPlan& plan = Open();
    ASSERT_TRUE(plan.Plan());
    plan.show();
    QTreeWidget* tree = plan.TestWidgets().tvwPlan;
    const plan::Plan& p = *plan.Plan();

    // The greyed items of a bought component and the text of the others, on both stripes.
    const QPalette colours = tree->palette();
    const std::size_t mast = Reached(p, "[Comp] Capital Sensor Mast");
    PressOn(plan, mast, Qt::Key_Space); // bought: its materials greyed
    ASSERT_FALSE(plan.Plan()->nodes[mast].build);
    const std::size_t greyed = plan.Plan()->nodes[mast].children.at(0);
    const QColor grey = plan.TestItemOf(greyed)->foreground(ui::frmBuildPlan::ColQuantity).color();
    for (const QColor& stripe : {colours.color(QPalette::Base), colours.color(QPalette::AlternateBase)}) {
        EXPECT_GE(Contrast(grey, stripe), 4.5)
            << grey.name().toStdString() << " on " << stripe.name().toStdString();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
            EXPECT_GE(Contrast(colours.color(role), stripe), 4.5) << role;
    }

    // What Fusion draws: the expand arrow of the product and of the mast, and the
    // mast's check box, stand out from their row.
    tree->scrollToItem(plan.TestItemOf(mast));
    QApplication::processEvents();
    const QImage image = tree->viewport()->grab().toImage();
    for (const std::size_t node : {std::size_t{0}, mast}) {
        const QRect row = tree->visualItemRect(plan.TestItemOf(node));
        ASSERT_TRUE(row.isValid()) << node;
        const QColor behind = image.pixelColor(0, row.top() + 1); // the row's stripe, left of its arrow
        const QRect branch(0, row.top(), row.left(), row.height());
        EXPECT_GE(Standing(image, branch, behind), 6) << "the expand arrow of node " << node;
    }
    const QRect box = tree->visualRect(tree->indexFromItem(plan.TestItemOf(mast), ui::frmBuildPlan::ColBuild));
    const QColor behind = image.pixelColor(0, box.top() + 1);
    EXPECT_GE(Standing(image, box, behind), 12) << "the check box";
}

} // namespace
