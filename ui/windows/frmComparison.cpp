#include "ui/windows/frmComparison.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/main/FittedTexts.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/main/QtText.h"
#include "ui/main/ScrolledClient.h"

namespace brenta::ui {

namespace {

constexpr int ClientWidth = 8490;
constexpr int ClientHeight = 8265;
constexpr int GridTop = 1800;
constexpr int GridBottomMargin = 60;
constexpr int AboveAndBelowGrid = 2265; // outer height beyond the grid frames

const char* const WasteToolTip
    = "The amount of waste material used in production.  Researching the BPO will reduce the waste.";

template <class W>
W* Place(W* widget, const QString& name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(TwipRect(left, top, width, height));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const char* text, int left, int top, int width, int height,
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = Place(new QLabel(QString::fromLatin1(text), parent), name, left, top, width, height);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align);
    return label;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const char* caption, int left, int top, int width,
    int height, const char* toolTip = nullptr)
{
    auto* frame = Place(new QGroupBox(QString::fromLatin1(caption), parent), name, left, top, width, height);
    if (toolTip)
        frame->setToolTip(QString::fromLatin1(toolTip));
    SetBackColour(frame, BgrColour(Colour::Grey));
    return frame;
}

QString Indexed(const char* name, int i) { return QString::fromLatin1(name) + '_' + QString::number(i); }

} // namespace

frmComparison::frmComparison(QWidget& owner, ComparisonFeed feed)
    : QWidget(nullptr), owner_(&owner), feed_(std::move(feed))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // As the cells start: no name, every figure 0.
    for (comparison::Row& row : rows_)
        row.amount = "0";
    waste_.fill("0");
    SetupUi();
    // A window of the owner's: kept above it by the window system.
    winId();
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(owner.windowHandle());

    owner.setEnabled(false);
    // The owner closing closes this one first; its deletion takes this one along.
    owner.installEventFilter(this);
    connect(&owner, &QObject::destroyed, this, [this] {
        owner_ = nullptr;
        delete this;
    });

    FormLoad();
    connect(txtFromML, &QLineEdit::textChanged, this, [this] { Compute(comparison::Side::Start); });
    connect(txtToML, &QLineEdit::textChanged, this, [this] { Compute(comparison::Side::End); });
    show();
}

frmComparison::~frmComparison()
{
    if (owner_) {
        owner_->removeEventFilter(this);
        owner_->setEnabled(true);
    }
}

void frmComparison::SetupUi()
{
    setObjectName(QStringLiteral("frmComparison"));
    setWindowTitle(QStringLiteral("ML to ML Comparison"));
    // Single-line border without a maximise box, as fixed as the main window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont small = font();
    small.setPointSize(8); // keeps every text inside the 255-twip rows, as in the main window
    setFont(small);
    // The background is fixed, so every colour drawn on it is too, whatever the desktop's.
    SetFixedColours(this);

    // The levels and the analysis stay in view over the grid, which scrolls under
    // them on a screen too small for the window.
    const ScrolledClient parts = MakeScrolledClient(TwipsToPixels(ClientWidth), TwipsToPixels(GridTop),
        TwipsToPixels(MaterialGrid::kDesignFrameHeight + GridBottomMargin),
        TwipsToPixels(MaterialGrid::kFewRowsTwips));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(parts.area);
    inputClient_ = parts.inputClient;
    grid_.SetClient(parts.gridClient, GridBottomMargin);
    QWidget* const inputs = inputClient_;

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    lblFromML = MakeLabel(inputs, QStringLiteral("lblFromML"), "From ML:", 120, 150, 735, 255, right);
    txtFromML
        = Place(new QLineEdit(QStringLiteral("0"), inputs), QStringLiteral("txtFromML"), 960, 120, 1215, 285);
    lblToML = MakeLabel(inputs, QStringLiteral("lblToML"), "To ML:", 120, 510, 735, 255, right);
    txtToML = Place(new QLineEdit(QStringLiteral("0"), inputs), QStringLiteral("txtToML"), 960, 480, 1215, 285);
    for (int i = 0; i < 2; ++i) {
        const int top = i == 0 ? 120 : 480;
        lblWastageFactor[i]
            = MakeLabel(inputs, Indexed("lblWastageFactor", i), "Wastage Factor:", 2280, top + 30, 1215, 255);
        QLineEdit* box = Place(
            new QLineEdit(QStringLiteral("0.1"), inputs), Indexed("txtWastageFactor", i), 3600, top, 1455, 285);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        SetBackColour(box, BgrColour(Colour::Grey));
        txtWastageFactor[i] = box;
    }

    fraAnalysis = MakeFrame(inputs, QStringLiteral("fraAnalysis"), "Analysis", 120, 840, 8295, 855);
    lblBuildCost1Prefix = MakeLabel(
        fraAnalysis, QStringLiteral("lblBuildCost1Prefix"), "Build Cost (Start):", 120, 240, 1335, 255);
    lblBuildCost1 = MakeLabel(fraAnalysis, QStringLiteral("lblBuildCost1"), "0 ISK", 1440, 240, 2655, 255);
    lblBuildCost2Prefix
        = MakeLabel(fraAnalysis, QStringLiteral("lblBuildCost2Prefix"), "Build Cost (End):", 120, 480, 1335, 225);
    lblBuildCost2 = MakeLabel(fraAnalysis, QStringLiteral("lblBuildCost2"), "0 ISK", 1440, 480, 2655, 225);
    lblSavingsPrefix = MakeLabel(fraAnalysis, QStringLiteral("lblSavingsPrefix"), "Savings:", 4320, 240, 735, 255);
    lblISKSavings = MakeLabel(fraAnalysis, QStringLiteral("lblISKSavings"), "0 ISK", 5520, 240, 2655, 255);
    lblResearchTimePrefix
        = MakeLabel(fraAnalysis, QStringLiteral("lblResearchTimePrefix"), "Research Time:", 4320, 480, 1215, 225);
    lblResearchTime
        = MakeLabel(fraAnalysis, QStringLiteral("lblResearchTime"), "0D 0H 0M 0S", 5520, 480, 2295, 225);

    // The grid's frames, at the top of its own client.
    const QString wasteTip = QString::fromLatin1(WasteToolTip);
    fraMats = grid_.AddFrame(QStringLiteral("fraMats"), QStringLiteral("Raw Materials Required"),
        QStringLiteral("These are the base (no waste material) requirements with Production Efficiency 5."), 120,
        4335);
    fraWaste[0]
        = grid_.AddFrame(QStringLiteral("fraWaste_0"), QStringLiteral("Waste (Start)"), wasteTip, 4560, 1215);
    fraWaste[1]
        = grid_.AddFrame(QStringLiteral("fraWaste_1"), QStringLiteral("Waste (End)"), wasteTip, 5880, 1215);
    fraSavings = grid_.AddFrame(QStringLiteral("fraSavings"), QStringLiteral("Savings"), wasteTip, 7200, 1215);

    // Each value starts a little right of where its caption's place ends, so the two never run together.
    for (QLabel* value : {lblBuildCost1, lblBuildCost2, lblISKSavings, lblResearchTime})
        value->setIndent(MaterialGrid::kCellIndentPx + 1);

    const Qt::Alignment nameAlign = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment numberAlign = Qt::AlignRight | Qt::AlignVCenter;
    const auto cell = [this](QGroupBox* frame, const QString& name, const char* text, int row, int left, int width,
                          Qt::Alignment align) {
        QLabel* label = MaterialGrid::MakeCell(frame, name, QString::fromLatin1(text), align, row, left, width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setProperty("row", row);
        label->installEventFilter(this);
        return label;
    };
    // Row by row, so each row's cells lie over the row above where they meet.
    for (int r = 0; r < RowCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        lblPrefix[i] = cell(fraMats, Indexed("lblPrefix", r), "", r, 120, 3135, nameAlign);
        lblAmount[i] = cell(fraMats, Indexed("lblAmount", r), "0", r, 3240, 975, numberAlign);
        lblWaste[i] = cell(fraWaste[0], Indexed("lblWaste", r), "0", r, 120, 975, numberAlign);
        lblWaste[i + RowCount]
            = cell(fraWaste[1], Indexed("lblWaste", r + RowCount), "0", r, 120, 975, numberAlign);
        lblSavings[i] = cell(fraSavings, Indexed("lblSavings", r), "0", r, 120, 975, numberAlign);
    }
    const auto column = [](const auto& cells, std::size_t first) {
        MaterialGrid::Column widgets{};
        for (std::size_t r = 0; r < RowCount; ++r)
            widgets[r] = cells[first + r];
        return widgets;
    };
    for (const MaterialGrid::Column& cells : {column(lblPrefix, 0), column(lblAmount, 0), column(lblWaste, 0),
             column(lblWaste, RowCount), column(lblSavings, 0)})
        grid_.AddColumn(cells, Colour::White);

    FitTexts(this);
    setFixedSize(TwipsToPixels(ClientWidth), TwipsToPixels(ClientHeight));
}

void frmComparison::FormLoad() { Load(feed_.source()); }

void frmComparison::Load(const ComparisonSource& source)
{
    // The base quantities belong to the rows, copied with them.
    baseQty_ = source.input.baseQty;
    txtFromML->setText(source.ml);
    txtToML->setText(txtFromML->text());
    setWindowTitle(QStringLiteral("ML to ML Comparison - ") + source.name);

    ShrinkFrame(0);
    grid_.ClearSelection();

    // The main window's filled rows, up to its first empty one.
    int copied = 0;
    for (const ComparisonSource::Row& row : source.rows) {
        if (copied >= RowCount)
            break;
        const auto i = static_cast<std::size_t>(copied);
        lblPrefix[i]->setText(row.caption);
        SetForeColour(lblPrefix[i], row.colour);
        lblAmount[i]->setText(row.amount);
        rows_[i].caption = S(row.caption);
        rows_[i].amount = S(row.amount);
        SetForeColour(lblAmount[i], row.colour);
        ++copied;
    }
    if (copied >= 2)
        ShrinkFrame(static_cast<std::int16_t>(copied - 1));

    Compute(comparison::Side::Start);
    Compute(comparison::Side::End);
}

void frmComparison::Compute(comparison::Side side)
{
    if (!owner_)
        return;
    // The main window's live values (prices, skills, multipliers) with this
    // window's levels and copied rows.
    comparison::Input in = feed_.values();
    in.fromText = S(txtFromML->text());
    in.toText = S(txtToML->text());
    in.baseQty = baseQty_;
    for (std::size_t r = 0; r < RowCount; ++r) {
        in.rows[r].caption = rows_[r].caption;
        in.rows[r].amount = rows_[r].amount;
    }
    in.waste = waste_;

    const comparison::Output out = comparison::Compute(in, side);

    const auto put = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(Q(*text));
    };
    const std::size_t column = side == comparison::Side::Start ? 0 : RowCount;
    for (std::size_t r = 0; r < RowCount; ++r) {
        put(lblWaste[column + r], out.waste[r]);
        if (out.waste[r])
            waste_[column + r] = *out.waste[r];
        put(lblSavings[r], out.savings[r]);
    }
    put(lblBuildCost1, out.buildCostStart);
    put(lblBuildCost2, out.buildCostEnd);
    put(lblISKSavings, out.iskSavings);
    put(lblResearchTime, out.researchTime);
    if (out.wastageFactor) {
        QLineEdit* box = txtWastageFactor[static_cast<std::size_t>(side)];
        box->setText(Q(*out.wastageFactor));
        box->setCursorPosition(0);
    }
}

void frmComparison::ShrinkFrame(std::int16_t maxIndex)
{
    windowHeightTwips_ = grid_.ShowRows(maxIndex) + AboveAndBelowGrid;
    // The outer height, title bar and borders included.
    SetOuterHeight(this, TwipsToPixels(windowHeightTwips_));
}

void frmComparison::Row_Click(std::int16_t r) { grid_.ClickRow(r); }

bool frmComparison::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == owner_) {
        if (event->type() == QEvent::Close)
            close();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QVariant row = watched->property("row");
        if (row.isValid()) {
            Row_Click(static_cast<std::int16_t>(row.toInt()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmComparison::closeEvent(QCloseEvent* event)
{
    if (owner_)
        owner_->setEnabled(true);
    QWidget::closeEvent(event);
}

void frmComparison::keyPressEvent(QKeyEvent* event)
{
    // Escape closes it like any other dialog-like window.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace brenta::ui
