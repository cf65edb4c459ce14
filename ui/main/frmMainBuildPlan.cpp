// The build plan from the main window: Tools, "Build Plan", and the plan window
// following the sheet. The plan and its window are their own; this opens it with
// what it takes from this window (a BuildPlanSource) and tells it when the sheet
// changed.

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
    if (!Showing())
        return;
    auto* window = findChild<frmBuildPlan*>(QStringLiteral("frmBuildPlan"), Qt::FindDirectChildrenOnly);
    if (!window) {
        // It deletes itself when closed; this window's deletion takes it along.
        window = new frmBuildPlan(this, PlanSource());
        connect(this, &frmMain::SheetChanged, window, &frmBuildPlan::Follow);
        window->PlaceBeside(*this);
        // Its real frame is known once it shows: kept within the screen then too.
        KeepOnScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

BuildPlanSource frmMain::PlanSource()
{
    BuildPlanSource source;
    source.shownJob = [this] { return ShownJob(); };
    source.catalogue = [this]() -> const Catalogue& { return cat; };
    source.format = [this]() -> const NumberFormat& { return fmt_; };
    source.programFolder = [this]() -> const std::string& { return programFolder_; };
    source.acceptExportTarget
        = [this](const std::string& path, const QString& what) { return AcceptExportTarget(path, what); };
    // One lookup, the one auto-pricing uses: made once for the run.
    source.builders = [this]() -> const pricing::Builders& { return BuilderLookup(); };
    return source;
}

void frmMain::BuildPlanFollows()
{
    ui.BuildPlan->setEnabled(Showing());
    emit SheetChanged();
}

} // namespace brenta::ui
