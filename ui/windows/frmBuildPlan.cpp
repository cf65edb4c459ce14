#include "ui/windows/frmBuildPlan.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/Folders.h"
#include "storage/TextFile.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/main/Placement.h"
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
// Items of a bought component: light enough to read on both stripes, yet apart
// from the white of what the job needs (and drawn in italics besides).
constexpr unsigned kUnreached = 0xB0B0B0;
// A sale price box whose text is not a price: a pale red field under its black text.
constexpr unsigned kRefused = 0xC0C0FF;

QString Money(const plan::Figure& value, const NumberFormat& fmt)
{
    return value ? Q(numbers::Format(*value, "###,##0.00", fmt)) : Q(std::string(plan::kNotComputed));
}

// A total as the sheet writes its costs, with its short form for a narrow place.
void SetCost(PlanLabel* label, const plan::Figure& value, const NumberFormat& fmt)
{
    if (!value) {
        label->SetTexts(Q(std::string(plan::kNotComputed)));
        return;
    }
    label->SetTexts(Q(sheet::CostText(*value, fmt)), Q(plan::ShortCostText(*value, fmt)));
}

// A view of its own fixed colours: the sheet's black and dark grey stripes with
// light text, whatever the desktop's colours. Every role is set, and the ones
// styles draw a view's indicators with (expand arrows from WindowText, Text and
// ButtonText, check boxes from Base, Text, Window and the frame shades) are light
// on the stripes, so no desktop scheme leaves an indicator dark on black.
void DarkView(QTreeWidget* view)
{
    const QColor white = BgrColour(Colour::White);
    const QColor grey = BgrColour(Colour::Grey);
    const QColor black = BgrColour(kBlack);
    // WindowText, Button, Light, Dark, Mid, Text, BrightText, Base, Window.
    QPalette p(
        white, grey, white, grey, grey, white, white, BgrColour(Colour::StripeOdd), BgrColour(Colour::Grey));
    p.setColor(QPalette::AlternateBase, BgrColour(Colour::StripeEven));
    p.setColor(QPalette::ButtonText, black);
    p.setColor(QPalette::Shadow, grey);
    p.setColor(QPalette::Highlight, BgrColour(Colour::Navy));
    p.setColor(QPalette::HighlightedText, white);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, black);
    p.setColor(QPalette::PlaceholderText, BgrColour(kUnreached));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, BgrColour(kUnreached));
    view->setPalette(p);
    // The header is grey with black captions, as the window's buttons are.
    QPalette header = p;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        header.setColor(group, QPalette::WindowText, black);
        header.setColor(group, QPalette::Text, black);
        header.setColor(group, QPalette::Base, grey);
        header.setColor(group, QPalette::Light, grey.lighter(125));
        header.setColor(group, QPalette::Dark, grey.darker(200));
        header.setColor(group, QPalette::Mid, grey.darker(150));
        header.setColor(group, QPalette::Shadow, black);
    }
    view->header()->setPalette(header);
    view->setAlternatingRowColors(true);
    view->setUniformRowHeights(true);
    view->header()->setStretchLastSection(true);
    view->header()->setDefaultAlignment(Qt::AlignCenter);
    view->setTextElideMode(Qt::ElideRight);
}

QLabel* Caption(QGridLayout* grid, int row, int column, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, column);
    return label;
}

PlanLabel* Value(QGridLayout* grid, int row, int column, const char* name)
{
    auto* label = new PlanLabel;
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

void PlanLabel::SetTexts(const QString& whole, const QString& shortForm)
{
    if (text() == whole && short_ == shortForm)
        return;
    short_ = shortForm;
    setText(whole);
    updateGeometry();
    update();
}

QString PlanLabel::Shown() const
{
    const QString& whole = text();
    const QFontMetrics metrics(font());
    const int room = contentsRect().width() - 2 * margin();
    if (metrics.horizontalAdvance(whole) <= room)
        return whole;
    if (!short_.isEmpty() && metrics.horizontalAdvance(short_) <= room)
        return short_;
    return metrics.elidedText(short_.isEmpty() ? whole : short_, Qt::ElideRight, std::max(room, 0));
}

QSize PlanLabel::minimumSizeHint() const
{
    QSize size = QLabel::minimumSizeHint();
    // Room for the short form of a figure, or a few characters of a text.
    const QFontMetrics metrics(font());
    const int shortest = short_.isEmpty() ? metrics.horizontalAdvance(QStringLiteral("Wwwwww\u2026"))
                                          : metrics.horizontalAdvance(short_);
    size.setWidth(std::min(size.width(), shortest + 2 * margin() + 2));
    return size;
}

void PlanLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    QRect room = contentsRect();
    room.adjust(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room,
        static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())), palette(), isEnabled(), Shown(),
        foregroundRole());
}

bool PlanLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && Shown() != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

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
    // Every role fixed, so that a dark desktop's scheme puts nothing light on the grey.
    SetFixedColours(this);
    SetBackColour(this, BgrColour(Colour::Grey));

    auto* layout = new QVBoxLayout(this);

    lblProduct = new PlanLabel(this);
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
    // The skills on one line across the totals, cut at the end with all of them in the tool tip.
    Caption(totals, 4, 0, "Skills Needed:");
    lblSkills = Value(totals, 4, 1, "lblSkills");
    totals->addWidget(lblSkills, 4, 1, 1, 4);
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
    // cell's change would cost a flip many times over); the names keep the width
    // they open with, and a list narrower than its columns scrolls sideways rather
    // than cut its names to nothing.
    tvwPlan->header()->setSectionResizeMode(QHeaderView::Interactive);
    connect(tvwPlan, &QTreeWidget::itemChanged, this, &frmBuildPlan::Flipped);
    tvwPlan->installEventFilter(this);

    lvwShopping = new QTreeWidget(split);
    lvwShopping->setObjectName(QStringLiteral("lvwShopping"));
    lvwShopping->setRootIsDecorated(false);
    lvwShopping->setHeaderLabels({QStringLiteral("Shopping List"), QStringLiteral("Quantity"),
        QStringLiteral("Unit Price"), QStringLiteral("Cost")});
    DarkView(lvwShopping);
    lvwShopping->header()->setSectionResizeMode(QHeaderView::Interactive);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setWordWrap(true);
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

bool frmBuildPlan::eventFilter(QObject* watched, QEvent* event)
{
    // Space and Enter flip the focused node's Build box, as a click on it does.
    if (watched == tvwPlan && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QTreeWidgetItem* item = tvwPlan->currentItem();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && item
            && (item->flags() & Qt::ItemIsUserCheckable)) {
            item->setCheckState(ColBuild, item->checkState(ColBuild) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
    lblProduct->SetTexts(why);
    for (PlanLabel* label :
        {lblTotalCost, lblCostPerUnit, lblRevenue, lblProfit, lblProfitPerUnit, lblBuildTime, lblSkills})
        label->SetTexts(QString());
    lblStatus->clear();
    for (QWidget* w : {static_cast<QWidget*>(cmdCopy), static_cast<QWidget*>(cmdSave),
             static_cast<QWidget*>(cmdCheapest), static_cast<QWidget*>(txtSalePrice)})
        w->setEnabled(false);
}

void frmBuildPlan::Failed(const QString& action, const std::exception& e)
{
    // What the core left half done is not shown: the plan is made again from the
    // sheet at its next change.
    ShowNothing(QStringLiteral("No plan: ") + action + QStringLiteral(" could not be computed."));
    lblStatus->setText(action + QStringLiteral(" could not be computed: ") + QString::fromLocal8Bit(e.what()));
}

void frmBuildPlan::Refresh()
{
    Guarded(QStringLiteral("The plan"), [&] {
        const frmMain& main = *main_;
        const std::optional<SheetJob> shown = main.ShownJob();
        if (!shown) {
            ShowNothing(QStringLiteral("No blueprint on display: pick one in the main window."));
            return;
        }
        const NumberFormat& fmt = main.Format();
        plan::Player player{fmt, shown->pe, shown->industry, shown->matMult, shown->timeMult};
        const bool sameBlueprint = plannedBP_ == shown->blueprint;
        plan::Job job{shown->blueprint};
        try {
            job.runs = numbers::TextToInt32(shown->runs, fmt);
            job.ml = numbers::TextToInt32(shown->ml, fmt);
            job.pl = numbers::TextToInt32(shown->pl, fmt);
            if (job.runs <= 0)
                throw Failure("No runs");
        } catch (const Failure&) {
            ShowNothing(QStringLiteral(
                "No plan: the run count or a level on the sheet is not a number the plan can use."));
            return;
        }
        std::optional<plan::Plan> made;
        try {
            plan::Figure salePrice = 0.0;
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
        } catch (const plan::OwnedLevelFailure& e) {
            const QString bp
                = Q(std::string(record::Field(At(main.Cat().strBPs, e.blueprint), record::kFieldName)));
            const QString level = Q(e.level);
            ShowNothing(
                QStringLiteral("No plan: your owned %1 has the %2 \"%3\", which is no level the plan can use.")
                    .arg(bp, level, Q(e.text)));
            lblStatus->setText(QStringLiteral("Show %1 in the main window and type its %2 there, or clear \"Own "
                                              "this BPO\" to remove its owned levels.")
                                   .arg(bp, level));
            return;
        } catch (const Failure& e) {
            ShowNothing(QStringLiteral("No plan: a blueprint or an item the plan needs cannot be read (")
                + QString::fromLocal8Bit(e.what()) + QStringLiteral(")."));
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
        if (!sameBlueprint) {
            // A new blueprint: its own price, and the last action's words go.
            const QSignalBlocker quiet(txtSalePrice);
            txtSalePrice->setText(Q(numbers::ToText(plan_->productPrice.value_or(0), fmt)));
            MarkSalePrice(QString());
            lblStatus->clear();
        }
        if (!sameShape)
            BuildTree();
        WriteValues();
        if (!sameShape)
            FitWidths();
        // A figure not computed says why; once it is computed again, the reason goes.
        if (!plan::Trouble(*plan_, fmt).empty() || !salePriceAccepted_
            || (!troubleShown_.isEmpty() && lblStatus->text() == troubleShown_))
            ShowTrouble();
    });
}

void frmBuildPlan::FitWidths()
{
    const auto needed = [](QTreeWidget* view) {
        int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
        for (int c = 1; c < view->columnCount(); ++c)
            width += view->columnWidth(c);
        // The names as wide as the widest, but within reason.
        view->resizeColumnToContents(0);
        view->setColumnWidth(0, std::min(view->columnWidth(0), TwipsToPixels(4500)));
        return width + view->columnWidth(0);
    };
    const int plan = needed(tvwPlan);
    const int shopping = needed(lvwShopping);
    if (!widthFitted_) {
        // Once, before the window is placed: later plans keep its size and place.
        widthFitted_ = true;
        const QMargins margins = layout()->contentsMargins();
        int want = plan + shopping + split_->handleWidth() + margins.left() + margins.right();
        if (const QScreen* screen = this->screen())
            want = std::min(want, screen->availableGeometry().width());
        if (width() < want)
            resize(want, height());
    }
    split_->setSizes({plan, shopping});
}

void frmBuildPlan::PlaceBeside(const QWidget& main)
{
    // The frame the window manager puts around this window, taken to be the main
    // window's: this one is not shown yet.
    const QRect outer = main.frameGeometry();
    const QRect inner = main.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
        outer.bottom() - inner.bottom());
    const QScreen* screen = main.screen();
    const QRect free = screen ? screen->availableGeometry() : QRect();
    const QRect wanted(outer.right() + 1, outer.top(), width() + frame.left() + frame.right(),
        height() + frame.top() + frame.bottom());
    const QRect placed = FitRect(wanted, free);
    resize(std::max(placed.width() - frame.left() - frame.right(), minimumWidth()),
        std::max(placed.height() - frame.top() - frame.bottom(), minimumHeight()));
    move(placed.topLeft());
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
        if (node.cycle)
            name += QStringLiteral("  (needs itself: bought)");
        item->setText(ColItem, name);
        // The whole name, however narrow its column.
        item->setToolTip(ColItem,
            node.cycle ? name
                    + QStringLiteral(
                        "\nIts blueprint is already being built further up this branch, so it is bought here.")
                       : name);
        item->setData(ColItem, Qt::UserRole, static_cast<qulonglong>(i));
        for (int c = ColQuantity; c < PlanColumns; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(ColBuild, Qt::AlignCenter);
        if (i == 0)
            item->setToolTip(
                ColUnitPrice, QStringLiteral("The sale price per unit that the revenue is counted at."));
        if (i != 0 && node.Buildable()) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(ColBuild, Qt::Unchecked);
            item->setToolTip(ColBuild,
                QStringLiteral("Checked: built from its blueprint. Unchecked: bought. Space or Enter flips it."));
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
            // What one unit costs as decided, so that quantity times unit price is the
            // row's cost; the product's is the sale price the revenue is counted at.
            SetCell(i, ColUnitPrice, Money(n.unitCost, fmt));
            SetCell(i, ColCost, Money(n.cost, fmt));
            SetCell(i, ColTime, made && n.build ? Q(plan::DurationText(n.seconds)) : QString());
            QTreeWidgetItem* item = items_[i];
            if (i != 0 && made) {
                const QString market = QStringLiteral("Market price: ") + Money(n.unitPrice, fmt)
                    + QStringLiteral(" ISK each.\nBuilt, the unit price is its materials' cost per unit.");
                if (item->toolTip(ColUnitPrice) != market)
                    item->setToolTip(ColUnitPrice, market);
                const Qt::CheckState state = n.build ? Qt::Checked : Qt::Unchecked;
                if (item->checkState(ColBuild) != state)
                    item->setCheckState(ColBuild, state);
            }
            if (reached_[i] != reached[i]) {
                reached_[i] = reached[i];
                // Items of a bought component are shown for the choice, greyed and in
                // italics: the job does not need them.
                const QBrush text(BgrColour(reached[i] ? Colour::White : kUnreached));
                QFont font = tvwPlan->font();
                font.setItalic(!reached[i]);
                for (int c = ColItem; c < PlanColumns; ++c) {
                    item->setForeground(c, text);
                    item->setFont(c, font);
                }
                item->setForeground(ColItem,
                    QBrush(BgrColour(!reached[i] ? kUnreached
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
    lblProduct->SetTexts(Q(product.name) + QStringLiteral(": ") + Q(numbers::IntText(product.runs))
        + (product.runs == 1 ? QStringLiteral(" run") : QStringLiteral(" runs")) + QStringLiteral(", ")
        + Q(numbers::ToText(product.quantity, fmt))
        + (product.quantity == 1 ? QStringLiteral(" unit") : QStringLiteral(" units")));
    SetCost(lblTotalCost, p.totals.cost, fmt);
    SetCost(lblCostPerUnit, p.totals.costPerUnit, fmt);
    SetCost(lblRevenue, p.totals.revenue, fmt);
    SetCost(lblProfit, p.totals.profit, fmt);
    SetCost(lblProfitPerUnit, p.totals.profitPerUnit, fmt);
    const QColor profitColour = BgrColour(p.totals.profit.value_or(0) < 0 ? kLoss : kGain);
    SetForeColour(lblProfit, profitColour);
    SetForeColour(lblProfitPerUnit, profitColour);
    lblBuildTime->SetTexts(Q(plan::DurationText(p.totals.seconds)));
    QStringList skills;
    for (const plan::Skill& skill : p.skills)
        skills << Q(std::string(pricing::MaterialName(skill.name))) + ' ' + QString::number(skill.level);
    lblSkills->SetTexts(skills.isEmpty() ? QStringLiteral("none") : skills.join(QStringLiteral(", ")));
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
            row->setToolTip(ShopItem, name);
            row->setForeground(ShopItem, QBrush(BgrColour(KindColour(bought.name))));
        }
        set(row, ShopQuantity, Q(numbers::ToText(bought.quantity, fmt)));
        set(row, ShopUnitPrice, Money(bought.unitPrice, fmt));
        set(row, ShopCost, Money(bought.cost, fmt));
    }
}

void frmBuildPlan::ShowTrouble()
{
    if (!plan_)
        return;
    troubleShown_ = salePriceAccepted_
        ? Q(plan::Trouble(*plan_, main_->Format()))
        : QStringLiteral("Revenue and profit not computed: ") + txtSalePrice->toolTip();
    lblStatus->setText(troubleShown_);
}

void frmBuildPlan::Flipped(QTreeWidgetItem* item, int column)
{
    if (column != ColBuild || !plan_)
        return;
    Guarded(QStringLiteral("The flipped plan"), [&] {
        const auto node = static_cast<std::size_t>(item->data(ColItem, Qt::UserRole).toULongLong());
        if (node >= plan_->nodes.size())
            return;
        const bool wanted = item->checkState(ColBuild) == Qt::Checked;
        if (plan_->nodes[node].build != wanted)
            plan::Flip(*plan_, node);
        WriteValues();
        ShowTrouble();
    });
}

void frmBuildPlan::cmdCheapest_Click()
{
    if (!plan_)
        return;
    Guarded(QStringLiteral("The cheapest plan"), [&] {
        for (plan::Node& node : plan_->nodes)
            node.pinned.reset();
        plan::Recompute(*plan_);
        WriteValues();
        ShowTrouble();
    });
}

plan::Figure frmBuildPlan::ReadSalePrice()
{
    const NumberFormat& fmt = main_->Format();
    const std::string text = S(txtSalePrice->text());
    QString why;
    plan::Figure price;
    try {
        // The locale's number as a whole: "12abc" or "12,50" under a decimal point
        // is no price, and never its readable start.
        price = numbers::ToNumber(text, fmt);
        if (*price < 0) {
            price.reset();
            why = QStringLiteral("a sale price cannot be below 0.");
        }
    } catch (const Failure&) {
        why = text.find_first_not_of(" \t") == std::string::npos
            ? QStringLiteral("type the price one unit sells for.")
            : QStringLiteral("\"%1\" is not a number. Type the price one unit sells for, with \"%2\" as the "
                             "decimal separator.")
                  .arg(txtSalePrice->text(), QChar::fromLatin1(fmt.decSep));
    }
    MarkSalePrice(why);
    return price;
}

void frmBuildPlan::MarkSalePrice(const QString& why)
{
    salePriceAccepted_ = why.isEmpty();
    QPalette palette = txtSalePrice->palette();
    palette.setColor(QPalette::Base, BgrColour(salePriceAccepted_ ? Colour::White : kRefused));
    palette.setColor(QPalette::Text, BgrColour(kBlack));
    txtSalePrice->setPalette(palette);
    txtSalePrice->setToolTip(salePriceAccepted_
            ? QStringLiteral("What one unit of the product sells for; the stored price to begin with.")
            : QStringLiteral("Not a price: ") + why);
}

void frmBuildPlan::SalePriceEdited()
{
    if (!plan_)
        return;
    Guarded(QStringLiteral("The plan at this sale price"), [&] {
        // A text that is no price leaves the figures that need it not computed.
        plan_->productPrice = ReadSalePrice();
        plan::Recompute(*plan_);
        // The product's row shows the price the figures use, at once.
        SetCell(0, ColUnitPrice, Money(plan_->nodes[0].unitCost, main_->Format()));
        WriteTotals();
        ShowTrouble();
    });
}

void frmBuildPlan::cmdCopy_Click()
{
    if (!plan_)
        return;
    try {
        QApplication::clipboard()->setText(Q(plan::ShoppingText(*plan_, main_->Format())));
        QString done = QStringLiteral("Shopping list copied: %1 items.").arg(plan_->shopping.size());
        if (std::any_of(plan_->shopping.begin(), plan_->shopping.end(),
                [](const plan::ShoppingItem& item) { return !item.cost; }))
            done += QStringLiteral(" Costs beyond the largest number are copied as \"not computed\".");
        lblStatus->setText(done);
    } catch (const Failure& e) {
        lblStatus->setText(QStringLiteral("Shopping list not copied: ") + QString::fromLocal8Bit(e.what()));
    }
}

void frmBuildPlan::cmdSave_Click()
{
    if (!plan_)
        return;
    // The plan as it is now, whatever the main window shows by the time a name is given.
    toSave_ = plan_;
    if (!saveDialog_) {
        saveDialog_ = std::make_unique<frmSave>(this);
        saveDialog_->Writer = [this] {
            if (toSave_)
                WritePlan(saveDialog_->FileName, *toSave_);
            toSave_.reset();
        };
    }
    frmSave& dialog = *saveDialog_;
    dialog.Filter = ".csv";
    dialog.InitDir = main_->ProgramFolder();
    dialog.FileName = toSave_->nodes[0].name + " plan.csv";
    dialog.ShowSave();
}

void frmBuildPlan::SavePlan(const std::string& path)
{
    if (plan_)
        WritePlan(path, *plan_);
}

void frmBuildPlan::WritePlan(const std::string& path, const plan::Plan& plan)
{
    if (path.empty())
        return;
    const QString name = mainwindow::FileNameText(storage::NamePart(path));
    if (!main_->AcceptExportTarget(path, QStringLiteral("the plan"))) {
        lblStatus->setText(QStringLiteral("Plan not saved."));
        return;
    }
    try {
        // Whole or not at all: a failed save leaves an earlier file as it was.
        storage::WriteFileAtomically(path, plan::PlanCsv(plan));
    } catch (const Failure& e) {
        lblStatus->setText(QStringLiteral("Plan not saved as ") + name + '.');
        ShowMessage(this, "The plan could not be saved:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    lblStatus->setText(QStringLiteral("Plan saved as ") + name + '.');
}

} // namespace brenta::ui
