// The build plan window, reached as a player reaches it: Tools, "Build Plan", with
// the main window's boxes changed by typing and the plan's own buttons clicked.

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPointer>
#include <QTreeWidget>

#include "calc/Sheet.h"
#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"
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
        window->Ui().BuildPlan->trigger();
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
            QLineEdit* box = window->Ui().txtPPU[r];
            Type(box, QString::fromStdString(L(prices[r])));
            QTest::keyClick(box, Qt::Key_Return);
        }
        ASSERT_EQ(window->Cat().dblPrices[39], 2500.5);
        messages.clear(); // the saved prices' confirmations
    }
};
BRENTA_BOTH_LOCALES(BuildPlanWindow);

TEST_P(BuildPlanWindow, MenuEntryOnlyWhileABlueprintIsShown)
{
    Start();
    QAction* entry = window->Ui().BuildPlan;
    EXPECT_EQ(entry->text(), QStringLiteral("Build Plan"));
    EXPECT_TRUE(window->Ui().Tools->actions().contains(entry));
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
    EXPECT_TRUE(plan.lblProduct->text().startsWith(QStringLiteral("No blueprint")));
    EXPECT_FALSE(plan.cmdSave->isEnabled());

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
    QTreeWidgetItem* product = plan.ItemOf(0);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("1"));
    EXPECT_EQ(product->childCount(), 6);
    // Tritanium: 676 a run, 237 waste at ML 0 and Production Efficiency 0.
    EXPECT_EQ(product->child(0)->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("913"));

    Type(window->Ui().txtRuns, QStringLiteral("3"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return product->text(ui::frmBuildPlan::ColQuantity) == QStringLiteral("3"); }));
    EXPECT_EQ(product->child(0)->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("2739"));
    EXPECT_EQ(plan.lblTotalCost->text(), window->Ui().lblBuildCost->text()); // the sheet's own figure

    Type(window->Ui().txtML, QStringLiteral("10"));
    // 676 x (0.1 / 11 + 0.25) = 175.1 a run.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return product->child(0)->text(ui::frmBuildPlan::ColQuantity) == QStringLiteral("2553"); }));
    EXPECT_EQ(product->child(0)->text(ui::frmBuildPlan::ColQuantity), window->Ui().lblTotal[0]->text());
    EXPECT_EQ(plan.lblTotalCost->text(), window->Ui().lblBuildCost->text());

    // No runs, no plan, until there are runs again.
    Type(window->Ui().txtRuns, QStringLiteral("0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plan.Plan().has_value(); }));
    Type(window->Ui().txtRuns, QStringLiteral("2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan().has_value(); }));
    EXPECT_EQ(plan.ItemOf(0)->text(ui::frmBuildPlan::ColQuantity), QStringLiteral("2"));

    // Another blueprint: its own plan.
    SelectBlueprint(QStringLiteral("Canton Blueprint"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan.Plan() && plan.Plan()->nodes[0].name == "Canton"; }));
    EXPECT_EQ(plan.lblTotalCost->text(), window->Ui().lblBuildCost->text());
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
    QTreeWidgetItem* item = plan.ItemOf(flippable);
    const bool built = shown.nodes[flippable].build;
    const plan::Figure before = shown.totals.cost;
    item->setCheckState(ui::frmBuildPlan::ColBuild, built ? Qt::Unchecked : Qt::Checked);
    EXPECT_NE(plan.Plan()->nodes[flippable].build, built);
    EXPECT_NE(plan.Plan()->totals.cost, before);
    EXPECT_EQ(
        plan.lblTotalCost->text().toStdString(), sheet::CostText(plan.Plan()->totals.cost.value_or(-1), fmt));

    QTest::mouseClick(plan.cmdCheapest, Qt::LeftButton);
    EXPECT_EQ(plan.Plan()->totals.cost, before);
}

TEST_P(BuildPlanWindow, ClipboardAndCsvOfASmallPlan)
{
    Start();
    ShowPlates();
    ui::frmBuildPlan& plan = Open();
    Type(plan.txtSalePrice, QString::fromStdString(L("40000.5")));

    QTest::mouseClick(plan.cmdCopy, Qt::LeftButton);
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
    window->Ui().txtRuns->setFocus(); // the save dialog starts in the program's folder
    QTest::mouseClick(plan.cmdSave, Qt::LeftButton);
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

} // namespace
