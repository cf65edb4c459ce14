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
#include "ui/main/ScrolledClient.h"
#include "ui/main/frmMain.h"
#include "ui/main/frmMainShared.h"

namespace brenta::ui {

using mainwindow::Q;
using mainwindow::S;

namespace {

constexpr int ClientWidth = 8490;
constexpr int ClientHeight = 8265;
constexpr int GridTop = 1800;
constexpr int GridHeight = 6375;
constexpr int FullGridHeight = 6615; // 25 rows: taller than the rule for fewer rows gives
constexpr int GridBottomMargin = 60;
constexpr int AboveAndBelowGrid = 2265; // outer height beyond the grid frames
constexpr int RowPitch = 240;
constexpr int CellHeight = 255;
constexpr int CellIndentPx = 3;

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

frmComparison::frmComparison(frmMain& main) : QWidget(nullptr), main_(&main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    SetupUi();
    // A window of the main window's: kept above it by the window system.
    winId();
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(main.windowHandle());

    main.setEnabled(false);
    // The main window closing closes this one first; its deletion takes this one along.
    main.installEventFilter(this);
    connect(&main, &QObject::destroyed, this, [this] {
        main_ = nullptr;
        delete this;
    });

    FormLoad();
    connect(txtFromML, &QLineEdit::textChanged, this, [this] { Compute(comparison::Side::Start); });
    connect(txtToML, &QLineEdit::textChanged, this, [this] { Compute(comparison::Side::End); });
    show();
}

frmComparison::~frmComparison()
{
    if (main_) {
        main_->removeEventFilter(this);
        main_->setEnabled(true);
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
        TwipsToPixels(GridHeight + GridBottomMargin), TwipsToPixels(2 * RowPitch + 375));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(parts.area);
    inputClient_ = parts.inputClient;
    gridClient_ = parts.gridClient;
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
    QWidget* const grid = gridClient_;
    fraMats = MakeFrame(grid, QStringLiteral("fraMats"), "Raw Materials Required", 120, 0, 4335, GridHeight,
        "These are the base (no waste material) requirements with Production Efficiency 5.");
    fraWaste[0]
        = MakeFrame(grid, QStringLiteral("fraWaste_0"), "Waste (Start)", 4560, 0, 1215, GridHeight, WasteToolTip);
    fraWaste[1]
        = MakeFrame(grid, QStringLiteral("fraWaste_1"), "Waste (End)", 5880, 0, 1215, GridHeight, WasteToolTip);
    fraSavings = MakeFrame(grid, QStringLiteral("fraSavings"), "Savings", 7200, 0, 1215, GridHeight, WasteToolTip);

    // Each value starts a little right of where its caption's place ends, so the two never run together.
    for (QLabel* value : {lblBuildCost1, lblBuildCost2, lblISKSavings, lblResearchTime})
        value->setIndent(CellIndentPx + 1);

    const Qt::Alignment nameAlign = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment numberAlign = Qt::AlignRight | Qt::AlignVCenter;
    const auto cell = [this](QGroupBox* frame, const QString& name, const char* text, int row, int left, int width,
                          Qt::Alignment align) {
        QLabel* label = MakeLabel(frame, name, text, left, RowPitch * (row + 1), width, CellHeight, align);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setIndent(CellIndentPx);
        SetForeColour(label, BgrColour(Colour::White));
        label->setProperty("row", row);
        label->installEventFilter(this);
        return label;
    };
    for (int r = 0; r < RowCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        lblPrefix[i] = cell(fraMats, Indexed("lblPrefix", r), "", r, 120, 3135, nameAlign);
        lblAmount[i] = cell(fraMats, Indexed("lblAmount", r), "0", r, 3240, 975, numberAlign);
        lblWaste[i] = cell(fraWaste[0], Indexed("lblWaste", r), "0", r, 120, 975, numberAlign);
        lblWaste[i + RowCount]
            = cell(fraWaste[1], Indexed("lblWaste", r + RowCount), "0", r, 120, 975, numberAlign);
        lblSavings[i] = cell(fraSavings, Indexed("lblSavings", r), "0", r, 120, 975, numberAlign);
    }

    FitTexts(this);
    setFixedSize(TwipsToPixels(ClientWidth), TwipsToPixels(ClientHeight));
}

void frmComparison::FormLoad() { Load(main_->ComparisonInput()); }

void frmComparison::Load(const ComparisonSource& source)
{
    // The base quantities belong to the rows, copied with them.
    baseQty_ = source.input.baseQty;
    txtFromML->setText(source.ml);
    txtToML->setText(txtFromML->text());
    setWindowTitle(QStringLiteral("ML to ML Comparison - ") + source.name);

    ShrinkFrame(0);
    for (std::int16_t r = 0; r < RowCount; ++r)
        UnhighlightRow(r);

    // The main window's filled rows, up to its first empty one.
    int copied = 0;
    for (const ComparisonSource::Row& row : source.rows) {
        if (copied >= RowCount)
            break;
        const auto i = static_cast<std::size_t>(copied);
        lblPrefix[i]->setText(row.caption);
        SetForeColour(lblPrefix[i], row.colour);
        lblAmount[i]->setText(row.amount);
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
    if (!main_)
        return;
    // The main window's live values (prices, skills, multipliers) with this
    // window's levels and copied rows.
    comparison::Input in = main_->ComparisonValues();
    in.fromText = S(txtFromML->text());
    in.toText = S(txtToML->text());
    in.baseQty = baseQty_;
    for (std::size_t r = 0; r < RowCount; ++r) {
        in.rows[r].caption = S(lblPrefix[r]->text());
        in.rows[r].amount = S(lblAmount[r]->text());
    }
    for (std::size_t j = 0; j < lblWaste.size(); ++j)
        in.waste[j] = S(lblWaste[j]->text());

    const comparison::Output out = comparison::Compute(in, side);

    const auto put = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(Q(*text));
    };
    const std::size_t column = side == comparison::Side::Start ? 0 : RowCount;
    for (std::size_t r = 0; r < RowCount; ++r) {
        put(lblWaste[column + r], out.waste[r]);
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
    for (int r = 0; r < RowCount; ++r) {
        const auto i = static_cast<std::size_t>(r);
        for (QLabel* cell : {lblPrefix[i], lblAmount[i], lblWaste[i], lblWaste[i + RowCount], lblSavings[i]})
            cell->setVisible(r <= maxIndex);
    }
    const int frameHeight = maxIndex == RowCount - 1
        ? FullGridHeight
        : numbers::Add16(numbers::Mul16(numbers::Add16(maxIndex, 1), RowPitch), 375);
    for (QGroupBox* frame : {fraMats, fraWaste[0], fraWaste[1], fraSavings})
        frame->setFixedHeight(TwipsToPixels(frameHeight));
    // The grid scrolls rather than hide its last rows on a screen too low for them.
    gridClient_->setFixedHeight(TwipsToPixels(frameHeight + GridBottomMargin));

    windowHeightTwips_ = frameHeight + AboveAndBelowGrid;
    // The outer height, title bar and borders included.
    SetOuterHeight(this, TwipsToPixels(windowHeightTwips_));
}

void frmComparison::HighlightRow(std::int16_t r)
{
    for (QLabel* cell :
        {At(lblPrefix, r), At(lblAmount, r), At(lblWaste, r), At(lblWaste, r + RowCount), At(lblSavings, r)})
        SetBackColour(cell, BgrColour(Colour::Navy));
    selectedRow_ = r;
}

void frmComparison::UnhighlightRow(std::int16_t r)
{
    const QColor stripe = BgrColour(r % 2 == 0 ? Colour::StripeEven : Colour::StripeOdd);
    for (QLabel* cell :
        {At(lblPrefix, r), At(lblAmount, r), At(lblWaste, r), At(lblWaste, r + RowCount), At(lblSavings, r)})
        SetBackColour(cell, stripe);
    if (selectedRow_ == r)
        selectedRow_.reset();
}

void frmComparison::Row_Click(std::int16_t r)
{
    if (selectedRow_ == r) {
        UnhighlightRow(r);
        return;
    }
    for (std::int16_t i = 0; i < RowCount; ++i)
        UnhighlightRow(i);
    HighlightRow(r);
}

bool frmComparison::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == main_) {
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
    if (main_)
        main_->setEnabled(true);
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
