// The owned blueprints in and out as readable text: File, Import, "Purchased BP
// List" and File, Export, "Owned BPs (*.txt)". Reading and writing the text are
// the core's; these pass the chosen path and the window's settings in. The file
// dialogs the main window opens are made here.

#include "ui/main/frmMain.h"

#include <QCheckBox>
#include <QComboBox>

#include "calc/Report.h"
#include "storage/BlueprintList.h"
#include "storage/Folders.h"
#include "storage/ProgramFiles.h"
#include "storage/Settings.h"
#include "storage/TextFile.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmOpen.h"
#include "ui/windows/frmSave.h"

namespace brenta::ui {

using namespace mainwindow;

frmMain::FileDialogs::FileDialogs() = default;
frmMain::FileDialogs::~FileDialogs() = default;

frmOpen& frmMain::OpenDialog()
{
    if (!dialogs_.open) {
        dialogs_.open = std::make_unique<frmOpen>(this);
        dialogs_.open->SetReader(1, [this] { OpenBPList(); });
        dialogs_.open->SetReader(2, [this] { OpenPricesFile(); });
    }
    return *dialogs_.open;
}

frmSave& frmMain::SaveDialog()
{
    if (!dialogs_.save) {
        dialogs_.save = std::make_unique<frmSave>(this);
        dialogs_.save->Writer = [this] { SaveBPList(); };
    }
    return *dialogs_.save;
}

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
        ShowMessage(this,
            "The blueprint list could not be read, so nothing was imported:\n\n"
                + QString::fromLocal8Bit(e.what()));
        return;
    }
    // The shown blueprint shows the imported levels the next time it is shown.
    storage::ApplyBlueprintList(content, cat, fmt_);
}

bool frmMain::AcceptExportTarget(const std::string& path, const QString& what)
{
    const QString shown = FileNameText(storage::NamePart(path));
    std::string target;
    storage::OwnFile own = storage::OwnFile::None;
    try {
        target = storage::FinalTarget(path); // a link is followed, as the write follows it
        // Where the write lands decides, however the path or its links spell it.
        own = storage::ProgramFileAt(path, {programFolder_, executableName_, strPricesFile});
    } catch (const Failure& e) {
        ShowMessage(this, shown + " cannot be used for " + what + ": " + QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (own != storage::OwnFile::None) {
        ShowMessage(this,
            shown + " cannot be used for " + what
                + ": Brenta keeps its own data under that name. "
                  "Please choose another name.");
        return false;
    }
    switch (storage::InspectWriteTarget(target)) {
    case storage::WriteTarget::Missing:
        return true;
    case storage::WriteTarget::NotOrdinary:
        ShowMessage(this,
            shown + " cannot be used for " + what
                + ": it is not an ordinary file (a folder, a pipe or a device). "
                  "Please choose another name.");
        return false;
    case storage::WriteTarget::WriteProtected:
        ShowMessage(
            this, shown + " cannot be used for " + what + ": it is write-protected. Please choose another name.");
        return false;
    case storage::WriteTarget::Ordinary:
        break;
    }
    return AskYesNo(this, QString::fromLatin1(kTitle), shown + " already exists.\n\nDo you want to replace it?");
}

void frmMain::ExportBPList(const std::string& path)
{
    if (path.empty() || !AcceptExportTarget(path, QStringLiteral("the report")))
        return;
    report::Facility facility;
    facility.posLab = job_.posLab;
    facility.timeMult = job_.timeMult;
    facility.matMult = job_.matMult;
    facility.metallurgy = job_.skills.metallurgy;
    facility.research = job_.skills.research;
    facility.industry = job_.skills.industry;
    facility.pe = job_.skills.pe;
    try {
        // Written whole or not at all: a failed export leaves an earlier file as it was.
        storage::WriteFileAtomically(path, report::OwnedReport(cat, facility, fmt_));
    } catch (const Failure& e) {
        ShowMessage(this, "The owned blueprints could not be exported:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    ShowMessage(this, QStringLiteral("Exported successfully."));
}

} // namespace brenta::ui
