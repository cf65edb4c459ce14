// Auto-pricing from the main window: one row, the shown blueprint's rows (a
// double-click on the "Unit Price" frame) and every listed blueprint (Tools,
// "Auto-Price All"). The pricing itself is the core's; these read the grid, call
// it and write the price boxes back.

#include "ui/main/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <functional>

#include "calc/AutoPrice.h"
#include "calc/Show.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMainShared.h"

namespace brenta::ui {

using namespace mainwindow;

namespace {

// Runs an action on a left-button double-click of the watched widget itself.
class DoubleClickFilter : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

const QString kAutoPriceAllQuestion = QStringLiteral(
    "WARNING: This will overwrite the price of all buildable components with the new computed price, and it WILL "
    "take a long time.\r\n"
    "The program may freeze for several minutes.  If you don't get an error message, it's working!\r\n"
    "Continue?");

} // namespace

void frmMain::ConnectPricing()
{
    ui.fraPPU->installEventFilter(new DoubleClickFilter(this, [this] { fraPPU_DblClick(); }));
    connect(ui.AutoPriceAll, &QAction::triggered, this, [this] { AutoPriceAll_Click(); });
}

const pricing::Builders& frmMain::BuilderLookup()
{
    if (!builders_)
        builders_ = std::make_shared<const pricing::Builders>(cat.strBPs);
    return *builders_;
}

pricing::Facility frmMain::PricingFacility() const
{
    return pricing::Facility{job_.matMult, job_.skills.pe, fmt_};
}

std::vector<pricing::GridRow> frmMain::GridRows() const { return job::GridRows(job_); }

void frmMain::AutoPrice(std::int16_t labelIndex)
{
    if (labelIndex < 0 || labelIndex >= kRows)
        return;
    const show::Row* row = job::RowOf(job_, labelIndex);
    const auto text
        = pricing::AutoPriceText(row ? row->name : std::string(), cat, BuilderLookup(), PricingFacility());
    if (!text)
        return;
    ui.txtPPU[labelIndex]->setText(Q(*text));
    ui.txtPPU[labelIndex]->repaint();
}

std::optional<std::int16_t> frmMain::FindMaterialBP(const std::string& strName)
{
    return BuilderLookup().Find(strName);
}

void frmMain::fraPPU_DblClick()
{
    std::vector<pricing::GridRow> rows = GridRows();
    pricing::PriceRows(rows, cat, BuilderLookup(), PricingFacility());
    for (int r = 0; r < kRows; ++r) {
        const QString box = Q(rows[static_cast<std::size_t>(r)].box);
        if (ui.txtPPU[r]->text() != box) {
            ui.txtPPU[r]->setText(box);
            ui.txtPPU[r]->repaint();
        }
    }
    UpdateML();
}

void frmMain::AutoPriceAll_Click()
{
    if (!AskYesNo(this, QStringLiteral("Are you sure?"), kAutoPriceAllQuestion))
        return;
    const int count = ui.cboBP->count();
    if (count <= 0)
        return;

    // The blueprint each selector entry shows, as its click would find it.
    std::vector<std::optional<std::int16_t>> listed;
    listed.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        listed.push_back(ListedIndex(k));

    // The whole pass runs on the catalogue, each blueprint shown as the display shows
    // it; the window shows the end state once: the last listed blueprint with the
    // price boxes as the pass left them.
    const auto result = pricing::AutoPriceAll(
        listed, GridRows(), cat, BuilderLookup(), PricingFacility(), show::Levels{job_.ml.text, job_.pl.text});
    ui.cboBP->setCurrentIndex(count - 1);
    if (result.lastShown)
        WriteShown(*result.lastShown);
    for (std::size_t r = 0; r < result.rows.size() && r < static_cast<std::size_t>(kRows); ++r)
        ui.txtPPU[r]->setText(Q(result.rows[r].box));
    UpdateML();
}

} // namespace brenta::ui
