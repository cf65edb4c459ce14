#include "ui/windows/frmBuildPlan.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
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
#include <array>
#include <cmath>

#include "base/Table.h"
#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/Folders.h"
#include "storage/TextFile.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/main/Placement.h"
#include "ui/main/QtText.h"
#include "ui/windows/frmSave.h"

namespace brenta::ui {

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

// A cell's money: the sheet's money text.
QString Money(const plan::Figure& value, const NumberFormat& fmt)
{
    return value ? Q(sheet::MoneyText(*value, fmt)) : Q(std::string(plan::kNotComputed));
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

// How the rows of the job look: the others greyed and in italics.
struct RowLook {
    QBrush white;
    QBrush grey;
    QFont italic;
};

namespace {

// A row of the plan tree. Its figures and whether the job reaches it (its colours
// and face are answered from that one flag) are written without a word to the
// view, which is told once for the row when the row is done: a flip that greys a
// whole branch or changes the product's figures costs each row one change, not
// one for every colour, font and text of every column.
class PlanItem : public QTreeWidgetItem {
public:
    PlanItem(const RowLook& look, const QBrush& name) : look_(look), name_(name) {}

    // Whether the text differs from the one written; a figure column only.
    bool SetFigure(int column, const QString& text)
    {
        QString& figure = figures_[static_cast<std::size_t>(column)];
        if (figure == text)
            return false;
        figure = text;
        changed_ = true;
        return true;
    }

    void SetReached(bool reached)
    {
        if (reached_ != reached) {
            reached_ = reached;
            changed_ = true;
        }
    }

    // The view told once of everything written into the row since the last time.
    void Written()
    {
        if (changed_) {
            changed_ = false;
            emitDataChanged();
        }
    }

    QVariant data(int column, int role) const override
    {
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && column > frmBuildPlan::ColItem
            && column < frmBuildPlan::PlanColumns)
            return figures_[static_cast<std::size_t>(column)];
        if (role == Qt::ForegroundRole)
            return !reached_ ? look_.grey : column == frmBuildPlan::ColItem ? name_ : look_.white;
        if (role == Qt::FontRole && !reached_)
            return look_.italic;
        return QTreeWidgetItem::data(column, role);
    }

private:
    const RowLook& look_;
    QBrush name_; // the kind's colour of the item's name
    std::array<QString, frmBuildPlan::PlanColumns> figures_;
    bool reached_ = true;
    bool changed_ = false;
};

// A row of the shopping list, written as the plan's rows are: quietly, the view
// told once when the row is done. The name's tool tip is the name itself.
class ShopRow : public QTreeWidgetItem {
public:
    ShopRow()
    {
        for (int c = frmBuildPlan::ShopQuantity; c < frmBuildPlan::ShoppingColumns; ++c)
            setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }

    bool SetText(int column, const QString& text)
    {
        QString& written = texts_[static_cast<std::size_t>(column)];
        if (written == text)
            return false;
        written = text;
        changed_ = true;
        return true;
    }

    void SetNameColour(const QBrush& colour)
    {
        name_ = colour;
        changed_ = true;
    }

    void Written()
    {
        if (changed_) {
            changed_ = false;
            emitDataChanged();
        }
    }

    QVariant data(int column, int role) const override
    {
        if ((role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0
            && column < frmBuildPlan::ShoppingColumns)
            return texts_[static_cast<std::size_t>(column)];
        if (role == Qt::ToolTipRole && column == frmBuildPlan::ShopItem)
            return texts_[0];
        if (role == Qt::ForegroundRole && column == frmBuildPlan::ShopItem)
            return name_;
        return QTreeWidgetItem::data(column, role);
    }

private:
    std::array<QString, frmBuildPlan::ShoppingColumns> texts_;
    QBrush name_;
    bool changed_ = false;
};

} // namespace

// The number columns of a list kept as wide as their widest text. Each text is
// measured once, when it is written, in the plain and in the italic face (a greyed
// row is drawn in italics, so greying never cuts a figure), and a column is fitted
// again only when its widest text changed: a flip changes a few cells, and asking
// every row again after each change costs many times the change itself. Rows in a
// closed branch count too, so opening one never shows a cut figure.
class ColumnWidths {
public:
    // italic: whether rows of the list may be drawn in italics.
    ColumnWidths(QTreeWidget* view, int firstColumn, bool italic)
        : view_(view), first_(firstColumn), italics_(italic)
    {
    }

    // As many rows as the list holds now, nothing measured.
    void Reset(std::size_t rows)
    {
        const auto columns = static_cast<std::size_t>(view_->columnCount());
        widths_.assign(rows * columns, 0);
        changed_.assign(columns, 1);
        chrome_.assign(columns, -1);
        header_.assign(columns, -1);
        measured_.clear();
        const QFont font = view_->font();
        QFont italic = font;
        italic.setItalic(true);
        plain_.emplace(font);
        italic_.emplace(italic);
    }

    // Rows added at the end or taken from it, the others as measured.
    void Resize(std::size_t rows)
    {
        const auto columns = static_cast<std::size_t>(view_->columnCount());
        if (rows * columns < widths_.size())
            std::fill(changed_.begin(), changed_.end(), 1);
        widths_.resize(rows * columns, 0);
    }

    void Written(std::size_t row, int column, const QString& text)
    {
        if (column < first_ || !plain_)
            return;
        const auto c = static_cast<std::size_t>(column);
        const int width = Measure(text);
        int& measured = widths_[row * changed_.size() + c];
        if (measured != width) {
            measured = width;
            changed_[c] = 1;
        }
    }

    // Fits every column whose widest text changed, as resizing it to its
    // contents would: the widest text with the cell's margins, or the header.
    void Fit()
    {
        const std::size_t columns = changed_.size();
        const std::size_t rows = columns ? widths_.size() / columns : 0;
        for (std::size_t c = static_cast<std::size_t>(first_); c < columns; ++c) {
            if (!changed_[c])
                continue;
            changed_[c] = 0;
            int widest = 0;
            for (std::size_t r = 0; r < rows; ++r)
                widest = std::max(widest, widths_[r * columns + c]);
            const int column = static_cast<int>(c);
            int& header = header_[c];
            if (header < 0)
                header = view_->header()->sectionSizeHint(column);
            int want = header;
            if (widest > 0)
                want = std::max(want, widest + Chrome(c));
            if (view_->columnWidth(column) != want)
                view_->setColumnWidth(column, want);
        }
    }

private:
    // A text's width in the wider of its faces, each text measured once a list:
    // a flip back and forth writes the same texts again.
    int Measure(const QString& text)
    {
        if (text.isEmpty())
            return 0;
        if (const auto known = measured_.constFind(text); known != measured_.cend())
            return *known;
        qreal advance = plain_->horizontalAdvance(text);
        if (italics_)
            advance = std::max(advance, italic_->horizontalAdvance(text));
        const int width = static_cast<int>(std::ceil(advance));
        if (measured_.size() >= kMeasuredLimit)
            measured_.clear();
        measured_.insert(text, width);
        return width;
    }

    static constexpr qsizetype kMeasuredLimit = 4096;

    // What a cell adds to its text's width (margins), as the view's delegate
    // sizes the first row's cell, whose text is plain; measured once a list.
    int Chrome(std::size_t c)
    {
        int& chrome = chrome_[c];
        if (chrome >= 0)
            return chrome;
        const int column = static_cast<int>(c);
        const QModelIndex first = view_->model()->index(0, column);
        const QString text = first.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) // not yet known: the style's own text margins
            return 2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
        chrome = std::max(0,
            view_->sizeHintForIndex(first).width() - static_cast<int>(std::ceil(plain_->horizontalAdvance(text))));
        return chrome;
    }

    QTreeWidget* view_;
    int first_;
    bool italics_;
    QHash<QString, int> measured_; // text to width
    std::vector<int> header_; // by column: the header's width; -1 not yet measured
    std::vector<int> widths_; // by row and column: the text's width in its wider face
    std::vector<char> changed_; // by column: its widest text may have changed
    std::vector<int> chrome_; // by column; -1 not yet measured
    std::optional<QFontMetricsF> plain_;
    std::optional<QFontMetricsF> italic_;
};

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

frmBuildPlan::frmBuildPlan(QWidget* parent, BuildPlanSource source)
    : QWidget(parent, Qt::Window), source_(std::move(source)), products_(source_.catalogue())
{
    setAttribute(Qt::WA_DeleteOnClose);
    SetupUi();
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

    ui_.lblProduct = new PlanLabel(this);
    ui_.lblProduct->setObjectName(QStringLiteral("lblProduct"));
    ui_.lblProduct->setTextFormat(Qt::PlainText);
    QFont bold = ui_.lblProduct->font();
    bold.setBold(true);
    ui_.lblProduct->setFont(bold);
    layout->addWidget(ui_.lblProduct);

    auto* totals = new QGridLayout;
    Caption(totals, 0, 0, "Total Cost:");
    ui_.lblTotalCost = Value(totals, 0, 1, "lblTotalCost");
    Caption(totals, 1, 0, "Cost per Unit:");
    ui_.lblCostPerUnit = Value(totals, 1, 1, "lblCostPerUnit");
    Caption(totals, 2, 0, "Build Time:");
    ui_.lblBuildTime = Value(totals, 2, 1, "lblBuildTime");
    ui_.lblBuildTime->setToolTip(QStringLiteral("Every built job one after the other, with your Industry skill."));
    Caption(totals, 0, 2, "Sale Price per Unit:");
    ui_.txtSalePrice = new QLineEdit(this);
    ui_.txtSalePrice->setObjectName(QStringLiteral("txtSalePrice"));
    ui_.txtSalePrice->setToolTip(
        QStringLiteral("What one unit of the product sells for; the stored price to begin with."));
    totals->addWidget(ui_.txtSalePrice, 0, 3);
    Caption(totals, 1, 2, "Revenue:");
    ui_.lblRevenue = Value(totals, 1, 3, "lblRevenue");
    Caption(totals, 2, 2, "Profit:");
    ui_.lblProfit = Value(totals, 2, 3, "lblProfit");
    Caption(totals, 3, 2, "Profit per Unit:");
    ui_.lblProfitPerUnit = Value(totals, 3, 3, "lblProfitPerUnit");
    // The skills on one line across the totals, cut at the end with all of them in the tool tip.
    Caption(totals, 4, 0, "Skills Needed:");
    ui_.lblSkills = Value(totals, 4, 1, "lblSkills");
    totals->addWidget(ui_.lblSkills, 4, 1, 1, 4);
    totals->setColumnStretch(4, 1);
    layout->addLayout(totals);

    auto* split = split_ = new QSplitter(Qt::Horizontal, this);
    ui_.tvwPlan = new QTreeWidget(split);
    ui_.tvwPlan->setObjectName(QStringLiteral("tvwPlan"));
    ui_.tvwPlan->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Quantity"), QStringLiteral("Runs"),
        QStringLiteral("Surplus"), QStringLiteral("Build"), QStringLiteral("Unit Price"), QStringLiteral("Cost"),
        QStringLiteral("Build Time")});
    DarkView(ui_.tvwPlan);
    // The numbers keep their whole width (fitted once per write: fitting on every
    // cell's change would cost a flip many times over); the names keep the width
    // they open with, and a list narrower than its columns scrolls sideways rather
    // than cut its names to nothing.
    ui_.tvwPlan->header()->setSectionResizeMode(QHeaderView::Interactive);
    connect(ui_.tvwPlan, &QTreeWidget::itemChanged, this, &frmBuildPlan::Flipped);
    planWidths_ = std::make_unique<ColumnWidths>(ui_.tvwPlan, ColQuantity, true);
    look_ = std::make_unique<RowLook>(
        RowLook{QBrush(BgrColour(Colour::White)), QBrush(BgrColour(kUnreached)), ui_.tvwPlan->font()});
    ui_.tvwPlan->installEventFilter(this);

    ui_.lvwShopping = new QTreeWidget(split);
    ui_.lvwShopping->setObjectName(QStringLiteral("lvwShopping"));
    ui_.lvwShopping->setRootIsDecorated(false);
    ui_.lvwShopping->setHeaderLabels({QStringLiteral("Shopping List"), QStringLiteral("Quantity"),
        QStringLiteral("Unit Price"), QStringLiteral("Cost")});
    DarkView(ui_.lvwShopping);
    ui_.lvwShopping->header()->setSectionResizeMode(QHeaderView::Interactive);
    shoppingWidths_ = std::make_unique<ColumnWidths>(ui_.lvwShopping, ShopQuantity, false);
    shoppingWidths_->Reset(0);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* buttons = new QHBoxLayout;
    ui_.lblStatus = new QLabel(this);
    ui_.lblStatus->setObjectName(QStringLiteral("lblStatus"));
    ui_.lblStatus->setTextFormat(Qt::PlainText);
    ui_.lblStatus->setWordWrap(true);
    buttons->addWidget(ui_.lblStatus, 1);
    ui_.cmdCheapest = Button(this, "cmdCheapest", QStringLiteral("Cheapest"));
    ui_.cmdCheapest->setToolTip(
        QStringLiteral("Build or buy each item by its price again, forgetting your choices."));
    ui_.cmdCopy = Button(this, "cmdCopy", QStringLiteral("Copy Shopping List"));
    ui_.cmdCopy->setToolTip(
        QStringLiteral("Item, quantity, unit price and cost, tab-separated, to paste into a spreadsheet."));
    ui_.cmdSave = Button(this, "cmdSave", QStringLiteral("Save Plan..."));
    ui_.cmdClose = Button(this, "cmdClose", QStringLiteral("Close"));
    for (QPushButton* b : {ui_.cmdCheapest, ui_.cmdCopy, ui_.cmdSave, ui_.cmdClose})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(ui_.cmdCheapest, &QPushButton::clicked, this, [this] { cmdCheapest_Click(); });
    connect(ui_.cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(ui_.cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(ui_.cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_.txtSalePrice, &QLineEdit::textEdited, this, [this] { SalePriceEdited(); });

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
    if (watched == ui_.tvwPlan && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QTreeWidgetItem* item = ui_.tvwPlan->currentItem();
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
    rows_.clear();
    ui_.tvwPlan->clear();
    ui_.lvwShopping->clear();
    shoppingShown_.clear();
    shoppingWidths_->Reset(0);
    ui_.lblProduct->SetTexts(why);
    for (PlanLabel* label : {ui_.lblTotalCost, ui_.lblCostPerUnit, ui_.lblRevenue, ui_.lblProfit,
             ui_.lblProfitPerUnit, ui_.lblBuildTime, ui_.lblSkills})
        label->SetTexts(QString());
    SetStatus(QString());
    for (QWidget* w : {static_cast<QWidget*>(ui_.cmdCopy), static_cast<QWidget*>(ui_.cmdSave),
             static_cast<QWidget*>(ui_.cmdCheapest), static_cast<QWidget*>(ui_.txtSalePrice)})
        w->setEnabled(false);
}

void frmBuildPlan::Failed(const QString& action, const std::exception& e)
{
    // What the core left half done is not shown: the plan is made again from the
    // sheet at its next change.
    ShowNothing(QStringLiteral("No plan: ") + action + QStringLiteral(" could not be computed."));
    SetStatus(action + QStringLiteral(" could not be computed: ") + QString::fromLocal8Bit(e.what()));
}

void frmBuildPlan::Refresh()
{
    Guarded(QStringLiteral("The plan"), [&] {
        const std::optional<SheetJob> shown = source_.shownJob();
        if (!shown) {
            ShowNothing(QStringLiteral("No blueprint on display: pick one in the main window."));
            return;
        }
        const NumberFormat& fmt = source_.format();
        const Catalogue& cat = source_.catalogue();
        plan::Player player{fmt, shown->pe, shown->industry, shown->matMult, shown->timeMult};
        const bool sameBlueprint = plannedBP_ == shown->blueprint;
        if (!shown->runs || !shown->ml || !shown->pl || *shown->runs <= 0) {
            ShowNothing(QStringLiteral(
                "No plan: the run count or a level on the sheet is not a number the plan can use."));
            return;
        }
        const plan::Job job{shown->blueprint, *shown->runs, *shown->ml, *shown->pl, shown->prices};
        std::optional<plan::Plan> made;
        try {
            plan::Figure salePrice = 0.0;
            if (sameBlueprint && plan_) {
                salePrice = plan_->productPrice;
            } else {
                const std::string_view rec = At(cat.strBPs, shown->blueprint);
                if (const auto item = products_.Find(pricing::BuilderName(rec)))
                    salePrice = At(cat.dblPrices, *item);
            }
            made = plan::Make(job, salePrice, cat, source_.builders(), player);
            if (sameBlueprint && plan_)
                plan::KeepPins(*made, *plan_);
        } catch (const plan::OwnedLevelFailure& e) {
            const QString bp = Q(std::string(record::Field(At(cat.strBPs, e.blueprint), record::kFieldName)));
            const QString level = Q(e.level);
            ShowNothing(
                QStringLiteral("No plan: your owned %1 has the %2 \"%3\", which is no level the plan can use.")
                    .arg(bp, level, Q(e.text)));
            SetStatus(QStringLiteral("Show %1 in the main window and type its %2 there, or clear \"Own "
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
        for (QWidget* w : {static_cast<QWidget*>(ui_.cmdCopy), static_cast<QWidget*>(ui_.cmdSave),
                 static_cast<QWidget*>(ui_.cmdCheapest), static_cast<QWidget*>(ui_.txtSalePrice)})
            w->setEnabled(true);
        if (!sameBlueprint) {
            // A new blueprint: its own price, and the last action's words go.
            const QSignalBlocker quiet(ui_.txtSalePrice);
            ui_.txtSalePrice->setText(Q(numbers::ToText(plan_->productPrice.value_or(0), fmt)));
            MarkSalePrice(QString());
            SetStatus(QString());
        }
        if (!sameShape)
            BuildTree();
        WriteValues();
        if (!sameShape) {
            // The check boxes' column, once a tree: a flip changes no box's size.
            ui_.tvwPlan->resizeColumnToContents(ColBuild);
            FitWidths();
        }
        // A figure not computed says why; once it is computed again, the reason goes.
        if (!plan::Trouble(*plan_, fmt).empty() || !salePriceAccepted_
            || (!troubleShown_.isEmpty() && statusShowsTrouble_))
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
    const int plan = needed(ui_.tvwPlan);
    const int shopping = needed(ui_.lvwShopping);
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
    QTreeWidget* tree = ui_.tvwPlan;
    const QSignalBlocker quiet(tree);
    tree->clear();
    const auto& nodes = plan_->nodes;
    items_.assign(nodes.size(), nullptr);
    rows_.assign(nodes.size(), RowShown{});
    planWidths_->Reset(nodes.size());
    // The shopping list starts over with the tree, measured anew.
    ui_.lvwShopping->clear();
    shoppingShown_.clear();
    shoppingWidths_->Reset(0);
    look_->italic = tree->font();
    look_->italic.setItalic(true);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const plan::Node& node = nodes[i];
        auto* item = new PlanItem(*look_, QBrush(BgrColour(i == 0 ? Colour::White : KindColour(node.name))));
        if (i != 0)
            items_[node.parent]->addChild(item);
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
    tree->addTopLevelItem(items_[0]);
}

QTreeWidgetItem* frmBuildPlan::TestItemOf(std::size_t node) const
{
    return node < items_.size() ? items_[node] : nullptr;
}

void frmBuildPlan::SetCell(std::size_t node, int column, const QString& text)
{
    if (static_cast<PlanItem*>(items_[node])->SetFigure(column, text))
        planWidths_->Written(node, column, text);
}

void frmBuildPlan::WriteValues()
{
    const NumberFormat& fmt = source_.format();
    const auto& nodes = plan_->nodes;
    {
        const QSignalBlocker quiet(ui_.tvwPlan);
        // A node is part of the job when every node above it is built.
        std::vector<char> reached(nodes.size(), 0);
        reached[0] = 1;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const plan::Node& n = nodes[i];
            if (i != 0)
                reached[i] = reached[n.parent] && nodes[n.parent].build ? 1 : 0;
            const bool made = n.Buildable();
            RowShown& was = rows_[i];
            const bool all = !was.written || was.made != made;
            if (all || was.quantity != n.quantity)
                SetCell(i, ColQuantity, Q(numbers::ToText(n.quantity, fmt)));
            if (all || was.runs != n.runs)
                SetCell(i, ColRuns, made ? Q(numbers::IntText(n.runs)) : QString());
            if (all || was.surplus != n.surplus)
                SetCell(i, ColSurplus, made ? Q(numbers::ToText(n.surplus, fmt)) : QString());
            // What one unit costs as decided, so that quantity times unit price is the
            // row's cost; the product's is the sale price the revenue is counted at.
            if (all || was.unitCost != n.unitCost)
                SetCell(i, ColUnitPrice, Money(n.unitCost, fmt));
            if (all || was.cost != n.cost)
                SetCell(i, ColCost, Money(n.cost, fmt));
            if (all || was.seconds != n.seconds || was.build != n.build)
                SetCell(i, ColTime, made && n.build ? Q(plan::DurationText(n.seconds)) : QString());
            auto* item = static_cast<PlanItem*>(items_[i]);
            if (i != 0 && made) {
                if (all || was.unitPrice != n.unitPrice)
                    item->setToolTip(ColUnitPrice,
                        QStringLiteral("Market price: ") + Q(sheet::CostText(n.unitPrice, fmt))
                            + QStringLiteral(" each.\nBuilt, the unit price is its materials' cost per unit."));
                const Qt::CheckState state = n.build ? Qt::Checked : Qt::Unchecked;
                if (item->checkState(ColBuild) != state)
                    item->setCheckState(ColBuild, state);
            }
            // Items of a bought component are shown for the choice, greyed and in
            // italics: the job does not need them.
            item->SetReached(reached[i] != 0);
            item->Written();
            // A component the plan turns to building opens to show what it takes.
            if ((all || was.build != n.build) && made && n.build && !item->isExpanded())
                item->setExpanded(true);
            was = RowShown{
                true, made, n.build, n.quantity, n.runs, n.surplus, n.unitPrice, n.unitCost, n.cost, n.seconds};
        }
        if (!items_.empty() && !items_[0]->isExpanded())
            items_[0]->setExpanded(true);
    }
    WriteTotals();
    WriteShopping();
    planWidths_->Fit();
    shoppingWidths_->Fit();
}

void frmBuildPlan::WriteTotals()
{
    const NumberFormat& fmt = source_.format();
    const plan::Plan& p = *plan_;
    const plan::Node& product = p.nodes[0];
    ui_.lblProduct->SetTexts(Q(product.name) + QStringLiteral(": ") + Q(numbers::IntText(product.runs))
        + (product.runs == 1 ? QStringLiteral(" run") : QStringLiteral(" runs")) + QStringLiteral(", ")
        + Q(numbers::ToText(product.quantity, fmt))
        + (product.quantity == 1 ? QStringLiteral(" unit") : QStringLiteral(" units")));
    SetCost(ui_.lblTotalCost, p.totals.cost, fmt);
    SetCost(ui_.lblCostPerUnit, p.totals.costPerUnit, fmt);
    SetCost(ui_.lblRevenue, p.totals.revenue, fmt);
    SetCost(ui_.lblProfit, p.totals.profit, fmt);
    SetCost(ui_.lblProfitPerUnit, p.totals.profitPerUnit, fmt);
    const QColor profitColour = BgrColour(p.totals.profit.value_or(0) < 0 ? kLoss : kGain);
    if (profitColour != profitColour_) {
        profitColour_ = profitColour;
        SetForeColour(ui_.lblProfit, profitColour);
        SetForeColour(ui_.lblProfitPerUnit, profitColour);
    }
    ui_.lblBuildTime->SetTexts(Q(plan::DurationText(p.totals.seconds)));
    QStringList skills;
    for (const plan::Skill& skill : p.skills)
        skills << Q(std::string(pricing::MaterialName(skill.name))) + ' ' + QString::number(skill.level);
    ui_.lblSkills->SetTexts(skills.isEmpty() ? QStringLiteral("none") : skills.join(QStringLiteral(", ")));
}

void frmBuildPlan::WriteShopping()
{
    const NumberFormat& fmt = source_.format();
    const auto& list = plan_->shopping;
    QTreeWidget* view = ui_.lvwShopping;
    // Rows are kept and rewritten where their figures change: a flip moves a few
    // items. Rows beyond the list go in one removal, new ones come written, in one
    // insertion.
    const int kept = std::min(view->topLevelItemCount(), static_cast<int>(list.size()));
    if (view->topLevelItemCount() > kept)
        view->model()->removeRows(kept, view->topLevelItemCount() - kept);
    shoppingShown_.resize(static_cast<std::size_t>(kept));
    shoppingWidths_->Resize(list.size());
    QList<QTreeWidgetItem*> added;
    for (std::size_t r = 0; r < list.size(); ++r) {
        const plan::ShoppingItem& bought = list[r];
        const bool known = r < shoppingShown_.size();
        const plan::ShoppingItem* was = known ? &shoppingShown_[r] : nullptr;
        ShopRow* row = known ? static_cast<ShopRow*>(view->topLevelItem(static_cast<int>(r))) : new ShopRow;
        if (!known)
            added << row;
        const auto set = [&](int column, const QString& text) {
            if (row->SetText(column, text))
                shoppingWidths_->Written(r, column, text);
        };
        if (!was || was->name != bought.name) {
            set(ShopItem, Q(bought.name));
            row->SetNameColour(QBrush(BgrColour(KindColour(bought.name))));
        }
        if (!was || was->quantity != bought.quantity)
            set(ShopQuantity, Q(numbers::ToText(bought.quantity, fmt)));
        if (!was || was->unitPrice != bought.unitPrice)
            set(ShopUnitPrice, Money(bought.unitPrice, fmt));
        if (!was || was->cost != bought.cost)
            set(ShopCost, Money(bought.cost, fmt));
        row->Written();
        if (known)
            shoppingShown_[r] = bought;
        else
            shoppingShown_.push_back(bought);
    }
    view->addTopLevelItems(added);
}

void frmBuildPlan::SetStatus(const QString& text)
{
    ui_.lblStatus->setText(text);
    statusShowsTrouble_ = false;
}

void frmBuildPlan::ShowTrouble()
{
    if (!plan_)
        return;
    troubleShown_ = salePriceAccepted_
        ? Q(plan::Trouble(*plan_, source_.format()))
        : QStringLiteral("Revenue and profit not computed: ") + ui_.txtSalePrice->toolTip();
    ui_.lblStatus->setText(troubleShown_);
    statusShowsTrouble_ = true;
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
    const NumberFormat& fmt = source_.format();
    const std::string text = S(ui_.txtSalePrice->text());
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
                  .arg(ui_.txtSalePrice->text(), QChar::fromLatin1(fmt.decSep));
    }
    MarkSalePrice(why);
    return price;
}

void frmBuildPlan::MarkSalePrice(const QString& why)
{
    salePriceAccepted_ = why.isEmpty();
    QPalette palette = ui_.txtSalePrice->palette();
    palette.setColor(QPalette::Base, BgrColour(salePriceAccepted_ ? Colour::White : kRefused));
    palette.setColor(QPalette::Text, BgrColour(kBlack));
    ui_.txtSalePrice->setPalette(palette);
    ui_.txtSalePrice->setToolTip(salePriceAccepted_
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
        SetCell(0, ColUnitPrice, Money(plan_->nodes[0].unitCost, source_.format()));
        static_cast<PlanItem*>(items_[0])->Written();
        rows_[0].unitCost = plan_->nodes[0].unitCost;
        planWidths_->Fit();
        WriteTotals();
        ShowTrouble();
    });
}

void frmBuildPlan::cmdCopy_Click()
{
    if (!plan_)
        return;
    try {
        QApplication::clipboard()->setText(Q(plan::ShoppingText(*plan_, source_.format())));
        QString done = QStringLiteral("Shopping list copied: %1 items.").arg(plan_->shopping.size());
        if (std::any_of(plan_->shopping.begin(), plan_->shopping.end(),
                [](const plan::ShoppingItem& item) { return !item.cost; }))
            done += QStringLiteral(" Costs beyond the largest number are copied as \"not computed\".");
        SetStatus(done);
    } catch (const Failure& e) {
        SetStatus(QStringLiteral("Shopping list not copied: ") + QString::fromLocal8Bit(e.what()));
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
    dialog.InitDir = source_.programFolder();
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
    const QString name = FileNameText(storage::NamePart(path));
    if (!source_.acceptExportTarget(path, QStringLiteral("the plan"))) {
        SetStatus(QStringLiteral("Plan not saved."));
        return;
    }
    try {
        // Whole or not at all: a failed save leaves an earlier file as it was.
        storage::WriteFileAtomically(path, plan::PlanCsv(plan));
    } catch (const Failure& e) {
        SetStatus(QStringLiteral("Plan not saved as ") + name + '.');
        ShowMessage(this, "The plan could not be saved:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    SetStatus(QStringLiteral("Plan saved as ") + name + '.');
}

} // namespace brenta::ui
