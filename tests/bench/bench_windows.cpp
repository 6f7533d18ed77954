// Speed of the windows that redraw as the tuner types, headless (the offscreen platform):
// the flat-pattern window for the three-stage worked design with four pieces per cone,
// opened (the window built, the pieces developed, the table and the drawing made) and
// redrawn after an option changes; and the port map, recomputed with both pictures
// repainted after a keystroke in a field; and the wave diagram's curve after a step of its
// slider.

#include "desktop/windows/pattern_window.h"
#include "desktop/windows/pips_menu.h"
#include "desktop/windows/port_tool.h"
#include "desktop/windows/wave_window.h"
#include "tests/sample_designs.h"

#include <QApplication>
#include <QSlider>
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

// Every port group given, the keystroke in the exhaust's opening angle.
void BM_Port_Map_Keystroke(benchmark::State& state) {
    PortTool& t = Win<PortTool>();
    const char* const texts[] = {"54", "54.5",   "110", "0.5", "12000", "1",   "38", "6", "85",
                                 "",   "0.0134", "2",   "10",  "2",     "88",  "",   "",  "2",
                                 "16", "3",      "114", "",    "",      "2",   "10", "2", "118",
                                 "",   "",       "1",   "18",  "4",     "116", "",   ""};
    for (int16_t i = 0; i < t.PortTxt.Count; ++i) {
        t.PortTxt[i].SetText(texts[i]);
    }
    t.Show();
    int key = 0;
    for (auto _ : state) {
        t.PortTxt[8].SetText(key++ % 2 ? "85" : "86");
        QApplication::processEvents();
    }
    if (!t.Figures()) {
        state.SkipWithError("the engine is not a sensible one");
    }
    state.counters["last_redraw_ms"] = static_cast<double>(t.Last_Redraw().count()) / 1000;
}
BENCHMARK(BM_Port_Map_Keystroke)->Unit(benchmark::kMillisecond);

void BM_Wave_Slider(benchmark::State& state) {
    WaveTool& w = Win<WaveTool>();
    w.Show_Design(Calc_Design(Sample_Form(true, true)).value);
    int step = 0;
    for (auto _ : state) {
        w.Speed->setValue(step++ % 2 ? 100 : 101);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Wave_Slider)->Unit(benchmark::kMillisecond);

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
