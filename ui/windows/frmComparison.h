#pragma once

// The ML-to-ML comparison window: for the blueprint the main window shows, the waste
// of every material at a start and an end material level, the waste saved, the build
// cost at both levels, the money saved and the research time between them. It copies
// the main window's rows once when it opens and reads the main window's live values
// (prices, skills, multipliers) on every recomputation, through a ComparisonFeed; the
// main window stays disabled while it is open, so those cannot change underneath it.

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/Comparison.h"
#include "ui/main/MaterialGrid.h"
#include "ui/windows/ComparisonSource.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace brenta::ui {

class frmComparison : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = MaterialGrid::kRows;

    // Disables owner, loads the comparison of the blueprint feed.source gives and
    // shows the window, kept above owner. The window deletes itself when it is
    // closed, when owner closes and when owner is deleted; owner is enabled again
    // every way.
    frmComparison(QWidget& owner, ComparisonFeed feed);
    ~frmComparison() override;

    QLabel* lblFromML = nullptr;
    QLineEdit* txtFromML = nullptr;
    QLabel* lblToML = nullptr;
    QLineEdit* txtToML = nullptr;
    std::array<QLabel*, 2> lblWastageFactor{};
    std::array<QLineEdit*, 2> txtWastageFactor{};
    QGroupBox* fraAnalysis = nullptr;
    QLabel* lblBuildCost1Prefix = nullptr;
    QLabel* lblBuildCost1 = nullptr;
    QLabel* lblBuildCost2Prefix = nullptr;
    QLabel* lblBuildCost2 = nullptr;
    QLabel* lblSavingsPrefix = nullptr;
    QLabel* lblISKSavings = nullptr;
    QLabel* lblResearchTimePrefix = nullptr;
    QLabel* lblResearchTime = nullptr;
    QGroupBox* fraMats = nullptr;
    std::array<QGroupBox*, 2> fraWaste{};
    QGroupBox* fraSavings = nullptr;
    std::array<QLabel*, RowCount> lblPrefix{};
    std::array<QLabel*, RowCount> lblAmount{};
    std::array<QLabel*, comparison::kWasteCells> lblWaste{}; // start column 0..24, end column 25..49
    std::array<QLabel*, RowCount> lblSavings{};

    // Shows rows 0..maxIndex and fits the frames and the window to them.
    void ShrinkFrame(std::int16_t maxIndex);
    // A click on any cell of row r selects it, or clears it when it is selected.
    void Row_Click(std::int16_t r);

    // Takes the blueprint's name, the ML box and the filled rows from source and
    // computes both sides; opening the window loads the main window's.
    void Load(const ComparisonSource& source);

    // The window's outer height in twips, as the shown rows set it.
    int WindowHeightTwips() const { return windowHeightTwips_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetupUi();
    void FormLoad();
    // The start (txtFromML) or end (txtToML) computation.
    void Compute(comparison::Side side);

    QWidget* owner_; // nothing once it is gone
    ComparisonFeed feed_;
    // The parent of the controls above the grid, in the window's scrolled client.
    QWidget* inputClient_ = nullptr;
    // The grid's frames and cells, the rows shown and the selected row.
    MaterialGrid grid_;
    std::vector<std::int32_t> baseQty_; // of the copied rows
    // The copied rows' names and amounts and both waste columns as shown: what
    // every computation reads, never the cells' captions.
    std::array<comparison::Row, RowCount> rows_;
    std::array<std::string, comparison::kWasteCells> waste_;
    int windowHeightTwips_ = 0;
};

} // namespace brenta::ui
