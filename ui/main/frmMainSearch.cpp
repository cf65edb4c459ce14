// The selector's view (search, Clear, the owned filter) and the Back button.

#include "ui/main/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include "catalogue/Search.h"
#include "ui/main/frmMainShared.h"

namespace brenta::ui {

using namespace mainwindow;

void frmMain::ConnectSearch()
{
    // Enter searches; the key still reaches the box, which does nothing more with it.
    connect(ui.txtSearch, &QLineEdit::returnPressed, this, [this] { Search(); });
    connect(ui.cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(ui.ShowUnowned, &QAction::triggered, this, [this] { ShowUnowned_Click(); });
    connect(ui.cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
}

void frmMain::FillView(const std::vector<std::int16_t>& indexes) { ui.FillBlueprints(indexes); }

std::optional<std::int16_t> frmMain::ListedIndex(int k) const
{
    const QVariant index = ui.cboBP->itemData(k, Qt::UserRole);
    if (!index.isValid())
        return std::nullopt;
    return index.value<std::int16_t>();
}

void frmMain::Search()
{
    ui.chkOwnThis->setChecked(false);
    ui.chkOwnThis->setEnabled(false);
    ClearMaterialRows();
    FillView(search::View(lstBPs, cat.bOwned, ui.ShowUnowned->isChecked(), S(ui.txtSearch->text())));
}

void frmMain::cmdClear_Click()
{
    ui.txtSearch->clear();
    ui.chkOwnThis->setEnabled(false);
    Search();
    ClearMaterialRows();
}

void frmMain::ShowUnowned_Click()
{
    // The entry toggles its own check mark before this runs.
    if (ui.ShowUnowned->isChecked()) {
        cmdClear_Click();
    } else {
        // Every owned blueprint; the search box keeps its text without applying it.
        ui.chkOwnThis->setChecked(false);
        ui.chkOwnThis->setEnabled(false);
        ClearMaterialRows();
        FillView(search::Candidates(lstBPs.size(), cat.bOwned, false));
    }
    backBP = -1;
    ui.cmdBack->setEnabled(false);
}

// Back to the blueprint shown before "Find BP"; a second Back returns again.
void frmMain::cmdBack_Click()
{
    if (backBP < 0)
        return;
    const std::int16_t t = curBP;
    if (!LoadBP(backBP)) // disables cmdBack
        return;
    backBP = t;
}

} // namespace brenta::ui
