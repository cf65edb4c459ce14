// The spreadsheet doors of the main window: File, "Paste Prices" and "Import
// Prices…" read a table of prices into a preview the player applies or cancels;
// "Export Prices…" writes every item's price as CSV; Ctrl+C and the grid's context
// menu put the shown sheet on the clipboard. The tables and texts are the core's.

#include "ui/main/frmMain.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

#include "base/Table.h"
#include "calc/PriceImport.h"
#include "calc/SheetCopy.h"
#include "calc/Show.h"
#include "storage/Folders.h"
#include "storage/TextFile.h"
#include "ui/main/MessageBox.h"
#include "ui/main/Placement.h"
#include "ui/main/frmMainShared.h"
#include "ui/windows/frmOpen.h"
#include "ui/windows/frmPricePreview.h"
#include "ui/windows/frmSave.h"

namespace brenta::ui {

using namespace mainwindow;

namespace {

// The open dialog's reader for a table of prices.
constexpr std::int16_t kPricesTableMode = 3;

// Ctrl+C in a text box copies the box's selection, as everywhere; with nothing
// selected there, it reaches the window and copies the sheet.
class CopyWithoutSelection : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* box = qobject_cast<QLineEdit*>(watched);
            if (box && !box->hasSelectedText() && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void frmMain::SetUpSpreadsheet()
{
    connect(ui.PastePrices, &QAction::triggered, this, [this] { PastePrices_Click(); });
    connect(ui.ImportPrices, &QAction::triggered, this, [this] { ImportPrices_Click(); });
    connect(ui.ExportPrices, &QAction::triggered, this, [this] { ExportPrices_Click(); });

    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, [this] { CopySheet(); });
    auto* boxes = new CopyWithoutSelection(this);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(boxes);
}

void frmMain::CopySheet()
{
    if (!Showing())
        return;
    try {
        const sheet::Input in = job::SheetInput(job_, cat, fmt_);
        QGuiApplication::clipboard()->setText(
            Q(sheet::CopyText(in, sheet::Compute(in), job::AmountTexts(job_, fmt_))));
    } catch (const Failure& e) {
        ShowMessage(this, "The sheet could not be copied:\n\n" + QString::fromLocal8Bit(e.what()));
    }
}

void frmMain::PastePrices_Click()
{
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    PreviewPrices(text.toStdString(), QStringLiteral("the clipboard"));
}

void frmMain::ImportPrices_Click()
{
    frmOpen& dialog = OpenDialog();
    dialog.SetReader(kPricesTableMode, [this] { ImportPricesFile(OpenDialog().FileName); });
    dialog.InitDir = programFolder_;
    dialog.Filter.clear(); // CSV and tab-separated files go by many endings
    dialog.Mode = kPricesTableMode;
    dialog.ShowOpen();
}

void frmMain::ImportPricesFile(const std::string& path)
{
    if (path.empty())
        return;
    const QString name = FileNameText(storage::NamePart(path));
    std::string content;
    try {
        content = storage::ReadWholeFile(path);
    } catch (const Failure& e) {
        ShowMessage(
            this, name + " could not be read, so no price changed:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    PreviewPrices(content, name);
}

void frmMain::PreviewPrices(const std::string& text, const QString& source)
{
    priceimport::Preview preview;
    try {
        preview = priceimport::Read(text, cat, fmt_);
    } catch (const Failure& e) {
        ShowMessage(this,
            "The prices in " + source + " could not be read, so no price changed:\n\n"
                + QString::fromLocal8Bit(e.what()));
        return;
    }
    if (preview.matched.empty() && preview.unknown.empty() && preview.unreadable.empty()) {
        ShowMessage(this, "There are no prices in " + source + ", so no price changed.");
        return;
    }
    auto* window = new frmPricePreview(this, std::move(preview), fmt_, source,
        [this](const priceimport::Preview& chosen) { ApplyImportedPrices(chosen); });
    KeepOnScreen(window);
    window->show();
}

void frmMain::ApplyImportedPrices(const priceimport::Preview& preview)
{
    try {
        // Checked whole before any price changes: the prices change all together or not at all.
        std::vector<double> prices = cat.dblPrices;
        priceimport::Apply(preview, prices);
        cat.dblPrices = std::move(prices);
    } catch (const Failure& e) {
        ShowMessage(this, "The prices could not be applied:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    // The shown rows' price boxes take the new prices and the sheet is recomputed
    // once; an open plan and auto-pricing go on from them, and they are saved at
    // close like typed ones. Showing the blueprint again would also put the run
    // count back to one and forget Back: only the prices changed.
    if (!Showing())
        return;
    try {
        for (std::size_t r = 0; r < job_.shown->rows.size() && r < ui.txtPPU.size(); ++r) {
            show::Row& row = job_.shown->rows[r];
            row.priceText = numbers::ToText(At(cat.dblPrices, row.typeId), fmt_);
            ui.txtPPU[r]->setText(Q(row.priceText));
        }
    } catch (const Failure&) {
        // A row whose material has no price keeps its box; the prices are stored all the same.
    }
    UpdateML();
}

void frmMain::ExportPrices_Click()
{
    if (!dialogs_.prices) {
        dialogs_.prices = std::make_unique<frmSave>(this);
        dialogs_.prices->Writer = [this] { ExportPrices(dialogs_.prices->FileName); };
        dialogs_.prices->FileName = "prices.csv";
    }
    dialogs_.prices->Filter = ".csv";
    dialogs_.prices->InitDir = programFolder_;
    dialogs_.prices->ShowSave();
}

void frmMain::ExportPrices(const std::string& path)
{
    if (path.empty() || !AcceptExportTarget(path, QStringLiteral("the prices")))
        return;
    try {
        // Written whole or not at all: a failed export leaves an earlier file as it was.
        storage::WriteFileAtomically(path, priceimport::ExportCsv(cat));
    } catch (const Failure& e) {
        ShowMessage(this, "The prices could not be exported:\n\n" + QString::fromLocal8Bit(e.what()));
        return;
    }
    ShowMessage(this, QStringLiteral("Exported successfully."));
}

} // namespace brenta::ui
