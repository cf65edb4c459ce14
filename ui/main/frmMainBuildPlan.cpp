// The build plan from the main window: Tools, "Build Plan", and the plan window
// following the sheet. The plan and its window are their own; this opens it and
// tells it when the sheet changed.

#include "ui/main/frmMain.h"

#include <QAction>

#include "storage/Folders.h"
#include "storage/Settings.h"
#include "ui/main/Placement.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmBuildPlan.h"

namespace brenta::ui {

using namespace mainwindow;

void frmMain::BuildPlan_Click()
{
    if (!bShown)
        return;
    auto* window = findChild<frmBuildPlan*>(QStringLiteral("frmBuildPlan"), Qt::FindDirectChildrenOnly);
    if (!window) {
        // It deletes itself when closed; this window's deletion takes it along.
        window = new frmBuildPlan(*this);
        window->PlaceBeside(*this);
        // Its real frame is known once it shows: kept within the screen then too.
        KeepOnScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void frmMain::BuildPlanFollows()
{
    ui.BuildPlan->setEnabled(bShown);
    emit SheetChanged();
}

} // namespace brenta::ui
