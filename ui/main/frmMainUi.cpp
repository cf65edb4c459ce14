#include "ui/main/frmMainUi.h"

#include "calc/InputFields.h"
#include "ui/main/FittedTexts.h"
#include "ui/main/Look.h"
#include "ui/main/MaterialGrid.h"
#include "ui/main/ScrolledClient.h"
#include "ui/main/WheelGuard.h"

#include <QAbstractListModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace brenta::ui {

namespace {

// The blueprint selector's entries: each listed blueprint's name with its index as
// the item data (Qt::UserRole), replaced in one reset. A plain list is much cheaper
// to fill with thousands of names than one item object per entry, and a name
// becomes text for the selector only when it is first shown or searched, once.
class BlueprintListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void SetNames(const std::vector<std::string>* names)
    {
        beginResetModel();
        names_ = names;
        shown_.clear();
        indexes_.clear();
        endResetModel();
    }

    void Replace(const std::vector<std::int16_t>& indexes)
    {
        beginResetModel();
        indexes_ = indexes;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(indexes_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= indexes_.size())
            return {};
        const std::int16_t bp = indexes_[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            if (!names_ || bp < 0 || static_cast<std::size_t>(bp) >= names_->size())
                return QString();
            QString& shown = shown_[bp];
            if (shown.isNull())
                shown = QString::fromStdString((*names_)[static_cast<std::size_t>(bp)]);
            return shown;
        }
        if (role == Qt::UserRole)
            return QVariant::fromValue(bp);
        return {};
    }

    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override
    {
        if (parent.isValid() || row < 0 || count <= 0
            || static_cast<std::size_t>(row) + static_cast<std::size_t>(count) > indexes_.size())
            return false;
        beginRemoveRows(parent, row, row + count - 1);
        indexes_.erase(indexes_.begin() + row, indexes_.begin() + row + count);
        endRemoveRows();
        return true;
    }

private:
    const std::vector<std::string>* names_ = nullptr; // by blueprint index
    mutable QHash<std::int16_t, QString> shown_; // names_ as the selector's text, once asked for
    std::vector<std::int16_t> indexes_; // the listed blueprints, in order
};

// Client area of the design: the full width, and a height that shows the grid
// frames at their design height. The height changes with the filled rows later.
constexpr int ClientWidth = 11280;
constexpr int ClientHeight = 9135;
constexpr int GridTop = 2640; // where the grid's own client starts
constexpr int GridBottomMargin = 120;
constexpr int PriceBoxHeight = 285;

constexpr Qt::Alignment NameAlign = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment NumberAlign = Qt::AlignRight | Qt::AlignVCenter;

template <class W>
W* Place(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(TwipRect(left, top, width, height));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, Qt::Alignment align, int left, int top,
    int width, int height)
{
    auto* label = Place(new QLabel(text, parent), name, left, top, width, height);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align);
    return label;
}

QLineEdit* MakeTextBox(
    QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    return Place(new QLineEdit(text, parent), name, left, top, width, height);
}

QComboBox* MakeList(QWidget* parent, const char* name, std::initializer_list<const char*> entries, int left,
    int top, int width, int height)
{
    auto* list = Place(new QComboBox(parent), name, left, top, width, height);
    list->setEditable(false);
    for (const char* entry : entries)
        list->addItem(QString::fromLatin1(entry));
    return list;
}

QPushButton* MakeButton(
    QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    return Place(new QPushButton(caption, parent), name, left, top, width, height);
}

QCheckBox* MakeCheckBox(
    QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    return Place(new QCheckBox(caption, parent), name, left, top, width, height);
}

QMenu* MakeMenu(QWidget* parent, const char* name, const QString& title)
{
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* MakeAction(QMenu* menu, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

QAction* MakeCheckAction(QMenu* menu, const char* name, const QString& caption, bool checked)
{
    QAction* action = MakeAction(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

void frmMainUi::setupUi(QMainWindow* window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("frmMain"));
    window->setWindowTitle(QString());
    // Single-line border without a maximise box: title, system menu, minimise and close only.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // A small font keeps every text inside the 255-twip grid rows.
    QFont font = window->font();
    font.setPointSize(8);
    window->setFont(font);
    // The background is fixed, so every colour drawn on it is too, whatever the desktop's.
    SetFixedColours(window);

    // The client: the inputs (the input strip and the analysis frame) above the grid.
    // On a screen too small for the window both scroll sideways together, and the
    // grid alone scrolls up and down under the inputs, which stay in view; only on a
    // screen too low for the inputs and two rows does the whole client scroll.
    const ScrolledClient parts = MakeScrolledClient(TwipsToPixels(ClientWidth), TwipsToPixels(GridTop),
        TwipsToPixels(ClientHeight - GridTop), TwipsToPixels(MaterialGrid::kFewRowsTwips));
    window->setCentralWidget(parts.area);
    centralWidget = parts.client;
    inputArea = parts.inputArea;
    inputClient = parts.inputClient;
    gridArea = parts.gridArea;
    gridClient = parts.gridClient;
    QWidget* const client = inputClient;

    // Input strip: two rows of caption + field pairs above the analysis frame.
    constexpr int row1 = 120;
    constexpr int row2 = 510;
    constexpr int boxHeight = 285;
    constexpr int buttonHeight = 315;
    const Qt::Alignment captionAlign = Qt::AlignRight | Qt::AlignVCenter;

    lblML
        = MakeLabel(client, "lblML", QStringLiteral("&Material Level:"), captionAlign, 120, row1, 1245, boxHeight);
    txtML = MakeTextBox(client, "txtML", QStringLiteral("0"), 1425, row1, 615, boxHeight);
    lblWF = MakeLabel(
        client, "lblWF", QStringLiteral("&Wastage Factor:"), captionAlign, 2160, row1, 1350, boxHeight);
    txtWF = MakeTextBox(client, "txtWF", QStringLiteral("0.1"), 3570, row1, 1110, boxHeight);
    lblPL = MakeLabel(client, "lblPL", QStringLiteral("&Prod. Level:"), captionAlign, 4800, row1, 990, boxHeight);
    txtPL = MakeTextBox(client, "txtPL", QStringLiteral("0"), 5850, row1, 615, boxHeight);
    lblRuns = MakeLabel(client, "lblRuns", QStringLiteral("&Runs:"), captionAlign, 6585, row1, 495, boxHeight);
    txtRuns = MakeTextBox(client, "txtRuns", QStringLiteral("1"), 7140, row1, 975, boxHeight);
    lblBatchSizePrefix = MakeLabel(
        client, "lblBatchSizePrefix", QStringLiteral("B&atch Size:"), captionAlign, 8235, row1, 945, boxHeight);
    txtBatchSize = MakeTextBox(client, "txtBatchSize", QStringLiteral("1"), 9240, row1, 615, boxHeight);
    cmdButtonize
        = MakeButton(client, "cmdButtonize", QStringLiteral("Buttonize"), 9960, row1 - 15, 1215, buttonHeight);

    // The blueprint selector lines up with the cost column of the analysis frame.
    lblBPSearch
        = MakeLabel(client, "lblBPSearch", QStringLiteral("&Search:"), captionAlign, 120, row2, 630, buttonHeight);
    txtSearch = MakeTextBox(client, "txtSearch", QString(), 810, row2, 2235, buttonHeight);
    cmdClear = MakeButton(client, "cmdClear", QStringLiteral("Clear"), 3105, row2, 780, buttonHeight);
    lblBPSelect = MakeLabel(
        client, "lblBPSelect", QStringLiteral("&Blueprint:"), captionAlign, 3945, row2, 915, buttonHeight);
    cboBP = MakeList(client, "cboBP", {}, 4920, row2, 3570, buttonHeight);
    // Thousands of names and nothing else: a list of strings keeps them as they are,
    // where the standard model would make (and later delete) an item of each.
    cboBP->setModel(new BlueprintListModel(cboBP));
    cmdBack = MakeButton(client, "cmdBack", QStringLiteral("Back"), 8550, row2, 780, buttonHeight);
    chkOwnThis
        = MakeCheckBox(client, "chkOwnThis", QStringLiteral("Own this BPO"), 9450, row2, 1725, buttonHeight);

    for (QLineEdit* readOnly : {txtWF, txtBatchSize}) {
        readOnly->setReadOnly(true);
        SetBackColour(readOnly, BgrColour(Colour::Grey));
    }
    // The tool tips' words are the design's own and stay as they are, also where the
    // behaviour differs (the run count is capped at 1,000,000; the search box lists
    // every match anew; a typed price uses the locale's decimal separator).
    txtRuns->setToolTip(QStringLiteral("Capped at %1").arg(fields::kMaxRuns));
    txtBatchSize->setToolTip(QStringLiteral("How many items are produced per run."));
    txtSearch->setToolTip(QStringLiteral("Press the enter key to search.  Pressing enter without changing your "
                                         "query will find the next match after the current one."));
    chkOwnThis->setEnabled(false);
    cmdBack->setEnabled(false);

    // Analysis frame. Children use coordinates inside the frame (window left 120, top 960).
    constexpr int frameLeft = 120;
    constexpr int frameTop = 960;
    fraAnalysis = Place(new QFrame(client), "fraAnalysis", frameLeft, frameTop, 11055, 1575);
    fraAnalysis->setFrameStyle(QFrame::Box | QFrame::Sunken);
    SetBackColour(fraAnalysis, BgrColour(Colour::Grey));
    QWidget* const analysis = fraAnalysis;

    pctIcon = Place(new QLabel(analysis), "pctIcon", 120, 285, 990, 990);
    pctIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetBackColour(pctIcon, BgrColour(Colour::StripeEven));

    // Results in two columns of caption + value: efficiency and times beside the icon,
    // costs in the middle. Rows 270 apart; the fifth row holds the lab box and the
    // assembly array selector.
    constexpr int resultRows[] = {120, 390, 660, 930, 1200};
    constexpr int resultHeight = 255;
    const Qt::Alignment resultCaption = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment resultValue = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr int timeCaptionLeft = 1230;
    constexpr int timeCaptionWidth = 1575;
    constexpr int timeValueLeft = 2850;
    constexpr int timeValueWidth = 1920;
    constexpr int costCaptionLeft = 4800; // the assembly array selector's left edge too
    constexpr int costCaptionWidth = 1830;
    constexpr int costValueLeft = 6690;
    constexpr int costValueWidth = 1980;

    auto result = [&](const char* name, const QString& text, bool caption, int row, int left, int width) {
        return MakeLabel(analysis, name, text, caption ? resultCaption : resultValue, left, resultRows[row], width,
            resultHeight);
    };
    const QString noTime = QStringLiteral("0D 0H 0M 0S");
    const QString noCost = QStringLiteral("0 ISK");

    lblEfficiencyPrefix
        = result("lblEfficiencyPrefix", QStringLiteral("Efficiency:"), true, 0, timeCaptionLeft, timeCaptionWidth);
    lblEfficiency = result("lblEfficiency", QStringLiteral("0%"), false, 0, timeValueLeft, timeValueWidth);
    lblBuildTimePrefix
        = result("lblBuildTimePrefix", QStringLiteral("Build Time:"), true, 1, timeCaptionLeft, timeCaptionWidth);
    lblBuildTime = result("lblBuildTime", noTime, false, 1, timeValueLeft, timeValueWidth);
    lblTimePrefix
        = result("lblTimePrefix", QStringLiteral("ML Research Time:"), true, 2, timeCaptionLeft, timeCaptionWidth);
    lblTime = result("lblTime", noTime, false, 2, timeValueLeft, timeValueWidth);
    Label1 = result("Label1", QStringLiteral("PL Research Time:"), true, 3, timeCaptionLeft, timeCaptionWidth);
    lblPLTime = result("lblPLTime", noTime, false, 3, timeValueLeft, timeValueWidth);

    lblBuildCostPrefix = result(
        "lblBuildCostPrefix", QStringLiteral("Build Cost (Total):"), true, 0, costCaptionLeft, costCaptionWidth);
    lblBuildCost = result("lblBuildCost", noCost, false, 0, costValueLeft, costValueWidth);
    lblBuildWastePrefix = result(
        "lblBuildWastePrefix", QStringLiteral("Build Cost (Waste):"), true, 1, costCaptionLeft, costCaptionWidth);
    lblBuildWaste = result("lblBuildWaste", noCost, false, 1, costValueLeft, costValueWidth);
    lblCostPerUnitPrefix = result("lblCostPerUnitPrefix", QStringLiteral("Cost Per Unit (Total):"), true, 2,
        costCaptionLeft, costCaptionWidth);
    lblCostPerUnit = result("lblCostPerUnit", noCost, false, 2, costValueLeft, costValueWidth);
    lblWastePerUnitPrefix = result("lblWastePerUnitPrefix", QStringLiteral("Cost Per Unit (Waste):"), true, 3,
        costCaptionLeft, costCaptionWidth);
    lblWastePerUnit = result("lblWastePerUnit", noCost, false, 3, costValueLeft, costValueWidth);

    // Fixed words of the design.
    lblEfficiency->setToolTip(QStringLiteral("(1-Waste/Total)*100%"));
    lblTimePrefix->setToolTip(QStringLiteral("Material Level Research Time"));
    Label1->setToolTip(QStringLiteral("Productivity Level Research Time"));

    chkPOSLab = MakeCheckBox(analysis, "chkPOSLab", QStringLiteral("POS Lab"), timeCaptionLeft, 1230, 1200, 255);
    chkPOSLab->setToolTip(QStringLiteral("25% Faster Research"));

    // Left 4920, top 2160 in window coordinates.
    cboAssemblyArray = MakeList(analysis, "cboAssemblyArray",
        {"None", "Equipment", "Rapid Equipment", "Ammunition", "Drone", "Component", "Capital Ship", "Large Ship",
            "Medium Ship", "Small Ship", "Adv. Large Ship", "Adv. Medium Ship", "Adv. Small Ship", "Subsystem",
            "X-Large Ship"},
        4920 - frameLeft, 2160 - frameTop, 2100, 315);
    // No selection yet: start-up's selection of "None" must register as a change.
    cboAssemblyArray->setCurrentIndex(-1);

    // Skill selectors stacked at the right, each with its caption to its right.
    constexpr int skillRows[] = {105, 450, 795, 1140};
    constexpr int skillHeight = 300;
    constexpr int skillListLeft = 8880;
    constexpr int skillListWidth = 555;
    constexpr int skillCaptionLeft = 9495;
    constexpr int skillCaptionWidth = 1350;
    auto skill = [&](QComboBox*& list, QLabel*& caption, const char* listName, const char* captionName,
                     const QString& text, int row) {
        list = MakeList(analysis, listName, {"0", "1", "2", "3", "4", "5"}, skillListLeft, skillRows[row],
            skillListWidth, skillHeight);
        caption = MakeLabel(analysis, captionName, text, Qt::AlignLeft | Qt::AlignVCenter, skillCaptionLeft,
            skillRows[row], skillCaptionWidth, skillHeight);
    };
    skill(cboMetallurgy, lblMetallurgy, "cboMetallurgy", "lblMetallurgy", QStringLiteral("Meta&llurgy"), 0);
    skill(cboPE, lblPE, "cboPE", "lblPE", QStringLiteral("Prod. &Efficiency"), 1);
    skill(cboResearch, lblResearch, "cboResearch", "lblResearch", QStringLiteral("Resear&ch"), 2);
    skill(cboIndustry, lblIndustry, "cboIndustry", "lblIndustry", QStringLiteral("&Industry"), 3);
    // Fixed words of the design, "ME" and "PE" included.
    for (QWidget* w : std::initializer_list<QWidget*>{cboMetallurgy, lblMetallurgy})
        w->setToolTip(QStringLiteral("5% per level reduction in ME research time."));
    for (QWidget* w : std::initializer_list<QWidget*>{cboPE, lblPE})
        w->setToolTip(QStringLiteral("5% per level reduction in waste material."));
    lblResearch->setToolTip(QStringLiteral("5% per level reduction in PE research time."));
    lblIndustry->setToolTip(QStringLiteral("4% per level reduction production time."));

    // Material grid.
    grid.SetClient(gridClient, GridBottomMargin);
    fraMats = grid.AddFrame(QStringLiteral("fraMats"), QStringLiteral("Ideal Materials Required"),
        QStringLiteral("Ideal materials required with Production Efficiency 5."), 120, 4335);
    fraPPU = grid.AddFrame(QStringLiteral("fraPPU"), QStringLiteral("Unit Price"),
        QStringLiteral("Double-click here for auto-pricing."), 4560, 1335);
    fraWaste = grid.AddFrame(QStringLiteral("fraWaste"), QStringLiteral("Waste"),
        QStringLiteral("The amount of waste material used in production.  Researching the BPO will reduce the "
                       "waste."),
        6000, 1215);
    fraTotal = grid.AddFrame(QStringLiteral("fraTotal"), QStringLiteral("Total"),
        QStringLiteral("This is what you'll see on an un-researched BPO if you have Production Efficiency 5."),
        7320, 1215);
    fraIdealML = grid.AddFrame(QStringLiteral("fraIdealML"), QStringLiteral("Ideal ML"),
        QStringLiteral("This is the ML at which you will have 0 waste material."), 8640, 1215);
    fraNextImprovement = grid.AddFrame(
        QStringLiteral("fraNextImprovement"), QStringLiteral("Improve At..."), QString(), 9960, 1215);

    const QString zero = QStringLiteral("0");
    lblPrefix = grid.AddLabelColumn(fraMats, "lblPrefix", QString(), NameAlign, 120, 3135, Colour::White);
    lblAmount = grid.AddLabelColumn(fraMats, "lblAmount", zero, NumberAlign, 3240, 975, Colour::White);
    lblWaste = grid.AddLabelColumn(fraWaste, "lblWaste", zero, NumberAlign, 120, 975, Colour::White);
    lblTotal = grid.AddLabelColumn(fraTotal, "lblTotal", zero, NumberAlign, 120, 975, Colour::Cyan);
    lblIdeal = grid.AddLabelColumn(fraIdealML, "lblIdeal", zero, NumberAlign, 120, 975, Colour::White);
    lblImprove = grid.AddLabelColumn(fraNextImprovement, "lblImprove", zero, NumberAlign, 120, 975, Colour::White);
    MaterialGrid::Column priceCells{};
    for (int row = 0; row < RowCount; ++row) {
        const QByteArray name = "txtPPU_" + QByteArray::number(row);
        // Boxes are 285 high on a 240 pitch, so each overlaps the next; without a border
        // they read as one striped column like the label cells.
        QLineEdit* box
            = MakeTextBox(fraPPU, name.constData(), zero, 120, MaterialGrid::RowTop(row), 1095, PriceBoxHeight);
        box->setFrame(false);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Fixed words of the design, although a typed price follows the locale.
        box->setToolTip(
            QStringLiteral("ISK per unit, uses point-decimal (US) format, press Enter to save a new price value"));
        txtPPU[static_cast<std::size_t>(row)] = box;
        priceCells[static_cast<std::size_t>(row)] = box;
    }
    grid.AddColumn(priceCells, Colour::White, MaterialGrid::Selection::KeepsStripe);

    // Menus. The bar's titles take the usual Alt mnemonics; entries have no accelerator
    // or shortcut.
    menuBar = window->menuBar();
    menuBar->setObjectName(QStringLiteral("menuBar"));

    File = MakeMenu(menuBar, "File", QStringLiteral("&File"));
    menuBar->addMenu(File);
    Import = MakeMenu(File, "Import", QStringLiteral("Import"));
    File->addMenu(Import);
    MaterialList = MakeMenu(Import, "MaterialList", QStringLiteral("Material List"));
    Import->addMenu(MaterialList);
    PricesDatFile = MakeAction(MaterialList, "PricesDatFile", QStringLiteral("Prices *.dat File"));
    MMIOFF = MakeAction(MaterialList, "MMIOFF", QStringLiteral("Matari Mineral Index (Offline)"));
    MMIOFF->setEnabled(false);
    MMION = MakeAction(MaterialList, "MMION", QStringLiteral("Matari Mineral Index (Online)"));
    MMION->setEnabled(false);
    MMION->setVisible(false);
    PurchasedBPList = MakeAction(Import, "PurchasedBPList", QStringLiteral("Purchased BP List"));
    Export = MakeMenu(File, "Export", QStringLiteral("Export"));
    File->addMenu(Export);
    OwnedBPListExport = MakeAction(Export, "OwnedBPListExport", QStringLiteral("Owned BPs (*.txt)"));
    PricesSep = File->addSeparator();
    PricesSep->setObjectName(QStringLiteral("PricesSep"));
    PastePrices = MakeAction(File, "PastePrices", QStringLiteral("Paste Prices"));
    ImportPrices = MakeAction(File, "ImportPrices", QStringLiteral("Import Prices\u2026"));
    ExportPrices = MakeAction(File, "ExportPrices", QStringLiteral("Export Prices\u2026"));
    FileSep0 = File->addSeparator();
    FileSep0->setObjectName(QStringLiteral("FileSep0"));
    Exit = MakeAction(File, "Exit", QStringLiteral("Exit"));

    Tools = MakeMenu(menuBar, "Tools", QStringLiteral("&Tools"));
    menuBar->addMenu(Tools);
    MLtoML = MakeAction(Tools, "MLtoML", QStringLiteral("ML to ML Calculations"));
    Graph = MakeAction(Tools, "Graph", QStringLiteral("Graph"));
    Graph->setEnabled(false);
    OrderSheet = MakeAction(Tools, "OrderSheet", QStringLiteral("Order Sheet (TBA)"));
    OrderSheet->setEnabled(false);
    AutoPriceAll = MakeAction(Tools, "AutoPriceAll", QStringLiteral("Auto-Price All"));
    BuildPlan = MakeAction(Tools, "BuildPlan", QStringLiteral("Build Plan"));
    BuildPlan->setEnabled(false);
    AOT = MakeCheckAction(Tools, "AOT", QStringLiteral("Always on Top"), false);

    Options = MakeMenu(menuBar, "Options", QStringLiteral("&Options"));
    menuBar->addMenu(Options);
    ShowUnowned = MakeCheckAction(Options, "ShowUnowned", QStringLiteral("Display Unowned BPs"), true);
    Improvements = MakeCheckAction(Options, "Improvements", QStringLiteral("Show Next Improvement"), false);

    // Each caption takes its box to the focus with Alt and its underlined letter;
    // the letters differ from each other and from the menu bar's (F, T, O).
    const std::pair<QLabel*, QWidget*> captions[] = {{lblML, txtML}, {lblWF, txtWF}, {lblPL, txtPL},
        {lblRuns, txtRuns}, {lblBatchSizePrefix, txtBatchSize}, {lblBPSearch, txtSearch}, {lblBPSelect, cboBP},
        {lblMetallurgy, cboMetallurgy}, {lblPE, cboPE}, {lblResearch, cboResearch}, {lblIndustry, cboIndustry}};
    for (const auto& [caption, box] : captions)
        caption->setBuddy(box);

    // Keyboard order: the input strip, the lab box and skills, then the assembly array
    // and the price boxes from the top row down.
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (QWidget* w : std::initializer_list<QWidget*>{txtML, txtWF, txtPL, txtRuns, txtBatchSize, cmdButtonize,
             txtSearch, cmdClear, cboBP, cmdBack, chkOwnThis, chkPOSLab, cboMetallurgy, cboPE, cboResearch,
             cboIndustry, cboAssemblyArray})
        chain(w);
    for (QLineEdit* box : txtPPU)
        chain(box);

    for (QMenu* menu : window->findChildren<QMenu*>())
        SetFixedColours(menu);
    FitTexts(centralWidget);
    for (QComboBox* box : {cboBP, cboMetallurgy, cboPE, cboResearch, cboIndustry, cboAssemblyArray})
        WheelNeedsFocus(box);

    window->setFixedSize(TwipsToPixels(ClientWidth), menuBar->sizeHint().height() + TwipsToPixels(ClientHeight));
}

void frmMainUi::SetBlueprintNames(const std::vector<std::string>* names)
{
    static_cast<BlueprintListModel*>(cboBP->model())->SetNames(names);
}

void frmMainUi::FillBlueprints(const std::vector<std::int16_t>& indexes)
{
    static_cast<BlueprintListModel*>(cboBP->model())->Replace(indexes);
    cboBP->setCurrentIndex(-1);
}

} // namespace brenta::ui
