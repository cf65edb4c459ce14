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
    if (!bShown || curBP < 0 || static_cast<std::size_t>(curBP) >= cat.strBPs.size())
        return {};
    return cat.strBPs[static_cast<std::size_t>(curBP)];
}

QString frmMain::BlueprintName(std::int16_t index) const
{
    const auto i = static_cast<std::size_t>(index);
    return i < lstBPs.size() ? Q(lstBPs[i]) : QString();
}

std::optional<std::int16_t> frmMain::ShownIndex() const
{
    if (!bShown)
        return std::nullopt;
    return curBP;
}

std::optional<std::int16_t> frmMain::BackIndex() const
{
    if (backBP < 0)
        return std::nullopt;
    return backBP;
}

std::int32_t frmMain::RowMaterial(int r) const { return At(lstCurrentIDs, r); }

bool frmMain::AlwaysOnTopChosen() const { return ui.AOT->isChecked(); }

std::optional<SheetJob> frmMain::ShownJob() const
{
    if (!bShown)
        return std::nullopt;
    return SheetJob{curBP, S(ui.txtRuns->text()), S(ui.txtML->text()), S(ui.txtPL->text()),
        ui.cboPE->currentIndex(), ui.cboIndustry->currentIndex(), dblMatMult, dblTimeMult};
}

ComparisonSource frmMain::ComparisonInput() const
{
    ComparisonSource source;
    // Named after the blueprint on display, whatever the selector names.
    source.name = BlueprintName(curBP);
    source.ml = ui.txtML->text();
    for (int r = 0; r < kRows && !ui.lblPrefix[r]->text().isEmpty(); ++r)
        source.rows.push_back({ui.lblPrefix[r]->text(), ui.lblAmount[r]->text(), ForeColour(ui.lblPrefix[r])});
    source.input = ComparisonValues();
    return source;
}

comparison::Input frmMain::ComparisonValues() const
{
    comparison::Input in;
    in.fmt = fmt_;
    in.fromText = in.toText = S(ui.txtML->text());
    in.pe = ui.cboPE->currentIndex();
    in.matMult = dblMatMult;
    in.baseWastageFactor = baseWastageFactor;
    in.runsText = S(ui.txtRuns->text());
    in.baseQty = lngBaseQty;
    in.times = strTimes;
    in.metallurgy = ui.cboMetallurgy->currentIndex();
    in.posLab = ui.chkPOSLab->isChecked();
    for (std::size_t r = 0; r < static_cast<std::size_t>(kRows) && r < in.rows.size(); ++r)
        in.rows[r] = {S(ui.lblPrefix[r]->text()), S(ui.lblAmount[r]->text()), S(ui.txtPPU[r]->text())};
    return in;
}

void frmMain::UpdateML()
{
    sheet::Input in;
    in.fmt = fmt_;
    in.mlText = S(ui.txtML->text());
    in.plText = S(ui.txtPL->text());
    in.runsText = S(ui.txtRuns->text());
    in.batchText = S(ui.txtBatchSize->text());
    in.pe = ui.cboPE->currentIndex();
    in.industry = ui.cboIndustry->currentIndex();
    in.metallurgy = ui.cboMetallurgy->currentIndex();
    in.research = ui.cboResearch->currentIndex();
    in.posLab = ui.chkPOSLab->isChecked();
    in.matMult = dblMatMult;
    in.timeMult = dblTimeMult;
    in.baseWastageFactor = baseWastageFactor;
    in.blueprintSelected = bShown;
    in.improvements = ui.Improvements->isChecked();
    if (in.blueprintSelected) {
        in.times = strTimes;
        in.selectedRecord = SelectedRecord();
        for (int r = 0; r < kRows; ++r) {
            auto& row = in.rows[static_cast<std::size_t>(r)];
            row.caption = S(ui.lblPrefix[r]->text());
            row.amount = S(ui.lblAmount[r]->text());
            row.price = S(ui.txtPPU[r]->text());
        }
        in.baseQty = lngBaseQty;
    }

    const sheet::Output out = sheet::Compute(in);

    const auto put = [](QLabel* label, const std::optional<std::string>& text) {
        if (text)
            label->setText(Q(*text));
    };
    for (int r = 0; r < kRows; ++r) {
        const auto& row = out.rows[static_cast<std::size_t>(r)];
        put(ui.lblWaste[r], row.waste);
        put(ui.lblTotal[r], row.total);
        put(ui.lblIdeal[r], row.ideal);
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

void frmMain::ApplyRunsToAmounts()
{
    const double runs = numbers::ToNumber(S(ui.txtRuns->text()), fmt_);
    const auto materials = sheet::ShownMaterials(At(cat.strBPs, curBP), fmt_);
    for (std::size_t row = 0; row < materials.size(); ++row) {
        const int r = static_cast<int>(row);
        // Only rows the shown blueprint filled; skill rows keep the required level.
        if (lstCurrentIDs[row] == 0 || sheet::IsSkillRow(S(ui.lblPrefix[r]->text())))
            continue;
        ui.lblAmount[r]->setText(Q(numbers::ToText(numbers::Finite(materials[row].quantity * runs), fmt_)));
    }
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
        shown = show::ShowBlueprint(Index, cat, show::Levels{S(ui.txtML->text()), S(ui.txtPL->text())}, fmt_);
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
    const QString backTo = bShown && static_cast<std::size_t>(curBP) < lstBPs.size()
        ? QStringLiteral("Back to ") + BlueprintName(curBP)
        : QString();
    ui.cmdBack->setToolTip(backTo);
    ui.cmdBack->setStatusTip(backTo);
    curBP = shown.index;
    bShown = true;
    // The selector may name another blueprint after "Find BP" or Back; the icon names the one shown.
    ui.pctIcon->setToolTip(BlueprintName(curBP));
    strTimes = shown.times;
    baseWastageFactor = shown.baseWastageFactor;
    ShowIcon(shown.typeId);
    if (shown.ownedRecord)
        cat.strOwned[static_cast<std::size_t>(curBP)] = *shown.ownedRecord;

    ui.chkOwnThis->setChecked(shown.owned);
    SetTextQuietly(ui.txtML, Q(shown.levels.ml));
    SetTextQuietly(ui.txtPL, Q(shown.levels.pl));
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
        lstCurrentIDs[row] = material.typeId;
        ui.txtPPU[r]->setText(Q(material.priceText));
        const QColor colour = BgrColour(KindColour(material.name));
        SetForeColour(ui.lblPrefix[r], colour);
        SetForeColour(ui.lblAmount[r], colour);
        ui.lblAmount[r]->setText(Q(material.amountText));
        lngBaseQty[row] = material.quantity;
    }

    ui.chkOwnThis->setEnabled(!ui.cboBP->currentText().isEmpty());
    // The sheet writes the efficiency only for a job that costs something; a new
    // blueprint starts from the empty value, so an unpriced one never shows the
    // figure of the blueprint before it.
    ui.lblEfficiency->setText(QStringLiteral("0%"));
    // A new blueprint starts at one run; the amounts follow the box as its edit does.
    if (ui.txtRuns->text() != QStringLiteral("1")) {
        SetTextQuietly(ui.txtRuns, QStringLiteral("1"));
        ApplyRunsToAmounts();
    }
    ui.cmdBack->setEnabled(false);
}

void frmMain::ShrinkFrame(std::int16_t maxIndex)
{
    lngBaseQty.resize(static_cast<std::size_t>(maxIndex) + 1, 0);
    for (int r = 0; r < kRows; ++r) {
        for (QWidget* cell : ui.RowCells(static_cast<std::size_t>(r)))
            cell->setVisible(r <= maxIndex);
    }
    const int frameHeight = GridFrameTwips(maxIndex);
    // The grid scrolls rather than hide its last rows on a screen too low for them.
    ui.SetGridHeight(frameHeight);

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
    lstCurrentIDs[static_cast<std::size_t>(r)] = 0;
}

void frmMain::ClearMaterialRows()
{
    bShown = false;
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
    SetTextQuietly(ui.txtML, QStringLiteral("0"));
    SetTextQuietly(ui.txtPL, QStringLiteral("0"));
    ui.txtBatchSize->setText(QStringLiteral("1"));
    SetTextQuietly(ui.txtRuns, QStringLiteral("1"));
    ShrinkFrame(0);
    UpdateML();
}

void frmMain::HighlightRow(std::int16_t r)
{
    for (QLabel* cell : {At(ui.lblPrefix, r), At(ui.lblAmount, r), At(ui.lblWaste, r), At(ui.lblTotal, r),
             At(ui.lblIdeal, r), At(ui.lblImprove, r)})
        SetBackColour(cell, BgrColour(Colour::Navy));
    selectedRow_ = r;
}

void frmMain::UnhighlightRow(std::int16_t r)
{
    const QColor stripe = BgrColour(r % 2 == 0 ? Colour::StripeEven : Colour::StripeOdd);
    for (QWidget* cell : {static_cast<QWidget*>(At(ui.lblPrefix, r)), static_cast<QWidget*>(At(ui.lblAmount, r)),
             static_cast<QWidget*>(At(ui.lblWaste, r)), static_cast<QWidget*>(At(ui.lblTotal, r)),
             static_cast<QWidget*>(At(ui.lblIdeal, r)), static_cast<QWidget*>(At(ui.lblImprove, r)),
             static_cast<QWidget*>(At(ui.txtPPU, r))})
        SetBackColour(cell, stripe);
    if (selectedRow_ == r)
        selectedRow_.reset();
}

void frmMain::lblPrefix_Click(std::int16_t r)
{
    if (selectedRow_ == r) {
        UnhighlightRow(r);
        return;
    }
    for (std::int16_t i = 0; i < kRows; ++i)
        UnhighlightRow(i);
    HighlightRow(r);
}

} // namespace brenta::ui
