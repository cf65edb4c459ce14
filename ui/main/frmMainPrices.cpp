#include "ui/main/frmMain.h"

#include "storage/Folders.h"
#include "storage/PricesFile.h"
#include "storage/Settings.h"
#include "storage/TextFile.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmOpen.h"

namespace brenta::ui {

using namespace mainwindow;

// --- Switching to another prices file -----------------------------------------------

void frmMain::PricesDatFile_Click()
{
    frmOpen& dialog = OpenDialog();
    dialog.InitDir = programFolder_;
    dialog.Filter = ".dat";
    dialog.Mode = 2;
    dialog.ShowOpen();
}

void frmMain::OpenPricesFile()
{
    const std::string chosen = OpenDialog().FileName;
    if (chosen.empty())
        return;
    // Only the name counts: the player's prices files live beside the program.
    const std::string name = storage::NamePart(chosen);
    if (!AcceptPricesFileName(name))
        return;

    // Read before anything changes, so a file that fails leaves the prices and the
    // file in use as they were.
    const std::string path = FolderPath(name);
    std::string content;
    if (storage::IsPlayerFile(path)) {
        try {
            content = storage::ReadWholeFile(path);
        } catch (const Failure& e) {
            ShowMessage(this,
                FileNameText(name) + " could not be read (" + QString::fromLocal8Bit(e.what())
                    + ").\n\nThe prices and the prices file in use (" + FileNameText(strPricesFile)
                    + ") were left as they were.");
            return;
        }
    }
    strPricesFile = name;
    unreadable_.erase(name); // read now, so shut-down may write it
    storage::ApplyPrices(content, cat.dblPrices, fmt_);
    setWindowTitle(AppTitle() + " - " + FileNameText(strPricesFile));
    // The blueprint on display shows its price boxes again, even when Back or a
    // jump to a builder put it there with the selector on another entry or none.
    // A record that cannot be shown leaves the display as it was.
    if (Showing())
        LoadBP(curBP);
}

} // namespace brenta::ui
