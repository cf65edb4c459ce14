// Research planning from the main window: the ML-to-ML comparison and the waste graph.
#include "ui/main/frmMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "calc/AutoPrice.h"
#include "calc/WasteGraph.h"
#include "ui/main/MessageBox.h"
#include "ui/main/Placement.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmComparison.h"
#include "ui/windows/frmGraph.h"

namespace brenta::ui {

using namespace mainwindow;

// Whether there is a blueprint for the comparison to work on: the one on display,
// also when "Find BP" or Back showed it and the selector names another or none.
bool frmMain::CanCompare() const { return Showing(); }

void frmMain::MLtoML_Click()
{
    if (!CanCompare())
        return;
    // It disables this window while open and deletes itself when closed.
    new frmComparison(
        *this, ComparisonFeed{[this] { return ComparisonInput(); }, [this] { return ComparisonValues(); }});
}

void frmMain::DrawGraphMLvWaste(std::int16_t Index)
{
    auto* graphWindow = findChild<frmGraph*>(QStringLiteral("frmGraph"), Qt::FindDirectChildrenOnly);
    try {
        if (Index < 0 || Index >= kRows)
            throw Failure("No grid row " + std::to_string(Index));
        const auto r = static_cast<std::size_t>(Index);
        const show::Row* row = job::RowOf(job_, Index);
        // Drawn for the row as the sheet last computed it.
        auto picture = graph::WasteGraph(idealShown_[r], job::AmountTexts(job_, fmt_)[r], job_.runs.text,
            job_.shown ? job_.shown->baseWastageFactor : 0.1, fmt_);
        if (!picture)
            return;
        if (!graphWindow)
            graphWindow = new frmGraph(this);
        // Against the main window's right edge, as far as its screen allows.
        const QRect outer = frameGeometry();
        PlaceOnScreen(graphWindow, QPoint(outer.x() + outer.width(), outer.y()));
        // Named after the material, as the selector names items: without the kind prefix.
        graphWindow->setWindowTitle(QStringLiteral("Wastage Graph - ")
            + Q(std::string(pricing::MaterialName(row ? row->name : std::string()))));
        graphWindow->Draw(std::move(*picture));
        graphWindow->show();
        graphWindow->raise();
    } catch (const Failure&) {
        delete graphWindow;
        ShowMessage(this, QStringLiteral("The graph form failed to load for some reason."));
    }
}

} // namespace brenta::ui
