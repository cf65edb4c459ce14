// Prices from a spreadsheet: a pasted list of every item read, matched and
// previewed, and applied with the shown sheet recomputed; the core alone beside
// the menu entry and the Apply button as the player uses them.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>

#include <string>

#include "bench/BenchWindow.h"
#include "calc/AutoPrice.h"
#include "calc/PriceImport.h"
#include "ui/windows/frmPricePreview.h"

using namespace brenta;

namespace {

// Every named item's name without its kind prefix and a new price with a decimal
// comma, tab-separated, one line each, as a spreadsheet copies two columns.
std::string PastedList(const Catalogue& cat, std::size_t* items = nullptr)
{
    const NumberFormat comma = NumberFormat::FromDecimalSeparator(',');
    std::string text;
    std::size_t n = 0;
    for (std::size_t id = 0; id < cat.strItemNames.size(); ++id) {
        if (cat.strItemNames[id].empty())
            continue;
        text += std::string(pricing::MaterialName(cat.strItemNames[id])) + '\t'
            + numbers::ToText(cat.dblPrices[id] + 1.25, comma) + '\n';
        ++n;
    }
    if (items)
        *items = n;
    return text;
}

void BM_PricesPaste_Core(benchmark::State& state)
{
    const Catalogue cat = Catalogue::Compiled();
    std::size_t items = 0;
    const std::string text = PastedList(cat, &items);
    for (auto _ : state) {
        priceimport::Preview p = priceimport::Read(text, cat, NumberFormat{});
        benchmark::DoNotOptimize(p);
    }
    state.SetLabel(std::to_string(items) + " items read and matched");
}
BENCHMARK(BM_PricesPaste_Core)->Unit(benchmark::kMillisecond);

ui::frmPricePreview* Preview(const bench::Window& w) { return w.main->findChild<ui::frmPricePreview*>(); }

void Drop(const bench::Window& w)
{
    if (ui::frmPricePreview* preview = Preview(w))
        preview->cmdCancel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// File, "Paste Prices": the clipboard read, the table read and matched, the
// preview window built and shown.
void BM_PricesPaste_Window(benchmark::State& state)
{
    bench::Window w;
    w.Show(w.MostMaterials());
    QGuiApplication::clipboard()->setText(QString::fromStdString(PastedList(w.main->Cat())));
    for (auto _ : state) {
        w.main->ControlsForTests().PastePrices->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        if (!Preview(w))
            state.SkipWithError("no preview");
        Drop(w);
        state.ResumeTiming();
    }
    state.SetLabel("913 items, preview shown");
}
BENCHMARK(BM_PricesPaste_Window)->Unit(benchmark::kMillisecond);

// "Apply": every price stored, the shown blueprint (the most materials) shown
// again and its sheet recomputed.
void BM_PricesApply_Window(benchmark::State& state)
{
    bench::Window w;
    w.Show(w.MostMaterials());
    QGuiApplication::clipboard()->setText(QString::fromStdString(PastedList(w.main->Cat())));
    for (auto _ : state) {
        state.PauseTiming();
        w.main->ControlsForTests().PastePrices->trigger();
        ui::frmPricePreview* preview = Preview(w);
        if (!preview) {
            state.SkipWithError("no preview");
            break;
        }
        state.ResumeTiming();
        preview->cmdApply->click();
        QApplication::processEvents();
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetLabel("913 prices applied, sheet recomputed");
}
BENCHMARK(BM_PricesApply_Window)->Unit(benchmark::kMillisecond);

} // namespace
