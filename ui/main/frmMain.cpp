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
#include "ui/main/frmMainShared.h"
#include "ui/windows/AlwaysOnTop.h"

namespace brenta::ui {

using namespace mainwindow;

frmMain::frmMain(std::string programFolder, storage::SettingsStore& settings, NumberFormat fmt,
    std::string executableName, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)), executableName_(std::move(executableName)),
      settings_(settings), fmt_(fmt)
{
    setObjectName(QStringLiteral("frmMain"));
    ui.setupUi(this);

    for (int r = 0; r < kRows; ++r) {
        for (QLabel* cell : {ui.lblPrefix[r], ui.lblAmount[r], ui.lblWaste[r], ui.lblTotal[r], ui.lblIdeal[r]}) {
            cell->setProperty("row", r);
            cell->installEventFilter(this);
        }
    }
    ui.txtRuns->installEventFilter(this);
    // The grid's figures: a number too wide for its cell is shown short, never cut.
    FittedTexts* const fitted = FittedTexts::Under(ui.centralWidget);
    for (int r = 0; r < kRows; ++r) {
        for (QWidget* figure : std::initializer_list<QWidget*>{
                 ui.lblAmount[r], ui.lblWaste[r], ui.lblTotal[r], ui.lblIdeal[r], ui.lblImprove[r], ui.txtPPU[r]})
            fitted->AsNumber(figure, fmt_);
    }

    connect(ui.cboBP, &QComboBox::activated, this, [this] { cboBP_Click(); });
    connect(ui.txtML, &QLineEdit::textChanged, this, [this] { txtML_Change(); });
    connect(ui.txtPL, &QLineEdit::textChanged, this, [this] { txtPL_Change(); });
    connect(ui.txtRuns, &QLineEdit::textChanged, this, [this] { txtRuns_Change(); });
    // The skill selectors and the lab box only recompute the sheet.
    for (QComboBox* skill : {ui.cboMetallurgy, ui.cboResearch, ui.cboIndustry, ui.cboPE})
        connect(skill, &QComboBox::currentIndexChanged, this, [this] {
            ReadSkills();
            UpdateML();
        });
    connect(ui.chkPOSLab, &QCheckBox::toggled, this, [this](bool checked) {
        job_.posLab = checked;
        UpdateML();
    });
    // A price box's text is the job's price whether typed, pasted or written by
    // the display; only Enter saves it and recomputes.
    for (int r = 0; r < kRows; ++r)
        connect(ui.txtPPU[r], &QLineEdit::textChanged, this, [this, r] { ReadPrice(r); });
    connect(ui.Improvements, &QAction::toggled, this, [this](bool checked) { job_.improvements = checked; });
    connect(ui.cboAssemblyArray, &QComboBox::currentIndexChanged, this, [this] { cboAssemblyArray_Click(); });
    connect(ui.Exit, &QAction::triggered, this, [this] { Exit_Click(); });
    connect(ui.AOT, &QAction::triggered, this, [this] { AOT_Click(); });
    connect(ui.Improvements, &QAction::triggered, this, [this] { Improvements_Click(); });
    connect(ui.MLtoML, &QAction::triggered, this, [this] { MLtoML_Click(); });
    connect(ui.BuildPlan, &QAction::triggered, this, [this] { BuildPlan_Click(); });
    ConnectInputs();
    ConnectSearch();
    connect(ui.PricesDatFile, &QAction::triggered, this, [this] { PricesDatFile_Click(); });
    connect(ui.PurchasedBPList, &QAction::triggered, this, [this] { PurchasedBPList_Click(); });
    connect(ui.OwnedBPListExport, &QAction::triggered, this, [this] { OwnedBPListExport_Click(); });
    ConnectPricing();
    SetUpSpreadsheet();

    SetUpDrillDown();

    FormLoad();
}

// The selector must not read the names once they are gone: they go before it does.
frmMain::~frmMain() { ui.SetBlueprintNames(nullptr); }

std::string frmMain::FolderPath(const std::string& fileName) const
{
    return storage::JoinPath(programFolder_, fileName);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && ui.AOT->isChecked()) {
        std::int16_t on = 1;
        AlwaysOnTop::SetTopmost(this, on);
    }
}

void frmMain::Exit_Click() { close(); }

void frmMain::Improvements_Click()
{
    // The entry toggles its own check mark before this runs. The column starts
    // empty and the recomputation fills what it fills on every other input, so
    // there is one rule for which rows have an improvement.
    for (QLabel* cell : ui.lblImprove) {
        cell->setText(QStringLiteral("0"));
        SetForeColour(cell, BgrColour(Colour::White));
    }
    if (ui.Improvements->isChecked())
        UpdateML();
}

void frmMain::AOT_Click()
{
    // The entry toggles its own check mark before this runs.
    std::int16_t on = ui.AOT->isChecked() ? 1 : 0;
    AlwaysOnTop::SetTopmost(this, on);
}

} // namespace brenta::ui
