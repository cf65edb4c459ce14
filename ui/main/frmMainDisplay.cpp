#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

#include "calc/Ideal.h"
#include "calc/Sheet.h"
#include "calc/Show.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/Folders.h"
#include "storage/OwnedFile.h"
#include "storage/PricesFile.h"
#include "storage/Settings.h"
#include "storage/SkillsFile.h"
#include "storage/TextFile.h"
#include "ui/main/FittedTexts.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/main/Placement.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/AlwaysOnTop.h"

namespace brenta::ui {

using namespace mainwindow;

// The record of the blueprint on display, also when Back or "Find BP" reached it and
// the selector names another blueprint or none.
std::string frmMain::SelectedRecord() const
{
    if (!Showing() || curBP < 0 || static_cast<std::size_t>(curBP) >= cat.strBPs.size())
        return {};
    return std::string(cat.strBPs[static_cast<std::size_t>(curBP)]);
}

QString frmMain::BlueprintName(std::int16_t index) const
{
    const auto i = static_cast<std::size_t>(index);
    return i < lstBPs.size() ? Q(lstBPs[i]) : QString();
}

std::optional<std::int16_t> frmMain::ShownIndex() const
{
    if (!Showing())
        return std::nullopt;
    return curBP;
}

std::optional<std::int16_t> frmMain::BackIndex() const
{
    if (backBP < 0)
        return std::nullopt;
    return backBP;
}

std::int32_t frmMain::RowMaterial(int r) const
{
    if (r < 0 || r >= kRows)
        throw Failure("No grid row " + std::to_string(r));
    const show::Row* row = job::RowOf(job_, r);
    return row ? row->typeId : 0;
}

bool frmMain::AlwaysOnTopChosen() const { return ui.AOT->isChecked(); }

std::optional<SheetJob> frmMain::ShownJob() const
{
    if (!Showing())
        return std::nullopt;
    // The plan costs the job's own materials at the prices the sheet reads from its
    // boxes, typed or saved; a box that reads as no price leaves the stored one.
    std::map<std::int32_t, double> prices;
    for (std::size_t r = 0; r < job_.shown->rows.size() && r < job_.prices.size(); ++r) {
        try {
            prices[job_.shown->rows[r].typeId] = numbers::ToNumber(job_.prices[r], fmt_);
        } catch (const Failure&) {
        }
    }
    return SheetJob{curBP, job_.runs.number, job_.ml.number, job_.pl.number, std::move(prices), job_.skills.pe,
        job_.skills.industry, job_.matMult, job_.timeMult};
}

ComparisonSource frmMain::ComparisonInput() const
{
    ComparisonSource source;
    // Named after the blueprint on display, whatever the selector names.
    source.name = BlueprintName(curBP);
    source.ml = Q(job_.ml.text);
    const auto amounts = job::AmountTexts(job_, fmt_);
    for (int r = 0; r < kRows; ++r) {
        const show::Row* row = job::RowOf(job_, r);
        if (!row || row->name.empty())
            break;
        source.rows.push_back(
            {Q(row->name), Q(amounts[static_cast<std::size_t>(r)]), BgrColour(KindColour(row->name))});
    }
    source.input = ComparisonValues();
    return source;
}

comparison::Input frmMain::ComparisonValues() const { return job::ComparisonInput(job_, fmt_); }

void frmMain::UpdateML()
{
    const sheet::Output out = sheet::Compute(job::SheetInput(job_, cat, fmt_));

    const auto put = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(Q(*text));
    };
    for (int r = 0; r < kRows; ++r) {
        const auto& row = out.rows[static_cast<std::size_t>(r)];
        put(ui.lblWaste[r], row.waste);
        put(ui.lblTotal[r], row.total);
        put(ui.lblIdeal[r], row.ideal);
        if (row.ideal)
            idealShown_[static_cast<std::size_t>(r)] = *row.ideal;
        put(ui.lblImprove[r], row.improve);
        if (row.improveReached)
            SetForeColour(ui.lblImprove[r], BgrColour(*row.improveReached ? Colour::Green : Colour::White));
    }
    put(ui.lblEfficiency, out.efficiency);
    put(ui.lblBuildCost, out.buildCost);
    put(ui.lblCostPerUnit, out.costPerUnit);
    put(ui.lblBuildWaste, out.buildWaste);
    put(ui.lblWastePerUnit, out.wastePerUnit);
    put(ui.lblBuildTime, out.buildTime);
    put(ui.lblTime, out.mlTime);
    put(ui.lblPLTime, out.plTime);
    if (out.wf)
        ShowWF(Q(*out.wf));
    BuildPlanFollows();
}

// The amount column follows the run count the job's amounts show.
void frmMain::ShowAmounts()
{
    if (!job_.shown)
        return;
    const auto amounts = job::AmountTexts(job_, fmt_);
    for (std::size_t r = 0; r < job_.shown->rows.size() && r < amounts.size(); ++r)
        ui.lblAmount[r]->setText(Q(amounts[r]));
}

// Sets a level or run box without its reaction and takes its new text into the job.
void frmMain::SetBoxQuietly(QLineEdit* box, job::Box& into, const std::string& text)
{
    SetTextQuietly(box, Q(text));
    into = job::Box::Read(text, fmt_);
}

void frmMain::cboBP_Click()
{
    const int k = ui.cboBP->currentIndex();
    if (k < 0)
        return;
    // An entry that names no blueprint shows nothing.
    if (const auto index = ListedIndex(k))
        LoadBP(*index);
}

void frmMain::ShowIcon(std::int16_t id)
{
    // The picture is read through the folder's own bytes, never through text: a
    // folder name that is not UTF-8 still finds its icons.
    const std::string icons = FolderPath("icons");
    QPixmap picture;
    for (const std::string& name : {std::to_string(id) + ".jpg", std::string("unknown.jpg")}) {
        const std::string path = storage::JoinPath(icons, name);
        if (!storage::IsPlayerFile(path))
            continue;
        try {
            const std::string bytes = storage::ReadWholeFile(path);
            if (picture.loadFromData(
                    reinterpret_cast<const uchar*>(bytes.data()), static_cast<uint>(bytes.size())))
                break;
        } catch (const Failure&) {
            // An unreadable picture is no picture: try the fallback.
        }
    }
    ui.pctIcon->setPixmap(picture);
}

bool frmMain::LoadBP(std::int16_t Index)
{
    show::Shown shown;
    try {
        shown = show::ShowBlueprint(Index, cat, show::Levels{job_.ml.text, job_.pl.text}, fmt_);
    } catch (const Failure&) {
        // A record the display cannot read is abandoned before anything is written:
        // the display and everything stored stay as they were.
        return false;
    }
    WriteShown(shown);
    UpdateML();
    return true;
}

// Writes a shown blueprint into the window and takes the owned record as showing
// left it. The boxes are written without their reactions, which would rebuild the
// owned record (ShowBlueprint did) and recompute the sheet half-written; the caller
// recomputes it once.
void frmMain::WriteShown(const show::Shown& shown)
{
    // Back, once "Find BP" or Back itself enables it, returns to the blueprint shown until now.
    const QString backTo = Showing() && static_cast<std::size_t>(curBP) < lstBPs.size()
        ? QStringLiteral("Back to ") + BlueprintName(curBP)
        : QString();
    ui.cmdBack->setToolTip(backTo);
    ui.cmdBack->setStatusTip(backTo);
    curBP = shown.index;
    // The selector may name another blueprint after "Find BP" or Back; the icon names the one shown.
    ui.pctIcon->setToolTip(BlueprintName(curBP));
    job_.shown = shown;
    ShowIcon(shown.typeId);
    if (shown.ownedRecord)
        cat.strOwned[static_cast<std::size_t>(curBP)] = *shown.ownedRecord;

    ui.chkOwnThis->setChecked(shown.owned);
    SetBoxQuietly(ui.txtML, job_.ml, shown.levels.ml);
    SetBoxQuietly(ui.txtPL, job_.pl, shown.levels.pl);
    ui.txtBatchSize->setText(Q(shown.batchText));

    for (int r = 0; r < kRows; ++r)
        ResetRow(r, Colour::Green);
    ShrinkFrame(0);
    if (!shown.rows.empty())
        ShrinkFrame(static_cast<std::int16_t>(shown.rows.size() - 1));
    for (std::size_t row = 0; row < shown.rows.size(); ++row) {
        const show::Row& material = shown.rows[row];
        const int r = static_cast<int>(row);
        ui.lblPrefix[r]->setText(Q(material.name));
        ui.txtPPU[r]->setText(Q(material.priceText));
        const QColor colour = BgrColour(KindColour(material.name));
        SetForeColour(ui.lblPrefix[r], colour);
        SetForeColour(ui.lblAmount[r], colour);
    }

    ui.chkOwnThis->setEnabled(!ui.cboBP->currentText().isEmpty());
    // The sheet writes the efficiency only for a job that costs something; a new
    // blueprint starts from the empty value, so an unpriced one never shows the
    // figure of the blueprint before it.
    ui.lblEfficiency->setText(QStringLiteral("0%"));
    // A new blueprint starts at one run.
    SetBoxQuietly(ui.txtRuns, job_.runs, "1");
    job_.amountRuns = 1;
    ShowAmounts();
    ui.cmdBack->setEnabled(false);
}

void frmMain::ShrinkFrame(std::int16_t maxIndex)
{
    const int frameHeight = ui.grid.ShowRows(maxIndex);
    windowHeightTwips_ = OuterHeightTwips(frameHeight);
    // The outer height, title bar and borders included, from start-up on.
    SetOuterHeight(this, TwipsToPixels(windowHeightTwips_));
}

// An empty row: no name, zeros everywhere, no material; its background stays.
void frmMain::ResetRow(int r, unsigned improveColour)
{
    ui.lblPrefix[r]->setText(QString());
    SetForeColour(ui.lblPrefix[r], BgrColour(Colour::White));
    ui.lblAmount[r]->setText(QStringLiteral("0"));
    SetForeColour(ui.lblAmount[r], BgrColour(Colour::White));
    for (QLabel* cell : {ui.lblWaste[r], ui.lblTotal[r], ui.lblIdeal[r], ui.lblImprove[r]})
        cell->setText(QStringLiteral("0"));
    SetForeColour(ui.lblImprove[r], BgrColour(improveColour));
    ui.txtPPU[r]->setText(QStringLiteral("0"));
    idealShown_[static_cast<std::size_t>(r)] = "0";
}

void frmMain::ClearMaterialRows()
{
    job_.shown.reset();
    ui.pctIcon->setPixmap(QPixmap());
    ui.pctIcon->setToolTip(QString());
    for (int r = 0; r < kRows; ++r)
        ResetRow(r, Colour::White);
    // With nothing on display every computed value shows its empty value, as at
    // start-up, and no row stays selected.
    ui.lblEfficiency->setText(QStringLiteral("0%"));
    for (QLabel* cost : {ui.lblBuildCost, ui.lblBuildWaste, ui.lblCostPerUnit, ui.lblWastePerUnit})
        cost->setText(QStringLiteral("0 ISK"));
    for (QLabel* time : {ui.lblBuildTime, ui.lblTime, ui.lblPLTime})
        time->setText(QStringLiteral("0D 0H 0M 0S"));
    for (std::int16_t r = 0; r < kRows; ++r)
        UnhighlightRow(r);
    ui.cboBP->setCurrentIndex(-1);
    // The boxes' own reactions would recompute once each: the one recomputation
    // below writes the wastage factor of ML 0 and tells an open plan.
    SetBoxQuietly(ui.txtML, job_.ml, "0");
    SetBoxQuietly(ui.txtPL, job_.pl, "0");
    ui.txtBatchSize->setText(QStringLiteral("1"));
    SetBoxQuietly(ui.txtRuns, job_.runs, "1");
    job_.amountRuns = 1;
    ShrinkFrame(0);
    UpdateML();
}

void frmMain::HighlightRow(std::int16_t r) { ui.grid.HighlightRow(r); }

void frmMain::UnhighlightRow(std::int16_t r) { ui.grid.UnhighlightRow(r); }

void frmMain::lblPrefix_Click(std::int16_t r) { ui.grid.ClickRow(r); }

} // namespace brenta::ui
