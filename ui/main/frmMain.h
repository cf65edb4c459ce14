#pragma once

// The main window: owner of every piece of state for the whole run (the catalogue,
// the grid, the hidden lists, the shown blueprint) and the calculator the player
// works in. It reads its controls, calls the core and writes its controls.

#include <QColor>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/Numbers.h"
#include "calc/Comparison.h"
#include "calc/Job.h"
#include "catalogue/Catalogue.h"
#include "ui/main/frmMainUi.h"
#include "ui/windows/BuildPlanSource.h"
#include "ui/windows/ComparisonSource.h"

class QKeyEvent;
class QLineEdit;

namespace brenta::storage {
class SettingsStore;
}
namespace brenta::show {
struct Shown;
}
namespace brenta::priceimport {
struct Preview;
}
namespace brenta::pricing {
class Builders;
struct Facility;
struct GridRow;
} // namespace brenta::pricing

namespace brenta::ui {

class frmOpen;
class frmSave;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // programFolder holds the player's files and the icons, in the file system's
    // own bytes; settings is the per-user store; fmt carries the locale's
    // separators; executableName is the program's own file in that folder, which
    // no player's file may replace. The constructor runs the whole start-up and
    // shows the window.
    frmMain(std::string programFolder, storage::SettingsStore& settings, NumberFormat fmt,
        std::string executableName = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    // --- What the other windows and the tests read -------------------------------
    // The controls, for the tests and benchmarks alone, which drive the real
    // widgets. Other windows reach this one through its methods below.
    frmMainUi& ControlsForTests() { return ui; }
    const frmMainUi& ControlsForTests() const { return ui; }
    const Catalogue& Cat() const { return cat; }
    // The blueprint on display; nothing while none is.
    std::optional<std::int16_t> ShownIndex() const;
    // Where Back returns; nothing before "Find BP" or after the owned filter changed.
    std::optional<std::int16_t> BackIndex() const;
    // The type ID of grid row r's material, 0 for an empty row.
    std::int32_t RowMaterial(int r) const;
    // The prices file in use, a name in the program folder.
    const std::string& PricesFileName() const { return strPricesFile; }
    // Whether Always On Top is chosen in the menu.
    bool AlwaysOnTopChosen() const;
    // What the ML-to-ML comparison takes: the shown blueprint's name and rows as
    // shown, the ML box, and the sheet's live values.
    ComparisonSource ComparisonInput() const;
    // Only its live values, which every recomputation of the comparison reads.
    comparison::Input ComparisonValues() const;
    // The job on the sheet as data: what the sheet and every other window compute from.
    const job::Job& CurrentJob() const { return job_; }
    // The job on the sheet, as the build plan plans it; nothing while no
    // blueprint is on display.
    std::optional<SheetJob> ShownJob() const;

    // --- Operations ------------------------------------------------------------------
    void UpdateML();
    // Shows blueprint Index and recomputes the sheet once; false when its record
    // cannot be shown, and then nothing has changed.
    bool LoadBP(std::int16_t Index);
    void ShrinkFrame(std::int16_t maxIndex);
    void cboBP_Click();
    void ClearMaterialRows();
    void HighlightRow(std::int16_t r);
    void UnhighlightRow(std::int16_t r);
    // The waste graph of grid row Index at the window's right edge (frmMainResearch.cpp).
    void DrawGraphMLvWaste(std::int16_t Index);
    // Makes the prices file the open dialog confirmed the one in use (mode 2).
    void OpenPricesFile();
    // The open dialog, created on first use and kept for the run.
    frmOpen& OpenDialog();

    // Auto-pricing (frmMainPricing.cpp). FindMaterialBP gives the builder of an
    // item name without its kind prefix.
    void AutoPrice(std::int16_t labelIndex);
    std::optional<std::int16_t> FindMaterialBP(const std::string& strName);
    // What the build plan window takes from this one (frmMainBuildPlan.cpp).
    BuildPlanSource PlanSource();
    // --- Drill-down (frmMainDrillDown.cpp) ----------------------------------------------
    // Shows blueprint index without touching the selector and enables Back to the
    // blueprint shown until now. "Find BP" shows the blueprint that builds grid row
    // r's material this way.
    void ShowWithBack(std::int16_t index);
    void ShowBuilder(std::int16_t r);
    // True once the shut-down has begun: secondary windows closing then leave the
    // main window as it is.
    bool IsUnloading() const { return unloaded_; }

    // The window's outer height in twips, as the grid's row count sets it.
    int WindowHeightTwips() const { return windowHeightTwips_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    const NumberFormat& Format() const { return fmt_; }

    // Whether fileName can become the prices file in use; when it cannot (one of
    // the program's own names, or something in the program's folder that is not an
    // ordinary file), says so in one message.
    bool AcceptPricesFileName(const std::string& fileName);
    // Whether a file written for the player (what: "the report", "the plan") may go
    // to path: never over the program's own files or what is not an ordinary file
    // the player may write, and over another existing file only when the player
    // says so. Refusals are one message.
    bool AcceptExportTarget(const std::string& path, const QString& what);

    // Closes with nobody there to answer a message (a termination signal, the
    // session ending): what cannot be saved goes to standard error, and the
    // program ends even from inside another window's message.
    Q_INVOKABLE void CloseUnattended();

signals:
    // The sheet was recomputed or cleared: once per recomputation, so once for
    // every blueprint shown. An open build plan follows it.
    void SheetChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- Handlers only the window's own controls and menus call -----------------------
    void lblPrefix_Click(std::int16_t r);
    // The comparison of the shown blueprint.
    void MLtoML_Click();
    void cmdBack_Click();
    // Imports the list the open dialog confirmed (mode 1); writes the owned report
    // to the name the save dialog confirmed.
    void OpenBPList();
    void SaveBPList();
    frmSave& SaveDialog();
    void fraPPU_DblClick();
    void AutoPriceAll_Click();
    // Tools, "Build Plan" opens the plan of the shown job, or raises the one open.
    void BuildPlan_Click();
    // The context menu of a material (right button) and the floating button.
    void lblPrefix_MouseUp(std::int16_t Index, Qt::MouseButton Button);
    void cmdButtonize_Click();

    void FormLoad();
    void FormUnload();
    void InitializeArrays();
    std::optional<std::string> ReadPlayerFile(const std::string& fileName);
    // Whether a write to the prices file fileName would land on another of the
    // program's own files (a link to a picture or to the skills, say).
    bool LeadsToAnotherOwnFile(const std::string& fileName) const;
    void LoadSkills();
    void LoadPricesFile(const std::string& fileName);
    void LoadOwnedBPs();
    // The job's inputs, each read once from its control when it changes.
    void ReadSkills();
    void ReadPrice(int r);
    void ShowAmounts();
    void SetBoxQuietly(QLineEdit* box, job::Box& into, const std::string& text);
    bool Showing() const { return job_.shown.has_value(); }
    void PlaceWindow(std::int32_t xTwips, std::int32_t yTwips);
    void ShowIcon(std::int16_t id);
    void WriteShown(const show::Shown& shown);
    void ResetRow(int r, unsigned improveColour);
    void ShowWF(const QString& text);
    std::string FolderPath(const std::string& fileName) const;
    std::string SelectedRecord() const;
    // The listed name of a blueprint index; empty for an index the list does not hold.
    QString BlueprintName(std::int16_t index) const;
    bool CanCompare() const;
    void ConnectPricing();
    const pricing::Builders& BuilderLookup();
    pricing::Facility PricingFacility() const;
    std::vector<pricing::GridRow> GridRows() const;
    void ImportBPList(const std::string& path);
    void ExportBPList(const std::string& path);
    void SetUpDrillDown();
    // The blueprint that builds grid row r's material; a row whose type ID names
    // no item is a Failure.
    std::optional<std::int16_t> BuilderOfRow(std::int16_t r);
    // The menu entry and an open plan window follow what the sheet shows.
    void BuildPlanFollows();

    void txtML_Change();
    void txtPL_Change();
    void txtRuns_Change();
    // Input fields (frmMainInputs.cpp).
    void ConnectInputs();
    bool FilterInputKey(QObject* watched, QKeyEvent* event);
    void chkOwnThis_Click();
    void SavePrice(std::int16_t row);
    std::string ShownTypeId() const;
    void EditOwnedRecord(bool mlEdited);
    // Search, filter and Back (frmMainSearch.cpp).
    void ConnectSearch();
    void Search();
    void cmdClear_Click();
    void ShowUnowned_Click();
    void FillView(const std::vector<std::int16_t>& indexes);
    // The blueprint index selector entry k shows; nothing for an entry without one.
    std::optional<std::int16_t> ListedIndex(int k) const;
    void cboAssemblyArray_Click();
    void Exit_Click();
    void AOT_Click();
    void Improvements_Click();
    void PricesDatFile_Click();
    void PurchasedBPList_Click();
    void OwnedBPListExport_Click();

    // --- State ----------------------------------------------------------------------
    frmMainUi ui;
    Catalogue cat;
    std::int16_t curBP = 0;
    std::int16_t backBP = -1;
    // The job on the sheet: what every recomputation and every other window reads.
    // Its blueprint, curBP, is on display while it has one: LoadBP shows it,
    // ClearMaterialRows takes it away. The sheet, ML and PL edits, the ownership box
    // and saved prices follow the shown blueprint, never another selector entry (Back
    // and "Find BP" leave the selector as it was), and change nothing while nothing
    // is shown.
    job::Job job_;
    // The ideal column as the sheet last wrote it, for the waste graph.
    std::array<std::string, sheet::kRows> idealShown_;
    std::string strPricesFile;
    // Hidden lists beside the visible controls; cboBP entry k keeps its blueprint
    // index in its item data.
    std::vector<std::string> lstBPs; // name of blueprint index i

    std::string programFolder_;
    std::string executableName_;
    storage::SettingsStore& settings_;
    NumberFormat fmt_;
    // The file dialogs, each made on first use and kept for the run; made and taken
    // apart in frmMainBPList.cpp, which knows their types.
    struct FileDialogs {
        FileDialogs();
        FileDialogs(const FileDialogs&) = delete;
        FileDialogs& operator=(const FileDialogs&) = delete;
        ~FileDialogs();
        std::unique_ptr<frmOpen> open;
        std::unique_ptr<frmSave> save;
        std::unique_ptr<frmSave> prices; // the prices export's own, so it keeps its own name
    };
    FileDialogs dialogs_;
    int windowHeightTwips_ = 0;
    bool unloaded_ = false;
    bool unattended_ = false;
    std::set<std::string> unreadable_; // player's files that exist but could not be read
    std::vector<std::string> unreadableReasons_; // why, one line each, for the start-up message
    std::shared_ptr<const pricing::Builders> builders_; // made on first use; the records never change

    // --- Spreadsheets (frmMainSpreadsheet.cpp): prices pasted, imported and exported,
    // the sheet copied (Ctrl+C, the context menu) --------------------------------------
    void SetUpSpreadsheet();
    void CopySheet();
    void PastePrices_Click();
    void ImportPrices_Click();
    void ExportPrices_Click();
    void ImportPricesFile(const std::string& path);
    void ExportPrices(const std::string& path);
    // The preview of a table of prices from source; Apply stores them.
    void PreviewPrices(const std::string& text, const QString& source);
    void ApplyImportedPrices(const priceimport::Preview& preview);
};

} // namespace brenta::ui
