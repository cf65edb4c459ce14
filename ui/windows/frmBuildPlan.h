#pragma once

// The build plan window: the whole production tree of the job on the main
// window's sheet, build or buy per item, the totals and the profit above it and
// the shopping list beside it. It stays open beside the main window, which stays
// usable, and follows every recomputation of the sheet (blueprint, runs, levels,
// skills, assembly array, saved prices). The plan itself is the core's; what
// the window needs of the main window comes through a BuildPlanSource.

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QWidget>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "calc/BuildPlan.h"
#include "ui/windows/BuildPlanSource.h"

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace brenta::ui {

class frmSave;
class ColumnWidths;
struct RowLook;

// A label of the plan window that shows its text whole where it fits and never
// shows a cut figure that reads as another: where the whole text does not fit it
// shows its short form (a cost as "1.597E+13 ISK"), and where that does not fit
// either, its start with "…"; whenever it shows less than the whole text, the whole
// text is its tool tip. It asks the layout for no more than a short text's room.
class PlanLabel : public QLabel {
public:
    using QLabel::QLabel;
    // The whole text and, for a figure, its short form ("" for none).
    void SetTexts(const QString& whole, const QString& shortForm = QString());
    // What the label draws at its present width.
    QString Shown() const;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString short_;
};

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

    // A window of parent's, plans source's shown job at once; deleted when closed.
    frmBuildPlan(QWidget* parent, BuildPlanSource source);
    ~frmBuildPlan() override;

    // Plans the source's job again and writes what changed.
    void Refresh();
    // Refresh once control returns to the event loop, however often it is asked
    // before then: one change of the sheet recomputes it several times.
    void Follow();

    // The plan shown; nothing while the main window shows no plannable job.
    const std::optional<plan::Plan>& Plan() const { return plan_; }
    // Whether the sale price box holds a price the figures use.
    bool SalePriceAccepted() const { return salePriceAccepted_; }

    // Places the window beside main's right edge, within the free area of main's
    // screen, no larger than that area.
    void PlaceBeside(const QWidget& main);

    // "Copy Shopping List": the list as tab-separated lines on the clipboard.
    void cmdCopy_Click();
    // "Save Plan...": the program's save dialog, then the plan as it was shown when
    // the button was pressed is saved under the name given, whatever the main
    // window shows by then.
    void cmdSave_Click();
    // Writes the plan shown as CSV to path, whole or not at all; the program's own
    // files are refused with a message.
    void SavePlan(const std::string& path);
    // "Cheapest": every choice back to the price.
    void cmdCheapest_Click();

    struct Widgets {
        PlanLabel* lblProduct = nullptr;
        PlanLabel* lblTotalCost = nullptr;
        PlanLabel* lblCostPerUnit = nullptr;
        QLineEdit* txtSalePrice = nullptr;
        PlanLabel* lblRevenue = nullptr;
        PlanLabel* lblProfit = nullptr;
        PlanLabel* lblProfitPerUnit = nullptr;
        PlanLabel* lblBuildTime = nullptr;
        PlanLabel* lblSkills = nullptr;
        QLabel* lblStatus = nullptr;
        QTreeWidget* tvwPlan = nullptr;
        QTreeWidget* lvwShopping = nullptr;
        QPushButton* cmdCopy = nullptr;
        QPushButton* cmdSave = nullptr;
        QPushButton* cmdCheapest = nullptr;
        QPushButton* cmdClose = nullptr;
    };
    // Tests only: the controls, to drive and read as a player does, and the plan
    // tree's item of a node.
    const Widgets& TestWidgets() const { return ui_; }
    QTreeWidgetItem* TestItemOf(std::size_t node) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a row of the plan tree shows, as the figures it was written from: a
    // row whose figures are unchanged is not formatted or written again.
    struct RowShown {
        bool written = false;
        bool made = false;
        bool build = false;
        double quantity = 0;
        std::int32_t runs = 0;
        double surplus = 0;
        double unitPrice = 0;
        plan::Figure unitCost;
        plan::Figure cost;
        std::int64_t seconds = 0;
    };

    void SetupUi();
    // The tree's items for a new plan, one per node.
    void BuildTree();
    // Every value of the plan into the tree, the totals and the shopping list;
    // only what changed since the last write is written, and only the columns
    // whose widest text changed are fitted again.
    void WriteValues();
    void WriteTotals();
    void WriteShopping();
    void ShowNothing(const QString& why);
    // A failure of the core in a handler: nothing shown that it may have left
    // half done, and the status line says what could not be computed.
    void Failed(const QString& action, const std::exception& e);
    // Runs one step of a handler, a failure of the core in it answered by Failed.
    template <typename Step>
    void Guarded(const QString& action, Step step)
    {
        try {
            step();
        } catch (const Failure& e) {
            Failed(action, e);
        } catch (const std::out_of_range& e) {
            Failed(action, e);
        }
    }
    void Flipped(QTreeWidgetItem* item, int column);
    void SalePriceEdited();
    // The sale price box read by the locale's rules: its price, or nothing (with
    // why in the box's tool tip) for a text that is not a price as a whole.
    plan::Figure ReadSalePrice();
    // The box marked as not understood, or as it was.
    void MarkSalePrice(const QString& why);
    // The status line: what the last action did, or why a figure is not computed.
    void ShowTrouble();
    // Any other message on the status line.
    void SetStatus(const QString& text);
    void WritePlan(const std::string& path, const plan::Plan& plan);
    // A figure of a node's row; the row's item tells the view once the row is written.
    void SetCell(std::size_t node, int column, const QString& text);
    // Widens the window, once, so that every column of both lists shows whole as far
    // as the screen allows; later plans share the window's width between the lists.
    void FitWidths();

    BuildPlanSource source_;
    Widgets ui_;
    QSplitter* split_ = nullptr;
    plan::Products products_;
    std::optional<plan::Plan> plan_;
    std::optional<std::int16_t> plannedBP_; // the blueprint plan_ belongs to
    std::vector<QTreeWidgetItem*> items_; // by node
    std::vector<RowShown> rows_; // by node
    std::vector<plan::ShoppingItem> shoppingShown_; // the shopping list as written
    std::unique_ptr<ColumnWidths> planWidths_;
    std::unique_ptr<ColumnWidths> shoppingWidths_;
    std::unique_ptr<RowLook> look_;
    QColor profitColour_; // the colour the profit labels were given
    bool followPending_ = false;
    bool widthFitted_ = false;
    bool salePriceAccepted_ = true;
    QString troubleShown_; // the status line's last reason for a figure not computed
    bool statusShowsTrouble_ = false; // the status line still says it, no other message since
    std::unique_ptr<frmSave> saveDialog_;
    std::optional<plan::Plan> toSave_; // the plan as shown when "Save Plan..." was pressed
};

} // namespace brenta::ui
