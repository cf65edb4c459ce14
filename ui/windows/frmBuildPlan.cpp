#include "ui/windows/frmBuildPlan.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "calc/InputFields.h"
#include "calc/Sheet.h"
#include "storage/Folders.h"
#include "storage/TextFile.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMain.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmSave.h"

namespace brenta::ui {

using mainwindow::KindColour;
using mainwindow::Q;
using mainwindow::S;

namespace {

// Readable on the grey window: the sheet's bright green and red are meant for black.
constexpr unsigned kGain = 0x006000;
constexpr unsigned kLoss = 0x0000B0;
constexpr unsigned kBlack = 0x000000;

QString Money(double value, const NumberFormat& fmt) { return Q(numbers::Format(value, "###,##0.00", fmt)); }

// A view of its own fixed colours: the sheet's black and dark grey stripes with
// light text, whatever the desktop's colours.
void DarkView(QTreeWidget* view)
{
    QPalette p = view->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, BgrColour(Colour::StripeOdd));
        p.setColor(group, QPalette::AlternateBase, BgrColour(Colour::StripeEven));
        p.setColor(group, QPalette::Text, BgrColour(Colour::White));
        p.setColor(group, QPalette::Highlight, BgrColour(Colour::Navy));
        p.setColor(group, QPalette::HighlightedText, BgrColour(Colour::White));
        p.setColor(group, QPalette::Window, BgrColour(Colour::Grey));
        p.setColor(group, QPalette::Button, BgrColour(Colour::Grey));
        p.setColor(group, QPalette::WindowText, BgrColour(kBlack));
        p.setColor(group, QPalette::ButtonText, BgrColour(kBlack));
    }
    view->setPalette(p);
    view->header()->setPalette(p);
    view->setAlternatingRowColors(true);
    view->setUniformRowHeights(true);
    view->header()->setStretchLastSection(false);
    view->header()->setDefaultAlignment(Qt::AlignCenter);
}

QLabel* Caption(QGridLayout* grid, int row, int column, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, column);
    return label;
}

QLabel* Value(QGridLayout* grid, int row, int column, const char* name)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(TwipsToPixels(1800));
    grid->addWidget(label, row, column);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

frmBuildPlan::frmBuildPlan(frmMain& main)
    : QWidget(&main, Qt::Window), main_(&main), builders_(main.Cat().strBPs), products_(main.Cat())
{
    setAttribute(Qt::WA_DeleteOnClose);
    SetupUi();
    connect(&main, &frmMain::SheetChanged, this, &frmBuildPlan::Follow);
    Refresh();
}

frmBuildPlan::~frmBuildPlan() = default;

void frmBuildPlan::SetupUi()
{
    setObjectName(QStringLiteral("frmBuildPlan"));
    setWindowTitle(QStringLiteral("Build Plan"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    SetBackColour(this, BgrColour(Colour::Grey));
    QPalette palette = this->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, BgrColour(kBlack));
        palette.setColor(group, QPalette::ButtonText, BgrColour(kBlack));
        palette.setColor(group, QPalette::Button, BgrColour(Colour::Grey));
        palette.setColor(group, QPalette::Base, BgrColour(Colour::White));
        palette.setColor(group, QPalette::Text, BgrColour(kBlack));
    }
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, BgrColour(Colour::DarkGrey));
    setPalette(palette);

    auto* layout = new QVBoxLayout(this);

    lblProduct = new QLabel(this);
    lblProduct->setObjectName(QStringLiteral("lblProduct"));
    lblProduct->setTextFormat(Qt::PlainText);
    QFont bold = lblProduct->font();
    bold.setBold(true);
    lblProduct->setFont(bold);
    layout->addWidget(lblProduct);

    auto* totals = new QGridLayout;
    Caption(totals, 0, 0, "Total Cost:");
    lblTotalCost = Value(totals, 0, 1, "lblTotalCost");
    Caption(totals, 1, 0, "Cost per Unit:");
    lblCostPerUnit = Value(totals, 1, 1, "lblCostPerUnit");
    Caption(totals, 2, 0, "Build Time:");
    lblBuildTime = Value(totals, 2, 1, "lblBuildTime");
    lblBuildTime->setToolTip(QStringLiteral("Every built job one after the other, with your Industry skill."));
    Caption(totals, 0, 2, "Sale Price per Unit:");
    txtSalePrice = new QLineEdit(this);
    txtSalePrice->setObjectName(QStringLiteral("txtSalePrice"));
    txtSalePrice->setToolTip(
        QStringLiteral("What one unit of the product sells for; the stored price to begin with."));
    totals->addWidget(txtSalePrice, 0, 3);
    Caption(totals, 1, 2, "Revenue:");
    lblRevenue = Value(totals, 1, 3, "lblRevenue");
    Caption(totals, 2, 2, "Profit:");
    lblProfit = Value(totals, 2, 3, "lblProfit");
    Caption(totals, 3, 2, "Profit per Unit:");
    lblProfitPerUnit = Value(totals, 3, 3, "lblProfitPerUnit");
    Caption(totals, 3, 0, "Skills Needed:");
    lblSkills = Value(totals, 3, 1, "lblSkills");
    lblSkills->setWordWrap(true);
    totals->setColumnStretch(4, 1);
    layout->addLayout(totals);

    auto* split = split_ = new QSplitter(Qt::Horizontal, this);
    tvwPlan = new QTreeWidget(split);
    tvwPlan->setObjectName(QStringLiteral("tvwPlan"));
    tvwPlan->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Quantity"), QStringLiteral("Runs"),
        QStringLiteral("Surplus"), QStringLiteral("Build"), QStringLiteral("Unit Price"), QStringLiteral("Cost"),
        QStringLiteral("Build Time")});
    DarkView(tvwPlan);
    // The numbers keep their whole width (fitted once per write: fitting on every
    // cell's change would cost a flip many times over); the names take what is left.
    tvwPlan->header()->setSectionResizeMode(QHeaderView::Interactive);
    tvwPlan->header()->setSectionResizeMode(ColItem, QHeaderView::Stretch);
    connect(tvwPlan, &QTreeWidget::itemChanged, this, &frmBuildPlan::Flipped);

    lvwShopping = new QTreeWidget(split);
    lvwShopping->setObjectName(QStringLiteral("lvwShopping"));
    lvwShopping->setRootIsDecorated(false);
    lvwShopping->setHeaderLabels({QStringLiteral("Shopping List"), QStringLiteral("Quantity"),
        QStringLiteral("Unit Price"), QStringLiteral("Cost")});
    DarkView(lvwShopping);
    lvwShopping->header()->setSectionResizeMode(QHeaderView::Interactive);
    lvwShopping->header()->setSectionResizeMode(ShopItem, QHeaderView::Stretch);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setTextFormat(Qt::PlainText);
    buttons->addWidget(lblStatus, 1);
    cmdCheapest = Button(this, "cmdCheapest", QStringLiteral("Cheapest"));
    cmdCheapest->setToolTip(QStringLiteral("Build or buy each item by its price again, forgetting your choices."));
    cmdCopy = Button(this, "cmdCopy", QStringLiteral("Copy Shopping List"));
    cmdCopy->setToolTip(
        QStringLiteral("Item, quantity, unit price and cost, tab-separated, to paste into a spreadsheet."));
    cmdSave = Button(this, "cmdSave", QStringLiteral("Save Plan..."));
    cmdClose = Button(this, "cmdClose", QStringLiteral("Close"));
    for (QPushButton* b : {cmdCheapest, cmdCopy, cmdSave, cmdClose})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(cmdCheapest, &QPushButton::clicked, this, [this] { cmdCheapest_Click(); });
    connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(txtSalePrice, &QLineEdit::textEdited, this, [this] { SalePriceEdited(); });

    resize(TwipsToPixels(15600), TwipsToPixels(9000));
}

void frmBuildPlan::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmBuildPlan::Follow()
{
    if (followPending_)
        return;
    followPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            followPending_ = false;
            Refresh();
        },
        Qt::QueuedConnection);
}

void frmBuildPlan::ShowNothing(const QString& why)
{
    plan_.reset();
    plannedBP_.reset();
    items_.clear();
    cells_.clear();
    reached_.clear();
    built_.clear();
    tvwPlan->clear();
    lvwShopping->clear();
    lblProduct->setText(why);
    for (QLabel* label :
        {lblTotalCost, lblCostPerUnit, lblRevenue, lblProfit, lblProfitPerUnit, lblBuildTime, lblSkills})
        label->setText(QString());
    for (QWidget* w : {static_cast<QWidget*>(cmdCopy), static_cast<QWidget*>(cmdSave),
             static_cast<QWidget*>(cmdCheapest), static_cast<QWidget*>(txtSalePrice)})
        w->setEnabled(false);
}

void frmBuildPlan::Refresh()
{
    const frmMain& main = *main_;
    const std::optional<SheetJob> shown = main.ShownJob();
    if (!shown) {
        ShowNothing(QStringLiteral("No blueprint on display: pick one in the main window."));
        return;
    }
    const NumberFormat& fmt = main.Format();
    plan::Player player{fmt, shown->pe, shown->industry, shown->matMult, shown->timeMult};
    const bool sameBlueprint = plannedBP_ == shown->blueprint;
    std::optional<plan::Plan> made;
    try {
        const plan::Job job{shown->blueprint, numbers::TextToInt32(shown->runs, fmt),
            numbers::TextToInt32(shown->ml, fmt), numbers::TextToInt32(shown->pl, fmt)};
        if (job.runs <= 0)
            throw Failure("No runs");
        double salePrice = 0;
        if (sameBlueprint && plan_) {
            salePrice = plan_->productPrice;
        } else {
            const std::string& rec = At(main.Cat().strBPs, shown->blueprint);
            if (const auto item = products_.Find(pricing::BuilderName(rec)))
                salePrice = At(main.Cat().dblPrices, *item);
        }
        made = plan::Make(job, salePrice, main.Cat(), builders_, player);
        if (sameBlueprint && plan_)
            plan::KeepPins(*made, *plan_);
    } catch (const Failure&) {
        ShowNothing(
            QStringLiteral("No plan: the run count or a level on the sheet is not a number the plan can use."));
        return;
    } catch (const std::out_of_range&) {
        ShowNothing(QStringLiteral("No plan: the blueprint on display cannot be read."));
        return;
    }

    const bool sameShape = sameBlueprint && plan_ && plan_->nodes.size() == made->nodes.size();
    plan_ = std::move(made);
    plannedBP_ = shown->blueprint;
    for (QWidget* w : {static_cast<QWidget*>(cmdCopy), static_cast<QWidget*>(cmdSave),
             static_cast<QWidget*>(cmdCheapest), static_cast<QWidget*>(txtSalePrice)})
        w->setEnabled(true);
    if (!sameBlueprint)
        txtSalePrice->setText(Q(numbers::ToText(plan_->productPrice, fmt)));
    if (!sameShape)
        BuildTree();
    WriteValues();
    if (!sameShape)
        FitWidths();
}

void frmBuildPlan::FitWidths()
{
    const auto needed = [](QTreeWidget* view) {
        int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
        for (int c = 1; c < view->columnCount(); ++c)
            width += view->columnWidth(c);
        // The names as wide as the widest, but within reason.
        view->resizeColumnToContents(0);
        return width + std::min(view->columnWidth(0), TwipsToPixels(4500));
    };
    const int plan = needed(tvwPlan);
    const int shopping = needed(lvwShopping);
    const QMargins margins = layout()->contentsMargins();
    int want = plan + shopping + split_->handleWidth() + margins.left() + margins.right();
    if (const QScreen* screen = this->screen())
        want = std::min(want, screen->availableGeometry().width());
    if (width() < want)
        resize(want, height());
    split_->setSizes({plan, shopping});
}

void frmBuildPlan::BuildTree()
{
    const QSignalBlocker quiet(tvwPlan);
    tvwPlan->clear();
    const auto& nodes = plan_->nodes;
    items_.assign(nodes.size(), nullptr);
    cells_.assign(nodes.size() * PlanColumns, QString());
    reached_.assign(nodes.size(), -1);
    built_.assign(nodes.size(), -1);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const plan::Node& node = nodes[i];
        auto* item = i == 0 ? new QTreeWidgetItem : new QTreeWidgetItem(items_[node.parent]);
        items_[i] = item;
        QString name = Q(node.name);
        if (node.cycle) {
            name += QStringLiteral("  (needs itself: bought)");
            item->setToolTip(ColItem,
                QStringLiteral(
                    "Its blueprint is already being built further up this branch, so it is bought here."));
        }
        item->setText(ColItem, name);
        item->setData(ColItem, Qt::UserRole, static_cast<qulonglong>(i));
        for (int c = ColQuantity; c < PlanColumns; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(ColBuild, Qt::AlignCenter);
        if (i != 0 && node.Buildable()) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(ColBuild, Qt::Unchecked);
            item->setToolTip(ColBuild, QStringLiteral("Checked: built from its blueprint. Unchecked: bought."));
        }
    }
    tvwPlan->addTopLevelItem(items_[0]);
}

QTreeWidgetItem* frmBuildPlan::ItemOf(std::size_t node) const
{
    return node < items_.size() ? items_[node] : nullptr;
}

void frmBuildPlan::SetCell(std::size_t node, int column, const QString& text)
{
    QString& shown = cells_[node * PlanColumns + static_cast<std::size_t>(column)];
    if (shown == text)
        return;
    shown = text;
    items_[node]->setText(column, text);
}

void frmBuildPlan::WriteValues()
{
    const NumberFormat& fmt = main_->Format();
    const auto& nodes = plan_->nodes;
    {
        const QSignalBlocker quiet(tvwPlan);
        // A node is part of the job when every node above it is built.
        std::vector<char> reached(nodes.size(), 0);
        reached[0] = 1;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const plan::Node& n = nodes[i];
            if (i != 0)
                reached[i] = reached[n.parent] && nodes[n.parent].build ? 1 : 0;
            const bool made = n.Buildable();
            SetCell(i, ColQuantity, Q(numbers::ToText(n.quantity, fmt)));
            SetCell(i, ColRuns, made ? Q(numbers::IntText(n.runs)) : QString());
            SetCell(i, ColSurplus, made ? Q(numbers::ToText(n.surplus, fmt)) : QString());
            SetCell(i, ColUnitPrice, Money(n.unitPrice, fmt));
            SetCell(i, ColCost, Money(n.cost, fmt));
            SetCell(i, ColTime, made && n.build ? Q(plan::DurationText(n.seconds)) : QString());
            QTreeWidgetItem* item = items_[i];
            if (i != 0 && made) {
                const Qt::CheckState state = n.build ? Qt::Checked : Qt::Unchecked;
                if (item->checkState(ColBuild) != state)
                    item->setCheckState(ColBuild, state);
            }
            if (reached_[i] != reached[i]) {
                reached_[i] = reached[i];
                // Items of a bought component are shown for the choice, greyed: the job does not need them.
                const QBrush text(BgrColour(reached[i] ? Colour::White : Colour::DarkGrey));
                for (int c = ColQuantity; c < PlanColumns; ++c)
                    item->setForeground(c, text);
                item->setForeground(ColItem,
                    QBrush(BgrColour(!reached[i] ? Colour::DarkGrey
                            : i == 0             ? Colour::White
                                                 : KindColour(n.name))));
            }
            // A component the plan turns to building opens to show what it takes.
            if (built_[i] != static_cast<signed char>(n.build)) {
                built_[i] = static_cast<signed char>(n.build);
                if (made && n.build)
                    item->setExpanded(true);
            }
        }
        if (!items_.empty())
            items_[0]->setExpanded(true);
    }
    WriteTotals();
    WriteShopping();
    for (int c = ColQuantity; c < PlanColumns; ++c)
        tvwPlan->resizeColumnToContents(c);
    for (int c = ShopQuantity; c < ShoppingColumns; ++c)
        lvwShopping->resizeColumnToContents(c);
}

void frmBuildPlan::WriteTotals()
{
    const NumberFormat& fmt = main_->Format();
    const plan::Plan& p = *plan_;
    const plan::Node& product = p.nodes[0];
    lblProduct->setText(Q(product.name) + QStringLiteral(": ") + Q(numbers::IntText(product.runs))
        + (product.runs == 1 ? QStringLiteral(" run") : QStringLiteral(" runs")) + QStringLiteral(", ")
        + Q(numbers::ToText(product.quantity, fmt))
        + (product.quantity == 1 ? QStringLiteral(" unit") : QStringLiteral(" units")));
    lblTotalCost->setText(Q(sheet::CostText(p.totals.cost, fmt)));
    lblCostPerUnit->setText(Q(sheet::CostText(p.totals.costPerUnit, fmt)));
    lblRevenue->setText(Q(sheet::CostText(p.totals.revenue, fmt)));
    lblProfit->setText(Q(sheet::CostText(p.totals.profit, fmt)));
    lblProfitPerUnit->setText(Q(sheet::CostText(p.totals.profitPerUnit, fmt)));
    const QColor profitColour = BgrColour(p.totals.profit < 0 ? kLoss : kGain);
    SetForeColour(lblProfit, profitColour);
    SetForeColour(lblProfitPerUnit, profitColour);
    lblBuildTime->setText(Q(plan::DurationText(p.totals.seconds)));
    QStringList skills;
    for (const plan::Skill& skill : p.skills)
        skills << Q(std::string(pricing::MaterialName(skill.name))) + ' ' + QString::number(skill.level);
    lblSkills->setText(skills.isEmpty() ? QStringLiteral("none") : skills.join(QStringLiteral(", ")));
}

void frmBuildPlan::WriteShopping()
{
    const NumberFormat& fmt = main_->Format();
    const auto& list = plan_->shopping;
    // Rows are kept and rewritten where their text changes: a flip moves a few items.
    while (lvwShopping->topLevelItemCount() > static_cast<int>(list.size()))
        delete lvwShopping->takeTopLevelItem(lvwShopping->topLevelItemCount() - 1);
    QList<QTreeWidgetItem*> added;
    for (int r = lvwShopping->topLevelItemCount(); r < static_cast<int>(list.size()); ++r) {
        auto* row = new QTreeWidgetItem;
        for (int c = ShopQuantity; c < ShoppingColumns; ++c)
            row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        added << row;
    }
    lvwShopping->addTopLevelItems(added);
    const auto set = [](QTreeWidgetItem* row, int column, const QString& text) {
        if (row->text(column) != text)
            row->setText(column, text);
    };
    for (std::size_t r = 0; r < list.size(); ++r) {
        const plan::ShoppingItem& bought = list[r];
        QTreeWidgetItem* row = lvwShopping->topLevelItem(static_cast<int>(r));
        const QString name = Q(bought.name);
        if (row->text(ShopItem) != name) {
            row->setText(ShopItem, name);
            row->setForeground(ShopItem, QBrush(BgrColour(KindColour(bought.name))));
        }
        set(row, ShopQuantity, Q(numbers::ToText(bought.quantity, fmt)));
        set(row, ShopUnitPrice, Money(bought.unitPrice, fmt));
        set(row, ShopCost, Money(bought.cost, fmt));
    }
}

void frmBuildPlan::Flipped(QTreeWidgetItem* item, int column)
{
    if (column != ColBuild || !plan_)
        return;
    const auto node = static_cast<std::size_t>(item->data(ColItem, Qt::UserRole).toULongLong());
    if (node >= plan_->nodes.size())
        return;
    const bool wanted = item->checkState(ColBuild) == Qt::Checked;
    if (plan_->nodes[node].build != wanted)
        plan::Flip(*plan_, node);
    WriteValues();
}

void frmBuildPlan::cmdCheapest_Click()
{
    if (!plan_)
        return;
    for (plan::Node& node : plan_->nodes)
        node.pinned.reset();
    plan::Recompute(*plan_);
    WriteValues();
}

void frmBuildPlan::SalePriceEdited()
{
    if (!plan_)
        return;
    // Text that is no price leaves the figures as they were until it is one.
    const auto price = fields::PriceFromBox(S(txtSalePrice->text()), main_->Format());
    if (!price)
        return;
    plan_->productPrice = *price;
    plan::Recompute(*plan_);
    WriteTotals();
}

void frmBuildPlan::cmdCopy_Click()
{
    if (!plan_)
        return;
    QApplication::clipboard()->setText(Q(plan::ShoppingText(*plan_, main_->Format())));
    lblStatus->setText(QStringLiteral("Shopping list copied: %1 items.").arg(plan_->shopping.size()));
}

void frmBuildPlan::cmdSave_Click()
{
    if (!plan_)
        return;
    if (!saveDialog_) {
        saveDialog_ = std::make_unique<frmSave>(this);
        saveDialog_->Writer = [this] { SavePlan(saveDialog_->FileName); };
    }
    frmSave& dialog = *saveDialog_;
    dialog.Filter = ".csv";
    dialog.InitDir = main_->ProgramFolder();
    dialog.FileName = plan_->nodes[0].name + " plan.csv";
    dialog.ShowSave();
}

void frmBuildPlan::SavePlan(const std::string& path)
{
    if (path.empty() || !plan_)
        return;
    const QString name = mainwindow::FileNameText(storage::NamePart(path));
    if (!main_->AcceptExportTarget(path, QStringLiteral("the plan")))
        return;
    try {
        // Whole or not at all: a failed save leaves an earlier file as it was.
        storage::WriteFileAtomically(path, plan::PlanCsv(*plan_));
    } catch (const Failure& e) {
        ShowMessage(this, "The plan could not be saved:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    lblStatus->setText(QStringLiteral("Plan saved as ") + name + '.');
}

} // namespace brenta::ui
