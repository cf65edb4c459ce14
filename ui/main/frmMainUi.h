// The widgets of the main window frmMain: every control, frame and menu entry, each
// under its design name (member name and objectName alike). No behaviour lives here
// beyond the material grid's own (its rows shown, its selected row: MaterialGrid);
// frmMain builds this once with setupUi and connects the handlers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/main/MaterialGrid.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QString;
class QWidget;
template <typename T>
class QList;
using QStringList = QList<QString>;

namespace brenta::ui {

struct frmMainUi {
    // Rows of the material grid; row i is element i of every cell array.
    static constexpr int RowCount = MaterialGrid::kRows;
    using LabelColumn = MaterialGrid::LabelColumn;

    // The client (in the window's scroll area), the inputs' area and the grid's.
    QWidget* centralWidget = nullptr;
    QScrollArea* inputArea = nullptr;
    QWidget* inputClient = nullptr;
    QScrollArea* gridArea = nullptr;
    QWidget* gridClient = nullptr;
    QMenuBar* menuBar = nullptr;

    // Input strip.
    QLabel* lblML = nullptr;
    QLineEdit* txtML = nullptr;
    QLabel* lblWF = nullptr;
    QLineEdit* txtWF = nullptr;
    QLabel* lblPL = nullptr;
    QLineEdit* txtPL = nullptr;
    QLabel* lblRuns = nullptr;
    QLineEdit* txtRuns = nullptr;
    QLabel* lblBatchSizePrefix = nullptr;
    QLineEdit* txtBatchSize = nullptr;
    QPushButton* cmdButtonize = nullptr;
    QLabel* lblBPSearch = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdClear = nullptr;
    QLabel* lblBPSelect = nullptr;
    QComboBox* cboBP = nullptr;
    QPushButton* cmdBack = nullptr;
    QCheckBox* chkOwnThis = nullptr;

    // Analysis frame: results, lab, icon, skills and assembly array.
    QFrame* fraAnalysis = nullptr;
    QLabel* lblEfficiencyPrefix = nullptr;
    QLabel* lblEfficiency = nullptr;
    QLabel* lblBuildCostPrefix = nullptr;
    QLabel* lblBuildCost = nullptr;
    QLabel* lblBuildWastePrefix = nullptr;
    QLabel* lblBuildWaste = nullptr;
    QLabel* lblCostPerUnitPrefix = nullptr;
    QLabel* lblCostPerUnit = nullptr;
    QLabel* lblWastePerUnitPrefix = nullptr;
    QLabel* lblWastePerUnit = nullptr;
    QLabel* lblTimePrefix = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblPLTime = nullptr;
    QLabel* lblBuildTimePrefix = nullptr;
    QLabel* lblBuildTime = nullptr;
    QCheckBox* chkPOSLab = nullptr;
    QLabel* pctIcon = nullptr;
    QComboBox* cboMetallurgy = nullptr;
    QLabel* lblMetallurgy = nullptr;
    QComboBox* cboPE = nullptr;
    QLabel* lblPE = nullptr;
    QComboBox* cboResearch = nullptr;
    QLabel* lblResearch = nullptr;
    QComboBox* cboIndustry = nullptr;
    QLabel* lblIndustry = nullptr;
    QComboBox* cboAssemblyArray = nullptr;

    // Material grid: six frames side by side, one cell per row in each.
    QGroupBox* fraMats = nullptr;
    QGroupBox* fraPPU = nullptr;
    QGroupBox* fraWaste = nullptr;
    QGroupBox* fraTotal = nullptr;
    QGroupBox* fraIdealML = nullptr;
    QGroupBox* fraNextImprovement = nullptr;
    LabelColumn lblPrefix{};
    LabelColumn lblAmount{};
    std::array<QLineEdit*, RowCount> txtPPU{};
    LabelColumn lblWaste{};
    LabelColumn lblTotal{};
    LabelColumn lblIdeal{};
    LabelColumn lblImprove{};
    // The grid's frames and cells, the rows shown and the selected row.
    MaterialGrid grid;

    // Menu bar.
    QMenu* File = nullptr;
    QMenu* Import = nullptr;
    QMenu* MaterialList = nullptr;
    QAction* PricesDatFile = nullptr;
    QAction* MMIOFF = nullptr;
    QAction* MMION = nullptr;
    QAction* PurchasedBPList = nullptr;
    QMenu* Export = nullptr;
    QAction* OwnedBPListExport = nullptr;
    // Prices to and from spreadsheets.
    QAction* PricesSep = nullptr;
    QAction* PastePrices = nullptr;
    QAction* ImportPrices = nullptr;
    QAction* ExportPrices = nullptr;
    QAction* FileSep0 = nullptr;
    QAction* Exit = nullptr;
    QMenu* Tools = nullptr;
    QAction* MLtoML = nullptr;
    QAction* Graph = nullptr;
    QAction* OrderSheet = nullptr;
    QAction* AutoPriceAll = nullptr;
    QAction* BuildPlan = nullptr;
    QAction* AOT = nullptr;
    QMenu* Options = nullptr;
    QAction* ShowUnowned = nullptr;
    QAction* Improvements = nullptr;

    // Creates all of the above on window, with the design's geometry, texts, tool tips,
    // colours, entries and tab order. The window gets a fixed size showing the whole
    // grid; its height follows the grid later (set it with setFixedHeight).
    void setupUi(QMainWindow* window);

    // The name of every blueprint index, for the blueprint selector to list. They are
    // not copied: the caller keeps them unchanged until it takes them back (nullptr).
    void SetBlueprintNames(const std::vector<std::string>* names);
    // Lists the blueprints of indexes in the blueprint selector by their names, in one
    // batch, with none of them chosen; each entry keeps its blueprint index
    // (indexes[k]) as its item data.
    void FillBlueprints(const std::vector<std::int16_t>& indexes);
};

} // namespace brenta::ui
