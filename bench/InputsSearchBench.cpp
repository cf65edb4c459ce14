// Search and typing as the player feels them: Enter in the search box up to the
// refilled selector, and one keystroke in the run count or a price box up to the
// recomputed sheet, all through the window's widgets.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "bench/BenchWindow.h"
#include "ui/main/MessageBox.h"

using namespace brenta;
using bench::Window;

namespace {

void Key(QLineEdit* box, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
}

void BM_SearchRefillsSelector(benchmark::State& state)
{
    static const char* const queries[] = {"", "afterburner", "^10mn"};
    const char* query = queries[state.range(0)];
    Window w;
    w.Show(w.MostMaterials());
    w.main->ControlsForTests().txtSearch->setText(QString::fromLatin1(query));
    for (auto _ : state)
        Key(w.main->ControlsForTests().txtSearch, Qt::Key_Return, QStringLiteral("\r"));
    state.SetLabel(std::string("\"") + query + "\": " + std::to_string(w.main->ControlsForTests().cboBP->count())
        + " listed");
}
BENCHMARK(BM_SearchRefillsSelector)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A digit typed after "1", then Backspace: each keystroke rescales and recomputes.
void BM_RunsKeystroke(benchmark::State& state)
{
    Window w;
    w.Show(w.MostMaterials());
    QLineEdit* runs = w.main->ControlsForTests().txtRuns;
    runs->setCursorPosition(static_cast<int>(runs->text().size()));
    bool digit = true;
    for (auto _ : state) {
        if (digit)
            Key(runs, Qt::Key_5, QStringLiteral("5"));
        else
            Key(runs, Qt::Key_Backspace, QStringLiteral("\b"));
        digit = !digit;
    }
    state.SetLabel("22 materials");
}
BENCHMARK(BM_RunsKeystroke)->Unit(benchmark::kMicrosecond);

// Enter in a price box: the price is stored, confirmed (a silent hook here) and the
// sheet recomputed.
void BM_PriceEnter(benchmark::State& state)
{
    Window w;
    w.Show(w.MostMaterials());
    const ui::MessageHook previous = ui::SetMessageHook([](const QString&) {});
    QLineEdit* price = w.main->ControlsForTests().txtPPU[0];
    for (auto _ : state)
        Key(price, Qt::Key_Return, QStringLiteral("\r"));
    ui::SetMessageHook(previous);
    state.SetLabel("22 materials");
}
BENCHMARK(BM_PriceEnter)->Unit(benchmark::kMicrosecond);

} // namespace
