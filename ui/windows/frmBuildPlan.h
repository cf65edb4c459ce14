#pragma once

// The build plan window: the whole production tree of the job on the main
// window's sheet, build or buy per item, the totals and the profit above it and
// the shopping list beside it. It stays open beside the main window, which stays
// usable, and follows every recomputation of the sheet (blueprint, runs, levels,
// skills, assembly array, saved prices). The plan itself is the core's.

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/AutoPrice.h"
#include "calc/BuildPlan.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace brenta::ui {

class frmMain;
class frmSave;

class frmBuildPlan : public QWidget {
    Q_OBJECT
public:
    // Columns of the plan tree and of the shopping list.
    enum PlanColumn {
        ColItem,
        ColQuantity,
        ColRuns,
        ColSurplus,
        ColBuild,
        ColUnitPrice,
        ColCost,
        ColTime,
        PlanColumns
    };
    enum ShoppingColumn { ShopItem, ShopQuantity, ShopUnitPrice, ShopCost, ShoppingColumns };

    // A window of main's, plans main's shown job at once; deleted when closed.
    explicit frmBuildPlan(frmMain& main);
    ~frmBuildPlan() override;

    // Plans the main window's job again and writes everything.
    void Refresh();
    // Refresh once control returns to the event loop, however often it is asked
    // before then: one change of the sheet recomputes it several times.
    void Follow();

    // The plan shown; nothing while the main window shows no plannable job.
    const std::optional<plan::Plan>& Plan() const { return plan_; }
    // The plan tree's item of a node.
    QTreeWidgetItem* ItemOf(std::size_t node) const;

    // "Copy Shopping List": the list as tab-separated lines on the clipboard.
    void cmdCopy_Click();
    // "Save Plan...": the program's save dialog, then SavePlan with its name.
    void cmdSave_Click();
    // Writes the plan as CSV to path, whole or not at all; the program's own files
    // are refused with a message.
    void SavePlan(const std::string& path);
    // "Cheapest": every choice back to the price.
    void cmdCheapest_Click();

    QLabel* lblProduct = nullptr;
    QLabel* lblTotalCost = nullptr;
    QLabel* lblCostPerUnit = nullptr;
    QLineEdit* txtSalePrice = nullptr;
    QLabel* lblRevenue = nullptr;
    QLabel* lblProfit = nullptr;
    QLabel* lblProfitPerUnit = nullptr;
    QLabel* lblBuildTime = nullptr;
    QLabel* lblSkills = nullptr;
    QLabel* lblStatus = nullptr;
    QTreeWidget* tvwPlan = nullptr;
    QTreeWidget* lvwShopping = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCheapest = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetupUi();
    // The tree's items for a new plan, one per node.
    void BuildTree();
    // Every value of the plan into the tree, the totals and the shopping list;
    // a tree cell is written only when its text changes.
    void WriteValues();
    void WriteTotals();
    void WriteShopping();
    void ShowNothing(const QString& why);
    void Flipped(QTreeWidgetItem* item, int column);
    void SalePriceEdited();
    void SetCell(std::size_t node, int column, const QString& text);
    // Widens the window so that every column of both lists shows whole, as far as the screen allows.
    void FitWidths();

    frmMain* main_;
    QSplitter* split_ = nullptr;
    pricing::Builders builders_;
    plan::Products products_;
    std::optional<plan::Plan> plan_;
    std::optional<std::int16_t> plannedBP_; // the blueprint plan_ belongs to
    std::vector<QTreeWidgetItem*> items_; // by node
    std::vector<QString> cells_; // by node and column: the text written
    std::vector<signed char> reached_; // by node: the colour written (-1 none yet)
    std::vector<signed char> built_; // by node: the choice written (-1 none yet)
    bool followPending_ = false;
    std::unique_ptr<frmSave> saveDialog_;
};

} // namespace brenta::ui
