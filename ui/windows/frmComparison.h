#pragma once

// The ML-to-ML comparison window: for the blueprint the main window shows, the waste
// of every material at a start and an end material level, the waste saved, the build
// cost at both levels, the money saved and the research time between them. It copies
// the main window's rows once when it opens and reads the main window's live values
// (prices, skills, multipliers) on every recomputation; the main window stays disabled
// while it is open, so those cannot change underneath it.

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/Comparison.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace brenta::ui {

class frmMain;
struct ComparisonSource;

class frmComparison : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = comparison::kRows;

    // Disables main, loads the comparison of its shown blueprint and shows the window.
    // The window deletes itself when it is closed, when main closes and when main is
    // deleted; main is enabled again every way.
    explicit frmComparison(frmMain& main);
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
    void HighlightRow(std::int16_t r);
    void UnhighlightRow(std::int16_t r);
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

    frmMain* main_;
    // The parents of the controls above the grid and of the grid's, in the window's
    // scrolled client.
    QWidget* inputClient_ = nullptr;
    QWidget* gridClient_ = nullptr;
    std::vector<std::int32_t> baseQty_; // of the copied rows
    std::optional<std::int16_t> selectedRow_; // the row drawn highlighted, if any
    int windowHeightTwips_ = 0;
};

} // namespace brenta::ui
