// The owned blueprints in and out as readable text: File, Import, "Purchased BP
// List" and File, Export, "Owned BPs (*.txt)". Reading and writing the text are
// the core's; these pass the chosen path and the window's settings in.

#include "ui/main/frmMain.h"

#include <QCheckBox>
#include <QComboBox>

#include "storage/BlueprintList.h"
#include "storage/TextFile.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmOpen.h"
#include "ui/windows/frmSave.h"

namespace brenta::ui {

using namespace mainwindow;

void frmMain::PurchasedBPList_Click()
{
    frmOpen& dialog = OpenDialog();
    dialog.InitDir = programFolder_;
    dialog.Filter = ".txt";
    dialog.Mode = 1;
    dialog.ShowOpen();
}

void frmMain::OpenBPList() { ImportBPList(OpenDialog().FileName); }

void frmMain::OwnedBPListExport_Click()
{
    frmSave& dialog = SaveDialog();
    dialog.Filter = ".txt";
    dialog.InitDir = programFolder_;
    dialog.ShowSave();
}

void frmMain::SaveBPList() { ExportBPList(SaveDialog().FileName); }

void frmMain::ImportBPList(const std::string& path)
{
    if (path.empty())
        return;
    std::string content;
    try {
        content = storage::ReadWholeFile(path);
    } catch (const Failure& e) {
        ShowMessage(this, "The blueprint list could not be read, so nothing was imported:\n\n"
                + QString::fromLocal8Bit(e.what()));
        return;
    }
    // The shown blueprint shows the imported levels the next time it is shown.
    storage::ApplyBlueprintList(content, cat, fmt_);
}

void frmMain::ExportBPList(const std::string& path)
{
    if (path.empty())
        return;
    storage::ReportFacility facility;
    facility.posLab = ui.chkPOSLab->isChecked();
    facility.timeMult = dblTimeMult;
    facility.matMult = dblMatMult;
    facility.metallurgy = ui.cboMetallurgy->currentIndex();
    facility.research = ui.cboResearch->currentIndex();
    facility.industry = ui.cboIndustry->currentIndex();
    facility.pe = ui.cboPE->currentIndex();
    try {
        // Written whole or not at all: a failed export leaves an earlier file as it was.
        storage::WriteFileAtomically(path, storage::OwnedReport(cat, facility, fmt_));
    } catch (const Failure& e) {
        ShowMessage(this, "The owned blueprints could not be exported:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    ShowMessage(this, QStringLiteral("Exported successfully."));
}

} // namespace brenta::ui
