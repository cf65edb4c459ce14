// Auto-pricing every blueprint of the selector, and the owned blueprint report.
//
// "Auto-Price All" is measured three ways over all 2,579 entries: the menu handler
// as built (the pass in the core, the widgets written once), the core pass alone,
// and the straightforward way for comparison: each blueprint shown through the
// selector, every priced row's builder found by splitting the records from index 0
// until one matches, each box written and repainted, the sheet recomputed per
// blueprint. Every run starts from the same prices.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

#include "bench/BenchWindow.h"
#include "calc/AutoPrice.h"
#include "calc/Report.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/BlueprintList.h"
#include "storage/OwnedRecord.h"
#include "storage/TextFile.h"
#include "ui/main/MessageBox.h"
#include "ui/main/frmMain.h"

using namespace brenta;

namespace {

// A window whose question is answered Yes; Reset starts a new one, with the
// prices every run starts from.
struct PricingWindow : bench::Window {
    PricingWindow()
    {
        ui::SetQuestionHook([](const QString&, const QString&) { return true; });
    }
    ~PricingWindow() { ui::SetQuestionHook({}); }
    void Reset()
    {
        main->hide();
        main = std::make_unique<ui::frmMain>(folder.path().toStdString(), settings, NumberFormat{});
    }
};

void BM_AutoPriceAll_Window(benchmark::State& state)
{
    PricingWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.Reset();
        state.ResumeTiming();
        w.main->ControlsForTests().AutoPriceAll->trigger();
    }
    state.SetLabel(std::to_string(w.main->ControlsForTests().cboBP->count()) + " blueprints, widgets once");
}
BENCHMARK(BM_AutoPriceAll_Window)->Unit(benchmark::kMillisecond);

void BM_AutoPriceAll_CorePass(benchmark::State& state)
{
    PricingWindow w;
    std::vector<std::optional<std::int16_t>> listed;
    for (std::int16_t i = 0; i < kBlueprintCount; ++i)
        listed.emplace_back(i);
    const Catalogue start = w.main->Cat();
    const pricing::Builders builders(start.strBPs);
    const pricing::Facility facility{1, 0, NumberFormat{}};
    for (auto _ : state) {
        state.PauseTiming();
        Catalogue cat = start;
        state.ResumeTiming();
        benchmark::DoNotOptimize(pricing::AutoPriceAll(listed, {}, cat, builders, facility, {}));
    }
}
BENCHMARK(BM_AutoPriceAll_CorePass)->Unit(benchmark::kMillisecond);

// The builder found by splitting every record from index 0 until one matches.
std::optional<std::int16_t> ScanForBuilder(const BlueprintRecords& records, std::string_view name)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto fields = text::Split(records[i], '{');
        std::string_view builder = fields[0];
        builder = builder.substr(0, builder.find(" Blueprint"));
        if (builder == name)
            return static_cast<std::int16_t>(i);
    }
    return std::nullopt;
}

// The prices it stores go to its own catalogue: the window's stays as it started,
// so the boxes a later blueprint shows start from the first prices.
void PriceShownRowsByScanning(ui::frmMain& m, Catalogue& cat)
{
    const NumberFormat fmt;
    const pricing::Facility facility{1, m.ControlsForTests().cboPE->currentIndex(), fmt};
    for (int r = 0; r < 25; ++r) {
        const std::string caption = m.ControlsForTests().lblPrefix[r]->text().toStdString();
        if (caption.empty())
            continue;
        if (caption.find("Skill") == std::string::npos) {
            if (const auto builder = ScanForBuilder(cat.strBPs, pricing::MaterialName(caption))) {
                const std::string_view rec = cat.strBPs[static_cast<std::size_t>(*builder)];
                const double total = pricing::OneRunCost(
                    rec, pricing::OwnedML(cat, *builder), facility, cat.strItemNames, cat.dblPrices);
                m.ControlsForTests().txtPPU[r]->setText(
                    QString::fromStdString(numbers::Format(total, "0.00", fmt)));
                m.ControlsForTests().txtPPU[r]->repaint();
            }
        }
        const std::int32_t id = m.RowMaterial(r);
        std::string box = m.ControlsForTests().txtPPU[r]->text().toStdString();
        if (id != 0)
            if (const auto price = pricing::StoredPrice(box, fmt))
                cat.dblPrices[static_cast<std::size_t>(id)] = *price;
    }
    m.UpdateML();
}

void BM_AutoPriceAll_ScanAndWidgetsPerBlueprint(benchmark::State& state)
{
    PricingWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.Reset();
        ui::frmMain& m = *w.main;
        Catalogue cat = m.Cat();
        state.ResumeTiming();
        for (int k = 0; k < m.ControlsForTests().cboBP->count(); ++k) {
            m.ControlsForTests().cboBP->setCurrentIndex(k);
            m.cboBP_Click();
            PriceShownRowsByScanning(m, cat);
        }
    }
}
BENCHMARK(BM_AutoPriceAll_ScanAndWidgetsPerBlueprint)->Unit(benchmark::kMillisecond)->Iterations(1);

Catalogue EverythingOwned()
{
    Catalogue cat = Catalogue::Compiled();
    for (std::size_t i = 0; i < cat.strBPs.size(); ++i) {
        cat.bOwned[i] = true;
        cat.strOwned[i] = owned::Read(std::string(record::Field(cat.strBPs[i], record::kFieldTypeId)) + "{"
                + std::to_string(i % 50) + "{" + std::to_string(i % 6),
            NumberFormat());
    }
    return cat;
}

void BM_OwnedReport_AllOwned(benchmark::State& state)
{
    const Catalogue cat = EverythingOwned();
    const report::Facility facility{true, 0.75, 1, 5, 5, 5, 5};
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/owned.txt";
    for (auto _ : state) {
        const std::string report = report::OwnedReport(cat, facility, NumberFormat{});
        if (state.range(0) != 0)
            storage::WriteFileAtomically(path, report);
        benchmark::DoNotOptimize(report.data());
    }
    state.SetLabel(state.range(0) != 0 ? "2,579 owned, written to disk" : "2,579 owned, text only");
}
BENCHMARK(BM_OwnedReport_AllOwned)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
