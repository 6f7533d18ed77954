// Speed of the flat-pattern window for the three-stage worked design with four pieces per
// cone: opening it (the window built, the pieces developed, the table and the drawing made)
// and redrawing it after an option changes. Runs headless (the offscreen platform).

#include "desktop/windows/pattern_window.h"
#include "desktop/windows/pips_menu.h"
#include "tests/sample_designs.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_Open_Flat_Patterns(benchmark::State& state) {
    const Chamber_Design design = Calc_Design(Sample_Form(true, true)).value;
    for (auto _ : state) {
        state.PauseTiming();
        Discard_All_Windows(false);
        state.ResumeTiming();
        PatTool& p = Win<PatTool>();
        p.PatTxt[PatPieces].SetText("4");
        p.Show_Design(design);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Open_Flat_Patterns)->Unit(benchmark::kMillisecond);

void BM_Redraw_Flat_Patterns(benchmark::State& state) {
    PatTool& p = Win<PatTool>();
    p.Show_Design(Calc_Design(Sample_Form(true, true)).value);
    int pieces = 0;
    for (auto _ : state) {
        p.PatTxt[PatPieces].SetText(pieces++ % 2 ? "4" : "3"); // each change redraws
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Redraw_Flat_Patterns)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform says so each time a window is raised; nothing to measure.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    Prepare_Application(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Discard_All_Windows(false);
    return 0;
}
